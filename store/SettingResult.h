#pragma once
// What became of a change of settings: whether the adapter refused any part of it, and
// whether every value reached the registry, with the file and the reason when one did
// not. The two failures differ for the user: a refused setting is not in effect, an
// unrecorded one is in effect but lost at the adapter's next start.

#include <cstdint>

#include <QString>

namespace kx {

// One registry write: empty reason when the value was recorded.
struct [[nodiscard]] StoreResult final {
    QString file;
    QString reason;

    bool ok() const { return reason.isEmpty(); }
    // "<file>: <reason>", for a message.
    QString text() const { return file + QStringLiteral(": ") + reason; }
};

class [[nodiscard]] SettingResult final {
public:
    // A driver set operation's answer: a negative one is a refusal.
    void addDriverAnswer(std::int32_t answer);
    void addRecord(const StoreResult& record);
    // Refused before anything was sent, for this reason.
    void refuse(const QString& why);
    SettingResult& operator+=(const SettingResult& other);

    bool driverRefused() const { return m_driverRefused || !m_refusal.isEmpty(); }
    // Why nothing was sent; empty when it was.
    const QString& refusal() const { return m_refusal; }
    // Why the adapter refuses every change for this user (no right to change it, or
    // another program manages it); empty when it does not.
    const QString& readOnlyReason() const { return m_readOnlyReason; }
    void setReadOnly(const QString& reason);
    // "The adapter is read-only for this user: <reason>"; empty when it is not.
    QString readOnlyMessage() const;
    bool recorded() const { return m_firstRecordFailure.ok(); }
    // The first record that failed; ok() when all were written.
    const StoreResult& recordFailure() const { return m_firstRecordFailure; }
    bool ok() const { return !m_driverRefused && recorded(); }
    // "Settings cannot be saved: <file>: <reason>" for the first failed record; empty
    // when every value was written.
    QString unsavedMessage() const;

private:
    bool m_driverRefused = false;
    QString m_readOnlyReason;
    StoreResult m_firstRecordFailure;
    QString m_refusal;
};

} // namespace kx
