#include "settings/WepKeyText.h"

#include <vector>

#include "platform/TextCodec.h"
#include "store/HexText.h"
#include "store/WepKeys.h"

namespace kx {

int WepKeyText::keyBytes(int keyLength) {
    return WepKeys::bytes(keyLength == Bits128 ? 1 : 0);
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

QString WepKeyText::recordedKey(const QString& keyText, int keyLength) {
    const std::string narrow = TextCodec::narrow(keyText.toStdU16String());
    const int n = keyBytes(keyLength);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    HexText::toBytes(QByteArray::fromStdString(narrow), bytes.data(), n);
    return HexText::fromBytes(bytes.data(), n, false);
}

} // namespace kx
