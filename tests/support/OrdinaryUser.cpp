#include "tests/support/OrdinaryUser.h"

#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

namespace kx::test {

int runAsOrdinaryUser(const std::function<int()>& check) {
    if (::geteuid() != 0)
        return check();
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(255);
        ::_exit(check() & 0xFF);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

ReadOnlyRegistryForOthers::ReadOnlyRegistryForOthers(const QString& testDir) : m_testDir(testDir) {
    setModes(true);
}

ReadOnlyRegistryForOthers::~ReadOnlyRegistryForOthers() {
    setModes(false);
}

// Open: everyone reads and no one writes (not even the owner, when the test does not
// run as root). Closed: the owner's alone again.
void ReadOnlyRegistryForOthers::setModes(bool open) {
    namespace fs = std::filesystem;
    using P = fs::perms;
    const P read = P::owner_read | (open ? P::group_read | P::others_read : P::none);
    const P search = P::owner_exec | (open ? P::group_exec | P::others_exec : P::none);
    const P write = open ? P::none : P::owner_write;
    const fs::path dir = m_testDir.toStdString();
    std::error_code ignored;
    fs::permissions(dir, P::owner_all | (read | search), ignored);
    fs::permissions(dir / "registry", read | search | write, ignored);
    for (const fs::directory_entry& hive : fs::directory_iterator(dir / "registry", ignored)) {
        if (hive.is_regular_file())
            fs::permissions(hive.path(), read | write, ignored);
    }
}

} // namespace kx::test
