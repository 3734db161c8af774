#pragma once
// The codes behind the positions of the basic settings lists. The lists' texts come from
// the language file; only the position of an entry decides what the adapter receives.

#include <cstdint>

#include <QList>

namespace kx {

class StationCodes final {
public:
    static constexpr int kAutoRatePosition = 4;
    // The one type that follows an access point's channel and may join any SSID.
    static constexpr int kInfrastructurePosition = 1;

    // Entries a list may offer: a language file with more entries is cut to these, so
    // no position ever stands for an undefined code.
    static int rateCount();
    static int typeCount();

    // The code sent for a list position; -1 for no selection or a position past the table.
    static int rateCode(int position);
    static int typeCode(int position);

    // The position shown for a code the adapter reports; codes outside the table show
    // "Auto" (rate) and "Infrastructure" (type).
    static int ratePosition(int rate);
    static int typePosition(int type);
};

} // namespace kx
