#pragma once
// Advanced settings: power saving, thresholds, preamble and the 27.5 Mbps mode.

#include <QDialog>

namespace kx {

class CAdvancedSettingDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAdvancedSettingDlg(QWidget* parent = nullptr);
    ~CAdvancedSettingDlg() override;
};

} // namespace kx
