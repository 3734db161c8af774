#include "app/ChildDialog.h"

#include "app/AppContext.h"
#include "app/UiSeam.h"
#include "settings/CAdvancedSettingDlg.h"

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

bool ChildDialog::professionalSheetReady() const {
    return m_context.professionalSheet != nullptr;
}

void ChildDialog::openProfessionalOrAdvanced() {
    if (!m_context.config.professionalMode())
        runChild<CAdvancedSettingDlg>();
    else if (professionalSheetReady())
        m_context.professionalSheet(this);
}

} // namespace kx
