#include "ctl/ControlOutput.h"

#include <cerrno>

namespace kx {

void ControlOutput::print(const QString& text) {
    if (m_failure != 0)
        return;
    endProgress();
    const QByteArray bytes = text.toUtf8();
    m_failure = m_out(bytes);
}

void ControlOutput::error(const QString& text) {
    endProgress();
    const QByteArray bytes = QStringLiteral("kxctl: %1\n").arg(text).toUtf8();
    m_err(bytes);
}

void ControlOutput::progress(const QString& text) {
    if (!m_errTerminal)
        return;
    // Back to the line's start, the text, the rest of the line erased.
    m_err(QStringLiteral("\r%1\x1B[K").arg(text).toUtf8());
    m_progressShown = true;
}

void ControlOutput::endProgress() {
    if (m_progressShown)
        m_err(QByteArrayLiteral("\r\x1B[K"));
    m_progressShown = false;
}

bool ControlOutput::readerGone() const {
    return m_failure == EPIPE;
}

} // namespace kx
