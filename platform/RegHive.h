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
    // The key and all its descendants.
    void removeKey(std::string_view path);
    // Direct children as first written, in file order.
    std::vector<std::string> subKeyNames(std::string_view path) const;

    // UTF-8 .reg text: header, blank line, then each section followed by a blank line.
    std::string serialize() const;

private:
    RegKey& addKey(std::string_view path);
    void reindex();

    std::string m_root;
    std::vector<RegKey> m_keys;
    std::unordered_map<std::string, std::size_t> m_index; // folded path -> m_keys index
};

} // namespace kx
