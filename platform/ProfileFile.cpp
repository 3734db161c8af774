#include "platform/ProfileFile.h"

#include "platform/FileStamp.h"
#include "platform/TextCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

namespace fs = std::filesystem;

// Parsed files kept at once; the program uses two.
constexpr std::size_t kMaxCached = 16;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Case folding for the scripts that language files use for names: ASCII, Latin-1,
// Greek and Cyrillic capitals.
char16_t foldChar(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

std::u16string fold(std::u16string_view name) {
    std::u16string folded;
    folded.reserve(name.size());
    for (char16_t c : name)
        folded += foldChar(c);
    return folded;
}

std::u16string_view unquote(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool isLineEnd(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\0';
}

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return units;
}

// The file's bytes; nullopt when it is missing, not a regular file, too large or
// unreadable. O_NONBLOCK keeps a FIFO from blocking the open.
std::optional<std::string> readRegularFile(const fs::path& file, FileStamp& stamp) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> content;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= ProfileFile::kMaxFileSize) {
        stamp = FileStamp::ofDescriptor(fd).value_or(FileStamp{});
        content.emplace();
        content->reserve(static_cast<std::size_t>(st.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                content.reset();
            if (n <= 0 || content->size() > static_cast<std::size_t>(ProfileFile::kMaxFileSize))
                break;
            content->append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return content;
}

struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<const ProfileFile> parsed;
};

} // namespace

ProfileFile::ProfileFile(std::u16string_view text) {
    Section* current = nullptr; // null: before any section, or in a repeated section
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        const std::u16string_view line = trim(text.substr(0, end));
        text.remove_prefix(end < text.size() ? end + 1 : end);
        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const std::u16string_view inner = line.substr(1);
            const auto [it, added] =
                m_sections.try_emplace(fold(trim(inner.substr(0, inner.find(u']')))));
            current = added ? &it->second : nullptr;
            continue;
        }
        const std::size_t eq = line.find(u'=');
        if (!current || eq == std::u16string_view::npos)
            continue;
        current->try_emplace(fold(trim(line.substr(0, eq))), unquote(trim(line.substr(eq + 1))));
    }
}

std::u16string ProfileFile::decode(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE"))
        return decodeUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return decodeUtf16(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return TextCodec::utf8ToUtf16(bytes);
}

std::optional<std::u16string_view> ProfileFile::value(std::u16string_view section,
                                                      std::u16string_view key) const {
    const auto s = m_sections.find(fold(trim(section)));
    if (s == m_sections.end())
        return std::nullopt;
    const auto k = s->second.find(fold(trim(key)));
    if (k == s->second.end())
        return std::nullopt;
    return std::u16string_view(k->second);
}

std::shared_ptr<const ProfileFile> ProfileFile::load(const fs::path& file) {
    static std::mutex mutex;
    static std::map<std::string, CacheEntry> cache;
    const std::optional<FileStamp> current = FileStamp::ofPath(file);
    if (!current)
        return nullptr;
    {
        const std::lock_guard lock(mutex);
        const auto it = cache.find(file.native());
        if (it != cache.end() && it->second.stamp == *current)
            return it->second.parsed;
    }
    const std::int64_t readStart = FileStamp::nowNs();
    FileStamp stamp;
    const std::optional<std::string> bytes = readRegularFile(file, stamp);
    if (!bytes)
        return nullptr;
    auto parsed = std::make_shared<const ProfileFile>(decode(*bytes));
    const std::lock_guard lock(mutex);
    if (stamp.isSettled(readStart)) {
        if (cache.size() >= kMaxCached)
            cache.clear();
        cache[file.string()] = CacheEntry{stamp, parsed};
    } else {
        cache.erase(file.string());
    }
    return parsed;
}

} // namespace kx
