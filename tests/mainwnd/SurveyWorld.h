#pragma once
// Survey records of the test's choosing, handed to the simulated adapter as the next
// survey's answer.

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "driver/kx02app.h"
#include "kx02app/kxsim.h"

namespace kx::test {

inline WLSurveyRecord surveyRecord(const char* ssid, std::uint32_t kHz, std::uint32_t mode,
                                   std::uint32_t privacy, int signal = 60) {
    WLSurveyRecord r{};
    r.length = sizeof r;
    const std::uint8_t bssid[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    std::memcpy(r.bssid, bssid, 6);
    r.ssidLength = static_cast<std::uint32_t>(std::strlen(ssid));
    std::memcpy(r.ssid, ssid, r.ssidLength);
    r.frequencyKHz = kHz;
    r.infrastructureMode = mode;
    r.privacy = privacy;
    r.signal = signal;
    return r;
}

inline void setRawSurvey(std::initializer_list<WLSurveyRecord> records) {
    WLSurveyBuffer buffer{};
    for (const WLSurveyRecord& r : records)
        buffer.records[buffer.count++] = r;
    kxsim_set_raw_survey(&buffer, sizeof buffer);
}

} // namespace kx::test
