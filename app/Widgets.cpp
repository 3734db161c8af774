#include "app/Widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

namespace kx {

void Widgets::setQuietly(QAbstractButton* button, bool checked) {
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
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

} // namespace kx
