#pragma once
// WEP key settings: authentication mode, key length, default key and the four keys.

#include <QDialog>

namespace kx {

class CWEPKeySettingDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CWEPKeySettingDlg(QWidget* parent = nullptr);
    ~CWEPKeySettingDlg() override;
};

} // namespace kx
