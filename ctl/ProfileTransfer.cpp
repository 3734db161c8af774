#include "ctl/ProfileTransfer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "driver/DriverLimits.h"
#include "driver/HexText.h"
#include "driver/SsidText.h"
#include "store/SettingsStore.h"
#include "store/WepKeys.h"

namespace kx {

namespace {

const QString kFormat = QStringLiteral("kxconfig-profiles");
constexpr int kVersion = 1;
constexpr int kMaxKeyDigits = wepKeyDigits(WepBit::Bits128);

struct NumberField {
    const char* key;
    int WirelessSettings::*member;
};
// The driver's codes, as the profile keeps them.
constexpr NumberField kNumbers[] = {
    {"channel", &WirelessSettings::channel},
    {"tx_rate", &WirelessSettings::txRateControl},
    {"network_type", &WirelessSettings::networkType},
    {"wep", &WirelessSettings::wepStatus},
    {"authentication", &WirelessSettings::authenticationMode},
    {"wep_bit", &WirelessSettings::wepBit},
    {"default_key", &WirelessSettings::defaultKeyId},
    {"power_save", &WirelessSettings::powerSaveMode},
    {"power_save_level", &WirelessSettings::powerSaveLevel},
    {"fragmentation_threshold", &WirelessSettings::fragmentationThreshold},
    {"rts_threshold", &WirelessSettings::rtsCtsThreshold},
    {"preamble", &WirelessSettings::preambleMode},
    {"mode_27_5mbps", &WirelessSettings::mode27_5Mbps},
};
constexpr auto kName = "name";
constexpr auto kSsid = "ssid";
constexpr auto kKeys = "keys";

std::optional<int> wholeNumber(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (d != std::trunc(d) || d < std::numeric_limits<int>::min() ||
        d > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(d);
}

bool isHexKey(const QString& key) {
    return key.size() <= kMaxKeyDigits && std::all_of(key.begin(), key.end(), [](QChar c) {
               return HexText::digit(c.unicode()) >= 0;
           });
}

bool isName(const QString& ssid) {
    return SsidText::fromTyped(ssid.toStdU16String()).has_value();
}

// The profile an entry holds, or why it holds none.
std::optional<ProfileTransfer::Profile> profileOf(const QJsonObject& o, QString& problem) {
    ProfileTransfer::Profile p;
    p.name = o.value(QLatin1String(kName)).toString();
    QSet<QString> known{QLatin1String(kName), QLatin1String(kSsid), QLatin1String(kKeys)};
    for (const NumberField& f : kNumbers) {
        known.insert(QLatin1String(f.key));
        const std::optional<int> n = wholeNumber(o.value(QLatin1String(f.key)));
        if (!n) {
            problem = o.contains(QLatin1String(f.key))
                          ? QStringLiteral("\"%1\" is no whole number").arg(QLatin1String(f.key))
                          : QStringLiteral("\"%1\" is missing").arg(QLatin1String(f.key));
            return std::nullopt;
        }
        p.settings.*f.member = *n;
    }
    const QJsonValue ssid = o.value(QLatin1String(kSsid));
    if (!ssid.isString() || !isName(ssid.toString())) {
        problem =
            QStringLiteral("\"ssid\" is no network name of at most %1 bytes").arg(kMaxSsidBytes);
        return std::nullopt;
    }
    p.settings.ssid = ssid.toString();
    if (o.contains(QLatin1String(kKeys))) {
        const QJsonArray keys = o.value(QLatin1String(kKeys)).toArray();
        const bool valid = keys.size() == WepKeys::kCount &&
                           std::all_of(keys.begin(), keys.end(), [](const QJsonValue& k) {
                               return k.isString() && isHexKey(k.toString());
                           });
        if (!valid) {
            problem = QStringLiteral("\"keys\" are no four keys of hexadecimal digits");
            return std::nullopt;
        }
        for (int i = 0; i < WepKeys::kCount; ++i)
            p.settings.keys[static_cast<std::size_t>(i)] = keys.at(i).toString();
        p.withKeys = true;
    }
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!known.contains(it.key())) {
            problem = QStringLiteral("unknown field \"%1\"").arg(it.key());
            return std::nullopt;
        }
    }
    return p;
}

// Positions the store's cursor on `name` and writes the profile there.
bool writeAt(SettingsStore& store, const QString& name, const WirelessSettings& settings) {
    return store.findProfile(name) == 0 && store.writeProfile(settings) == 0;
}

} // namespace

