#pragma once
// The professional sheet without its window: which pages it carries, in which order,
// and how it leaves the radio when it closes.

#include <QList>
#include <QString>

#include "driver/kx02app.h"
#include "program/ProgramConfig.h"

namespace kx {

enum class ProfessionalPage {
    ProgramSettingFlag,
    EepromAccess,
    RfHardwareTest,
    DbgCommand,
    AdapterTally
};

struct ProfessionalPageEntry final {
    ProfessionalPage page;
    QString title; // the tab text
};

class ProfessionalSheet final {
public:
    static QString caption() { return QStringLiteral("Professional mode setting"); }
    // The pages whose configuration flag is nonzero, in tab order.
    static QList<ProfessionalPageEntry> pages(const ProgramConfig& config);
    // Back to normal operation whichever way the sheet closes: CR9 bits 3-4 (the test
    // transmit patterns) and CR11 bit 2 (manual RF lines) cleared, continuous
    // transmission off. A register whose read fails is not written: its value is unknown.
    static void restoreRadio(WLAdapterInfo* adapter);
    // What a page tells above itself when the adapter's driver has no engineering
    // functions (the driver of the machine's own Wi-Fi): which of them the page would
    // use. Empty when the driver has them.
    static QString unsupportedNotice(WLAdapterInfo* adapter, ProfessionalPage page);
};

} // namespace kx
