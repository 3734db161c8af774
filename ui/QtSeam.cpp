#include "program/UiSeam.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace kx {

namespace {

// Modal to the window of `parent`, where there is one.
template <typename D> int runOver(QWidget* parent, D& dialog) {
    if (parent != nullptr)
        dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}

QString pickFile(QWidget* parent, QFileDialog::AcceptMode mode) {
    QFileDialog picker(parent);
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.setAcceptMode(mode);
    picker.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (runOver(parent, picker) != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return {};
    return picker.selectedFiles().constFirst();
}

} // namespace

bool QtSeam::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    return runOver(parent, box) == QMessageBox::Yes;
}

void QtSeam::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    runOver(parent, box);
}

QString QtSeam::saveFileName(QWidget* parent) {
    return pickFile(parent, QFileDialog::AcceptSave);
}

QString QtSeam::openFileName(QWidget* parent) {
    return pickFile(parent, QFileDialog::AcceptOpen);
}

int QtSeam::runModal(QDialog& dialog) {
    return runOver(dialog.parentWidget(), dialog);
}

void QtSeam::endProcess(int exitCode) {
    QCoreApplication::exit(exitCode);
}

} // namespace kx
