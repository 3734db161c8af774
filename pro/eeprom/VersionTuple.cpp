#include "pro/eeprom/VersionTuple.h"

#include <algorithm>

namespace kx {

namespace {

constexpr std::uint8_t kMajor = 0x05;
constexpr std::uint8_t kMinor = 0x00;
constexpr int kFirstString = 2;
constexpr int kLastByte = VersionTuple::kLink - 1;
constexpr const char* kFieldNames[VersionTuple::kStrings] = {
    "Manufacture Name", "Product Name", "Additional Info 1", "Additional Info 2"};

QString fieldName(int index) {
    return QString::fromLatin1(kFieldNames[index]);
}

} // namespace

std::array<std::string, VersionTuple::kStrings> VersionTuple::decode(const std::uint8_t* data,
                                                                     std::size_t size) {
    std::array<std::string, kStrings> texts;
    if (data == nullptr)
        return texts;
    std::size_t pos = kFirstString;
    for (std::string& text : texts) {
        if (pos >= size)
            break;
        const std::uint8_t* begin = data + pos;
        const std::uint8_t* end = std::find(begin, data + size, std::uint8_t{0});
        text.assign(begin, end);
        pos = static_cast<std::size_t>(end - data) + 1;
    }
    return texts;
}

Checked<VersionTuple::Data> VersionTuple::encode(const Texts& texts) {
    Data data{};
    data[0] = kMajor;
    data[1] = kMinor;
    data[kLastByte] = 0xFF;
    int pos = kFirstString;
    for (int i = 0; i < kStrings; ++i) {
        const QString text = texts[static_cast<std::size_t>(i)].trimmed();
        const QString field = fieldName(i);
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
            return EepromProblem{field, QStringLiteral("%1: please enter single-byte characters "
                                                       "only.")
                                            .arg(field)};
        }
        // The text and its zero must end before the tuple's last byte.
        const int n = static_cast<int>(text.size()) + 1;
        if (pos + n >= kLastByte + 1) {
            return EepromProblem{
                field, QStringLiteral("%1 does not fit: the four names of the card information "
                                      "hold at most %2 characters together.")
                           .arg(field, QString::number(kLastByte - kFirstString - kStrings))};
        }
        const QByteArray bytes = text.toLatin1();
        std::copy(bytes.begin(), bytes.end(), data.begin() + pos);
        pos += n;
    }
    return data;
}

} // namespace kx
