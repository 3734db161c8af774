// kxctl: the adapter from a terminal and from scripts (ControlCommand).
#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>
#include <unistd.h>

#include <QCoreApplication>

#include "context/AppContext.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/NoScreenSeam.h"
#include "platform/FileLock.h"

namespace {

std::atomic<bool> g_interrupted{false};
std::atomic<int> g_signal{0};

// A watch ends at its next tick; a wait for a lock that another program keeps ends at once.
void interrupted(int signalNumber) {
    g_signal = signalNumber;
    g_interrupted = true;
    kx::FileLock::stopWaiting();
}

// Writes all bytes to `fd`: 0, or the errno value of the failure.
int writeAll(int fd, QByteArrayView bytes) {
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        at += n;
        left -= n;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // A closed reader shows as EPIPE on the write, and the command ends quietly.
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = interrupted;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    QCoreApplication application(argc, argv);
    kx::NoScreenSeam seam;
    kx::AppContext context(seam);
    kx::ControlCommand::loadProgramFiles(context);
    kx::ControlOutput output([](QByteArrayView b) { return writeAll(STDOUT_FILENO, b); },
                             [](QByteArrayView b) { return writeAll(STDERR_FILENO, b); },
                             ::isatty(STDERR_FILENO) == 1);
    kx::ControlHooks hooks{[](int ms) {
                               // Short steps, so an interrupt ends the wait soon.
                               for (int waited = 0; waited < ms && !g_interrupted; waited += 50)
                                   std::this_thread::sleep_for(
                                       std::chrono::milliseconds(std::min(50, ms - waited)));
                           },
                           [] { return g_interrupted.load(); }};
    kx::ControlCommand command(context, output, hooks);
    const int exit = command.run(QCoreApplication::arguments().mid(1));
    // Cut short by the signal, as the shell reports a program that it ended.
    if (exit != kx::ControlCommand::Done && g_interrupted)
        return 128 + g_signal;
    return exit;
}
