#pragma once
// The WEP key rules of the key dialog: the placeholders that stand for stored keys and
// typed key text brought into the recorded form (store/WepKeys reads the recorded keys).

#include <QString>

#include "adapter/DriverCodes.h"

namespace kx {

class WepKeyText final {
public:
    // "** ** ** ** **" with one group per key byte.
    static QString placeholder(WepBit keyLength);

    // The key as recorded: the text narrowed to single bytes, parsed as hexadecimal into
    // the key's bytes (unparsed bytes 0) and written back as upper-case digit pairs.
    static QString recordedKey(const QString& keyText, WepBit keyLength);
};

} // namespace kx
