#pragma once
// A spin button without a value of its own: an up and a down arrow beside a value
// field, each press reporting its step (+1 up, -1 down). Both arrows are buttons, so a
// click, the keyboard and an assistive technology's press all step.

#include <QWidget>

namespace kx {

class StepButtons final : public QWidget {
    Q_OBJECT
public:
    // The arrows are named `name` + "Up" / "Down" and announced as `what` + " up" / " down".
    StepButtons(const char* name, const QString& what, QWidget* parent = nullptr);
    ~StepButtons() override;

signals:
    void stepped(int step);
};

} // namespace kx
