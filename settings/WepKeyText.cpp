#include "settings/WepKeyText.h"

#include <vector>

#include "platform/TextCodec.h"
#include "store/HexText.h"

namespace kx {

namespace {

constexpr int kShortKeyBytes = 5;
constexpr int kLongKeyBytes = 13;
const QString kDefaultKey = QStringLiteral("3C5A7E9B2D");

std::array<QString, WepKeyText::kKeyCount> pieces(const QString& text, int digits) {
    std::array<QString, WepKeyText::kKeyCount> keys;
    for (int i = 0; i < WepKeyText::kKeyCount; ++i)
        keys[static_cast<std::size_t>(i)] = text.mid(i * digits, digits);
    return keys;
}

} // namespace

int WepKeyText::keyBytes(int keyLength) {
    return keyLength == Bits128 ? kLongKeyBytes : kShortKeyBytes;
}

QString WepKeyText::placeholder(int keyLength) {
    QString text;
    for (int i = 0; i < keyBytes(keyLength); ++i)
        text += i == 0 ? QStringLiteral("**") : QStringLiteral(" **");
    return text;
}

QString WepKeyText::statusText(int keyLength) {
    return keyLength == Bits128 ? QStringLiteral("6") : QStringLiteral("2");
}

std::array<QString, WepKeyText::kKeyCount> WepKeyText::storedKeys(const QString& text) {
    const int longDigits = 2 * kLongKeyBytes;
    const int shortDigits = 2 * kShortKeyBytes;
    if (text.size() >= kKeyCount * longDigits)
        return pieces(text, longDigits);
    if (text.size() >= kKeyCount * shortDigits)
        return pieces(text, shortDigits);
    return {kDefaultKey, kDefaultKey, kDefaultKey, kDefaultKey};
}

QString WepKeyText::recordedKey(const QString& keyText, int keyLength) {
    const std::string narrow = TextCodec::narrow(keyText.toStdU16String());
    const int n = keyBytes(keyLength);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    HexText::toBytes(QByteArray::fromStdString(narrow), bytes.data(), n);
    return HexText::fromBytes(bytes.data(), n, false);
}

} // namespace kx
