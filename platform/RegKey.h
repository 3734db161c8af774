#pragma once
// One key of a hive: its path below the hive root as first written, and its values
// in file order. Value names match without regard to ASCII case.

#include "platform/RegValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace kx {

struct RegKey final {
    std::string path;
    std::vector<RegValue> values;

    const RegValue* findValue(std::string_view name) const;
    // Replaces the value of that name, keeping the name's stored case, or appends it.
    void setValue(RegValue value);
    // False when there is no such value.
    bool removeValue(std::string_view name);
};

// ASCII-only folding: other bytes (UTF-8 sequences included) compare as they are.
std::string foldRegistryName(std::string_view name);

} // namespace kx
