#pragma once
// The four WEP keys as the adapter key records them in "WEPDefaultKeys": hexadecimal
// digits joined without separator, 10 per key for 64-bit keys and 26 for 128-bit keys.
// The settings store and the key dialog both read them by this one rule.

#include <array>

#include <QString>

#include "driver/AdapterValue.h"
#include "driver/DriverLimits.h"

namespace kx {

class WepKeys final {
public:
    static constexpr int kCount = kWepKeyCount;
    using Texts = std::array<QString, kCount>;

    // What every key is when nothing usable is recorded.
    static QString defaultKey() { return QStringLiteral("3C5A7E9B2D"); }
    static Texts defaults() { return {defaultKey(), defaultKey(), defaultKey(), defaultKey()}; }

    // "WEPStatus" as the driver reads it at start: 0 off, 2 on with 64-bit keys, 6 on
    // with 128-bit keys.
    static constexpr int statusCode(bool enabled, int wepBit) {
        return wepStatusCode(enabled, wepBit != 0 ? WepBit::Bits128 : WepBit::Bits64);
    }

    // Key bytes for a WEP bit (0: 64-bit keys, else 128-bit keys).
    static constexpr int bytes(int wepBit) {
        return wepKeyBytes(wepBit != 0 ? WepBit::Bits128 : WepBit::Bits64);
    }
    static constexpr int digits(int wepBit) { return 2 * bytes(wepBit); }

    // Four 26-digit keys from a text of 104 characters or more, four 10-digit keys from
    // one of 40 to 103, and the default key four times from anything shorter.
    static Texts fromRecorded(const QString& text);

private:
    // The four pieces of `digits` characters each, from the start of the text.
    static Texts split(const QString& text, int digits);
};

} // namespace kx
