#pragma once
// Advanced settings: power saving, thresholds, preamble and the 27.5 Mbps mode. Every
// control sends its value the moment it changes; there is nothing to confirm.

#include "app/ChildDialog.h"
#include "store/SettingResult.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;

namespace kx {

class CAdvancedSettingDlg final : public ChildDialog {
    Q_OBJECT
public:
    explicit CAdvancedSettingDlg(AppContext& context, QWidget* parent = nullptr);
    ~CAdvancedSettingDlg() override;

private:
    struct SliderRow {
        QSlider* slider = nullptr;
        QLabel* minLabel = nullptr;
        QLabel* maxLabel = nullptr;
        QLabel* valueLabel = nullptr;
    };

    void buildLayout();
    QGroupBox* buildPowerGroup();
    QGroupBox* buildThresholdGroup(SliderRow& row, const char* name, int minimum, int maximum);
    QGroupBox* buildPreambleGroup();
    void connectControls();
    void applyTexts();
    void initialise();

    SettingResult sendLevel();
    SettingResult sendFragmentThreshold();
    SettingResult sendRtsThreshold();
    SettingResult sendPowerSave();
    SettingResult sendAutoPreamble();
    void onSliderChanged();
    void showThresholdTexts();
    void onPowerSaveToggled();
    void onAutoPreambleToggled();
    void onPreambleChosen();
    void onHighRateToggled();
    void setPreambleChoice(int choice);

    int m_lastRtsSent = 0;
    bool m_preambleUsable = false;

    QGroupBox* m_powerGroup = nullptr;
    QCheckBox* m_powerSaveCheck = nullptr;
    QCheckBox* m_highRateCheck = nullptr;
    QSlider* m_levelSlider = nullptr;
    QWidget* m_levelPanel = nullptr;
    QLabel* m_levelText = nullptr;
    QGroupBox* m_fragmentGroup = nullptr;
    SliderRow m_fragment;
    QGroupBox* m_rtsGroup = nullptr;
    SliderRow m_rts;
    QGroupBox* m_preambleGroup = nullptr;
    QCheckBox* m_autoPreambleCheck = nullptr;
    QButtonGroup* m_preambleChoice = nullptr;
    QRadioButton* m_longPreamble = nullptr;
    QRadioButton* m_shortPreamble = nullptr;
};

} // namespace kx
