#include "store/SettingsStore.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "adapter/AdapterState.h"
#include "program/UserProfile.h"
#include "platform/FileLock.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"
#include "store/StationFields.h"

namespace kx {

namespace {

constexpr auto kProfileLink = "ProfileLink";

// The profile's text values with their names; S is WirelessSettings, const or not.
template <typename S> auto profileTexts(S& s) {
    const auto& keys = StationFields::kKeyProfileValues;
    return std::array{
        std::pair{StationFields::kSsidProfileValue, &s.ssid},
        std::pair{keys[0], &s.keys[0]},
        std::pair{keys[1], &s.keys[1]},
        std::pair{keys[2], &s.keys[2]},
        std::pair{keys[3], &s.keys[3]},
    };
}

std::string utf8(const QString& text) {
    return text.toStdString();
}
QString fromUtf8(const std::string& text) {
    return QString::fromStdU16String(TextCodec::utf8ToUtf16(text));
}
QString hiveFileName(Hive hive) {
    return QString::fromStdString(Registry::hiveFile(hive).string());
}

QString readUserText(const QString& key, const char* name) {
    std::string value;
    if (Registry::readString(Hive::CurrentUser, utf8(key), name, value) != 0)
        return {};
    return fromUtf8(value);
}

QString caseFolded(const QString& name) {
    return name.toCaseFolded();
}

// A name that addresses exactly one subkey of "Profile".
bool usableProfileName(const QString& name) {
    return SettingsStore::nameProblem(name).isEmpty();
}

// Appending or removing a profile rewrites links of other profiles: the whole change
// holds this lock, as every single write holds its hive's.
FileLock lockProfileList() {
    Registry::makeDirectory();
    return FileLock(Registry::directory() / "profiles.lock", FileLock::kForever);
}

} // namespace

// ---- single values in the adapter key ----------------------------------------------

StoreResult SettingsStore::writeAdapterValue(AdapterValue value, const QString& text) {
    const auto failed = [](const QString& reason) {
        return StoreResult{hiveFileName(Hive::LocalMachine), reason};
    };
    const QString& key = m_adapter.registryKey;
    if (key.isEmpty())
        return failed(QStringLiteral("no adapter is selected"));
    if (!Registry::keyExists(Hive::LocalMachine, utf8(key)))
        return failed(QStringLiteral("the adapter's key %1 is missing").arg(key));
    if (!Registry::openFullAccess(Hive::LocalMachine, utf8(key)))
        return failed(QStringLiteral("no full access to the adapter's key"));
    if (Registry::writeString(Hive::LocalMachine, utf8(key), adapterValueName(value),
                              utf8(text)) != 0)
        return failed(QStringLiteral("%1 could not be written").arg(QString::fromLatin1(adapterValueName(value))));
    return {};
}

StoreResult SettingsStore::writeAdapterValue(AdapterValue value, int number) {
    return writeAdapterValue(value, QString::number(number));
}

int SettingsStore::readAdapterValue(AdapterValue value, QString& out, int sizeBytes) const {
    out.clear();
    const QString& key = m_adapter.registryKey;
    std::string text;
    if (key.isEmpty() || Registry::readString(Hive::LocalMachine, utf8(key),
                                              adapterValueName(value), text) != 0)
        return -1;
    // One byte per character in the single-byte form the driver side uses.
    out = fromUtf8(text).left(std::max(sizeBytes - 1, 0));
    return 0;
}

// ---- profiles ----------------------------------------------------------------------

QString SettingsStore::profileKey(const QString& name) const {
    return UserProfile::keyPath() + QStringLiteral("\\Profile\\") + name;
}

int SettingsStore::moveCursor(const QString& name, QString& out) {
    if (name.isEmpty() || m_seen.contains(caseFolded(name))) {
        m_cursor.clear();
        out.clear();
        return -1;
    }
    m_seen.insert(caseFolded(name));
    m_cursor = name;
    out = name;
    return 0;
}

int SettingsStore::firstProfile(QString& name) {
    m_seen.clear();
    return moveCursor(readUserText(UserProfile::keyPath(), kProfileLink), name);
}

int SettingsStore::nextProfile(QString& name) {
    if (m_cursor.isEmpty()) {
        name.clear();
        return -1;
    }
    return moveCursor(readUserText(profileKey(m_cursor), kProfileLink), name);
}

QStringList SettingsStore::profileNames() {
    QStringList names;
    QString name;
    for (int found = firstProfile(name); found == 0; found = nextProfile(name))
        names << name;
    return names;
}

int SettingsStore::findProfile(const QString& name) {
    QString current;
    for (int found = firstProfile(current); found == 0; found = nextProfile(current)) {
        if (current == name)
            return 0;
    }
    return -1; // the walk has emptied the cursor
}

QString SettingsStore::nameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("the name is empty");
    const bool unusable = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
    return unusable ? QStringLiteral("a name holds no backslash and no control character")
                    : QString();
}

