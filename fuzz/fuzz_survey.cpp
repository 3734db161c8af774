// Site survey records as the driver hands them over: any bytes decode within the buffer,
// with counts, SSIDs and modes inside their ranges, and each name shown so that typing
// it gives its bytes back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "driver/DriverLimits.h"
#include "driver/SsidText.h"
#include "fuzz/FuzzCheck.h"
#include "mainwnd/SurveyRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WLSurveyBuffer buffer;
    std::memset(&buffer, 0, sizeof buffer);
    std::memcpy(&buffer, data, std::min(size, sizeof buffer));
    const int count = kx::SurveyRecord::count(buffer);
    KX_FUZZ_CHECK(count >= 0 && count <= WL_SURVEY_MAX_RECORDS);
    for (int i = 0; i < count; ++i) {
        const kx::SurveyRecord record(buffer.records[i]);
        KX_FUZZ_CHECK(record.ssidBytes().size() <= static_cast<qsizetype>(kx::kMaxSsidBytes));
        // What the survey shows is what a person types to join it.
        const std::string name(record.ssidBytes().constData()); // up to a NUL
        const std::optional<std::string> typed =
            kx::SsidText::fromTyped(record.ssidText().toStdU16String());
        KX_FUZZ_CHECK(typed && *typed == name);
        KX_FUZZ_CHECK(record.infrastructureMode() >= 0 && record.infrastructureMode() <= 2);
        KX_FUZZ_CHECK(record.bssidText().size() == 17);
        (void)record.channel();
    }
    return 0;
}
