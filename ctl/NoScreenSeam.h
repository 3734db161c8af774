#pragma once
// kxctl has no screen: nothing waits for a person. The monitor's questions are answered
// by ControlSession itself, so what reaches here would be a window's and is declined.

#include "program/UiSeam.h"

namespace kx {

class NoScreenSeam final : public UiSeam {
public:
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    void inform(QWidget*, const QString&, const QString&) override {}
    QString saveFileName(QWidget*) override { return {}; }
    QString openFileName(QWidget*) override { return {}; }
    int runModal(QDialog&) override { return 0; }
    void endProcess(int) override {}
};

} // namespace kx
