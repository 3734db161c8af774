#include "settings/ui/CWEPKeySettingDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "driver/WepKeyText.h"
#include "settings/WepKeyTexts.h"
#include "store/WepKeys.h"

namespace kx {

namespace {

namespace T = WepKeyTexts;

constexpr const LangText* kKeyValueTexts[CWEPKeySettingDlg::kKeyCount] = {
    &T::WS_Key_Set_Key_Value_1, &T::WS_Key_Set_Key_Value_2, &T::WS_Key_Set_Key_Value_3,
    &T::WS_Key_Set_Key_Value_4};

} // namespace

CWEPKeySettingDlg::CWEPKeySettingDlg(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CWEPKeySettingDlg") {
    buildLayout();
    connectControls();

    m_changed.fill(false);
    applyTexts();
    const int mode = QueryWL_AuthenticationMode(context.adapter.record());
    m_authList->setCurrentIndex(mode >= 1 && mode <= m_authList->count() ? mode - 1 : -1);
    for (int i = 1; i <= kKeyCount; ++i)
        m_defaultKeyList->addItem(QStringLiteral("#%1").arg(i));
    refresh();
}

CWEPKeySettingDlg::~CWEPKeySettingDlg() = default;

bool CWEPKeySettingDlg::keyChanged(int index) const {
    return index >= 0 && index < kKeyCount && m_changed[static_cast<std::size_t>(index)];
}

void CWEPKeySettingDlg::buildLayout() {
    m_authList = named(new QComboBox, QStringLiteral("authenticationList"));
    m_authLabel = named(new QLabel, QStringLiteral("authenticationLabel"));
    m_authLabel->setBuddy(m_authList);

    m_keyGroup = named(new QGroupBox(this), QStringLiteral("keyGroup"));
    m_lengthLabel = named(new QLabel, QStringLiteral("keyLengthLabel"));
    m_length64 = named(new QRadioButton, QStringLiteral("keyLength64Radio"));
    m_length128 = named(new QRadioButton, QStringLiteral("keyLength128Radio"));
    m_lengthGroup = new QButtonGroup(this);
    m_lengthGroup->addButton(m_length64, code(WepBit::Bits64));
    m_lengthGroup->addButton(m_length128, code(WepBit::Bits128));
    m_defaultKeyList = named(new QComboBox, QStringLiteral("defaultKeyList"));
    m_defaultKeyLabel = named(new QLabel, QStringLiteral("defaultKeyLabel"));
    m_defaultKeyLabel->setBuddy(m_defaultKeyList);
    m_keyValueLabel = named(new QLabel, QStringLiteral("keyValueLabel"));
    m_noteLabel = named(new QLabel, QStringLiteral("keyNoteLabel"));

    auto* grid = new QGridLayout(m_keyGroup);
    grid->addWidget(m_lengthLabel, 0, 0);
    auto* lengths = new QHBoxLayout;
    lengths->addWidget(m_length64);
    lengths->addWidget(m_length128);
    lengths->addStretch();
    grid->addLayout(lengths, 0, 1);
    grid->addWidget(m_defaultKeyLabel, 1, 0);
    grid->addWidget(m_defaultKeyList, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_keyValueLabel, 2, 0, 1, 2);
    for (int i = 0; i < kKeyCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        m_keyEdits[at] = named(new QLineEdit, QStringLiteral("keyEdit%1").arg(i + 1));
        // A 128-bit key, typed with blanks between its pairs, is seen whole.
        m_keyEdits[at]->setMinimumWidth(m_keyEdits[at]->fontMetrics().horizontalAdvance(
            QString::fromLatin1(WepKeyText::placeholder(WepBit::Bits128)) + QStringLiteral("MM")));
        m_keyLabels[at] = named(new QLabel, QStringLiteral("keyLabel%1").arg(i + 1));
        m_keyLabels[at]->setBuddy(m_keyEdits[at]);
        grid->addWidget(m_keyLabels[at], 3 + i, 0, Qt::AlignRight);
        grid->addWidget(m_keyEdits[at], 3 + i, 1);
    }
    grid->addWidget(m_noteLabel, 3 + kKeyCount, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    m_changeApplyButton = named(new QPushButton, QStringLiteral("changeApplyButton"));

    auto* authRow = new QHBoxLayout;
    authRow->addWidget(m_authLabel);
    authRow->addWidget(m_authList, 1);
    auto* box = new QVBoxLayout(this);
    box->addLayout(authRow);
    box->addWidget(m_keyGroup);
    box->addWidget(m_changeApplyButton, 0, Qt::AlignRight);
}

void CWEPKeySettingDlg::connectControls() {
    for (int i = 0; i < kKeyCount; ++i) {
        // Every change of the text counts, the dialog's own writes included.
        connect(m_keyEdits[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i] { m_changed[static_cast<std::size_t>(i)] = true; });
    }
    for (QRadioButton* length : {m_length64, m_length128}) {
        connect(length, &QRadioButton::toggled, this, [this, length](bool chosen) {
            if (chosen)
                onKeyLengthChosen(m_lengthGroup->id(length));
        });
    }
    connect(m_changeApplyButton, &QPushButton::clicked, this, &CWEPKeySettingDlg::onChangeApply);
    connect(m_authList, &QComboBox::activated, this, &CWEPKeySettingDlg::onAuthenticationChosen);
}

void CWEPKeySettingDlg::applyTexts() {
    setTitleText(T::WS_Dialog_Title);
    m_authLabel->setText(text(T::WS_Authen_Mode));
    m_keyGroup->setTitle(text(T::WS_Key_Set_Sub_Title));
    m_lengthLabel->setText(text(T::WS_Key_Set_Key_Length));
    m_length64->setText(text(T::WS_Key_Set_Key_Length_64));
    m_length128->setText(text(T::WS_Key_Set_Key_Length_128));
    m_defaultKeyLabel->setText(text(T::WS_Key_Set_Key_Default_Id));
    m_keyValueLabel->setText(text(T::WS_Key_Set_Key_Value_Desc));
    for (int i = 0; i < kKeyCount; ++i)
        m_keyLabels[static_cast<std::size_t>(i)]->setText(text(*kKeyValueTexts[i]));
    m_noteLabel->setText(text(T::WS_Key_Set_Key_Note));
    m_authList->clear();
    m_authList->addItems(context().language.family(T::WS_Authen_Mode_Value));
}

void CWEPKeySettingDlg::refresh() {
    WLAdapterInfo* adapter = context().adapter.record();
    // A failed query (-1) shows 64-bit keys.
    m_keyLength =
        WepBit{QueryWL_WEPbit(adapter)} == WepBit::Bits128 ? WepBit::Bits128 : WepBit::Bits64;
    const int keyId = QueryWL_DefaultKeyID(adapter);
    m_defaultKeyList->setCurrentIndex(keyId >= 0 && keyId < kKeyCount ? keyId : -1);
    mask();
    m_length64->setEnabled(m_editing);
    m_length128->setEnabled(m_editing);
    m_defaultKeyList->setEnabled(m_editing);
    for (QLineEdit* edit : m_keyEdits)
        edit->setEnabled(m_editing);
    m_changeApplyButton->setText(
        text(m_editing ? T::WS_Key_Set_Button_Apply : T::WS_Key_Set_Button_Change));
}

void CWEPKeySettingDlg::mask() {
    const QString placeholder = QString::fromLatin1(WepKeyText::placeholder(m_keyLength));
    for (int i = 0; i < kKeyCount; ++i) {
        m_changed[static_cast<std::size_t>(i)] = false;
        m_keyEdits[static_cast<std::size_t>(i)]->setText(placeholder);
    }
    showKeyLength();
}

void CWEPKeySettingDlg::showKeyLength() {
    setQuietly(m_keyLength == WepBit::Bits128 ? m_length128 : m_length64, true);
}

void CWEPKeySettingDlg::onChangeApply() {
    if (m_editing)
        applyKeys();
    m_editing = !m_editing;
    refresh();
}

void CWEPKeySettingDlg::applyKeys() {
    // A box still showing its placeholder keeps the recorded key.
    AdapterSettings::TypedKeys typed;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (m_changed[i])
            typed[i] = m_keyEdits[i]->text();
    }
    reportUnsaved(
        context().settings.setWepKeys(typed, m_keyLength, m_defaultKeyList->currentIndex()));
}

void CWEPKeySettingDlg::onKeyLengthChosen(int id) {
    const auto keyLength = WepBit{id};
    if (keyLength == m_keyLength)
        return;
    m_keyLength = keyLength;
    mask();
}

void CWEPKeySettingDlg::onAuthenticationChosen(int position) {
    if (position < 0)
        return;
    reportUnsaved(context().settings.setAuthenticationMode(position + 1));
}

} // namespace kx
