#pragma once
// Builders of the controls the windows share, so that each has the name tests find it
// by and is announced with the label in front of it.

#include <initializer_list>

#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kx {

class Widgets final {
public:
    template <typename W> static W* named(W* widget, const QString& name) {
        widget->setObjectName(name);
        return widget;
    }
    template <typename W> static W* named(W* widget, const char* name) {
        return named(widget, QString::fromLatin1(name));
    }
    // Check boxes and radio buttons act on `toggled`, so that a mouse click, the keyboard
    // and an assistive technology's toggle all count; a state a window sets itself goes
    // through here and acts on nothing.
    static void setQuietly(QAbstractButton* button, bool checked);

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

    // A box for a network name: takes what driver/SsidText.h takes (at most 32 bytes, no
    // control character typed as such), and is wide enough for a name of 32 letters.
    static void takeSsid(QLineEdit* edit);

    static void setShown(std::initializer_list<QWidget*> widgets, bool shown);
    // Brings `window` to the top with the dialogs open over it, each above its own
    // parent, so a raised window never hides the dialog it waits for (a window manager
    // keeps them so, but there may be none). Answers the topmost.
    static QWidget* raiseWithDialogs(QWidget* window);
};

} // namespace kx
