#pragma once
// Versions of driver, firmware and program, the MAC address and the maker's contact lines.
// Everything is read once when the dialog opens.

#include <QDialog>

namespace kx {

class CInformationDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CInformationDlg(QWidget* parent = nullptr);
    ~CInformationDlg() override;
};

} // namespace kx
