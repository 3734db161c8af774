#include "ctl/ControlText.h"

#include <algorithm>

namespace kx {

namespace {

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString padded(const QString& text, qsizetype width) {
    return text + QString(std::max<qsizetype>(width - text.size(), 0), u' ');
}

} // namespace

QString ControlText::printable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            out += QStringLiteral("\\x") +
                   QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString ControlText::heading(const QString& label) {
    QString text = label.trimmed();
    // The Chinese texts end in a full-width colon.
    while (text.endsWith(u':') || text.endsWith(u'\uFF1A'))
        text.chop(1);
    return text.trimmed();
}

QString ControlText::table(const QList<QStringList>& rows) {
    QList<qsizetype> widths;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (widths.size() <= i)
                widths.append(0);
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    QString out;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? padded(row[i], widths[i]) + QStringLiteral("  ") : row[i];
        while (line.endsWith(u' '))
            line.chop(1);
        out += line + u'\n';
    }
    return out;
}

QString ControlText::fields(const QList<QStringList>& labelledValues, int indent) {
    QList<QStringList> rows;
    for (const QStringList& row : labelledValues)
        rows.append(QStringList{QString(indent, u' ') + row.value(0)} + row.mid(1));
    return table(rows);
}

QString ControlText::csvField(const QString& text) {
    const QString shown = printable(text);
    if (!shown.contains(u',') && !shown.contains(u'"'))
        return shown;
    return u'"' + QString(shown).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString ControlText::csvLine(const QStringList& fields) {
    QStringList shown;
    for (const QString& field : fields)
        shown.append(csvField(field));
    return shown.join(u',');
}

} // namespace kx
