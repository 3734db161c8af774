#pragma once
// How kxctl lays out text for people and for spreadsheets. Names and descriptions come
// from the air and from the driver: a control character in them could drive the
// terminal they are printed on, so people's text shows it as "\xNN".

#include <QList>
#include <QString>
#include <QStringList>

#include "driver/MacText.h"

namespace kx {

class ControlText final {
public:
    // Control characters (C0, DEL, C1) written as "\x1B".
    static QString printable(const QString& text);
    // A window's row label as a column heading: without its trailing colon.
    static QString heading(const QString& label);
    // Rows in aligned columns two blanks apart; the last column is not padded.
    static QString table(const QList<QStringList>& rows);
    // "label  value" lines with the values aligned, indented by `indent` blanks.
    static QString fields(const QList<QStringList>& labelledValues, int indent = 0);
    // One field of a comma-separated line: printable as above (so no line end is left),
    // quoted when it holds a comma or a quote, quotes doubled.
    static QString csvField(const QString& text);
    static QString csvLine(const QStringList& fields);
    // An address for people ("00 1C 7E 21 02 07") or for programs ("00:1c:7e:21:02:07").
    static QString mac(const MacText::Mac& address, MacText::Style style = MacText::Style::Blanks) {
        return QString::fromLatin1(MacText::format(address, style));
    }
    static QString macForPrograms(const MacText::Mac& address) {
        return mac(address, MacText::Style::LowerColons);
    }
};

} // namespace kx
