#include "settings/WepKeyText.h"

#include <vector>

#include "platform/TextCodec.h"
#include "store/HexText.h"
#include "store/WepKeys.h"

namespace kx {

QString WepKeyText::placeholder(WepBit keyLength) {
    QString text;
    for (int i = 0; i < WepKeys::bytes(code(keyLength)); ++i)
        text += i == 0 ? QStringLiteral("**") : QStringLiteral(" **");
    return text;
}

QString WepKeyText::recordedKey(const QString& keyText, WepBit keyLength) {
    const std::string narrow = TextCodec::narrow(keyText.toStdU16String());
    const int n = WepKeys::bytes(code(keyLength));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    HexText::toBytes(QByteArray::fromStdString(narrow), bytes.data(), n);
    return HexText::fromBytes(bytes.data(), n, false);
}

} // namespace kx
