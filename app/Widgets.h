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
    // The text box inside an editable list is a control of its own to assistive
    // technology, and the label in front of the list does not reach it: it is announced
    // with that label's text. Again after the labels' texts change.
    static void nameListEditors(QWidget* window);
};

} // namespace kx
