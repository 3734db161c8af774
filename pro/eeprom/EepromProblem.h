#pragma once
// Why an EEPROM edit or write was refused: the field or part the user has to change,
// and the whole text of the message that says so. Nothing was changed or written.

#include <QString>

namespace kx {

struct EepromProblem final {
    QString field;
    QString message;
};

} // namespace kx
