#pragma once
// Advanced settings: power saving, thresholds, preamble and the 27.5 Mbps mode. Every
// control sends its value the moment it changes; there is nothing to confirm.

#include "store/SettingResult.h"
#include "ui/ChildDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QSlider;

namespace kx {

class PreambleGroup;
class ThresholdSlider;

class CAdvancedSettingDlg final : public ChildDialog {
    Q_OBJECT
public:
    explicit CAdvancedSettingDlg(AppContext& context, QWidget* parent = nullptr);
    ~CAdvancedSettingDlg() override;

    // "Professional Mode" (and the access point's "DbgCmd"): the professional sheet in
    // professional mode, this dialog otherwise.
    static void openOrProfessional(AppContext& context, QWidget* parent);
    // Whether that button can act: the sheet needs start-up to have installed it.
    static bool canOpenOrProfessional(const AppContext& context);

private:
    void buildLayout();
    QGroupBox* buildPowerGroup();
    QGroupBox* buildThresholdGroup(ThresholdSlider*& row, const char* name, int minimum,
                                   int maximum, const LangText& disableText);
    void connectControls();
    void applyTexts();
    void initialise();

    SettingResult sendLevel();
    SettingResult sendFragmentThreshold();
    SettingResult sendRtsThreshold();
    SettingResult sendPowerSave();
    void onSliderChanged();
    void onPowerSaveToggled();
    void onHighRateToggled();

    int m_lastRtsSent = 0;

    QGroupBox* m_powerGroup = nullptr;
    QCheckBox* m_powerSaveCheck = nullptr;
    QCheckBox* m_highRateCheck = nullptr;
    QSlider* m_levelSlider = nullptr;
    QWidget* m_levelPanel = nullptr;
    QLabel* m_levelText = nullptr;
    QGroupBox* m_fragmentGroup = nullptr;
    ThresholdSlider* m_fragment = nullptr;
    QGroupBox* m_rtsGroup = nullptr;
    ThresholdSlider* m_rts = nullptr;
    PreambleGroup* m_preamble = nullptr;
};

} // namespace kx
