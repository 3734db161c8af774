#include "pro/eeprom/EepromAccess.h"

#include <algorithm>

#include "adapter/AdapterState.h"
#include "pro/eeprom/EepromCodec.h"
#include "pro/eeprom/NewerChipFields.h"

namespace kx {

QString EepromAccess::Outcome::message() const {
    if (refused)
        return refused->message;
    return failed ? QStringLiteral("EEPROM write process error!!Press OK to terminate this "
                                   "program!!\nAnd please re-Plugin the Card!!")
                  : QStringLiteral("EEPROM write process OK!!\nPress OK to terminate this "
                                   "program!!\nAnd please re-Plugin the Card!!");
}

EepromAccess::Content EepromAccess::read() {
    Content c;
    EepromImage& image = m_adapter.eeprom;
    c.settings = EepromCodec::decode(image, m_adapter.busKind);
    if (!m_adapter.newerChip()) {
        c.mac = EepromCodec::recordMac(c.settings);
        return c;
    }
    WLAdapterInfo* record = &m_adapter.info;
    ReadOid(record, WL_OID_CURRENT_ADDRESS, c.mac.data(), static_cast<std::int32_t>(c.mac.size()));
    WL_ReadEEPROM(record, m_configuredChip, m_adapter.busKind, image.bytes.data(), image.length);
    const std::size_t length =
        static_cast<std::size_t>(std::clamp(image.length, 0, EepromImage::kCapacity));
    NewerChipFields::decode(image.bytes.data(), length).applyTo(c.settings);
    return c;
}

EepromAccess::Outcome EepromAccess::writeSettings(const Content& content) {
    if (m_adapter.newerChip())
        return writeCommandRecords(content);
    const Checked<EepromImage> image =
        EepromCodec::encode(content.settings, content.mac, m_adapter.eeprom, m_adapter.busKind);
    if (!image.ok())
        return {image.problem()};
    m_adapter.eeprom = image.value();
    const EepromImage& written = m_adapter.eeprom;
    return {std::nullopt,
            WL_WriteEEPROM(&m_adapter.info, written.bytes.data(), written.length) == -1};
}

EepromAccess::Outcome EepromAccess::writeCommandRecords(const Content& content) {
    // Every record is sent, as the update expects; one the firmware refused makes the
    // whole write a failure rather than a false success.
    bool failed = false;
    for (WLFirmwareRecord r : NewerChipFields::commands(content.settings, content.mac))
        failed |= WriteOid(&m_adapter.info, WL_OID_FIRMWARE_RECORD, &r, sizeof r) == -1;
    return {std::nullopt, failed};
}

std::optional<QByteArray> EepromAccess::readImage() {
    std::array<std::uint8_t, EepromImage::kCapacity> buffer{};
    const int length = std::clamp(m_adapter.eeprom.length, 0, EepromImage::kCapacity);
    if (WL_ReadEEPROM(&m_adapter.info, m_configuredChip, m_adapter.busKind, buffer.data(),
                      length) == -1)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(buffer.data()), length);
}

EepromAccess::Outcome EepromAccess::writeImage(const QByteArray& bytes) {
    const int length = m_adapter.eeprom.length;
    if (length <= 0 || bytes.size() != length) {
        return {EepromProblem{QStringLiteral("EEPROM Binary Image"),
                              QStringLiteral("The image holds %1 bytes, but the adapter's EEPROM "
                                             "holds %2 bytes. Nothing was written.")
                                  .arg(QString::number(bytes.size()), QString::number(length))}};
    }
    return {std::nullopt,
            WL_WriteEEPROM(&m_adapter.info,
                           reinterpret_cast<const std::uint8_t*>(bytes.constData()), length) == -1};
}

} // namespace kx
