#pragma once
// A threshold slider as the settings dialogs show it: end labels, the value text under
// the thumb, and a change only when the user moves it. The value is sent where a drag
// ends, never for every pixel on the way; the text follows the thumb all the same.

#include <functional>

#include <QString>
#include <QWidget>

class QLabel;
class QSlider;

namespace kx {

class ThresholdSlider final : public QWidget {
    Q_OBJECT
public:
    enum EndLabels { BothEnds, MaximumOnly };
    using ValueText = std::function<QString(int value)>;

    // Object names: <name>Slider, <name>MinLabel (with BothEnds), <name>MaxLabel and
    // <name>ValueLabel. The minimum's end label, when there is one, announces the slider.
    ThresholdSlider(const QString& name, int minimum, int maximum, EndLabels ends,
                    ValueText valueText, QWidget* parent = nullptr);

    // A horizontal slider with ticks and page steps of `step`, sent on release.
    static QSlider* makeSlider(const QString& name, int minimum, int maximum, int step);

    QSlider* slider() const { return m_slider; }
    int value() const;
    // Positions the thumb without it counting as the user's move.
    void place(int value);
    // The value text for the value now set (once it has been sent).
    void showValue();

signals:
    // The user moved the thumb (mouse, keys or an assistive technology).
    void changed();

private:
    void showText(int value);

    ValueText m_valueText;
    QSlider* m_slider = nullptr;
    QLabel* m_valueLabel = nullptr;
};

} // namespace kx
