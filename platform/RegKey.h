#pragma once
// One key of a hive: its path below the hive root as first written, its values in file
// order, and the lines of its section kept as the person wrote them. Value names match
// without regard to ASCII case.

#include "platform/RegValue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

// A comment or a line that could not be read, kept so that a rewrite does not lose it.
struct RegNote final {
    // The value it stood in front of (folded name); nullopt: after the key's values.
    std::optional<std::string> beforeValue;
    std::string text; // one or more lines, without the last line end
};

struct RegKey final {
    std::string path;
    std::vector<RegValue> values;
    std::vector<RegNote> notes;

    const RegValue* findValue(std::string_view name) const;
    // Replaces the value of that name, keeping the name's stored case and (when the new
    // value brings none) its comment, or appends it.
    void setValue(RegValue value);
    // False when there is no such value.
    bool removeValue(std::string_view name);
};

// ASCII-only folding: other bytes (UTF-8 sequences included) compare as they are.
std::string foldRegistryName(std::string_view name);

} // namespace kx
