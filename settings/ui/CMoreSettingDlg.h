#pragma once
// Basic settings ("More Setting..."): station settings, WEP switch, profiles, language.
// Every change takes effect when its button is pressed; closing changes nothing.

#include <functional>

#include "driver/DriverLimits.h"
#include "ui/ChildDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx {

class CMoreSettingDlg final : public ChildDialog {
    Q_OBJECT
public:
    enum ProfileAction { NoAction = -1, LoadProfile = 0, WriteProfile = 1, FactoryDefault = 2 };
    static constexpr int kSsidMaxLength = kMaxSsidBytes;

    // applyMainLayout re-applies the main window's texts after a language change.
    CMoreSettingDlg(AppContext& context, std::function<void()> applyMainLayout,
                    QWidget* parent = nullptr);
    ~CMoreSettingDlg() override;

private:
    void buildLayout();
    QGroupBox* buildGeneralGroup();
    QGroupBox* buildEncryptionGroup();
    QGroupBox* buildProfileGroup();
    QGroupBox* buildInterfaceGroup();
    QGroupBox* buildOtherGroup();
    void connectControls();

    void fillChannelList();
    void applyTexts();
    void applyButtonGate();
    void refillKeepingPosition(QComboBox* list, const QStringList& entries);
    void fillProfileList();

    void readCurrentValues();
    void selectChannel(int channel);
    void readSsid();
    void applyModeEnabling();
    void applyNetworkTypeRule();
    void readWepStatus();

    void onChangeApply();
    void applySettings();
    void onAnyToggled();
    void onEnableWepToggled();
    void onProfileAction(int action);
    void onLanguageChosen(int position);

    std::function<void()> m_applyMainLayout;
    bool m_editing = false;

    QLabel* m_channelLabel = nullptr;
    QComboBox* m_channelList = nullptr;
    QLabel* m_rateLabel = nullptr;
    QComboBox* m_rateList = nullptr;
    QLabel* m_ssidLabel = nullptr;
    QLineEdit* m_ssidEdit = nullptr;
    QCheckBox* m_anyCheck = nullptr;
    QLabel* m_typeLabel = nullptr;
    QComboBox* m_typeList = nullptr;
    QPushButton* m_changeApplyButton = nullptr;
    QGroupBox* m_generalGroup = nullptr;

    QGroupBox* m_encryptionGroup = nullptr;
    QCheckBox* m_enableWepCheck = nullptr;
    QLabel* m_wepDescription = nullptr;
    QPushButton* m_wepMoreButton = nullptr;

    QGroupBox* m_profileGroup = nullptr;
    QLabel* m_profileNameLabel = nullptr;
    QComboBox* m_profileNameList = nullptr;
    QButtonGroup* m_profileActions = nullptr;
    QRadioButton* m_loadProfileButton = nullptr;
    QRadioButton* m_writeProfileButton = nullptr;
    QRadioButton* m_loadDefaultButton = nullptr;

    QGroupBox* m_interfaceGroup = nullptr;
    QLabel* m_languageLabel = nullptr;
    QComboBox* m_languageList = nullptr;

    QGroupBox* m_otherGroup = nullptr;
    QLabel* m_otherDescription = nullptr;
    QPushButton* m_advancedButton = nullptr;
    QPushButton* m_professionalButton = nullptr;
    QPushButton* m_informationButton = nullptr;
};

} // namespace kx
