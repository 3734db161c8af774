#pragma once
// Builders of the controls the windows share, so that each has the name tests find it
// by and is announced with the label in front of it.

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kx {

class Widgets final {
public:
    static QLabel* label(QWidget* parent, const char* name);
    // A value field: its value is its text, selectable for copying; `label` announces it.
    static QLabel* valueField(QWidget* parent, const char* name, QLabel* label);
    // Never pressed by Enter.
    static QPushButton* button(QWidget* parent, const char* name);
    // 0..100 without a text of its own; `label` announces it.
    static QProgressBar* percentBar(QWidget* parent, const char* name, QLabel* label);
    // A label announces its buddy only when both sit in the same widget. The text box
    // inside an editable list, and a control nested in a widget of its own (a slider
    // with its end labels), are announced with their label's text here instead. Again
    // after the labels' texts change.
    static void announceByLabels(QWidget* window);
};

} // namespace kx
