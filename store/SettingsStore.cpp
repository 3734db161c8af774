#include "store/SettingsStore.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "adapter/AdapterState.h"
#include "platform/FileLock.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"
#include "program/UserProfile.h"
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

QString fileName(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}
std::string utf8(const QString& text) {
    return text.toStdString();
}
QString fromUtf8(const std::string& text) {
    return QString::fromStdU16String(TextCodec::utf8ToUtf16(text));
}
QString hiveFileName(Hive hive) {
    return fileName(Registry::hiveFile(hive));
}

StoreResult registryFailure() {
    const RegistryFailure failure = Registry::lastFailure();
    return {fileName(failure.file), QString::fromStdString(failure.reason)};
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

std::filesystem::path profileListLock() {
    return Registry::directory() / "profiles.lock";
}

// Appending or removing a profile rewrites links of other profiles: the whole change
// holds this lock, as every single write holds its hive's.
FileLock lockProfileList() {
    Registry::makeDirectory();
    return FileLock(profileListLock(), FileLock::kWriterWait);
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
    // The file that failed (a lock, the directory) and why, as the registry found it.
    const auto because = [](const QString& what) {
        StoreResult why = registryFailure();
        why.reason = QStringLiteral("%1: %2").arg(what, why.reason);
        return why;
    };
    if (!Registry::openFullAccess(Hive::LocalMachine, utf8(key)))
        return because(QStringLiteral("no full access to the adapter's key"));
    const QString name = QString::fromLatin1(adapterValueName(value));
    if (Registry::writeString(Hive::LocalMachine, utf8(key), adapterValueName(value), utf8(text)) !=
        0)
        return because(QStringLiteral("%1 could not be written").arg(name));
    return {};
}

StoreResult SettingsStore::writeAdapterValue(AdapterValue value, int number) {
    return writeAdapterValue(value, QString::number(number));
}

int SettingsStore::readAdapterValue(AdapterValue value, QString& out, int sizeBytes) const {
    out.clear();
    const QString& key = m_adapter.registryKey;
    std::string text;
    if (key.isEmpty() ||
        Registry::readString(Hive::LocalMachine, utf8(key), adapterValueName(value), text) != 0)
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
    return QString::fromStdString(Registry::keyNameProblem(utf8(name)));
}

int SettingsStore::failed(StoreResult why) {
    m_lastFailure = std::move(why);
    return -1;
}

int SettingsStore::registryFailed() {
    return failed(registryFailure());
}

int SettingsStore::createProfile(const QString& name) {
    if (const QString problem = nameProblem(name); !problem.isEmpty())
        return failed({hiveFileName(Hive::CurrentUser), problem});
    const FileLock lock = lockProfileList();
    if (!lock.isHeld())
        return failed({fileName(profileListLock()), QString::fromStdString(lock.reason())});
    const QStringList names = profileNames();
    const auto taken = std::find_if(names.begin(), names.end(), [&](const QString& existing) {
        return existing.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (taken != names.end())
        return failed({hiveFileName(Hive::CurrentUser),
                       QStringLiteral("the profile \"%1\" exists already").arg(*taken)});
    const std::string key = utf8(profileKey(name));
    if (Registry::createKey(Hive::CurrentUser, key) != 0)
        return registryFailed();
    // A key left from an earlier list must not link anywhere, or the list would loop.
    Registry::deleteValue(Hive::CurrentUser, key, kProfileLink);
    const QString linkKey = names.isEmpty() ? UserProfile::keyPath() : profileKey(names.last());
    if (Registry::writeString(Hive::CurrentUser, utf8(linkKey), kProfileLink, utf8(name)) != 0)
        return registryFailed();
    return 0;
}

int SettingsStore::deleteProfile(const QString& name) {
    const FileLock lock = lockProfileList();
    if (!lock.isHeld())
        return failed({fileName(profileListLock()), QString::fromStdString(lock.reason())});
    const QStringList names = profileNames();
    const qsizetype at = names.indexOf(name);
    if (at < 0 || !usableProfileName(name))
        return failed({hiveFileName(Hive::CurrentUser),
                       QStringLiteral("there is no profile \"%1\"").arg(name)});
    // The list goes round the profile first, so that it never links to a missing key.
    const QString before = at == 0 ? UserProfile::keyPath() : profileKey(names.at(at - 1));
    const QString after = at + 1 < names.size() ? names.at(at + 1) : QString();
    const int relinked =
        after.isEmpty()
            ? Registry::deleteValue(Hive::CurrentUser, utf8(before), kProfileLink)
            : Registry::writeString(Hive::CurrentUser, utf8(before), kProfileLink, utf8(after));
    if (relinked != 0)
        return registryFailed();
    const std::string key = utf8(profileKey(name));
    // A list that named a profile without values has lost it all the same.
    if (!Registry::keyExists(Hive::CurrentUser, key))
        return 0;
    return Registry::deleteKey(Hive::CurrentUser, key) == 0 ? 0 : registryFailed();
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
        return failed({hiveFileName(Hive::CurrentUser), QStringLiteral("no profile is chosen")});
    const std::string key = utf8(profileKey(m_cursor));
    if (Registry::createKey(Hive::CurrentUser, key) != 0)
        return registryFailed();
    // Every value is tried; the first failure says why.
    std::optional<StoreResult> failure;
    const auto wrote = [&](int result) {
        if (result != 0 && !failure)
            failure = registryFailure();
    };
    for (const StationField& number : StationFields::numbers()) {
        const auto value = static_cast<std::uint32_t>(settings.*number.member);
        wrote(Registry::writeDword(Hive::CurrentUser, key, number.profileValue, value));
    }
    for (const auto& [valueName, text] : profileTexts(settings))
        wrote(Registry::writeString(Hive::CurrentUser, key, valueName, utf8(*text)));
    return failure ? failed(*failure) : 0;
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
        m_changes.push_back({Kind::WriteDword,
                             key,
                             number.profileValue,
                             {},
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
