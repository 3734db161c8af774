#pragma once
// WEP key settings: authentication mode, key length, default key and the four keys.
// Stored keys are never shown: each box holds a placeholder until a key is typed.

#include <array>

#include "ui/ChildDialog.h"

#include "driver/DriverCodes.h"
#include "store/WepKeys.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx {

class CWEPKeySettingDlg final : public ChildDialog {
    Q_OBJECT
public:
    static constexpr int kKeyCount = WepKeys::kCount;

    explicit CWEPKeySettingDlg(AppContext& context, QWidget* parent = nullptr);
    ~CWEPKeySettingDlg() override;

    // Whether the text of key box `index` (0..3) changed since it was last masked.
    bool keyChanged(int index) const;

private:
    void buildLayout();
    void connectControls();
    void applyTexts();
    void refresh();
    void mask();
    void showKeyLength();
    void onChangeApply();
    void applyKeys();
    void onKeyLengthChosen(int id);
    void onAuthenticationChosen(int position);

    WepBit m_keyLength = WepBit::Bits64;
    bool m_editing = false;
    std::array<bool, kKeyCount> m_changed{};

    QLabel* m_authLabel = nullptr;
    QComboBox* m_authList = nullptr;
    QGroupBox* m_keyGroup = nullptr;
    QLabel* m_lengthLabel = nullptr;
    QButtonGroup* m_lengthGroup = nullptr;
    QRadioButton* m_length64 = nullptr;
    QRadioButton* m_length128 = nullptr;
    QLabel* m_defaultKeyLabel = nullptr;
    QComboBox* m_defaultKeyList = nullptr;
    QLabel* m_keyValueLabel = nullptr;
    std::array<QLabel*, kKeyCount> m_keyLabels{};
    std::array<QLineEdit*, kKeyCount> m_keyEdits{};
    QLabel* m_noteLabel = nullptr;
    QPushButton* m_changeApplyButton = nullptr;
};

} // namespace kx
