#include "ui/ChildDialog.h"

#include "context/AppContext.h"
#include "program/UiSeam.h"

namespace kx {

ChildDialog::ChildDialog(AppContext& context, QWidget* parent, const char* objectName)
    : QDialog(parent), m_context(context), m_unsaved(new UnsavedNotice(context, this)) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowModality(Qt::WindowModal);
}

ChildDialog::~ChildDialog() = default;

QString ChildDialog::text(const LangText& t) const {
    return m_context.language.text(t);
}

void ChildDialog::setTitleText(const LangText& t) {
    setWindowTitle(text(t) + QStringLiteral("  "));
}

void ChildDialog::showEvent(QShowEvent* event) {
    Widgets::announceByLabels(this);
    QDialog::showEvent(event);
}

int ChildDialog::runChild(QDialog& dialog) {
    return m_context.ui.runModal(dialog);
}

} // namespace kx