QList<ProfileTransfer::Profile> ProfileTransfer::stored(SettingsStore& store) {
    QList<Profile> profiles;
    for (const QString& name : store.profileNames()) {
        Profile p{name, {}, true};
        if (store.findProfile(name) == 0 && store.readProfile(p.settings) == 0)
            profiles.append(p);
    }
    return profiles;
}

QJsonObject ProfileTransfer::json(const Profile& profile, bool withKeys) {
    QJsonObject o{{QLatin1String(kName), profile.name},
                  {QLatin1String(kSsid), profile.settings.ssid}};
    for (const NumberField& f : kNumbers)
        o.insert(QLatin1String(f.key), profile.settings.*f.member);
    if (withKeys) {
        QJsonArray keys;
        for (const QString& key : profile.settings.keys)
            keys.append(key);
        o.insert(QLatin1String(kKeys), keys);
    }
    return o;
}

QByteArray ProfileTransfer::write(const QList<Profile>& profiles, bool withKeys) {
    QJsonArray list;
    for (const Profile& p : profiles)
        list.append(json(p, withKeys));
    const QJsonObject file{{QStringLiteral("format"), kFormat},
                           {QStringLiteral("version"), kVersion},
                           {QStringLiteral("profiles"), list}};
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

std::optional<ProfileTransfer::Contents> ProfileTransfer::read(const QByteArray& json,
                                                               QString& error) {
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = QStringLiteral("no JSON: %1 at byte %2").arg(parse.errorString()).arg(parse.offset);
        return std::nullopt;
    }
    const QJsonObject file = document.object();
    if (file.value(QStringLiteral("format")).toString() != kFormat ||
        wholeNumber(file.value(QStringLiteral("version"))) != kVersion ||
        !file.value(QStringLiteral("profiles")).isArray()) {
        error = QStringLiteral("no profiles of kxctl (format \"%1\", version %2)")
                    .arg(kFormat)
                    .arg(kVersion);
        return std::nullopt;
    }
    Contents contents;
    const QJsonArray list = file.value(QStringLiteral("profiles")).toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject entry = list.at(i).toObject();
        QString name = entry.value(QLatin1String(kName)).toString();
        if (name.isEmpty())
            name = QStringLiteral("#%1").arg(i + 1);
        QString problem;
        if (const std::optional<Profile> p = profileOf(entry, problem))
            contents.profiles.append(*p);
        else
            contents.unreadable.append({name, Outcome::Refused, problem});
    }
    return contents;
}

ProfileTransfer::Report ProfileTransfer::import(SettingsStore& store, const Profile& profile,
                                                bool replace) {
    Report report{profile.name, Outcome::Refused, {}};
    if (const QString problem = SettingsStore::nameProblem(profile.name); !problem.isEmpty()) {
        report.detail = problem;
        return report;
    }
    WirelessSettings settings = profile.settings;
    const QStringList names = store.profileNames();
    if (names.contains(profile.name)) {
        WirelessSettings current;
        if (store.findProfile(profile.name) != 0 || store.readProfile(current) != 0) {
            report.outcome = Outcome::Failed;
            report.detail = QStringLiteral("the stored profile cannot be read");
            return report;
        }
        // Keys the file does not carry are the stored ones.
        if (!profile.withKeys)
            settings.keys = current.keys;
        if (settings == current) {
            report.outcome = Outcome::Unchanged;
            return report;
        }
        if (!replace) {
            report.outcome = Outcome::Kept;
            report.detail = QStringLiteral(
                "differs from the stored profile, which stays; --replace takes the file's");
            return report;
        }
        const bool written = writeAt(store, profile.name, settings);
        report.outcome = written ? Outcome::Replaced : Outcome::Failed;
        if (!written)
            report.detail = store.lastFailure().text();
        return report;
    }
    const auto clash = std::find_if(names.begin(), names.end(), [&](const QString& stored) {
        return stored.compare(profile.name, Qt::CaseInsensitive) == 0;
    });
    if (clash != names.end()) {
        report.detail =
            QStringLiteral("the stored profile \"%1\" differs only in letter case").arg(*clash);
        return report;
    }
    if (!profile.withKeys)
        settings.keys = WepKeys::defaults();
    if (store.createProfile(profile.name) != 0 || !writeAt(store, profile.name, settings)) {
        report.outcome = Outcome::Failed;
        report.detail = store.lastFailure().text();
        return report;
    }
    report.outcome = Outcome::Imported;
    return report;
}

} // namespace kx
