#include "pro/eeprom/HexField.h"

#include "driver/HexText.h"

namespace kx {

namespace {

constexpr int kMaxDigits16 = 4;

bool isHexDigit(QChar c) {
    return HexText::digit(c.unicode()) >= 0;
}

bool isSeparator(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

Checked<std::uint16_t> HexField::number16(const QString& text, const QString& field) {
    const std::optional<std::uint32_t> value =
        HexText::number(text.trimmed().toStdString(), kMaxDigits16);
    if (!value) {
        return EepromProblem{field, QStringLiteral("%1: please enter a hexadecimal number of at "
                                                   "most four digits (0-9, A-F).")
                                        .arg(field)};
    }
    return static_cast<std::uint16_t>(*value);
}

Checked<std::vector<std::uint8_t>> HexField::bytes(const QString& text, int count,
                                                   const QString& field) {
    // Every run of digits gives one byte per pair, and one for a digit left over.
    int found = 0;
    int run = 0;
    bool valid = true;
    for (const QChar c : text + u' ') {
        if (isHexDigit(c)) {
            ++run;
        } else if (isSeparator(c)) {
            found += (run + 1) / 2;
            run = 0;
        } else {
            valid = false;
        }
    }
    if (!valid || found > count) {
        return EepromProblem{
            field, QStringLiteral("%1: please enter at most %2 hexadecimal %3 (0-9, A-F), "
                                  "separated by blanks.")
                       .arg(field, QString::number(count),
                            count == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"))};
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    HexText::toBytes(text.toLatin1().toStdString(), out.data(), count);
    return out;
}

std::optional<EepromProblem> HexField::withinLimit(const QString& text, int limit,
                                                   const QString& field) {
    if (text.size() <= limit)
        return std::nullopt;
    return EepromProblem{
        field,
        QStringLiteral("Please enter no more than %1 characters.").arg(QString::number(limit))};
}

QString HexField::show16(std::uint8_t low, std::uint8_t high) {
    const std::uint8_t bytes[] = {high, low};
    return QString::fromLatin1(HexText::fromBytes(bytes, 2));
}

} // namespace kx
