#pragma once
// The WEP key rules of the key dialog: the placeholders that stand for stored keys, the
// stored "WEPDefaultKeys" text cut into four keys, and typed key text brought into the
// recorded form.

#include <array>

#include <QString>

namespace kx {

class WepKeyText final {
public:
    enum KeyLength { Bits64 = 0, Bits128 = 1 };

    static constexpr int kKeyCount = 4;

    // 5 key bytes for 64-bit keys, 13 for 128-bit keys.
    static int keyBytes(int keyLength);
    // "** ** ** ** **" with one group per key byte.
    static QString placeholder(int keyLength);
    // The "WEPStatus" text of keys switched on: "6" for 128-bit, "2" for 64-bit.
    static QString statusText(int keyLength);

    // Four 26-digit keys from a text of 104 characters or more, four 10-digit keys from
    // one of 40 to 103, and the default key four times from anything shorter.
    static std::array<QString, kKeyCount> storedKeys(const QString& text);

    // The key as recorded: the text narrowed to single bytes, parsed as hexadecimal into
    // the key's bytes (unparsed bytes 0) and written back as upper-case digit pairs.
    static QString recordedKey(const QString& keyText, int keyLength);
};

} // namespace kx
