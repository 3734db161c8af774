#include "program/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include "platform/FileLock.h"

namespace kx {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only write to a pipe: the event loop reads the other end.
volatile std::sig_atomic_t g_writeFd = -1;

void onTerminationSignal(int signalNumber) {
    const int saved = errno;
    // A registry write waiting for a lock that another program keeps gives up, so that
    // the event loop hears the request.
    FileLock::stopWaiting();
    const auto byte = static_cast<unsigned char>(signalNumber);
    if (g_writeFd >= 0 && ::write(g_writeFd, &byte, 1) != 1) {
        // A full pipe already holds a request: nothing is lost.
    }
    errno = saved;
}

void handle(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals)
        sigaction(s, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    FileLock::waitAgain(); // no request yet in this watch
    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe the signals keep their default: the program just ends
    m_readFd = fds[0];
    g_writeFd = fds[1];
    m_notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    handle(onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    if (m_readFd < 0)
        return;
    handle(SIG_DFL);
    const int writeFd = g_writeFd;
    g_writeFd = -1;
    ::close(writeFd);
    ::close(m_readFd);
}

void TerminationSignals::readPending() {
    unsigned char byte = 0;
    while (::read(m_readFd, &byte, 1) == 1)
        emit requested(byte);
}

} // namespace kx
