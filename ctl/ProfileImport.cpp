#include "ctl/ProfileImport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "context/AppContext.h"
#include "ctl/CommandCall.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "ctl/ProfileTransfer.h"

namespace kx {

namespace {

// An export of every profile a user could keep stays far below this.
constexpr qint64 kMaxImportBytes = 4 * 1024 * 1024;
// How often what was decided is stored, and the progress shown.
constexpr qint64 kCommitEveryMs = 500;

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The file to read: the standard input for "-", else a regular file opened without
// waiting for a writer; -1 with `problem` when there is none such.
int openInput(const QString& file, QString& problem) {
    if (file == u"-")
        return STDIN_FILENO;
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        problem = errorText(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        problem = errorText(errno);
    else if (S_ISDIR(st.st_mode))
        problem = QStringLiteral("it is a directory");
    else if (!S_ISREG(st.st_mode))
        problem = QStringLiteral("it is no regular file");
    if (problem.isEmpty())
        return fd;
    ::close(fd);
    return -1;
}

// At most kMaxImportBytes + 1 bytes of the input; nullopt with `problem` when it cannot
// be read or the user interrupted the reading.
std::optional<QByteArray> readInput(CommandCall& call, const QString& file, QString& problem) {
    const int fd = openInput(file, problem);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes;
    char buffer[65536];
    ssize_t n = 0;
    while (bytes.size() <= kMaxImportBytes) {
        const auto wanted = std::min<qint64>(sizeof buffer, kMaxImportBytes + 1 - bytes.size());
        n = ::read(fd, buffer, static_cast<std::size_t>(wanted));
        if (n < 0 && errno == EINTR && !call.stopRequested())
            continue;
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    const int error = errno;
    if (fd != STDIN_FILENO)
        ::close(fd);
    if (n < 0) {
        problem = error == EINTR ? QStringLiteral("interrupted") : errorText(error);
        return std::nullopt;
    }
    return bytes;
}

QString outcomeText(ProfileTransfer::Outcome outcome) {
    switch (outcome) {
    case ProfileTransfer::Outcome::Imported:
        return QStringLiteral("imported");
    case ProfileTransfer::Outcome::Replaced:
        return QStringLiteral("replaced");
    case ProfileTransfer::Outcome::Unchanged:
        return QStringLiteral("unchanged");
    case ProfileTransfer::Outcome::Kept:
        return QStringLiteral("kept");
    case ProfileTransfer::Outcome::Refused:
        return QStringLiteral("refused");
    case ProfileTransfer::Outcome::Failed:
        return QStringLiteral("failed");
    }
    return {};
}

// The reports of an import as they are settled, and the exit code they make.
class Reports final {
public:
    explicit Reports(ControlOutput& out) : m_out(out) {}

    void print(const ProfileTransfer::Report& r) {
        QString line =
            QStringLiteral("%1: %2").arg(ControlText::printable(r.name), outcomeText(r.outcome));
        if (!r.detail.isEmpty())
            line += QStringLiteral(" (%1)").arg(r.detail);
        m_out.line(line);
        if (r.outcome == ProfileTransfer::Outcome::Failed)
            m_exit = ControlCommand::Failure;
        else if ((r.outcome == ProfileTransfer::Outcome::Refused ||
                  r.outcome == ProfileTransfer::Outcome::Kept) &&
                 m_exit == ControlCommand::Done)
            m_exit = ControlCommand::Usage;
    }
    int exit() const { return m_exit; }

private:
    ControlOutput& m_out;
    int m_exit = ControlCommand::Done;
};

// Stores what the batch holds and reports the profiles decided since the last time:
// those the registry did not take as failed.
void settle(SettingsStore::Batch& batch, QList<ProfileTransfer::Report>& decided,
            Reports& reports) {
    if (batch.pending() > 0 && batch.commit() != 0) {
        const StoreResult why = batch.failure();
        for (ProfileTransfer::Report& r : decided) {
            if (r.outcome == ProfileTransfer::Outcome::Imported ||
                r.outcome == ProfileTransfer::Outcome::Replaced) {
                r.outcome = ProfileTransfer::Outcome::Failed;
                r.detail = QStringLiteral("%1: %2").arg(why.file, why.reason);
            }
        }
    }
    for (const ProfileTransfer::Report& r : std::as_const(decided))
        reports.print(r);
    decided.clear();
}

} // namespace

int ProfileImport::run(CommandCall& call, const QString& file, bool replace) {
    const QString name = file == u"-" ? QStringLiteral("the standard input") : file;
    QString problem;
    const std::optional<QByteArray> bytes = readInput(call, file, problem);
    if (!bytes) {
        call.out.error(QStringLiteral("%1 cannot be read: %2").arg(name, problem));
        return call.stopRequested() ? ControlCommand::Failure : ControlCommand::Usage;
    }
    if (bytes->size() > kMaxImportBytes) {
        call.out.error(QStringLiteral("%1 is larger than any export of profiles").arg(name));
        return ControlCommand::Usage;
    }
    QString error;
    const std::optional<ProfileTransfer::Contents> contents = ProfileTransfer::read(*bytes, error);
    if (!contents) {
        call.out.error(QStringLiteral("%1: %2").arg(name, error));
        return ControlCommand::Usage;
    }
    SettingsStore::Batch batch(call.context.store);
    if (!batch.ready()) {
        call.out.error(QStringLiteral("the profiles cannot be changed: %1: %2")
                           .arg(batch.failure().file, batch.failure().reason));
        return ControlCommand::Failure;
    }

    Reports reports(call.out);
    for (const ProfileTransfer::Report& r : contents->unreadable)
        reports.print(r);
    const qsizetype total = contents->profiles.size();
    QList<ProfileTransfer::Report> decided;
    qint64 settled = call.context.clock.tickMs();
    qsizetype done = 0;
    for (; done < total && !call.stopRequested(); ++done) {
        decided.append(ProfileTransfer::import(batch, contents->profiles.at(done), replace));
        if (call.context.clock.tickMs() - settled >= kCommitEveryMs) {
            settle(batch, decided, reports);
            call.out.progress(QStringLiteral("%1 of %2 profiles").arg(done + 1).arg(total));
            settled = call.context.clock.tickMs();
        }
    }
    settle(batch, decided, reports);
    call.out.endProgress();
    if (done < total) {
        call.out.error(QStringLiteral("interrupted after %1 of %2 profiles; the others are "
                                      "not imported")
                           .arg(done)
                           .arg(total));
        return ControlCommand::Failure;
    }
    return reports.exit();
}

} // namespace kx
