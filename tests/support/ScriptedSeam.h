#pragma once
// The person in front of the screen, scripted: answers questions from a queue, records
// every message, picks file names from a queue and runs modal dialogs through a hook
// instead of a nested event loop. A test context hands it to the program.

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

#include "program/UiSeam.h"

namespace kx::test {

class ScriptedSeam final : public UiSeam {
public:
    struct Message {
        QString title;
        QString text;
        const QWidget* over = nullptr; // the window it was shown over
    };

    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    QString saveFileName(QWidget* parent) override;
    QString openFileName(QWidget* parent) override;
    int runModal(QDialog& dialog) override;
    void endProcess(int exitCode) override;

    // Answers for askYesNo, in order; when empty the answer is Yes.
    QList<bool> answers;
    // Questions asked and messages shown, in order.
    QList<Message> questions;
    QList<Message> messages;
    QStringList fileNames;
    // Called with each dialog run modally (it is shown, not exec'd); answers the result.
    // Without a hook the dialog is shown and closed at once with result 0.
    std::function<int(QDialog&)> onModal;
    QList<QString> modalClasses; // class names of the dialogs run, in order
    int exitCode = -1;           // last endProcess code, -1 when none
};

} // namespace kx::test
