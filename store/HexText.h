#pragma once
// Hexadecimal text as the dialogs read and write it.

#include <cstdint>

#include <QByteArray>
#include <QString>

namespace kx {

class HexText final {
public:
    // A hexadecimal digit's value, -1 for any other character. Checked on the character
    // as typed: narrowing first would let a character whose low byte is a digit pass.
    static int digit(QChar c);
    // Pairs of hex digits make bytes; blanks and tabs separate; a single digit before a
    // blank, a tab or the end is one byte; the first other character ends the parse.
    // Exactly n bytes are written, unfilled ones 0.
    static void toBytes(const QByteArray& text, std::uint8_t* bytes, int n);
    // Upper-case pairs; with separator, single blanks between pairs.
    static QString fromBytes(const std::uint8_t* bytes, int n, bool separator);
};

} // namespace kx
