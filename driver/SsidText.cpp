#include "driver/SsidText.h"

#include "driver/DriverLimits.h"
#include "platform/TextCodec.h"

namespace kx {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool isHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexValue(char32_t c) {
    return c <= '9' ? static_cast<int>(c - '0') : static_cast<int>((c | 0x20) - 'a' + 10);
}

char32_t unit(char c) {
    return static_cast<unsigned char>(c);
}
char32_t unit(char16_t c) {
    return c;
}

// Whether text[at] starts "\xNN"; Text holds bytes or UTF-16 units.
template <typename Text> bool escapeAt(Text text, std::size_t at) {
    return at + 3 < text.size() && unit(text[at]) == '\\' && unit(text[at + 1]) == 'x' &&
           isHexDigit(unit(text[at + 2])) && isHexDigit(unit(text[at + 3]));
}

void appendEscaped(std::u16string& out, unsigned char byte) {
    out += u"\\x";
    out += static_cast<char16_t>(kHexDigits[byte >> 4]);
    out += static_cast<char16_t>(kHexDigits[byte & 0xF]);
}

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

} // namespace

std::u16string SsidText::shown(std::string_view bytes) {
    std::u16string out;
    for (std::size_t at = 0; at < bytes.size();) {
        const TextCodec::Utf8Sequence sequence = TextCodec::utf8At(bytes, at);
        const char32_t c = sequence.character;
        if (sequence.valid && !isControl(c) && !(c == '\\' && escapeAt(bytes, at)))
            TextCodec::appendUtf16(out, c);
        else
            for (std::size_t i = 0; i < sequence.length; ++i)
                appendEscaped(out, static_cast<unsigned char>(bytes[at + i]));
        at += sequence.length;
    }
    return out;
}

std::optional<std::string> SsidText::fromTyped(std::u16string_view typed) {
    std::string bytes;
    for (std::size_t at = 0; at < typed.size();) {
        if (escapeAt(typed, at)) {
            const int byte = hexValue(unit(typed[at + 2])) * 16 + hexValue(unit(typed[at + 3]));
            if (byte == 0)
                return std::nullopt;
            bytes += static_cast<char>(byte);
            at += 4;
            continue;
        }
        char32_t c = typed[at++];
        if (c >= 0xD800 && c <= 0xDBFF && at < typed.size() && typed[at] >= 0xDC00 &&
            typed[at] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (typed[at++] - 0xDC00);
        if (isSurrogate(c) || isControl(c))
            return std::nullopt;
        TextCodec::appendUtf8(bytes, c);
    }
    if (bytes.size() > static_cast<std::size_t>(kMaxSsidBytes))
        return std::nullopt;
    return bytes;
}

} // namespace kx
