#pragma once
// Profiles to and from a file, in a JSON format of their own (README.md):
//   {"format": "kxconfig-profiles", "version": 1, "profiles": [{"name": "Home", ...}]}
// WEP keys travel only when asked for. An import checks each profile before storing
// it, refuses the names the store refuses, changes a stored profile only when told to
// replace it (and then keeps its keys when the file has none), and says for each
// profile what became of it.

#include <optional>

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "store/SettingsStore.h"
#include "store/WirelessSettings.h"

namespace kx {

class ProfileTransfer final {
public:
    struct Profile {
        QString name;
        WirelessSettings settings;
        bool withKeys = false;
    };
    enum class Outcome { Imported, Replaced, Unchanged, Kept, Refused, Failed };
    struct Report {
        QString name;
        Outcome outcome = Outcome::Refused;
        QString detail;
    };
    struct Contents {
        QList<Profile> profiles;
        QList<Report> unreadable; // entries of the file that are no profile
    };

    // Every stored profile, in list order, with its keys.
    static QList<Profile> stored(SettingsStore& store);
    static QByteArray write(const QList<Profile>& profiles, bool withKeys);
    // nullopt, with `error` saying why, for a text that is no export of profiles.
    static std::optional<Contents> read(const QByteArray& json, QString& error);
    // What becomes of the profile: Imported and Replaced are put into the batch, which
    // stores them at its next commit.
    static Report import(SettingsStore::Batch& batch, const Profile& profile, bool replace);

    // A profile's values as the file holds them (keys only when asked for).
    static QJsonObject json(const Profile& profile, bool withKeys);
};

} // namespace kx
