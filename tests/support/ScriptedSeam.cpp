#include "tests/support/ScriptedSeam.h"

#include <QDialog>

namespace kx::test {

bool ScriptedSeam::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    questions.append({title, text, parent});
    return answers.isEmpty() ? true : answers.takeFirst();
}

void ScriptedSeam::inform(QWidget* parent, const QString& title, const QString& text) {
    messages.append({title, text, parent});
}

QString ScriptedSeam::saveFileName(QWidget*) {
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString ScriptedSeam::openFileName(QWidget*) {
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

int ScriptedSeam::runModal(QDialog& dialog) {
    modalClasses.append(QString::fromLatin1(dialog.metaObject()->className()));
    dialog.show();
    const int result = onModal ? onModal(dialog) : 0;
    dialog.hide();
    return result;
}

void ScriptedSeam::endProcess(int code) {
    exitCode = code;
}

} // namespace kx::test
