#include "program/ProgramDirectory.h"

#include <QFileInfo>

namespace kx {

QString ProgramDirectory::path() {
    // The link names the executable itself, not the directory the user started from.
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    QString dir = QFileInfo(exe.symLinkTarget()).absolutePath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString ProgramDirectory::executableBaseName() {
    const QFileInfo exe(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    return exe.completeBaseName();
}

} // namespace kx
