#include "ui/Widgets.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QValidator>

#include "driver/DriverLimits.h"
#include "driver/SsidText.h"

namespace kx {

namespace {

// A keystroke or a paste that would make the name no name is not taken.
class SsidValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return SsidText::fromTyped(input.toStdU16String()) ? Acceptable : Invalid;
    }
};

} // namespace

void Widgets::setQuietly(QAbstractButton* button, bool checked) {
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
}

void Widgets::takeSsid(QLineEdit* edit) {
    edit->setValidator(new SsidValidator(edit));
    // A name of bytes that are no text shows as four characters a byte.
    edit->setMaxLength(4 * kMaxSsidBytes);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(kMaxSsidBytes, u'x')));
}

QLabel* Widgets::label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1StringView(name));
    return label;
}

QLabel* Widgets::valueField(QWidget* parent, const char* name, QLabel* label) {
    QLabel* value = Widgets::label(parent, name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(120);
    label->setBuddy(value);
    return value;
}

QPushButton* Widgets::button(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1StringView(name));
    button->setAutoDefault(false);
    return button;
}

QProgressBar* Widgets::percentBar(QWidget* parent, const char* name, QLabel* label) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1StringView(name));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFixedHeight(14);
    label->setBuddy(bar);
    return bar;
}

void Widgets::announceByLabels(QWidget* window) {
    // Marks a name given here, so that a new text of the label replaces it while a name
    // the window chose itself stays.
    static const char* const kGiven = "kxNameFromLabel";
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy == nullptr)
            continue;
        if (const auto* list = qobject_cast<const QComboBox*>(buddy); list != nullptr)
            buddy = list->lineEdit();
        else if (buddy->parentWidget() == label->parentWidget())
            continue; // found by its label already
        if (buddy == nullptr ||
            !(buddy->accessibleName().isEmpty() || buddy->property(kGiven).toBool()))
            continue;
        // As the label is announced: without its mnemonic marks ("&&" is an ampersand).
        static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
        buddy->setAccessibleName(label->text().replace(mnemonic, QStringLiteral("\\1")));
        buddy->setProperty(kGiven, true);
    }
}

void Widgets::setShown(std::initializer_list<QWidget*> widgets, bool shown) {
    for (QWidget* w : widgets)
        w->setVisible(shown);
}

QWidget* Widgets::raiseWithDialogs(QWidget* window) {
    window->raise();
    QWidget* top = window;
    for (QDialog* dialog : window->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (dialog->isWindow() && dialog->isVisible())
            top = raiseWithDialogs(dialog);
    }
    return top;
}

} // namespace kx
