#include "platform/RegKey.h"

#include <algorithm>

namespace kx {

namespace {
char foldChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::string foldRegistryName(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldChar);
    return folded;
}

namespace {
bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldChar(x) == foldChar(y); });
}
} // namespace

const RegValue* RegKey::findValue(std::string_view name) const {
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const RegValue& v) { return sameName(v.name, name); });
    return it == values.end() ? nullptr : &*it;
}

void RegKey::setValue(RegValue value) {
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const RegValue& v) { return sameName(v.name, value.name); });
    if (it == values.end()) {
        values.push_back(std::move(value));
        return;
    }
    value.name = std::move(it->name);
    if (value.comment.empty())
        value.comment = std::move(it->comment);
    *it = std::move(value);
}

bool RegKey::removeValue(std::string_view name) {
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const RegValue& v) { return sameName(v.name, name); });
    if (it == values.end())
        return false;
    values.erase(it);
    return true;
}

} // namespace kx
