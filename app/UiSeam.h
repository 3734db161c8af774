#pragma once
// Everything that waits for a person or ends the process goes through here: message
// boxes, file pickers, modal runs of dialogs and the process exit. The Qt version is
// installed by default; tests install a scripted one (tests/support/ScriptedSeam).

#include <QString>

class QDialog;
class QWidget;

namespace kx {

class UiSeam {
public:
    virtual ~UiSeam() = default;

    static UiSeam& current();
    // nullptr puts the Qt version back.
    static void install(UiSeam* seam);

    // Question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // Message with an OK button.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    // Empty when cancelled.
    virtual QString saveFileName(QWidget* parent) = 0;
    virtual QString openFileName(QWidget* parent) = 0;
    // Runs the dialog modally; answers its result code.
    virtual int runModal(QDialog& dialog) = 0;
    virtual void endProcess(int exitCode) = 0;
};

} // namespace kx
