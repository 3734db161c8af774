// The .reg reader and writer agree: what a hive file reads as is written so that it reads
// as the same values again, with every kept line, and writing that is a fixed point.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/RegParser.h"
#include "platform/TextCodec.h"

namespace {

// Text as every reader sees it: a byte that is no UTF-8 is a replacement character
// whether it came from the file or from the UTF-16 a rewrite stores such text in.
std::optional<std::u16string> seen(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    return kx::TextCodec::utf8ToUtf16(*text);
}

// Every value of `key` and its descendants reads the same in `other`; answers how many.
std::size_t checkSame(const kx::RegHive& hive, const kx::RegHive& other, const std::string& path) {
    std::size_t count = 0;
    if (const kx::RegKey* key = hive.findKey(path)) {
        const kx::RegKey* again = other.findKey(path);
        KX_FUZZ_CHECK(again != nullptr);
        for (const kx::RegValue& value : key->values) {
            const kx::RegValue* copy = again->findValue(value.name);
            KX_FUZZ_CHECK(copy != nullptr);
            KX_FUZZ_CHECK(seen(copy->asText()) == seen(value.asText()));
            KX_FUZZ_CHECK(copy->asDword() == value.asDword());
            KX_FUZZ_CHECK(copy->comment == value.comment);
            ++count;
        }
    }
    for (const std::string& child : hive.subKeyNames(path))
        count += checkSame(hive, other, path.empty() ? child : path + '\\' + child);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kx::RegHive first("HKEY_LOCAL_MACHINE");
    kx::RegParseError error;
    std::vector<kx::RegSkippedLine> skipped;
    if (kx::RegParser::parse(bytes, first, error, skipped) != 0)
        return 0;
    const std::string written = first.serialize();
    kx::RegHive second("HKEY_LOCAL_MACHINE");
    KX_FUZZ_CHECK(kx::RegParser::parse(written, second, error, skipped) == 0);
    KX_FUZZ_CHECK(checkSame(first, second, "") == checkSame(second, first, ""));
    KX_FUZZ_CHECK(second.serialize() == written);
    return 0;
}
