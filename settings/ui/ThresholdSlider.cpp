#include "settings/ui/ThresholdSlider.h"

#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include "settings/AdvancedValues.h"

namespace kx {

namespace {

QLabel* endLabel(const QString& name, int value) {
    auto* label = new QLabel(QString::number(value));
    label->setObjectName(name);
    // End labels of one width in every row, so that the slider tracks line up.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    return label;
}

} // namespace

QSlider* ThresholdSlider::makeSlider(const QString& name, int minimum, int maximum, int step) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setObjectName(name);
    s->setRange(minimum, maximum);
    s->setTickInterval(step);
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(step);
    s->setSingleStep(1);
    // A value sent may restart the adapter: a drag sends where it ends.
    s->setTracking(false);
    s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QString(40, u'0')));
    return s;
}

ThresholdSlider::ThresholdSlider(const QString& name, int minimum, int maximum, EndLabels ends,
                                 ValueText valueText, QWidget* parent)
    : QWidget(parent), m_valueText(std::move(valueText)) {
    m_slider =
        makeSlider(name + QStringLiteral("Slider"), minimum, maximum, AdvancedValues::kSliderStep);
    m_valueLabel = new QLabel;
    m_valueLabel->setObjectName(name + QStringLiteral("ValueLabel"));
    m_valueLabel->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    if (ends == BothEnds) {
        QLabel* minLabel = endLabel(name + QStringLiteral("MinLabel"), minimum);
        minLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        minLabel->setBuddy(m_slider);
        grid->addWidget(minLabel, 0, 0);
    }
    grid->addWidget(m_slider, 0, 1);
    grid->addWidget(endLabel(name + QStringLiteral("MaxLabel"), maximum), 0, 2);
    grid->addWidget(m_valueLabel, 1, 1);
    grid->setColumnStretch(1, 1);

    connect(m_slider, &QSlider::valueChanged, this, &ThresholdSlider::changed);
    connect(m_slider, &QSlider::sliderMoved, this, &ThresholdSlider::showText);
}

int ThresholdSlider::value() const {
    return m_slider->value();
}

void ThresholdSlider::place(int value) {
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(value);
}

void ThresholdSlider::showValue() {
    showText(m_slider->value());
}

void ThresholdSlider::showText(int value) {
    m_valueLabel->setText(m_valueText(value));
}

} // namespace kx
