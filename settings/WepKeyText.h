#pragma once
// The WEP key rules of the key dialog: the placeholders that stand for stored keys and
// typed key text brought into the recorded form (store/WepKeys reads the recorded keys).

#include <QString>

namespace kx {

class WepKeyText final {
public:
    enum KeyLength { Bits64 = 0, Bits128 = 1 };

    // 5 key bytes for 64-bit keys, 13 for 128-bit keys.
    static int keyBytes(int keyLength);
    // "** ** ** ** **" with one group per key byte.
    static QString placeholder(int keyLength);
    // The "WEPStatus" text of keys switched on: "6" for 128-bit, "2" for 64-bit.
    static QString statusText(int keyLength);

    // The key as recorded: the text narrowed to single bytes, parsed as hexadecimal into
    // the key's bytes (unparsed bytes 0) and written back as upper-case digit pairs.
    static QString recordedKey(const QString& keyText, int keyLength);
};

} // namespace kx
