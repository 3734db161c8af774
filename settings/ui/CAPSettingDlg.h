#pragma once
// Access point settings: channel, basic rates, SSID and its hiding (changed together
// through "Change"/"Apply"), and transmit power, WEP, authentication, thresholds and
// preamble, each sent the moment it changes. Opens the WEP keys, the MAC address filter
// and the advanced settings or the professional sheet. The texts are fixed English ones.

#include <array>

#include "store/AdapterSettings.h"
#include "store/SettingResult.h"
#include "ui/ChildDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class PreambleGroup;
class ThresholdSlider;

class CAPSettingDlg final : public ChildDialog {
    Q_OBJECT
public:
    explicit CAPSettingDlg(AppContext& context, QWidget* parent = nullptr);
    ~CAPSettingDlg() override;

private:
    void buildLayout();
    QGroupBox* buildGeneralGroup();
    QWidget* buildRadioSettings();
    void connectControls();
    void initialise();
    void readChannels();
    void readSsid();
    void showSsidInUse(const AdapterSettings::ApSsid& ssid);

    void onChangeApply();
    [[nodiscard]] SettingResult applyGeneralSettings(int rates);
    void applyEditing();
    void onTxPowerChosen(int level);
    void onWepChosen(int position);
    void onAuthenticationChosen(int position);
    void onSliderChanged();
    [[nodiscard]] SettingResult sendFragmentThreshold();
    [[nodiscard]] SettingResult sendRtsThreshold();

    bool m_editing = false;

    QComboBox* m_channelList = nullptr;
    std::array<QCheckBox*, 4> m_rateChecks{};
    QLineEdit* m_ssidEdit = nullptr;
    QCheckBox* m_hideSsidCheck = nullptr;
    QComboBox* m_txPowerList = nullptr;
    QPushButton* m_changeApplyButton = nullptr;
    QLabel* m_ratesUnreadNotice = nullptr;
    QLabel* m_ssidNotice = nullptr;
    QComboBox* m_wepList = nullptr;
    QPushButton* m_wepSettingButton = nullptr;
    QComboBox* m_authenticationList = nullptr;
    ThresholdSlider* m_fragment = nullptr;
    ThresholdSlider* m_rts = nullptr;
    QPushButton* m_macFilterButton = nullptr;
    PreambleGroup* m_preamble = nullptr;
    QPushButton* m_dbgCmdButton = nullptr;
    QPushButton* m_okButton = nullptr;
};

} // namespace kx
