#include "store/HexText.h"

#include <algorithm>

namespace kx {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

int HexText::digit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

void HexText::toBytes(const QByteArray& text, std::uint8_t* bytes, int n) {
    if (bytes == nullptr || n <= 0)
        return;
    std::fill(bytes, bytes + n, std::uint8_t{0});
    int filled = 0;
    int pending = -1; // a first digit waiting for its partner
    for (const char c : text) {
        const int value = digit(QLatin1Char(c));
        if (value >= 0) {
            if (pending >= 0) {
                bytes[filled++] = static_cast<std::uint8_t>(pending * 16 + value);
                pending = -1;
            } else if (filled == n) {
                return;
            } else {
                pending = value;
            }
        } else if (isSeparator(c)) {
            if (pending >= 0)
                bytes[filled++] = static_cast<std::uint8_t>(pending);
            pending = -1;
        } else {
            return; // a lone digit before the stray character is dropped
        }
    }
    if (pending >= 0)
        bytes[filled] = static_cast<std::uint8_t>(pending);
}

QString HexText::fromBytes(const std::uint8_t* bytes, int n, bool separator) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString text;
    if (bytes == nullptr || n <= 0)
        return text;
    text.reserve(n * 3);
    for (int i = 0; i < n; ++i) {
        if (separator && i > 0)
            text += u' ';
        text += QLatin1Char(kDigits[bytes[i] >> 4]);
        text += QLatin1Char(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

} // namespace kx
