#include "platform/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kx {

namespace {
constexpr std::string_view kTempInfix = ".tmp.";

int writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

int syncDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int rc = ::fsync(fd);
    ::close(fd);
    return rc == 0 ? 0 : -1;
}

mode_t modeFor(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0)
        return st.st_mode & 07777;
    return 0644;
}

// Writes, syncs and closes the temporary file; 0 on success.
int fillTemp(int fd, std::string_view content, mode_t mode) {
    const bool ok = writeAll(fd, content) == 0 && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    return (::close(fd) == 0 && ok) ? 0 : -1;
}
} // namespace

int AtomicFile::replace(const std::filesystem::path& file, std::string_view content) {
    std::string temp = file.string();
    temp += kTempInfix;
    temp += "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (fillTemp(fd, content, modeFor(file)) != 0 || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return -1;
    }
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    return syncDirectory(dir);
}

void AtomicFile::removeLeftovers(const std::filesystem::path& file) {
    const std::string prefix = file.filename().string() + std::string(kTempInfix);
    std::error_code ec;
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    std::filesystem::directory_iterator it(dir, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code removeError; // a file we cannot remove must not end the scan
        if (it->path().filename().string().starts_with(prefix))
            std::filesystem::remove(it->path(), removeError);
    }
}

} // namespace kx
