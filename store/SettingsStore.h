#pragma once
// Settings recorded in the registry: single values in the current adapter's key under
// HKEY_LOCAL_MACHINE (where the driver reads them at start), and named profiles as a
// linked list in the per-user key of the program. All driver calls go to the current
// adapter (AdapterState). Functions answer 0 on success and -1 on failure.

#include <QString>

#include "store/WirelessSettings.h"

namespace kx {

class SettingsStore final {
public:
    // The program-wide store.
    static SettingsStore& instance();

    // Single values in the adapter key; the key is never created.
    int writeAdapterValue(const QString& name, const QString& text);
    int writeAdapterValue(const QString& name, int value); // "%d"
    // At most sizeBytes - 1 bytes of the value, as the caller's buffer would hold.
    int readAdapterValue(const QString& name, QString& out, int sizeBytes = 400);

    // The profile list. A chain that loops ends at the first name seen twice.
    int firstProfile(QString& name);
    int nextProfile(QString& name);
    int findProfile(const QString& name);
    int createProfile(const QString& name);
    int readProfile(WirelessSettings& settings);
    int writeProfile(const WirelessSettings& settings);
    QString cursor() const { return m_cursor; }

    void readFromAdapter(WirelessSettings& settings);
    void applyToAdapter(const WirelessSettings& settings);
    static WirelessSettings factoryDefaults();

    // WEP on with the recorded keys, or off; keyIndex -1: the adapter's default key.
    void applyWepStatus(int enabled, int keyIndex);
    // Sends the recorded SSID to the access-point firmware.
    int resendSsid();

private:
    QString profileKey(const QString& name) const;

    QString m_cursor;
};

} // namespace kx
