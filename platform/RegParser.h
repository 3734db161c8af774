#pragma once
// Reads a hive file in the registry editor's format: a "Windows Registry Editor
// Version 5.00" or "REGEDIT4" header; UTF-8 with or without BOM, or UTF-16LE with
// BOM; LF or CRLF; ';' comment lines and blank lines; [ROOT\path] and [-ROOT\path]
// sections; "name"= or @= followed by "text", dword:, hex:/hex(N): (with '\' line
// continuations) or - to delete. A file that is empty or only blank is an empty hive.
//
// Anything else is an error with its line number: the caller must then leave the
// file alone, since rewriting it would lose what we did not understand.

#include "platform/RegHive.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kx {

struct RegParseError final {
    std::size_t line = 0;
    std::string reason;
};

class RegParser final {
public:
    // 0 with the hive filled, or -1 with error set (the hive is then incomplete).
    static int parse(std::string_view fileBytes, RegHive& hive, RegParseError& error);
};

} // namespace kx
