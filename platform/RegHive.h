#pragma once
// The keys of one hive in file order, with the text form of a .reg file. A key whose
// descendant has a section exists even without a section of its own, as the registry
// editor creates the parents of every key it imports. The empty path is the hive's
// root key, which always exists.

#include "platform/RegKey.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kx {

class RegHive final {
public:
    explicit RegHive(std::string rootName);

    const std::string& rootName() const { return m_root; }

    const RegKey* findKey(std::string_view path) const;
    RegKey* findKey(std::string_view path);
    bool keyExists(std::string_view path) const;
    // The key's section, made with sections for its missing parents when needed.
    RegKey& ensureKey(std::string_view path);
    // The key and all its descendants. Their kept lines become loose lines.
    void removeKey(std::string_view path);
    // Direct children as first written, in file order.
    std::vector<std::string> subKeyNames(std::string_view path) const;

    // Kept lines that belong to no key: those before the first section, under a section
    // that could not be read, or of a key the file itself removed. A rewrite puts them
    // first, where no section is open, so that none of them can join a key.
    const std::vector<std::string>& looseLines() const { return m_loose; }
    void addLooseLine(std::string text) { m_loose.push_back(std::move(text)); }

    // UTF-8 .reg text: header, blank line, the loose lines and a blank line, then each
    // section followed by a blank line. Kept lines stand where they were read: in front
    // of the value they preceded, or after the section's values.
    std::string serialize() const;

private:
    RegKey& addKey(std::string_view path);
    void reindex();

    std::string m_root;
    std::vector<RegKey> m_keys;
    std::vector<std::string> m_loose;
    std::unordered_map<std::string, std::size_t> m_index; // folded path -> m_keys index
};

} // namespace kx
