#pragma once
// Versions of driver, firmware and program, the MAC address and the maker's contact lines.
// Everything is read once when the dialog opens.

#include "ui/ChildDialog.h"

namespace kx {

class CInformationDlg final : public ChildDialog {
    Q_OBJECT
public:
    explicit CInformationDlg(AppContext& context, QWidget* parent = nullptr);
    ~CInformationDlg() override;
};

} // namespace kx
