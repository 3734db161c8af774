#pragma once
// The commands of the debug console: PHY register and MAC register (or, on the newer
// chip, chip memory) reads and writes, and the dump of the EEPROM image. Each command
// talks to the driver and answers the transcript text to append, lines ending in CR LF.

#include <QString>

#include "adapter/EepromImage.h"
#include "driver/kx02app.h"

namespace kx {

class DebugConsole final {
public:
    // The console's text fields as typed, and the old debug mode check box.
    struct Fields {
        QString phyRegister{};
        QString phyData{};
        QString macAddress{};
        QString macData{};
        bool oldDebugMode = false;
    };

    DebugConsole(WLAdapterInfo* adapter, int chipVersion)
        : m_adapter(adapter), m_chipVersion(chipVersion) {}

    // The title of the register group: which chip the console talks to.
    static QString groupTitle(int chipVersion);

    QString readPhy(const Fields& f) const;
    QString writePhy(const Fields& f) const;
    QString readMac(const Fields& f) const;
    QString writeMac(const Fields& f) const;
    // The image in memory, sixteen bytes a row under a column header.
    static QString eepromDump(const EepromImage& image);

private:
    bool newerChip() const;
    QString readMemory(std::uint32_t address) const;
    QString writeMemory(std::uint32_t address, std::uint32_t data, bool oldDebugMode) const;

    WLAdapterInfo* m_adapter;
    int m_chipVersion;
};

} // namespace kx
