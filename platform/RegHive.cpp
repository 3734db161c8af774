#include "platform/RegHive.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace kx {

namespace {
constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
// Hex data lines wrap before this column, as the registry editor's exports do.
constexpr std::size_t kHexLineWidth = 76;

bool isChildOf(std::string_view foldedPath, std::string_view foldedParent) {
    if (foldedParent.empty())
        return !foldedPath.empty();
    return foldedPath.size() > foldedParent.size() && foldedPath.starts_with(foldedParent) &&
           foldedPath[foldedParent.size()] == '\\';
}

// Text that may stand between quotes on one line. Other control characters stay as
// they are: a person may have typed a tab, and the UTF-16 of hex(1) could not keep
// bytes that are no UTF-8.
bool isQuotable(std::string_view text) {
    return text.find_first_of("\r\n") == std::string_view::npos;
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void appendHex(std::string& out, std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
    char head[24];
    if (type == RegValue::kTypeBinary)
        std::snprintf(head, sizeof head, "hex:");
    else
        std::snprintf(head, sizeof head, "hex(%x):", type);
    out += head;
    std::size_t column = out.size() - out.rfind('\n') - 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", bytes[i]);
        out += byte;
        column += 2;
        if (i + 1 == bytes.size())
            break;
        out += ',';
        ++column;
        if (column >= kHexLineWidth) {
            out += "\\\n  ";
            column = 2;
        }
    }
}

// Text with line breaks goes as hex(1): UTF-16LE with its NUL.
std::vector<std::uint8_t> registryStringBytes(std::string_view text) {
    std::u16string units = TextCodec::utf8ToUtf16(text);
    units += u'\0';
    std::vector<std::uint8_t> bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

void appendLine(std::string& out, std::string_view text) {
    out += text;
    out += '\n';
}

void appendValue(std::string& out, const RegValue& value) {
    if (value.name.empty())
        out += '@';
    else
        appendQuoted(out, value.name);
    out += '=';
    switch (value.kind) {
    case RegValue::Kind::Text:
        if (isQuotable(value.text))
            appendQuoted(out, value.text);
        else
            appendHex(out, RegValue::kTypeString, registryStringBytes(value.text));
        break;
    case RegValue::Kind::Dword: {
        char digits[20];
        std::snprintf(digits, sizeof digits, "dword:%08x", value.dword);
        out += digits;
        break;
    }
    case RegValue::Kind::Binary:
        appendHex(out, value.type, value.bytes);
        break;
    }
    if (!value.comment.empty()) {
        out += ' ';
        out += value.comment;
    }
    out += '\n';
}

void appendSection(std::string& out, std::string_view root, const RegKey& key) {
    out += '[';
    out += root;
    if (!key.path.empty()) {
        out += '\\';
        out += key.path;
    }
    out += "]\n";
    // Kept lines by the value they stood in front of; the rest follow the values.
    std::unordered_map<std::string, std::vector<const RegNote*>> before;
    std::vector<const RegNote*> after;
    for (const RegValue& value : key.values)
        before.try_emplace(foldRegistryName(value.name));
    for (const RegNote& note : key.notes) {
        const auto it = note.beforeValue ? before.find(*note.beforeValue) : before.end();
        if (it != before.end())
            it->second.push_back(&note);
        else
            after.push_back(&note);
    }
    for (const RegValue& value : key.values) {
        for (const RegNote* note : before[foldRegistryName(value.name)])
            appendLine(out, note->text);
        appendValue(out, value);
    }
    for (const RegNote* note : after)
        appendLine(out, note->text);
    out += '\n';
}
} // namespace

RegHive::RegHive(std::string rootName) : m_root(std::move(rootName)) {}

const RegKey* RegHive::findKey(std::string_view path) const {
    const auto it = m_index.find(foldRegistryName(path));
    return it == m_index.end() ? nullptr : &m_keys[it->second];
}

RegKey* RegHive::findKey(std::string_view path) {
    const auto it = m_index.find(foldRegistryName(path));
    return it == m_index.end() ? nullptr : &m_keys[it->second];
}

bool RegHive::keyExists(std::string_view path) const {
    if (path.empty() || findKey(path))
        return true;
    const std::string folded = foldRegistryName(path);
    return std::any_of(m_keys.begin(), m_keys.end(), [&](const RegKey& key) {
        return isChildOf(foldRegistryName(key.path), folded);
    });
}

RegKey& RegHive::ensureKey(std::string_view path) {
    if (RegKey* key = findKey(path))
        return *key;
    // Parents first, so that a rewritten file lists them in the editor's order.
    for (std::size_t pos = path.find('\\'); pos != std::string_view::npos;
         pos = path.find('\\', pos + 1)) {
        const std::string_view parent = path.substr(0, pos);
        if (!findKey(parent))
            addKey(parent);
    }
    return addKey(path);
}

RegKey& RegHive::addKey(std::string_view path) {
    m_index.emplace(foldRegistryName(path), m_keys.size());
    m_keys.push_back(RegKey{std::string(path), {}, {}});
    return m_keys.back();
}

void RegHive::removeKey(std::string_view path) {
    const std::string folded = foldRegistryName(path);
    std::erase_if(m_keys, [&](RegKey& key) {
        const std::string keyPath = foldRegistryName(key.path);
        if (keyPath != folded && !isChildOf(keyPath, folded))
            return false;
        for (RegNote& note : key.notes)
            m_loose.push_back(std::move(note.text));
        return true;
    });
    reindex();
}

void RegHive::reindex() {
    m_index.clear();
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        m_index.emplace(foldRegistryName(m_keys[i].path), i);
}

std::vector<std::string> RegHive::subKeyNames(std::string_view path) const {
    const std::string folded = foldRegistryName(path);
    const std::size_t skip = folded.empty() ? 0 : folded.size() + 1;
    std::vector<std::string> names;
    std::vector<std::string> seen;
    for (const RegKey& key : m_keys) {
        if (!isChildOf(foldRegistryName(key.path), folded))
            continue;
        const std::string_view rest = std::string_view(key.path).substr(skip);
        const std::string child(rest.substr(0, rest.find('\\')));
        std::string foldedChild = foldRegistryName(child);
        if (std::find(seen.begin(), seen.end(), foldedChild) != seen.end())
            continue;
        seen.push_back(std::move(foldedChild));
        names.push_back(child);
    }
    return names;
}

std::string RegHive::serialize() const {
    std::string out(kHeader);
    out += "\n\n";
    for (const std::string& line : m_loose)
        appendLine(out, line);
    if (!m_loose.empty())
        out += '\n';
    for (const RegKey& key : m_keys)
        appendSection(out, m_root, key);
    return out;
}

} // namespace kx
