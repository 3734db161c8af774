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

void SettingResult::setReadOnly(const QString& reason) {
    if (m_readOnlyReason.isEmpty())
        m_readOnlyReason = reason;
}

QString SettingResult::readOnlyMessage() const {
    if (m_readOnlyReason.isEmpty())
        return {};
    return QStringLiteral("The adapter is read-only for this user: %1").arg(m_readOnlyReason);
}

void SettingResult::refuse(const QString& why) {
    m_refusal = why;
}

SettingResult& SettingResult::operator+=(const SettingResult& other) {
    m_driverRefused = m_driverRefused || other.m_driverRefused;
    setReadOnly(other.m_readOnlyReason);
    if (m_refusal.isEmpty())
        m_refusal = other.m_refusal;
    addRecord(other.m_firstRecordFailure);
    return *this;
}

QString SettingResult::unsavedMessage() const {
    if (recorded())
        return {};
    return QStringLiteral("Settings cannot be saved: %1").arg(m_firstRecordFailure.text());
}

} // namespace kx
