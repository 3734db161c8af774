#include "pro/page/ui/SheetPage.h"

#include <QShowEvent>

#include "context/AppContext.h"
#include "program/UiSeam.h"

namespace kx {

SheetPage::SheetPage(AppContext& context, QWidget* parent, const char* objectName,
                     const char* title)
    : QWidget(parent), m_context(context) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(title));
}

SheetPage::~SheetPage() = default;

void SheetPage::tell(const QString& text) {
    m_context.ui.inform(this, messageTitle(), text);
}

void SheetPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window coming back from the task bar is no new visit of the tab.
    if (event->spontaneous())
        return;
    if (!m_initialised) {
        m_initialised = true;
        initialise();
    }
    activated();
}

} // namespace kx
