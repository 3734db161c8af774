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

void SettingResult::refuse(const QString& why) {
    m_refusal = why;
}

SettingResult& SettingResult::operator+=(const SettingResult& other) {
    m_driverRefused = m_driverRefused || other.m_driverRefused;
    if (m_refusal.isEmpty())
        m_refusal = other.m_refusal;
    addRecord(other.m_firstRecordFailure);
    return *this;
}

QString SettingResult::unsavedMessage() const {
    if (recorded())
        return {};
    return QStringLiteral("Settings cannot be saved: %1: %2")
        .arg(m_firstRecordFailure.file, m_firstRecordFailure.reason);
}

} // namespace kx
