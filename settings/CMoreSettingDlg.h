#pragma once
// Basic settings ("More Setting..."): station settings, WEP switch, profiles, language.

#include <functional>

#include <QDialog>

namespace kx {

class CMoreSettingDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CMoreSettingDlg(std::function<void()> applyMainLayout, QWidget* parent = nullptr);
    ~CMoreSettingDlg() override;
};

} // namespace kx
