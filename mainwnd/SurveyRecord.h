#pragma once
// One network found by a site survey, decoded from the driver's 104-byte record. The
// record comes from the driver as it is, so every field is read defensively: an SSID
// length above 32 is read as 32 and a count above 20 as 20.

#include <QByteArray>
#include <QString>

#include "driver/DriverCodes.h"
#include "driver/kx02app.h"

namespace kx {

class SurveyRecord final {
public:
    explicit SurveyRecord(const WLSurveyRecord& raw) : m_raw(raw) {}

    // The number of records a buffer holds: 0..20 (a negative count reads as 0).
    static int count(const WLSurveyBuffer& buffer);

    int channel() const;
    // The SSID bytes as they are sent to the adapter (at most 32).
    QByteArray ssidBytes() const;
    // The same bytes up to an earlier zero byte, as people see them (driver/SsidText.h).
    QString ssidText() const;
    QString bssidText() const;
    const std::uint8_t* bssid() const { return m_raw.bssid; }
    bool privacy() const { return m_raw.privacy != 0; }
    int signal() const { return m_raw.signal; }
    // 0 ad hoc, 1 infrastructure, 2 unknown (any higher value).
    int infrastructureMode() const;
    // The network type a join uses: infrastructure unless the network is ad hoc.
    NetworkType networkType() const {
        return m_raw.infrastructureMode != 0 ? NetworkType::Infrastructure : NetworkType::AdHoc;
    }

private:
    WLSurveyRecord m_raw;
};

} // namespace kx
