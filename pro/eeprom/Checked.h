#pragma once
// A value, or the reason there is none.

#include <optional>
#include <utility>

#include "pro/eeprom/EepromProblem.h"

namespace kx {

template <typename T> class [[nodiscard]] Checked final {
public:
    Checked(T value) : m_value(std::move(value)) {}
    Checked(EepromProblem problem) : m_problem(std::move(problem)) {}

    bool ok() const { return m_value.has_value(); }
    const T& value() const { return *m_value; }
    const EepromProblem& problem() const { return *m_problem; }

private:
    std::optional<T> m_value;
    std::optional<EepromProblem> m_problem;
};

} // namespace kx
