#pragma once
// Settings recorded in the registry: single values in the current adapter's key under
// HKEY_LOCAL_MACHINE (where the driver reads them at start), and named profiles as a
// linked list in the per-user key of the program. The store never talks to the adapter:
// AdapterSettings sends a setting and records it here. Functions answer 0 on success
// and -1 on failure; a write of an adapter value says why it failed.

#include <vector>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "driver/AdapterValue.h"
#include "platform/FileLock.h"
#include "platform/Registry.h"
#include "store/SettingResult.h"
#include "store/WirelessSettings.h"

namespace kx {

struct AdapterState;

class SettingsStore final {
public:
    // What a text value is read into: room for the SSID and the joined WEP keys.
    static constexpr int kTextValueBytes = 400;

    // Values go to the key of `adapter`, the current adapter, whichever it is.
    explicit SettingsStore(const AdapterState& adapter) : m_adapter(adapter) {}

    // Single values in the adapter key, as text; the key is never created.
    StoreResult writeAdapterValue(AdapterValue value, const QString& text);
    StoreResult writeAdapterValue(AdapterValue value, int number); // "%d"
    // At most sizeBytes - 1 bytes of the value, as the caller's buffer would hold.
    int readAdapterValue(AdapterValue value, QString& out, int sizeBytes = kTextValueBytes) const;

    // The profile list. A chain that loops ends at the first name seen twice. Changes of
    // the list itself wait for one another across programs (the tray program and the
    // command line may change it at the same moment), so neither loses a profile.
    int firstProfile(QString& name);
    int nextProfile(QString& name);
    int findProfile(const QString& name);
    // Refuses a name nameProblem() refuses, a stored name, and a name that differs from a
    // stored one only in letter case (registry keys ignore case, so both would share one
    // key).
    int createProfile(const QString& name);
    // Why no profile can have this name (empty when one can): the registry's rule for a
    // key name. A clash in letter case with a stored name is createProfile's to find.
    static QString nameProblem(const QString& name);
    // Takes the profile with exactly this name out of the list and removes its values;
    // -1 when there is none or the registry could not be written. The cursor ends empty.
    int deleteProfile(const QString& name);
    int readProfile(WirelessSettings& settings);
    int writeProfile(const WirelessSettings& settings);
    // Why the last createProfile, deleteProfile or writeProfile that failed did: the file
    // and the reason (a full disk, a lock another program keeps, a refused name).
    StoreResult lastFailure() const { return m_lastFailure; }
    QString cursor() const { return m_cursor; }
    // Every profile name in list order (walks with the cursor, which ends empty).
    QStringList profileNames();

    class Batch;

private:
    QString profileKey(const QString& name) const;
    // Moves the cursor to `name` unless the walk has been there before.
    int moveCursor(const QString& name, QString& out);
    int failed(StoreResult why);
    int registryFailed();

    const AdapterState& m_adapter;
    QString m_cursor;
    QSet<QString> m_seen; // case-folded names visited since the last firstProfile
    StoreResult m_lastFailure;
};

// Many profiles stored at once, as an import stores them: while it lives it holds the
// profile list's lock, the list and every stored profile are read once when it begins,
// and each commit() stores what was put since in one write of the hive.
class SettingsStore::Batch final {
public:
    explicit Batch(SettingsStore& store);

    // The list's lock is held; when not, nothing can be stored (failure() says why).
    bool ready() const { return m_lock.isHeld(); }
    // The stored names and the new ones put since, in list order.
    const QStringList& names() const { return m_names; }
    // The profile of this name as stored or put; nullptr when there is none or it could
    // not be read.
    const WirelessSettings* find(const QString& name) const;
    // Stores the profile at the next commit: a new name at the end of the list.
    void put(const QString& name, const WirelessSettings& settings);
    int pending() const { return m_pending; }
    // 0, or -1 when the registry refused the write: nothing put since the last commit is
    // stored, no later commit stores anything, and failure() says why.
    int commit();
    StoreResult failure() const { return m_failure; }

private:
    SettingsStore& m_store;
    FileLock m_lock;
    QStringList m_names;
    QHash<QString, WirelessSettings> m_profiles;
    std::vector<RegistryChange> m_changes;
    int m_pending = 0;
    StoreResult m_failure;
};

} // namespace kx
