#pragma once
// Everything that waits for a person or ends the process goes through here: message
// boxes, file pickers, modal runs of dialogs and the process exit. The program runs on
// QtSeam; tests hand in a scripted one (tests/support/ScriptedSeam).

#include <QString>

class QDialog;
class QWidget;

namespace kx {

class UiSeam {
public:
    virtual ~UiSeam() = default;

    // Question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // Message with an OK button.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    // Empty when cancelled.
    virtual QString saveFileName(QWidget* parent) = 0;
    virtual QString openFileName(QWidget* parent) = 0;
    // Runs the dialog modally; answers its result code.
    virtual int runModal(QDialog& dialog) = 0;
    // Ends the program with `exitCode` once the caller has returned: every dialog still
    // open closes as if cancelled, then the run ends as after the exit command.
    virtual void endProcess(int exitCode) = 0;
};

// The real screen: every box is modal to the window it is asked over, never to the
// whole program, so the tray icon stays usable.
class QtSeam final : public UiSeam {
public:
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    QString saveFileName(QWidget* parent) override;
    QString openFileName(QWidget* parent) override;
    int runModal(QDialog& dialog) override;
    void endProcess(int exitCode) override;
};

} // namespace kx
