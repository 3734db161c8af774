#include "platform/TextCodec.h"

namespace kx {

namespace {
constexpr char16_t kReplacement = u'\uFFFD';
} // namespace

void TextCodec::appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void TextCodec::appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

std::u16string TextCodec::widen(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

std::string TextCodec::narrow(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
        out += static_cast<char>(c & 0xFF);
    return out;
}

TextCodec::Utf8Sequence TextCodec::utf8At(std::string_view utf8, std::size_t at) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (lead < 0x80)
        return {lead, 1, true};
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        return {};
    }
    // A cut sequence spans the bytes that belong to it, so it stands for one character.
    size_t j = 1;
    for (; j <= static_cast<size_t>(extra); ++j) {
        if (at + j >= utf8.size())
            break;
        const auto c = static_cast<unsigned char>(utf8[at + j]);
        if ((c & 0xC0) != 0x80)
            break;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool valid = j > static_cast<size_t>(extra) && cp >= min && cp <= 0x10FFFF &&
                       !(cp >= 0xD800 && cp <= 0xDFFF);
    return {valid ? cp : 0, j, valid};
}

std::u16string TextCodec::utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = utf8At(utf8, i);
        if (sequence.valid)
            appendUtf16(out, sequence.character);
        else
            out += kReplacement;
        i += sequence.length;
    }
    return out;
}

std::string TextCodec::utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

} // namespace kx
