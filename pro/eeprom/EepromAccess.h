#pragma once
// The EEPROM page's work with the adapter: decode its settings, write them back (as an
// image on the older chip, as command records on the newer one), and read or write the
// raw image. Every write leaves the adapter to be re-plugged, so the page ends the
// program after it; a refused write touches nothing and the program goes on.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "pro/eeprom/EepromProblem.h"
#include "pro/eeprom/EepromSettings.h"

namespace kx {

struct AdapterState;

class EepromAccess final {
public:
    using Mac = std::array<std::uint8_t, 6>;

    struct Content final {
        EepromSettings settings;
        Mac mac{};
    };
    struct Outcome final {
        std::optional<EepromProblem> refused; // nothing was written
        bool failed = false;                  // the adapter did not take the write
        bool endsProgram() const { return !refused.has_value(); }
        // The refusal, or the message shown before the program ends.
        QString message() const;
    };

    // `configuredChip` is the ChipVersion of the configuration, handed to the driver.
    EepromAccess(AdapterState& adapter, int configuredChip)
        : m_adapter(adapter), m_configuredChip(configuredChip) {}

    // The newer chip reads its address from the adapter and its fields from the image
    // read again; the older chip's address is record 1.
    Content read();
    Outcome writeSettings(const Content& content);
    // The EEPROM as the adapter has it now (the shared image stays as it is); nothing
    // when the adapter does not answer.
    std::optional<QByteArray> readImage();
    // Exactly the adapter's EEPROM size, or refused.
    Outcome writeImage(const QByteArray& bytes);

private:
    Outcome writeCommandRecords(const Content& content);

    AdapterState& m_adapter;
    int m_configuredChip;
};

} // namespace kx
