#include "platform/PrivateProfile.h"

#include "platform/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {
// Cuts to the caller's buffer, never between the two halves of a surrogate pair.
std::u16string cutToCapacity(std::u16string_view text, std::size_t capacity) {
    if (capacity == 0)
        return {};
    if (text.size() > capacity - 1) {
        text = text.substr(0, capacity - 1);
        if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF)
            text.remove_suffix(1);
    }
    return std::u16string(text);
}

// Optional sign, then digits; saturates at the 32-bit limits.
std::int32_t leadingDecimal(std::u16string_view text) {
    const bool negative = !text.empty() && text.front() == u'-';
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+'))
        text.remove_prefix(1);
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        magnitude = std::min<std::int64_t>(magnitude * 10 + (c - u'0'), limit);
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
} // namespace

std::u16string PrivateProfile::getString(std::u16string_view section, std::u16string_view key,
                                         std::u16string_view defaultValue,
                                         const std::filesystem::path& file, std::size_t capacity) {
    const std::shared_ptr<const ProfileFile> parsed = ProfileFile::load(file);
    const std::optional<std::u16string_view> value =
        parsed ? parsed->value(section, key) : std::nullopt;
    return cutToCapacity(value.value_or(defaultValue), capacity);
}

std::int32_t PrivateProfile::getInt(std::u16string_view section, std::u16string_view key,
                                    std::int32_t defaultValue, const std::filesystem::path& file) {
    const std::shared_ptr<const ProfileFile> parsed = ProfileFile::load(file);
    const std::optional<std::u16string_view> value =
        parsed ? parsed->value(section, key) : std::nullopt;
    return value && !value->empty() ? leadingDecimal(*value) : defaultValue;
}

std::string PrivateProfile::unreadableReason(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::strerror(errno);
    struct stat st {};
    std::string reason;
    if (::fstat(fd, &st) != 0)
        reason = std::strerror(errno);
    else if (S_ISDIR(st.st_mode))
        reason = "is a directory";
    else if (!S_ISREG(st.st_mode))
        reason = "is not a regular file";
    else if (st.st_size > ProfileFile::kMaxFileSize)
        reason = "is larger than 64 MiB";
    ::close(fd);
    return reason;
}

} // namespace kx
