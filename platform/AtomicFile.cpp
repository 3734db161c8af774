#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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
        if (n < 0)
            return -1;
        if (n == 0) {
            errno = EIO;
            return -1;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

void syncDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes, syncs and closes the temporary file; 0 on success, else errno says why.
int fillTemp(int fd, std::string_view content, mode_t mode) {
    int failure = 0;
    if (writeAll(fd, content) != 0 || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    errno = failure;
    return failure == 0 ? 0 : -1;
}
} // namespace

int AtomicFile::replace(const std::filesystem::path& file, std::string_view content, mode_t mode,
                        std::string& reason) {
    std::string temp = file.string();
    temp += kTempInfix;
    temp += "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    if (fillTemp(fd, content, mode) != 0 || ::rename(temp.c_str(), file.c_str()) != 0) {
        reason = std::strerror(errno);
        ::unlink(temp.c_str());
        return -1;
    }
    syncDirectory(file.has_parent_path() ? file.parent_path() : ".");
    return 0;
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
