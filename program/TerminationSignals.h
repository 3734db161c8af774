#pragma once
// A request from outside to end the program (SIGTERM from a session that ends or a
// service manager, SIGHUP, Ctrl+C) arrives here as a Qt signal in the event loop, so
// the run can end in order: every open dialog closes and puts back what it changed on
// the adapter. A registry write waiting for a lock meanwhile gives up at once
// (FileLock::stopWaiting), so the request is heard. One watch at a time; it puts the
// default handlers back when it goes.

#include <QObject>

class QSocketNotifier;

namespace kx {

class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void requested(int signalNumber);

private:
    void readPending();

    int m_readFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kx
