#pragma once
// Where kxctl writes: its answers to the standard output, what went wrong to the error
// output. A reader that went away (a closed pipe, "kxctl status --watch | head") ends a
// command quietly; any other failure to write is kept, so that a command whose answer
// never arrived does not end as if it had.

#include <functional>

#include <QByteArrayView>
#include <QString>

namespace kx {

class ControlOutput final {
public:
    // Writes all the bytes: 0, or the errno value of the failure.
    using Sink = std::function<int(QByteArrayView)>;

    // `errTerminal`: the error output is a terminal, where progress shows.
    ControlOutput(Sink out, Sink err, bool errTerminal = false)
        : m_out(std::move(out)), m_err(std::move(err)), m_errTerminal(errTerminal) {}

    // To the standard output, as it is; nothing more once a write failed.
    void print(const QString& text);
    void line(const QString& text) { print(text + u'\n'); }
    // "kxctl: <text>" and a line end, to the error output.
    void error(const QString& text);
    // How far a long command is, on one line of a terminal's error output that the next
    // progress replaces and any other output clears; nothing when it is no terminal.
    void progress(const QString& text);
    void endProgress();

    bool ok() const { return m_failure == 0; }
    // The standard output could not be written; its errno value (0 while it could).
    int failure() const { return m_failure; }
    bool readerGone() const;

private:
    Sink m_out;
    Sink m_err;
    bool m_errTerminal = false;
    bool m_progressShown = false;
    int m_failure = 0;
};

} // namespace kx
