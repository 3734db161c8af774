#include "ctl/ControlOutput.h"

#include <cerrno>

namespace kx {

void ControlOutput::print(const QString& text) {
    if (m_failure != 0)
        return;
    const QByteArray bytes = text.toUtf8();
    m_failure = m_out(bytes);
}

void ControlOutput::error(const QString& text) {
    const QByteArray bytes = QStringLiteral("kxctl: %1\n").arg(text).toUtf8();
    m_err(bytes);
}

bool ControlOutput::readerGone() const {
    return m_failure == EPIPE;
}

} // namespace kx
