#pragma once
// Settings recorded in the registry: single values in the current adapter's key under
// HKEY_LOCAL_MACHINE (where the driver reads them at start), and named profiles as a
// linked list in the per-user key of the program. All driver calls go to the current
// adapter. Functions answer 0 on success and -1 on failure.

#include <array>

#include <QSet>
#include <QString>
#include <QStringList>

#include "store/WepKeys.h"
#include "store/WirelessSettings.h"

namespace kx {

struct AdapterState;

class SettingsStore final {
public:
    // What a text value is read into: room for the SSID and the joined WEP keys.
    static constexpr int kTextValueBytes = 400;

    // Values go to the key of `adapter`, the current adapter, whichever it is.
    explicit SettingsStore(AdapterState& adapter) : m_adapter(adapter) {}

    // Single values in the adapter key; the key is never created.
    int writeAdapterValue(const QString& name, const QString& text);
    int writeAdapterValue(const QString& name, int value); // "%d"
    // At most sizeBytes - 1 bytes of the value, as the caller's buffer would hold.
    int readAdapterValue(const QString& name, QString& out, int sizeBytes = kTextValueBytes);

    // The profile list. A chain that loops ends at the first name seen twice.
    int firstProfile(QString& name);
    int nextProfile(QString& name);
    int findProfile(const QString& name);
    // Refuses an empty name, a name holding a backslash or a control character (it would
    // address another key), and a name that differs from a stored one only in letter
    // case (registry keys ignore case, so both would share one key).
    int createProfile(const QString& name);
    int readProfile(WirelessSettings& settings);
    int writeProfile(const WirelessSettings& settings);
    QString cursor() const { return m_cursor; }
    // Every profile name in list order (walks with the cursor, which ends empty).
    QStringList profileNames();

    void readFromAdapter(WirelessSettings& settings);
    void applyToAdapter(const WirelessSettings& settings);
    static WirelessSettings factoryDefaults();

    // WEP on with the recorded keys, or off; keyIndex -1: the adapter's default key.
    void applyWepStatus(int enabled, int keyIndex);
    // Sends the recorded SSID to the access-point firmware; with no SSID recorded nothing
    // is sent (an empty one would blank the access point's name).
    int resendSsid();

private:
    QString profileKey(const QString& name) const;
    // Moves the cursor to `name` unless the walk has been there before.
    int moveCursor(const QString& name, QString& out);
    void sendKeys(const WepKeys::Texts& keys, int wepBit, int defaultKeyId);

    AdapterState& m_adapter;
    QString m_cursor;
    QSet<QString> m_seen; // case-folded names visited since the last firstProfile
};

} // namespace kx
