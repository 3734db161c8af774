#include "info/ui/CInformationDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "context/AppContext.h"
#include "driver/HexText.h"
#include "info/InformationTexts.h"
#include "info/VersionText.h"

namespace kx {

namespace {

namespace T = InformationTexts;

constexpr const LangText* kContactLines[] = {&T::IS_Item_Last_Info_1, &T::IS_Item_Last_Info_2,
                                             &T::IS_Item_Last_Info_3, &T::IS_Item_Last_Info_4,
                                             &T::IS_Item_Last_Info_5, &T::IS_Item_Last_Info_6};

QString orUnknown(const LanguageTable& lang, const QString& version) {
    return version.isEmpty() ? lang.text(T::IS_Item_Version_Unknown) : version;
}

QString driverVersionText(AppContext& ctx) {
    return orUnknown(ctx.language,
                     VersionText::driverVersion(QueryWL_DriverVersion(ctx.adapter.record())));
}

QString firmwareVersionText(AppContext& ctx) {
    std::array<std::uint8_t, VersionText::kFirmwareBytes> bytes{};
    if (QueryWL_FirmwareVersion(ctx.adapter.record(), bytes.data()) == -1)
        return orUnknown(ctx.language, {});
    return VersionText::firmwareVersion(bytes);
}

QString macAddressText(AppContext& ctx) {
    // A failed query leaves the cleared buffer: all zeros.
    std::array<std::uint8_t, WL_MAC_BYTES> mac{};
    GetNICAdapterMAC(ctx.adapter.record(), mac.data());
    return QString::fromLatin1(HexText::fromBytes(mac.data(), WL_MAC_BYTES, true));
}

QLabel* namedLabel(const QString& caption, const QString& name) {
    auto* label = new QLabel(caption);
    label->setObjectName(name);
    return label;
}

void addValueRow(QFormLayout* form, const char* name, const QString& label, const QString& value) {
    const QString base = QString::fromLatin1(name);
    auto* field = new QLineEdit(value);
    field->setObjectName(base + QStringLiteral("Value"));
    field->setReadOnly(true);
    field->setCursorPosition(0);
    // The whole value is visible, the program's build time included.
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(value + QStringLiteral("MM")));
    auto* caption = namedLabel(label, base + QStringLiteral("Label"));
    caption->setBuddy(field);
    form->addRow(caption, field);
}

} // namespace

CInformationDlg::CInformationDlg(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CInformationDlg") {
    setTitleText(T::IS_Dialog_Title);

    auto* box = new QVBoxLayout(this);
    auto* heading = namedLabel(text(T::IS_Sub_Title), QStringLiteral("subTitleLabel"));
    heading->setAlignment(Qt::AlignCenter);
    box->addWidget(heading);

    // The driver is asked in this order: driver, firmware, MAC address.
    auto* form = new QFormLayout;
    addValueRow(form, "driverVersion", text(T::IS_Item_Driver_Version), driverVersionText(context));
    addValueRow(form, "firmwareVersion", text(T::IS_Item_Firmware_Version),
                firmwareVersionText(context));
    addValueRow(form, "utilityVersion", text(T::IS_Item_Utility_Version),
                VersionText::programVersion(__DATE__, __TIME__));
    addValueRow(form, "macAddress", text(T::IS_Item_MAC_Address), macAddressText(context));
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
