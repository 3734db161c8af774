#pragma once
// The value texts of the current network rows: transmit rate, network type and WEP.
// Codes come straight from the driver, so every value has a text.

#include <QString>

namespace kx {

class LanguageTable;

class StatusTexts final {
public:
    // Rate codes are bit sets (1, 2, 4, 8 = 1, 2, 5.5, 11 Mbps; 15 automatic; 16, 32,
    // 64 = 16.5, 22, 27.5 Mbps); a code <= 0 shows "---".
    static QString rateText(const LanguageTable& table, int rate);
    // 0 ad hoc, 1 infrastructure, 3 pseudo IBSS, -1 "---", others "Unknown type(n)".
    static QString networkTypeText(const LanguageTable& table, int type);
    // Infrastructure mode of a survey record: 0 ad hoc, 1 infrastructure, else unknown.
    static QString selectedTypeText(const LanguageTable& table, int mode);
    // Negative "---", 1 on, anything else off.
    static QString wepText(const LanguageTable& table, int status);
    static QString onOffText(const LanguageTable& table, bool on);
};

} // namespace kx
