#include "program/UserProfile.h"

#include <cstdint>
#include <string>

#include "platform/Registry.h"
#include "program/ProgramDirectory.h"

namespace kx {

namespace {

QString& programNameOverride() {
    static QString name;
    return name;
}

std::string keyPathUtf8() {
    return UserProfile::keyPath().toStdString();
}

// The key may be missing on a first start; values are written directly into it.
bool ensureKey() {
    return Registry::createKey(Hive::CurrentUser, keyPathUtf8()) == 0;
}

} // namespace

QString UserProfile::programName() {
    const QString& name = programNameOverride();
    return name.isEmpty() ? ProgramDirectory::executableBaseName() : name;
}

void UserProfile::setProgramName(const QString& name) {
    programNameOverride() = name;
}

QString UserProfile::keyPath() {
    return QStringLiteral("Software\\Tolva\\") + programName();
}

int UserProfile::readInt(const QString& name, int defaultValue) {
    std::uint32_t value = 0;
    if (Registry::readDword(Hive::CurrentUser, keyPathUtf8(), name.toStdString(), value) != 0)
        return defaultValue;
    return static_cast<std::int32_t>(value);
}

int UserProfile::writeInt(const QString& name, int value) {
    if (!ensureKey())
        return -1;
    return Registry::writeDword(Hive::CurrentUser, keyPathUtf8(), name.toStdString(),
                                static_cast<std::uint32_t>(value));
}

QString UserProfile::readString(const QString& name, const QString& defaultValue) {
    std::string text;
    if (Registry::readString(Hive::CurrentUser, keyPathUtf8(), name.toStdString(), text) != 0)
        return defaultValue;
    return QString::fromStdString(text);
}

int UserProfile::writeString(const QString& name, const QString& value) {
    if (!ensureKey())
        return -1;
    return Registry::writeString(Hive::CurrentUser, keyPathUtf8(), name.toStdString(),
                                 value.toStdString());
}

} // namespace kx
