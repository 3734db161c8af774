#pragma once
// The access-point view's value texts and station list rows, from the driver's answers.

#include <cstdint>

#include <QString>
#include <QStringList>

namespace kx {

class AccessPointTexts final {
public:
    // "%d" for channels 1..14, "---" otherwise.
    static QString channelText(int channel);
    // "Enable (64-bit)" / "Enable (128-bit)" / "Disable"; failed queries (-1) count as 0.
    static QString wepText(int status, int keyBits);
    // "Level %d"; a failed query counts as 0.
    static QString powerText(int level);
    // One MAC text per slot in use, in slot order, from a 224-byte station list.
    static QStringList stationRows(const std::uint8_t* list224);
};

} // namespace kx
