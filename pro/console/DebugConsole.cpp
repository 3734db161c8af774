#include "pro/console/DebugConsole.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>

#include "adapter/AdapterState.h"
#include "driver/HexText.h"
#include "pro/console/ConsoleField.h"

namespace kx {

namespace {

constexpr int kRowBytes = 16;
// The request objects as the driver contract lays them out; words little-endian.
constexpr int kMemoryRequestBytes = sizeof(WLMemoryRequest);
constexpr int kOldDebugBytes = sizeof(WLOldDebugRequest);
constexpr int kOldDebugReplyOffset = offsetof(WLOldDebugRequest, reply);
constexpr int kOldDebugCountWord = offsetof(WLOldDebugRequest, replyWords) / 4;
constexpr int kOldDebugReplyBytes = kOldDebugBytes - kOldDebugReplyOffset;

const QString kNewLine = QStringLiteral("\r\n");
const QString kSuccess = QStringLiteral("SUCCESS");
const QString kReadError = QStringLiteral("ERROR read register!!!");
const QString kWriteError = QStringLiteral("ERROR write register!!!");

// The fields a command reads, in the order they stand on the page.
struct Field {
    const char* name;
    const QString& text;
    bool hex = true;
};

// One transcript line naming the first field that holds no number, or nothing.
std::optional<QString> refusal(std::initializer_list<Field> fields) {
    for (const Field& f : fields) {
        const bool ok = f.hex ? ConsoleField::hex(f.text).has_value()
                              : ConsoleField::decimal(f.text).has_value();
        if (ok)
            continue;
        const QString expected = f.hex ? QStringLiteral("at most 8 hexadecimal digits")
                                       : QStringLiteral("a decimal register number of 0 or more");
        return kNewLine + QLatin1String(f.name) + QStringLiteral(": enter ") + expected +
               QStringLiteral("; nothing was sent.") + kNewLine;
    }
    return std::nullopt;
}

QString phyAddressLine(std::int32_t reg) {
    return QString::asprintf("Address: CR%d\r\n", reg);
}

QString wordLine(const char* label, std::uint32_t value, bool endLine) {
    return QString::asprintf("%s0x%08X", label, value) + (endLine ? kNewLine : QString());
}

QString addressLine(std::uint32_t address) {
    return wordLine("Address: ", address, true);
}

QString dataLine(std::uint32_t data) {
    return wordLine("Data   : ", data, true);
}

QString dumpRow(int offset, const std::uint8_t* bytes, int count) {
    return QString::asprintf("%04X:", offset) +
           QString::fromLatin1(HexText::fromBytes(bytes, static_cast<std::size_t>(count), true)) +
           kNewLine;
}

void putWord(std::uint8_t* buffer, int index, std::uint32_t value) {
    for (int b = 0; b < 4; ++b)
        buffer[4 * index + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

std::uint32_t word(const std::uint8_t* buffer, int index) {
    std::uint32_t value = 0;
    for (int b = 3; b >= 0; --b)
        value = value << 8 | buffer[4 * index + b];
    return value;
}

} // namespace

QString DebugConsole::groupTitle(int chipVersion) {
    return QString::asprintf("I/O Access for KX%04d", chipVersion == AdapterState::kNewerChip
                                                          ? AdapterState::kNewerChip
                                                          : AdapterState::kOlderChip);
}

bool DebugConsole::newerChip() const {
    return m_chipVersion == AdapterState::kNewerChip;
}

QString DebugConsole::readPhy(const Fields& f) const {
    if (const auto refused = refusal({{"PHY CR", f.phyRegister, false}}))
        return *refused;
    const std::int32_t reg = *ConsoleField::decimal(f.phyRegister);
    QString out = QStringLiteral("\r\nRead PHY register:\r\n") + phyAddressLine(reg);
    std::int32_t value = 0;
    if (QueryWL_ReadPHYRegister(m_adapter, reg, &value) == 0)
        out += QString::asprintf("Value  : 0x%02X", static_cast<std::uint32_t>(value));
    else
        out += kReadError;
    return out + kNewLine;
}

QString DebugConsole::writePhy(const Fields& f) const {
    if (const auto refused = refusal({{"PHY CR", f.phyRegister, false}, {"PHY Data", f.phyData}}))
        return *refused;
    const std::int32_t reg = *ConsoleField::decimal(f.phyRegister);
    const std::uint32_t data = *ConsoleField::hex(f.phyData);
    QString out = QStringLiteral("\r\nWrite PHY register:\r\n") + phyAddressLine(reg) +
                  QString::asprintf("Data   : 0x%04X\r\n", data);
    const bool ok = SetWL_WritePHYRegister(m_adapter, reg, static_cast<std::int32_t>(data)) == 0;
    return out + (ok ? kSuccess : kWriteError) + kNewLine;
}

QString DebugConsole::readMac(const Fields& f) const {
    if (const auto refused = refusal({{"MAC Address", f.macAddress}}))
        return *refused;
    const std::uint32_t address = *ConsoleField::hex(f.macAddress);
    if (newerChip())
        return readMemory(address);
    QString out = QStringLiteral("\r\nRead MAC register:\r\n") + addressLine(address);
    std::uint32_t value = 0;
    if (QueryWL_ReadMACRegister(m_adapter, address, &value) == 0)
        out += wordLine("Value  : ", value, false);
    else
        out += kReadError;
    return out + kNewLine;
}

QString DebugConsole::writeMac(const Fields& f) const {
    if (const auto refused = refusal({{"MAC Address", f.macAddress}, {"MAC Data", f.macData}}))
        return *refused;
    const std::uint32_t address = *ConsoleField::hex(f.macAddress);
    const std::uint32_t data = *ConsoleField::hex(f.macData);
    if (newerChip())
        return writeMemory(address, data, f.oldDebugMode);
    QString out =
        QStringLiteral("\r\nWrite MAC register:\r\n") + addressLine(address) + dataLine(data);
    const bool ok = SetWL_WriteMACRegister(m_adapter, address, data) == 0;
    return out + (ok ? kSuccess : kWriteError) + kNewLine;
}

QString DebugConsole::readMemory(std::uint32_t address) const {
    QString out = QStringLiteral("\r\nRead KX3105 Memory:\r\n") + addressLine(address);
    std::array<std::uint8_t, kMemoryRequestBytes> request{};
    putWord(request.data(), 0, address);
    // The driver leaves the memory word in place of the address.
    if (ReadOid(m_adapter, WL_OID_MEMORY_READ, request.data(), kMemoryRequestBytes) == -1)
        out += QStringLiteral("ERROR read KX3105 memory!!!");
    else
        out += wordLine("Value  : ", word(request.data(), 0), false);
    return out + kNewLine;
}

QString DebugConsole::writeMemory(std::uint32_t address, std::uint32_t data,
                                  bool oldDebugMode) const {
    std::array<std::uint8_t, kOldDebugBytes> request{};
    putWord(request.data(), 0, address);
    putWord(request.data(), 1, data);
    QString out =
        QStringLiteral("\r\nWrite KX3105 Memory:\r\n") + addressLine(address) + dataLine(data);
    if (!oldDebugMode) {
        const bool ok =
            WriteOid(m_adapter, WL_OID_MEMORY_WRITE, request.data(), kMemoryRequestBytes) != -1;
        return out + (ok ? kSuccess : kWriteError) + kNewLine;
    }
    if (WriteOid(m_adapter, WL_OID_OLD_DEBUG, request.data(), kOldDebugBytes) == -1)
        return out + kWriteError + kNewLine;
    // The reply counts 32-bit words; whatever it claims, only the buffer is shown.
    const std::uint64_t replyBytes = std::uint64_t{word(request.data(), kOldDebugCountWord)} * 4;
    const std::uint8_t* reply = request.data() + kOldDebugReplyOffset;
    for (int offset = 0;
         offset < kOldDebugReplyBytes && static_cast<std::uint64_t>(offset) < replyBytes;
         offset += kRowBytes)
        out += dumpRow(offset, reply + offset, std::min(kRowBytes, kOldDebugReplyBytes - offset));
    return out + kSuccess + kNewLine;
}

QString DebugConsole::eepromDump(const EepromImage& image) {
    QString out = QStringLiteral("\r\nShow EEPROM Data:\r\n");
    out += QStringLiteral("     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\r\n");
    out += QString(52, u'-') + kNewLine;
    const int size = std::clamp(image.length, 0, EepromImage::kCapacity);
    for (int offset = 0; offset < size; offset += kRowBytes)
        out += dumpRow(offset, image.bytes.data() + offset,
                       std::min(kRowBytes, EepromImage::kCapacity - offset));
    return out + QStringLiteral("\r\nOK!!!\r\n");
}

} // namespace kx
