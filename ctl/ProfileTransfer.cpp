#include "ctl/ProfileTransfer.h"

#include <algorithm>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include "ctl/WholeNumber.h"
#include "driver/DriverLimits.h"
#include "driver/SsidText.h"
#include "store/SettingsStore.h"
#include "store/StationFields.h"
#include "store/WepKeys.h"

namespace kx {

namespace {

const QString kFormat = QStringLiteral("kxconfig-profiles");
constexpr int kVersion = 1;
constexpr auto kName = "name";

QLatin1String key(const char* name) {
    return QLatin1String(name);
}

bool isName(const QString& ssid) {
    return SsidText::fromTyped(ssid.toStdU16String()).has_value();
}

// The profile an entry holds, or why it holds none.
std::optional<ProfileTransfer::Profile> profileOf(const QJsonObject& o, QString& problem) {
    ProfileTransfer::Profile p;
    p.name = o.value(key(kName)).toString();
    // JSON may escape half a character; the registry would keep another name.
    if (!p.name.isValidUtf16()) {
        problem = QStringLiteral("\"name\" is no whole text");
        return std::nullopt;
    }
    QSet<QString> known{key(kName), key(StationFields::kSsidFileKey),
                        key(StationFields::kKeysFileKey)};
    for (const StationField& f : StationFields::numbers()) {
        known.insert(key(f.fileKey));
        const std::optional<int> n = WholeNumber::of(o.value(key(f.fileKey)));
        if (!n) {
            problem = o.contains(key(f.fileKey))
                          ? QStringLiteral("\"%1\" is no whole number").arg(key(f.fileKey))
                          : QStringLiteral("\"%1\" is missing").arg(key(f.fileKey));
            return std::nullopt;
        }
        p.settings.*f.member = *n;
    }
    const QJsonValue ssid = o.value(key(StationFields::kSsidFileKey));
    if (!ssid.isString() || !isName(ssid.toString())) {
        problem =
            QStringLiteral("\"ssid\" is no network name of at most %1 bytes").arg(kMaxSsidBytes);
        return std::nullopt;
    }
    p.settings.ssid = ssid.toString();
    if (o.contains(key(StationFields::kKeysFileKey))) {
        const QJsonArray keys = o.value(key(StationFields::kKeysFileKey)).toArray();
        for (int i = 0; i < WepKeys::kCount; ++i)
            p.settings.keys[static_cast<std::size_t>(i)] = keys.at(i).toString();
        if (keys.size() != WepKeys::kCount || !StationFields::wholeKeys(p.settings.keys)) {
            problem = QStringLiteral("\"keys\" are no four keys of 10 or 26 hexadecimal digits, "
                                     "all of one length");
            return std::nullopt;
        }
        p.withKeys = true;
    }
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!known.contains(it.key())) {
            problem = QStringLiteral("unknown field \"%1\"").arg(it.key());
            return std::nullopt;
        }
    }
    // The ranges of the dialogs and of kxctl set.
    problem = StationFields::problem(p.settings);
    if (!problem.isEmpty())
        return std::nullopt;
    return p;
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
    QJsonObject o{{key(kName), profile.name},
                  {key(StationFields::kSsidFileKey), profile.settings.ssid}};
    for (const StationField& f : StationFields::numbers())
        o.insert(key(f.fileKey), profile.settings.*f.member);
    if (withKeys) {
        QJsonArray keys;
        for (const QString& k : profile.settings.keys)
            keys.append(k);
        o.insert(key(StationFields::kKeysFileKey), keys);
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
        WholeNumber::of(file.value(QStringLiteral("version"))) != kVersion ||
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
        QString name = entry.value(key(kName)).toString();
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

ProfileTransfer::Report ProfileTransfer::import(SettingsStore::Batch& batch, const Profile& profile,
                                                bool replace) {
    Report report{profile.name, Outcome::Refused, {}};
    if (const QString problem = SettingsStore::nameProblem(profile.name); !problem.isEmpty()) {
        report.detail = problem;
        return report;
    }
    WirelessSettings settings = profile.settings;
    const QStringList& names = batch.names();
    if (names.contains(profile.name)) {
        const WirelessSettings* current = batch.find(profile.name);
        if (!current) {
            report.outcome = Outcome::Failed;
            report.detail = QStringLiteral("the stored profile cannot be read");
            return report;
        }
        // Keys the file does not carry are the stored ones.
        if (!profile.withKeys)
            settings.keys = current->keys;
        if (settings == *current) {
            report.outcome = Outcome::Unchanged;
            return report;
        }
        if (!replace) {
            report.outcome = Outcome::Kept;
            report.detail = QStringLiteral(
                "differs from the stored profile, which stays; --replace takes the file's");
            return report;
        }
        batch.put(profile.name, settings);
        report.outcome = Outcome::Replaced;
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
    batch.put(profile.name, settings);
    report.outcome = Outcome::Imported;
    return report;
}

} // namespace kx
