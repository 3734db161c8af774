#pragma once
// The one place where text changes representation. Single-byte text from the driver
// or the registry is widened byte by byte; text for the driver is narrowed by keeping
// the low byte of each UTF-16 unit. The system code page of this platform is Latin-1,
// so converting through it is the same as widening.

#include <string>
#include <string_view>

namespace kx {

class TextCodec final {
public:
    static std::u16string widen(std::string_view bytes);
    static std::string narrow(std::u16string_view text);
    static std::u16string fromSystemCodePage(std::string_view bytes) { return widen(bytes); }

    // Invalid UTF-8 sequences become U+FFFD.
    static std::u16string utf8ToUtf16(std::string_view utf8);
    // The UTF-8 sequence at utf8[at]: its character, or not valid (a stray byte, a cut,
    // overlong or surrogate form), and the bytes it spans (at least one).
    struct Utf8Sequence {
        char32_t character = 0;
        std::size_t length = 1;
        bool valid = false;
    };
    static Utf8Sequence utf8At(std::string_view utf8, std::size_t at);
    static void appendUtf8(std::string& out, char32_t character);
    static void appendUtf16(std::u16string& out, char32_t character);
    // Unpaired surrogates become U+FFFD.
    static std::string utf16ToUtf8(std::u16string_view utf16);
};

} // namespace kx
