// A network's information elements as the air delivers them, in a survey record: any
// bytes give a record whose SSID fits and whose length is the record's.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "kx02linux/RadioMapping.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kx::lnx::BssInfo bss;
    bss.frequencyMhz = 2437;
    bss.signalMbm = -4200;
    bss.elements.assign(data, data + size);
    const auto record = kx::lnx::RadioMapping::surveyRecord(bss);
    KX_FUZZ_CHECK(record && record->length == sizeof(WLSurveyRecord));
    KX_FUZZ_CHECK(record->ssidLength <= 32);
    KX_FUZZ_CHECK(kx::lnx::RadioMapping::ssidOf(bss.elements).size() <= 255);
    return 0;
}
