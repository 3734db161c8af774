#include "pro/eeprom/ui/EepromEditor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "context/AppContext.h"
#include "pro/page/ui/SheetPage.h"
#include "program/UiSeam.h"

namespace kx {

namespace {

enum Column { LabelColumn, FieldColumn };

QString name(const char* base, const char* suffix) {
    return QString::fromLatin1(base) + QLatin1StringView(suffix);
}

QLabel* fieldLabel(const char* base, const char* field) {
    auto* label = new QLabel(QString::fromLatin1(field) + u':');
    label->setObjectName(name(base, "Label"));
    return label;
}

} // namespace

void EepromEditor::Row::setEnabled(bool enabled) const {
    label->setEnabled(enabled);
    edit->setEnabled(enabled);
    unit->setEnabled(enabled);
}

EepromEditor::EepromEditor(AppContext& context, QWidget* parent, const char* objectName,
                           const char* title)
    : ChildDialog(context, parent, objectName) {
    setWindowTitle(QString::fromLatin1(title));
}

EepromEditor::~EepromEditor() = default;

EepromEditor::Row EepromEditor::addField(QGridLayout* grid, const char* base, const char* field,
                                         const char* unit) {
    const int row = grid->rowCount();
    Row r{fieldLabel(base, field), named(new QLineEdit, name(base, "Edit")),
          named(new QLabel(QString::fromLatin1(unit)), name(base, "Unit"))};
    r.label->setBuddy(r.edit);
    // The unit follows its field, whether the field is a few digits wide or a whole line.
    auto* line = new QHBoxLayout;
    line->addWidget(r.edit, 1);
    line->addWidget(r.unit);
    line->addStretch();
    grid->addWidget(r.label, row, LabelColumn);
    grid->addLayout(line, row, FieldColumn);
    m_fields.insert(QString::fromLatin1(field), r.edit);
    return r;
}

QComboBox* EepromEditor::addList(QGridLayout* grid, const char* base, const char* field) {
    const int row = grid->rowCount();
    QLabel* label = fieldLabel(base, field);
    auto* list = named(new QComboBox, name(base, "List"));
    label->setBuddy(list);
    grid->addWidget(label, row, LabelColumn);
    grid->addWidget(list, row, FieldColumn, Qt::AlignLeft);
    return list;
}

QPushButton* EepromEditor::makeApplyButton() {
    auto* apply = named(new QPushButton(QStringLiteral("Apply Setting")), "applyButton");
    apply->setDefault(true);
    connect(apply, &QPushButton::clicked, this, &EepromEditor::applySetting);
    return apply;
}

void EepromEditor::applySetting() {
    const std::optional<EepromProblem> problem = store();
    if (!problem) {
        accept();
        return;
    }
    context().ui.inform(this, SheetPage::messageTitle(), problem->message);
    if (QWidget* field = m_fields.value(problem->field)) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
}

} // namespace kx
