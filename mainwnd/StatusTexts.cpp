#include "mainwnd/StatusTexts.h"

#include "driver/DriverCodes.h"
#include "program/LanguageTable.h"
#include "program/MainTexts.h"

namespace kx {

namespace {

const QString kNoValue = QStringLiteral("---");

struct RateEntry {
    RateCode rate;
    bool exact; // exact code, otherwise a bit that must be set
    const LangText& text;
};

// Tested in this order: the newer rates are whole codes, the classic ones bits.
const RateEntry kRates[] = {
    {RateCode::Mbps27_5, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_275M},
    {RateCode::Mbps22, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_22M},
    {RateCode::Mbps16_5, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_165M},
    {RateCode::Automatic, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_Auto},
    {RateCode::Mbps11, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_11M},
    {RateCode::Mbps5_5, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_55M},
    {RateCode::Mbps2, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_2M},
    {RateCode::Mbps1, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_1M},
};

bool matches(const RateEntry& e, int rate) {
    return e.exact ? rate == code(e.rate) : (rate & code(e.rate)) != 0;
}

} // namespace

QString StatusTexts::rateText(const LanguageTable& table, int rate) {
    if (rate <= 0)
        return kNoValue;
    for (const RateEntry& e : kRates) {
        if (matches(e, rate))
            return table.text(e.text);
    }
    return table.text(MainTexts::MP_STA_Curr_Net_Tx_Rate_x_x) + QStringLiteral(" 0x") +
           QString::number(rate, 16).toUpper();
}

QString StatusTexts::networkTypeText(const LanguageTable& table, int type) {
    if (type == -1)
        return kNoValue;
    switch (NetworkType{type}) {
    case NetworkType::AdHoc:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_Ad_Hoc);
    case NetworkType::Infrastructure:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_Infra);
    case NetworkType::PseudoIbss:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_PIBSS);
    default:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_Unknown) + u'(' + QString::number(type) +
               u')';
    }
}

QString StatusTexts::selectedTypeText(const LanguageTable& table, int mode) {
    switch (mode) {
    case 0:
        return table.text(MainTexts::MP_STA_Select_NetType_Ad_Hoc);
    case 1:
        return table.text(MainTexts::MP_STA_Select_NetType_Infra);
    default:
        return table.text(MainTexts::MP_STA_Select_NetType_Unknown);
    }
}

QString StatusTexts::wepText(const LanguageTable& table, int status) {
    if (status < 0)
        return kNoValue;
    return onOffText(table, status == 1);
}

QString StatusTexts::onOffText(const LanguageTable& table, bool on) {
    return table.text(on ? MainTexts::MP_STA_WEP_On : MainTexts::MP_STA_WEP_Off);
}

} // namespace kx
