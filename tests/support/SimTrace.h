#pragma once
// The simulated library's call trace, for checking what a window sent and in which order.

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kx::test {

struct TraceCall {
    QString fn;
    QJsonArray args;
    qint64 ret = 0;
};

QList<TraceCall> simTrace();
// Names of the calls in order, optionally only those starting with one of `prefixes`
// (e.g. {"Set"}), as "SetWL_Channel(11)" with the arguments joined by commas.
QStringList simCalls(const QStringList& prefixes = {});
// The same calls by name only.
QStringList callNames(const QStringList& prefixes = {});
void clearSimTrace();

} // namespace kx::test
