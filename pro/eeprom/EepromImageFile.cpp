#include "pro/eeprom/EepromImageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kx {

namespace {

QString field() {
    return QStringLiteral("EEPROM Binary Image");
}

EepromProblem cannotOpen(const QString& name, const char* direction) {
    return {field(), QStringLiteral("Can't open file \"%1\" for %2!!!")
                         .arg(name, QString::fromLatin1(direction))};
}

} // namespace

std::optional<EepromProblem> EepromImageFile::save(const QString& name, const QByteArray& bytes) {
    QSaveFile file(name);
    if (name.isEmpty() || !file.open(QIODevice::WriteOnly))
        return cannotOpen(name, "output");
    if (file.write(bytes) != bytes.size() || !file.commit())
        return EepromProblem{field(), QStringLiteral("Can't write file \"%1\"!!!").arg(name)};
    return std::nullopt;
}

Checked<QByteArray> EepromImageFile::load(const QString& name, int eepromSize) {
    // A pipe or a device is never opened: reading it could wait for ever.
    const QFileInfo info(name);
    QFile file(name);
    if (name.isEmpty() || !info.isFile() || !file.open(QIODevice::ReadOnly))
        return cannotOpen(name, "input");
    if (file.size() != eepromSize || eepromSize <= 0) {
        return EepromProblem{
            field(), QStringLiteral("\"%1\" holds %2 bytes, but the adapter's EEPROM holds "
                                    "%3 bytes. Nothing was written.")
                         .arg(name, QString::number(file.size()), QString::number(eepromSize))};
    }
    QByteArray bytes = file.read(eepromSize);
    if (bytes.size() != eepromSize)
        return cannotOpen(name, "input");
    return bytes;
}

} // namespace kx
