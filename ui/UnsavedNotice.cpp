#include "ui/UnsavedNotice.h"

#include <QDebug>
#include <QWidget>

#include "context/AppContext.h"
#include "program/MainTexts.h"
#include "program/UiSeam.h"

namespace kx {

UnsavedNotice::UnsavedNotice(AppContext& context, QWidget* window)
    : QObject(window), m_context(context), m_window(window) {
    setObjectName(QStringLiteral("unsavedNotice"));
}

void UnsavedNotice::report(const SettingResult& result) {
    if (!result.readOnlyReason().isEmpty() && !m_toldReadOnly) {
        m_toldReadOnly = true;
        const QString message = result.readOnlyMessage();
        qWarning().noquote() << message;
        m_context.ui.inform(m_window, m_context.language.text(MainTexts::MP_Dialog_Title), message);
    }
    const StoreResult& failure = result.recordFailure();
    if (failure.ok() || (failure.file == m_told.file && failure.reason == m_told.reason))
        return;
    m_told = failure;
    const QString message = result.unsavedMessage();
    qWarning().noquote() << message;
    m_context.ui.inform(m_window, m_context.language.text(MainTexts::MP_Dialog_Title), message);
}

void UnsavedNotice::report(const QWidget* from, const SettingResult& result) {
    auto* notice = from->window()->findChild<UnsavedNotice*>(QString(), Qt::FindDirectChildrenOnly);
    if (notice != nullptr)
        notice->report(result);
    else if (!result.recorded())
        qWarning().noquote() << result.unsavedMessage();
    else if (!result.readOnlyReason().isEmpty())
        qWarning().noquote() << result.readOnlyMessage();
}

} // namespace kx
