#pragma once
// Reads INI files the way the private-profile routines of the original desktop do:
// section and key names match without regard to case, blanks around names, around
// '=' and at both ends of a value are trimmed, a value wholly in matching quotes
// loses them, ';' starts a comment line, the first matching section and key win.
// Files may be UTF-16LE with BOM or UTF-8 with or without BOM. Anything missing or
// unreadable gives the caller's default.
//
// A parsed file is cached per path and re-read whenever its size or modification
// time changes, so an edited file is seen at the next call.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kx {

class PrivateProfile final {
public:
    // At most capacity - 1 UTF-16 units are returned (the buffer's terminator counts).
    static std::u16string getString(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view defaultValue,
                                    const std::filesystem::path& file, std::size_t capacity);
    // A leading decimal number: optional sign, then digits; nothing numeric gives 0. An
    // empty value gives the default, as a missing one does.
    static std::int32_t getInt(std::u16string_view section, std::u16string_view key,
                               std::int32_t defaultValue, const std::filesystem::path& file);
    // Why the file cannot be read (e.g. "No such file or directory", "is a directory"),
    // or empty when it can.
    static std::string unreadableReason(const std::filesystem::path& file);
};

} // namespace kx
