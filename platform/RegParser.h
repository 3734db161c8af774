#pragma once
// Reads a hive file as the registry editor imports a .reg file: a "Windows Registry
// Editor Version 5.00" or "REGEDIT4" header; UTF-8 with or without BOM, or UTF-16LE
// with BOM; LF, CRLF or CR line ends; blank lines; [ROOT\path] sections (a trailing
// backslash on the path is dropped) and [-ROOT\path] removals; "name"= or @= followed
// by "text", dword: (blanks may follow the colon), hex:/hex(N): (with '\' line
// continuations) or - to delete; ';' comments on their own line or after a value.
// In a REGEDIT4 file hex(2) and hex(7) data are 8-bit text; they are read as the
// UTF-16 a version 5 file holds. A file that is empty or only blank is an empty hive.
//
// A line it cannot read is skipped and reported; it is kept in the hive, with the
// comments, as a note (RegKey::notes, RegHive::looseLines) so that a rewrite keeps it.
// Only a file without a known header or encoding cannot be read at all: the caller must
// then leave it alone.

#include "platform/RegHive.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

struct RegParseError final {
    std::size_t line = 0; // 1-based
    std::string reason;
};

struct RegSkippedLine final {
    std::size_t line = 0; // 1-based; the first line of a continued value
    std::string reason;
    std::string text; // that line as written
};

class RegParser final {
public:
    // 0 with the hive filled and the lines it could not read in `skipped`, or -1 with
    // error set for a file that cannot be read at all (the hive is then incomplete).
    static int parse(std::string_view fileBytes, RegHive& hive, RegParseError& error,
                     std::vector<RegSkippedLine>& skipped);
    static int parse(std::string_view fileBytes, RegHive& hive, RegParseError& error);
};

} // namespace kx
