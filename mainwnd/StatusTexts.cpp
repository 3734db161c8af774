#include "mainwnd/StatusTexts.h"

#include "app/LanguageTable.h"
#include "mainwnd/MainTexts.h"

namespace kx {

namespace {

const QString kNoValue = QStringLiteral("---");

struct RateEntry {
    int code;
    bool exact; // exact code, otherwise a bit that must be set
    const LangText& text;
};

// Tested in this order: the newer rates are whole codes, the classic ones bits.
const RateEntry kRates[] = {
    {64, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_275M},
    {32, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_22M},
    {16, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_165M},
    {15, true, MainTexts::MP_STA_Curr_Net_Tx_Rate_Auto},
    {8, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_11M},
    {4, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_55M},
    {2, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_2M},
    {1, false, MainTexts::MP_STA_Curr_Net_Tx_Rate_1M},
};

bool matches(const RateEntry& e, int code) {
    return e.exact ? code == e.code : (code & e.code) != 0;
}

} // namespace

QString StatusTexts::rateText(const LanguageTable& table, int code) {
    if (code <= 0)
        return kNoValue;
    for (const RateEntry& e : kRates) {
        if (matches(e, code))
            return table.text(e.text);
    }
    return table.text(MainTexts::MP_STA_Curr_Net_Tx_Rate_x_x) + QStringLiteral(" 0x") +
           QString::number(code, 16).toUpper();
}

QString StatusTexts::networkTypeText(const LanguageTable& table, int code) {
    switch (code) {
    case -1:
        return kNoValue;
    case 0:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_Ad_Hoc);
    case 1:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_Infra);
    case 3:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_PIBSS);
    default:
        return table.text(MainTexts::MP_STA_Curr_Net_Type_Unknown) + u'(' + QString::number(code) +
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
