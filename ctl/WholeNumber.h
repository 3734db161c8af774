#pragma once
// The one rule for the numbers kxctl reads, on its command line and in a file of
// profiles: a whole number within a range. Typed, it is decimal digits after at most a
// minus (no blank, no plus, no exponent); in JSON, a number without a fraction.

#include <limits>
#include <optional>

#include <QString>

class QJsonValue;

namespace kx {

class WholeNumber final {
public:
    static constexpr int kLowest = std::numeric_limits<int>::min();
    static constexpr int kHighest = std::numeric_limits<int>::max();

    static std::optional<int> of(const QString& text, int low = kLowest, int high = kHighest);
    static std::optional<int> of(const QJsonValue& value, int low = kLowest, int high = kHighest);
};

} // namespace kx
