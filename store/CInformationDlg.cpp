#include "store/CInformationDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "adapter/AdapterState.h"
#include "app/LanguageTable.h"
#include "store/HexText.h"
#include "store/InformationTexts.h"
#include "store/VersionText.h"

namespace kx {

namespace {

namespace T = InformationTexts;

constexpr const LangText* kContactLines[] = {&T::IS_Item_Last_Info_1, &T::IS_Item_Last_Info_2,
                                             &T::IS_Item_Last_Info_3, &T::IS_Item_Last_Info_4,
                                             &T::IS_Item_Last_Info_5, &T::IS_Item_Last_Info_6};

QString text(const LangText& t) {
    return LanguageTable::instance().text(t);
}

QString orUnknown(const QString& version) {
    return version.isEmpty() ? text(T::IS_Item_Version_Unknown) : version;
}

QString driverVersionText() {
    return orUnknown(VersionText::driverVersion(QueryWL_DriverVersion(AdapterState::record())));
}

QString firmwareVersionText() {
    std::array<std::uint8_t, VersionText::kFirmwareBytes> bytes{};
    if (QueryWL_FirmwareVersion(AdapterState::record(), bytes.data()) == -1)
        return orUnknown({});
    return VersionText::firmwareVersion(bytes);
}

QString macAddressText() {
    // A failed query leaves the cleared buffer: all zeros.
    std::array<std::uint8_t, WL_MAC_BYTES> mac{};
    GetNICAdapterMAC(AdapterState::record(), mac.data());
    return HexText::fromBytes(mac.data(), WL_MAC_BYTES, true);
}

QLabel* namedLabel(const QString& caption, const QString& name) {
    auto* label = new QLabel(caption);
    label->setObjectName(name);
    return label;
}

void addValueRow(QFormLayout* form, const char* name, const LangText& label, const QString& value) {
    const QString base = QString::fromLatin1(name);
    auto* field = new QLineEdit(value);
    field->setObjectName(base + QStringLiteral("Value"));
    field->setReadOnly(true);
    field->setCursorPosition(0);
    // The whole value is visible, the program's build time included.
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(value + QStringLiteral("MM")));
    auto* caption = namedLabel(text(label), base + QStringLiteral("Label"));
    caption->setBuddy(field);
    form->addRow(caption, field);
}

} // namespace

CInformationDlg::CInformationDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CInformationDlg"));
    setWindowTitle(text(T::IS_Dialog_Title) + QStringLiteral("  "));

    auto* box = new QVBoxLayout(this);
    auto* heading = namedLabel(text(T::IS_Sub_Title), QStringLiteral("subTitleLabel"));
    heading->setAlignment(Qt::AlignCenter);
    box->addWidget(heading);

    // The driver is asked in this order: driver, firmware, MAC address.
    auto* form = new QFormLayout;
    addValueRow(form, "driverVersion", T::IS_Item_Driver_Version, driverVersionText());
    addValueRow(form, "firmwareVersion", T::IS_Item_Firmware_Version, firmwareVersionText());
    addValueRow(form, "utilityVersion", T::IS_Item_Utility_Version,
                VersionText::programVersion(__DATE__, __TIME__));
    addValueRow(form, "macAddress", T::IS_Item_MAC_Address, macAddressText());
    box->addLayout(form);

    box->addWidget(namedLabel(text(T::IS_Item_Last_Info), QStringLiteral("lastInfoLabel")));
    for (int i = 0; i < static_cast<int>(std::size(kContactLines)); ++i) {
        box->addWidget(
            namedLabel(text(*kContactLines[i]), QStringLiteral("lastInfo%1Label").arg(i + 1)));
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    box->addWidget(buttons);
}

CInformationDlg::~CInformationDlg() = default;

} // namespace kx
