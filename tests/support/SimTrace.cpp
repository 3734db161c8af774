#include "tests/support/SimTrace.h"

#include <algorithm>

#include <QJsonDocument>
#include <QJsonObject>
#include <QVarLengthArray>

#include "kx02app/kxsim.h"

namespace kx::test {

namespace {
bool wanted(const TraceCall& c, const QStringList& prefixes) {
    return prefixes.isEmpty() || std::any_of(prefixes.begin(), prefixes.end(),
                                             [&](const QString& p) { return c.fn.startsWith(p); });
}

QString argText(const QJsonValue& v) {
    if (v.isString())
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    if (v.isNull())
        return QStringLiteral("null");
    return QString::number(v.toInteger());
}
} // namespace

QList<TraceCall> simTrace() {
    QList<TraceCall> calls;
    const int n = kxsim_trace_count();
    for (int i = 0; i < n; ++i) {
        const int len = kxsim_trace_line(i, nullptr, 0);
        if (len < 0)
            continue;
        QByteArray line(len + 1, '\0');
        kxsim_trace_line(i, line.data(), len + 1);
        line.truncate(len);
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        calls.append(
            {o.value(u"fn").toString(), o.value(u"args").toArray(), o.value(u"ret").toInteger()});
    }
    return calls;
}

QStringList simCalls(const QStringList& prefixes) {
    QStringList out;
    for (const TraceCall& c : simTrace()) {
        if (!wanted(c, prefixes))
            continue;
        QStringList args;
        for (const QJsonValue& v : c.args)
            args << argText(v);
        out << c.fn + u'(' + args.join(u',') + u')';
    }
    return out;
}

QStringList callNames(const QStringList& prefixes) {
    QStringList names;
    for (const TraceCall& c : simTrace()) {
        if (wanted(c, prefixes))
            names << c.fn;
    }
    return names;
}

void clearSimTrace() {
    kxsim_trace_clear();
}

} // namespace kx::test