int SettingsStore::createProfile(const QString& name) {
    if (!usableProfileName(name))
        return -1;
    const FileLock lock = lockProfileList();
    const QStringList names = profileNames();
    const bool taken = std::any_of(names.begin(), names.end(), [&](const QString& existing) {
        return existing.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (taken)
        return -1;
    const std::string key = utf8(profileKey(name));
    if (Registry::createKey(Hive::CurrentUser, key) != 0)
        return -1;
    // A key left from an earlier list must not link anywhere, or the list would loop.
    Registry::deleteValue(Hive::CurrentUser, key, kProfileLink);
    const QString linkKey = names.isEmpty() ? UserProfile::keyPath() : profileKey(names.last());
    return Registry::writeString(Hive::CurrentUser, utf8(linkKey), kProfileLink, utf8(name));
}

int SettingsStore::deleteProfile(const QString& name) {
    const FileLock lock = lockProfileList();
    const QStringList names = profileNames();
    const qsizetype at = names.indexOf(name);
    if (at < 0 || !usableProfileName(name))
        return -1;
    // The list goes round the profile first, so that it never links to a missing key.
    const QString before = at == 0 ? UserProfile::keyPath() : profileKey(names.at(at - 1));
    const QString after = at + 1 < names.size() ? names.at(at + 1) : QString();
    const int relinked =
        after.isEmpty()
            ? Registry::deleteValue(Hive::CurrentUser, utf8(before), kProfileLink)
            : Registry::writeString(Hive::CurrentUser, utf8(before), kProfileLink, utf8(after));
    if (relinked != 0)
        return -1;
    const std::string key = utf8(profileKey(name));
    // A list that named a profile without values has lost it all the same.
    if (!Registry::keyExists(Hive::CurrentUser, key))
        return 0;
    return Registry::deleteKey(Hive::CurrentUser, key);
}

int SettingsStore::readProfile(WirelessSettings& settings) {
    if (!usableProfileName(m_cursor))
        return -1;
    const std::string key = utf8(profileKey(m_cursor));
    for (const StationField& number : StationFields::numbers()) {
        std::uint32_t value = 0;
        settings.*number.member =
            Registry::readDword(Hive::CurrentUser, key, number.profileValue, value) == 0
                ? static_cast<int>(value)
                : -1;
    }
    for (const auto& [valueName, text] : profileTexts(settings))
        *text = readUserText(profileKey(m_cursor), valueName);
    return 0;
}

int SettingsStore::writeProfile(const WirelessSettings& settings) {
    if (!usableProfileName(m_cursor))
        return -1;
    const std::string key = utf8(profileKey(m_cursor));
    if (Registry::createKey(Hive::CurrentUser, key) != 0)
        return -1;
    int result = 0;
    for (const StationField& number : StationFields::numbers()) {
        const auto value = static_cast<std::uint32_t>(settings.*number.member);
        result |= Registry::writeDword(Hive::CurrentUser, key, number.profileValue, value);
    }
    for (const auto& [valueName, text] : profileTexts(settings))
        result |= Registry::writeString(Hive::CurrentUser, key, valueName, utf8(*text));
    return result == 0 ? 0 : -1;
}

// ---- many profiles at once ---------------------------------------------------------

SettingsStore::Batch::Batch(SettingsStore& store) : m_store(store), m_lock(lockProfileList()) {
    if (!ready()) {
        m_failure = {QString::fromStdString((Registry::directory() / "profiles.lock").string()),
                     QString::fromStdString(m_lock.reason())};
        return;
    }
    m_names = store.profileNames();
    for (const QString& name : std::as_const(m_names)) {
        WirelessSettings settings;
        store.m_cursor = name;
        if (store.readProfile(settings) == 0)
            m_profiles.insert(name, settings);
    }
    store.m_cursor.clear();
}

const WirelessSettings* SettingsStore::Batch::find(const QString& name) const {
    const auto it = m_profiles.constFind(name);
    return it == m_profiles.constEnd() ? nullptr : &*it;
}

void SettingsStore::Batch::put(const QString& name, const WirelessSettings& settings) {
    using Kind = RegistryChange::Kind;
    const std::string key = utf8(m_store.profileKey(name));
    if (!m_names.contains(name)) {
        const QString linkKey =
            m_names.isEmpty() ? UserProfile::keyPath() : m_store.profileKey(m_names.last());
        m_changes.push_back({Kind::CreateKey, key, {}, {}});
        // A key left from an earlier list must not link anywhere, or the list would loop.
        m_changes.push_back({Kind::RemoveValue, key, kProfileLink, {}});
        m_changes.push_back({Kind::WriteText, utf8(linkKey), kProfileLink, utf8(name)});
        m_names.append(name);
    }
    for (const StationField& number : StationFields::numbers())
        m_changes.push_back({Kind::WriteDword, key, number.profileValue, {},
                             static_cast<std::uint32_t>(settings.*number.member)});
    for (const auto& [valueName, text] : profileTexts(settings))
        m_changes.push_back({Kind::WriteText, key, valueName, utf8(*text)});
    m_profiles.insert(name, settings);
    ++m_pending;
}

int SettingsStore::Batch::commit() {
    if (!m_failure.ok())
        return -1;
    if (Registry::change(Hive::CurrentUser, m_changes) != 0) {
        const RegistryFailure failure = Registry::lastFailure();
        m_failure = {QString::fromStdString(failure.file.string()),
                     QString::fromStdString(failure.reason)};
        return -1;
    }
    m_changes.clear();
    m_pending = 0;
    return 0;
}

} // namespace kx
