#pragma once
// The named codes of the extended data editor's lists: region (record 8), RF module
// (record 10) and PA type (record 16).

#include <cstdint>
#include <span>

namespace kx {

class EepromCodeTable final {
public:
    struct Entry final {
        const char* name;
        std::uint8_t code;
    };
    enum List { Region, RfModule, PaType };
    static constexpr List kLists[] = {Region, RfModule, PaType};

    static std::span<const Entry> entries(List list);
    // The record the list stores its code in (data byte 0).
    static int record(List list);
    // The list position of `code`, or -1 when the list does not name it.
    static int indexOf(List list, std::uint8_t code);
};

} // namespace kx
