#pragma once
// Raw EEPROM images in files: the content from offset 0, no header.

#include <QByteArray>
#include <QString>

#include "pro/eeprom/Checked.h"

namespace kx {

class EepromImageFile final {
public:
    // Replaces the file as a whole; an empty name (a cancelled dialog) cannot be created.
    static std::optional<EepromProblem> save(const QString& name, const QByteArray& bytes);
    // Only a regular file of exactly `eepromSize` bytes is read: an image of another
    // size was made for another EEPROM and is refused before anything is written.
    static Checked<QByteArray> load(const QString& name, int eepromSize);
};

} // namespace kx
