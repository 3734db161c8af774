#include "store/SettingResult.h"

namespace kx {

void SettingResult::addDriverAnswer(std::int32_t answer) {
    if (answer < 0)
        m_driverRefused = true;
}

void SettingResult::addRecord(const StoreResult& record) {
    if (recorded() && !record.ok())
        m_firstRecordFailure = record;
}

SettingResult& SettingResult::operator+=(const SettingResult& other) {
    m_driverRefused = m_driverRefused || other.m_driverRefused;
    addRecord(other.m_firstRecordFailure);
    return *this;
}

QString SettingResult::unsavedMessage() const {
    if (recorded())
        return {};
    return QStringLiteral("Settings cannot be saved: %1").arg(m_firstRecordFailure.text());
}

} // namespace kx
