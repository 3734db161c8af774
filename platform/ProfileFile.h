#pragma once
// One INI file parsed the way the private-profile routines read it: the first section
// of a name and the first key of a name within it win, names are folded for lookup
// and trimmed, values trimmed and unquoted. Keys before the first section belong to
// no section; lines without '=' are ignored.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kx {

class ProfileFile final {
public:
    // Larger files are not configuration files; reading them would only cost memory.
    static constexpr std::int64_t kMaxFileSize = 64 * 1024 * 1024;

    // Parses decoded text (UTF-16 units).
    explicit ProfileFile(std::u16string_view text);

    // The parsed file, shared from a cache that re-reads the file when its stamp
    // changes; nullptr when the file is missing or cannot be read as a regular file.
    static std::shared_ptr<const ProfileFile> load(const std::filesystem::path& file);
    // UTF-16LE or UTF-16BE with BOM, otherwise UTF-8 with or without BOM.
    static std::u16string decode(std::string_view bytes);

    std::optional<std::u16string_view> value(std::u16string_view section,
                                             std::u16string_view key) const;

private:
    using Section = std::unordered_map<std::u16string, std::u16string>;
    std::unordered_map<std::u16string, Section> m_sections;
};

} // namespace kx
