#include "pro/sheet/ProfessionalSheet.h"

#include <array>

#include "driver/ChipRegisters.h"

namespace kx {

namespace {

struct PageFlag {
    ProfessionalPage page;
    const char* title;
    int ProgramConfig::*flag;
};

constexpr std::array<PageFlag, 5> kPages{{
    {ProfessionalPage::ProgramSettingFlag, "Program Setting Flag",
     &ProgramConfig::Program_Setting_Flag_Page},
    {ProfessionalPage::EepromAccess, "EEPROM Access", &ProgramConfig::EEPROM_Access_Page},
    {ProfessionalPage::RfHardwareTest, "RF Hardware Test", &ProgramConfig::RF_Hardware_Test_Page},
    {ProfessionalPage::DbgCommand, "DBG Command", &ProgramConfig::DBG_Command_Page},
    {ProfessionalPage::AdapterTally, "Adapter Tally", &ProgramConfig::Adapter_Tally_Page},
}};

struct RegisterMask {
    std::int32_t reg;
    std::int32_t keep;
};
constexpr std::array<RegisterMask, 2> kRestore{
    {{PatternRegister, 0xFF & ~(PatternBit3 | PatternBit4)}, {LineRegister, 0xFF & ~ManualLines}}};

} // namespace

QList<ProfessionalPageEntry> ProfessionalSheet::pages(const ProgramConfig& config) {
    QList<ProfessionalPageEntry> pages;
    for (const PageFlag& p : kPages) {
        if (config.*(p.flag) != 0)
            pages.append({p.page, QString::fromLatin1(p.title)});
    }
    return pages;
}

QString ProfessionalSheet::unsupportedNotice(WLAdapterInfo* adapter, ProfessionalPage page) {
    if (QueryWL_EngineeringSupport(adapter) != 0)
        return {};
    QString what;
    switch (page) {
    case ProfessionalPage::ProgramSettingFlag:
        what = QStringLiteral("the PER test's radio controls");
        break;
    case ProfessionalPage::EepromAccess:
        what = QStringLiteral("EEPROM access");
        break;
    case ProfessionalPage::RfHardwareTest:
        what = QStringLiteral("RF hardware tests");
        break;
    case ProfessionalPage::DbgCommand:
        what = QStringLiteral("register and memory access");
        break;
    case ProfessionalPage::AdapterTally:
        what = QStringLiteral("adapter counters");
        break;
    }
    return QStringLiteral("Not supported: this adapter's driver has no %1. What this page "
                          "asks of the adapter fails.")
        .arg(what);
}

void ProfessionalSheet::restoreRadio(WLAdapterInfo* adapter) {
    for (const RegisterMask& r : kRestore) {
        std::int32_t value = 0;
        if (QueryWL_ReadPHYRegister(adapter, r.reg, &value) == 0)
            SetWL_WritePHYRegister(adapter, r.reg, value & r.keep);
    }
    SetWL_TxContinuous(adapter, 0);
}

} // namespace kx
