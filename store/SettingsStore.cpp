#include "store/SettingsStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "adapter/AdapterState.h"
#include "app/UserProfile.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"
#include "store/HexText.h"

namespace kx {

namespace {

constexpr auto kProfileLink = "ProfileLink";
constexpr int kApSsidBytes = 32;

using IntQuery = std::int32_t (*)(WLAdapterInfo*);
using IntSet = std::int32_t (*)(WLAdapterInfo*, std::int32_t);

struct Query {
    int WirelessSettings::*field;
    IntQuery query;
};
constexpr Query kLinkQueries[] = {
    {&WirelessSettings::channel, QueryWL_Channel},
    {&WirelessSettings::txRateControl, QueryWL_TxRateControl},
};
constexpr Query kSecurityQueries[] = {
    {&WirelessSettings::networkType, QueryWL_NetworkType},
    {&WirelessSettings::authenticationMode, QueryWL_AuthenticationMode},
    {&WirelessSettings::wepStatus, QueryWL_WEPStatus},
    {&WirelessSettings::wepBit, QueryWL_WEPbit},
    {&WirelessSettings::defaultKeyId, QueryWL_DefaultKeyID},
};
constexpr Query kRadioQueries[] = {
    {&WirelessSettings::powerSaveMode, QueryWL_PSMode},
    {&WirelessSettings::powerSaveLevel, QueryWL_PSLevel},
    {&WirelessSettings::fragmentationThreshold, QueryWL_FragmentationThreshold},
    {&WirelessSettings::rtsCtsThreshold, QueryWL_RTS_CTS_Threshold},
    {&WirelessSettings::preambleMode, QueryWL_PreambleMode},
    {&WirelessSettings::mode27_5Mbps, QueryWL_27_5Mbps},
};

struct Send {
    int WirelessSettings::*field;
    IntSet set;
    const char* valueName;
};
constexpr Send kRadioSends[] = {
    {&WirelessSettings::powerSaveMode, SetWL_PSMode, "PowerSaveMode"},
    {&WirelessSettings::powerSaveLevel, SetWL_PSLevel, "PowerSaveLevel"},
    {&WirelessSettings::fragmentationThreshold, SetWL_FragmentationThreshold, "FragmentThreshold"},
    {&WirelessSettings::rtsCtsThreshold, SetWL_RTS_CTS_Threshold, "RTSCTSThreshold"},
    {&WirelessSettings::mode27_5Mbps, SetWL_27_5Mbps, "27_5Mbps"},
    {&WirelessSettings::authenticationMode, SetWL_AuthenticationMode, "AuthentMode"},
};
constexpr Send kLinkSends[] = {
    {&WirelessSettings::channel, SetWL_Channel, "RFChannel"},
    {&WirelessSettings::txRateControl, SetWL_TxRateControl, "TxDataRate"},
    {&WirelessSettings::networkType, SetWL_NetworkType, "NetworkType"},
};

struct ProfileNumber {
    const char* valueName;
    int WirelessSettings::*field;
};
constexpr ProfileNumber kProfileNumbers[] = {
    {"Channel", &WirelessSettings::channel},
    {"Transmit Rate Control", &WirelessSettings::txRateControl},
    {"Network Type", &WirelessSettings::networkType},
    {"WEP Status", &WirelessSettings::wepStatus},
    {"Authentication Mode", &WirelessSettings::authenticationMode},
    {"WEP Bit", &WirelessSettings::wepBit},
    {"WEP Default Key ID", &WirelessSettings::defaultKeyId},
    {"Power Save Mode", &WirelessSettings::powerSaveMode},
    {"Power Save Level", &WirelessSettings::powerSaveLevel},
    {"Fragmentation Threshold", &WirelessSettings::fragmentationThreshold},
    {"RTS CTS Threshold", &WirelessSettings::rtsCtsThreshold},
    {"Preamble Mode", &WirelessSettings::preambleMode},
    {"27.5Mbps Mode", &WirelessSettings::mode27_5Mbps},
};

// The profile's text values with their names; S is WirelessSettings, const or not.
template <typename S> auto profileTexts(S& s) {
    return std::array{
        std::pair{"SSID", &s.ssid},         std::pair{"WEP Key 0", &s.keys[0]},
        std::pair{"WEP Key 1", &s.keys[1]}, std::pair{"WEP Key 2", &s.keys[2]},
        std::pair{"WEP Key 3", &s.keys[3]},
    };
}

std::string utf8(const QString& text) {
    return text.toStdString();
}
QString fromUtf8(const std::string& text) {
    return QString::fromStdU16String(TextCodec::utf8ToUtf16(text));
}
std::string narrowed(const QString& text) {
    return TextCodec::narrow(text.toStdU16String());
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
    return !name.isEmpty() && std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
}

} // namespace

// ---- single values in the adapter key ----------------------------------------------

int SettingsStore::writeAdapterValue(const QString& name, const QString& text) {
    const QString& key = m_adapter.registryKey;
    if (key.isEmpty() || !Registry::openFullAccess(Hive::LocalMachine, utf8(key)))
        return -1;
    Registry::writeString(Hive::LocalMachine, utf8(key), utf8(name), utf8(text));
    return 0;
}

int SettingsStore::writeAdapterValue(const QString& name, int value) {
    return writeAdapterValue(name, QString::number(value));
}

int SettingsStore::readAdapterValue(const QString& name, QString& out, int sizeBytes) {
    out.clear();
    const QString& key = m_adapter.registryKey;
    std::string value;
    if (key.isEmpty() ||
        Registry::readString(Hive::LocalMachine, utf8(key), utf8(name), value) != 0)
        return -1;
    // One byte per character in the single-byte form the driver side uses.
    out = fromUtf8(value).left(std::max(sizeBytes - 1, 0));
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

int SettingsStore::createProfile(const QString& name) {
    if (!usableProfileName(name))
        return -1;
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

int SettingsStore::readProfile(WirelessSettings& settings) {
    if (!usableProfileName(m_cursor))
        return -1;
    const std::string key = utf8(profileKey(m_cursor));
    for (const ProfileNumber& number : kProfileNumbers) {
        std::uint32_t value = 0;
        settings.*number.field =
            Registry::readDword(Hive::CurrentUser, key, number.valueName, value) == 0
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
    for (const ProfileNumber& number : kProfileNumbers) {
        const auto value = static_cast<std::uint32_t>(settings.*number.field);
        result |= Registry::writeDword(Hive::CurrentUser, key, number.valueName, value);
    }
    for (const auto& [valueName, text] : profileTexts(settings))
        result |= Registry::writeString(Hive::CurrentUser, key, valueName, utf8(*text));
    return result == 0 ? 0 : -1;
}

// ---- whole records -----------------------------------------------------------------

void SettingsStore::readFromAdapter(WirelessSettings& settings) {
    WLAdapterInfo* record = m_adapter.record();
    const auto query = [&](const auto& table) {
        for (const Query& q : table)
            settings.*q.field = q.query(record);
    };
    query(kLinkQueries);

    char ssid[WL_SSID_BUFFER_MIN] = {};
    const bool ssidRead = QueryWL_SSID(record, ssid) != -1;
    settings.ssid = ssidRead ? QString::fromStdU16String(TextCodec::fromSystemCodePage(
                                   {ssid, strnlen(ssid, sizeof ssid)}))
                             : QString();

    query(kSecurityQueries);

    QString joined;
    const bool keysRead = readAdapterValue(QStringLiteral("WEPDefaultKeys"), joined,
                                           SettingsStore::kTextValueBytes) == 0;
    settings.keys = keysRead ? WepKeys::fromRecorded(joined) : WepKeys::defaults();

    query(kRadioQueries);
}

void SettingsStore::sendKeys(const WepKeys::Texts& keys, int wepBit, int defaultKeyId) {
    const int byteCount = WepKeys::bytes(wepBit);
    for (int i = 0; i < WepKeys::kCount; ++i) {
        std::uint8_t bytes[WepKeys::bytes(1)] = {};
        HexText::toBytes(QByteArray::fromStdString(narrowed(keys[static_cast<std::size_t>(i)])),
                         bytes, byteCount);
        SetWL_WriteKey(m_adapter.record(), i, wepBit, i == defaultKeyId ? 1 : 0, bytes);
    }
}

void SettingsStore::applyToAdapter(const WirelessSettings& settings) {
    WLAdapterInfo* record = m_adapter.record();
    const auto send = [&](const auto& table) {
        for (const Send& s : table) {
            s.set(record, settings.*s.field);
            writeAdapterValue(QString::fromLatin1(s.valueName), settings.*s.field);
        }
    };
    send(kRadioSends);

    writeAdapterValue(QStringLiteral("WEPDefaultKeyId"), settings.defaultKeyId + 1);
    sendKeys(settings.keys, settings.wepBit, settings.defaultKeyId);
    QString joined;
    for (const QString& key : settings.keys)
        joined += key;
    writeAdapterValue(QStringLiteral("WEPDefaultKeys"), joined);
    SetWL_WEPStatus(record, settings.wepStatus);
    writeAdapterValue(QStringLiteral("WEPStatus"),
                      WepKeys::statusCode(settings.wepStatus != 0, settings.wepBit));

    send(kLinkSends);

    SetWL_SSID(record, narrowed(settings.ssid).c_str());
    writeAdapterValue(QStringLiteral("SSID"), settings.ssid);
}

WirelessSettings SettingsStore::factoryDefaults() {
    return WirelessSettings{};
}

// ---- WEP and SSID ------------------------------------------------------------------

void SettingsStore::applyWepStatus(int enabled, int keyIndex) {
    WLAdapterInfo* record = m_adapter.record();
    if (keyIndex == -1) {
        keyIndex = QueryWL_DefaultKeyID(record);
        if (keyIndex < 0 || keyIndex >= WepKeys::kCount)
            keyIndex = 0;
    }
    int statusCode = WepKeys::statusCode(false, 0);
    if (enabled != 0) {
        QString joined; // an unreadable value leaves it empty: all key bytes 0
        readAdapterValue(QStringLiteral("WEPDefaultKeys"), joined, SettingsStore::kTextValueBytes);
        const int wepBit = joined.size() == WepKeys::kCount * WepKeys::digits(1) ? 1 : 0;
        sendKeys(WepKeys::split(joined, WepKeys::digits(wepBit)), wepBit, keyIndex);
        SetWL_WEPStatus(record, 1);
        statusCode = WepKeys::statusCode(true, wepBit);
    } else {
        SetWL_WEPStatus(record, 0);
    }
    writeAdapterValue(QStringLiteral("WEPStatus"), statusCode);
    writeAdapterValue(QStringLiteral("WEPDefaultKeyId"), keyIndex + 1);
    if (m_adapter.accessPointMode)
        resendSsid();
}

int SettingsStore::resendSsid() {
    QString ssid;
    if (readAdapterValue(QStringLiteral("SSID"), ssid, SettingsStore::kTextValueBytes) != 0)
        return -1;
    std::string bytes = narrowed(ssid);
    if (bytes.size() > kApSsidBytes)
        bytes.resize(kApSsidBytes);
    std::uint8_t block[4 + kApSsidBytes] = {};
    const auto length = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<std::uint8_t>(length >> (8 * i));
    std::memcpy(block + 4, bytes.data(), bytes.size());
    return WriteOid(m_adapter.record(), WL_OID_AP_SSID, block, sizeof block) == -1 ? -1 : 0;
}

} // namespace kx
