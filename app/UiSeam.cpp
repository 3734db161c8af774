#include "app/UiSeam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdlib>

namespace kx {

namespace {

class QtSeam final : public UiSeam {
public:
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override {
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    }
    void inform(QWidget* parent, const QString& title, const QString& text) override {
        QMessageBox::information(parent, title, text);
    }
    QString saveFileName(QWidget* parent) override {
        return QFileDialog::getSaveFileName(parent, QString(), QString(), QString(), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    QString openFileName(QWidget* parent) override {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), QString(), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    int runModal(QDialog& dialog) override { return dialog.exec(); }
    void endProcess(int exitCode) override { std::exit(exitCode); }
};

QtSeam& qtSeam() {
    static QtSeam seam;
    return seam;
}

UiSeam* g_seam = nullptr;

} // namespace

UiSeam& UiSeam::current() { return g_seam ? *g_seam : qtSeam(); }

void UiSeam::install(UiSeam* seam) { g_seam = seam; }

} // namespace kx
