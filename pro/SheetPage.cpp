#include "pro/SheetPage.h"

#include <QShowEvent>

#include "app/AppContext.h"
#include "app/UiSeam.h"
#include "pro/ProfessionalSheet.h"

namespace kx {

SheetPage::SheetPage(AppContext& context, QWidget* parent, const char* objectName,
                     const char* title)
    : QWidget(parent), m_context(context) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(title));
}

SheetPage::~SheetPage() = default;

void SheetPage::tell(const QString& text) {
    m_context.ui.inform(this, ProfessionalSheet::messageTitle(), text);
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
