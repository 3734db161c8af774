// The card information structure as a card's EEPROM holds it: any 256 bytes decode to
// tuples that are written back as the same chain, and the editor reads the version
// tuple's names within the tuple.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "pro/eeprom/CisChain.h"
#include "pro/eeprom/CisFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kx::CisChain;
    const kx::EepromSettings::Tuples tuples = CisChain::decode(data, size);
    CisChain::Area area;
    // Every tuple read fits where it was read from.
    KX_FUZZ_CHECK(!CisChain::encode(tuples, area).has_value());
    KX_FUZZ_CHECK(CisChain::decode(area.data(), area.size()) == tuples);

    const kx::CisFields fields = kx::CisFields::fromTuples(tuples);
    for (const QString& name : fields.names)
        KX_FUZZ_CHECK(name.size() < CisChain::kAreaSize);
    kx::EepromSettings::Tuples edited = tuples;
    if (!fields.applyTo(edited).has_value()) {
        // The editor changes no tuple's place in the chain.
        for (std::size_t i = 0; i < tuples.size(); ++i)
            KX_FUZZ_CHECK(edited[i].code == tuples[i].code);
    }
    return 0;
}
