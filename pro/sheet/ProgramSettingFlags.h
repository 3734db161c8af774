#pragma once
// The "Program Setting Flag" page's one checked entry: the main page update time.

#include <optional>

#include <QString>

namespace kx {

class ProgramSettingFlags final {
public:
    static constexpr int kMaxUpdateTimeMs = 65535;

    struct UpdateTime {
        std::optional<int> ms; // set when the entry is taken
        QString message;       // what to tell the user otherwise
    };
    // An integer (blanks around it and a sign allowed) from 0 to 65535.
    static UpdateTime readUpdateTime(const QString& text);
};

} // namespace kx
