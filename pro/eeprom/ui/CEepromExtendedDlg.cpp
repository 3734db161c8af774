#include "pro/eeprom/ui/CEepromExtendedDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "adapter/AdapterState.h"
#include "context/AppContext.h"
#include "pro/eeprom/EepromCodeTable.h"
#include "pro/eeprom/ExtendedFields.h"

namespace kx {

namespace {

constexpr int kShort = 6; // characters shown by a field of one or two bytes
constexpr int kLong = 60; // twenty bytes as pairs with blanks

struct TextRow final {
    const char* name;
    const char* field;
    const char* unit;
    QString ExtendedFields::*text;
    int width;
    bool usb;
};

// The values above the three lists, then those below them.
constexpr TextRow kUpperRows[] = {
    {"hardwareVersion", "Hardware Version", "(8-bit, Hexdecimal)", &ExtendedFields::hardwareVersion,
     kShort, false},
    {"allowedChannel", "Allowed Channel", "(16-bit, Hexdecimal)", &ExtendedFields::allowedChannel,
     kShort, false},
    {"defaultChannel", "Default Channel", "(16-bit, Hexdecimal)", &ExtendedFields::defaultChannel,
     kShort, false},
};
constexpr TextRow kLowerRows[] = {
    {"serialNumber", "Serial Number", "(12 Bytes) (Hex)", &ExtendedFields::serialNumber, kLong,
     false},
    {"txSetPoint", "Tx Set Point Value", "", &ExtendedFields::txSetPoint, kLong, false},
    {"txIntegration", "Tx Integration Value", "", &ExtendedFields::txIntegration, kLong, false},
    {"usbVendorId", "USB Vendor ID", "(16-bit, Hexdecimal)", &ExtendedFields::usbVendorId, kShort,
     true},
    {"usbDeviceId", "USB Device ID", "(16-bit, Hexdecimal)", &ExtendedFields::usbDeviceId, kShort,
     true},
};

struct ListRow final {
    EepromCodeTable::List list;
    const char* name;
    const char* field;
    bool olderChipOnly;
};
constexpr ListRow kListRows[] = {
    {EepromCodeTable::Region, "region", "Region", false},
    {EepromCodeTable::RfModule, "rfModule", "RF Module", true},
    {EepromCodeTable::PaType, "paType", "PA Type", true},
};

struct StringRow final {
    const char* name;
    const char* field;
};
constexpr StringRow kUsbStrings[] = {
    {"usbString0", "USB String 0"}, {"usbString1", "USB String 1"}, {"usbString2", "USB String 2"}};

// Short fields keep their width; the byte lists take what the line has.
void setWidth(QLineEdit* edit, int characters) {
    constexpr int kFrameAndMargins = 16;
    const int width =
        edit->fontMetrics().horizontalAdvance(QString(characters, u'0')) + kFrameAndMargins;
    if (characters == kShort)
        edit->setFixedWidth(width);
    else
        edit->setMinimumWidth(width);
}

} // namespace

CEepromExtendedDlg::CEepromExtendedDlg(AppContext& context, EepromSettings::Records& records,
                                       QWidget* parent)
    : EepromEditor(context, parent, "CEepromExtendedDlg", "Extended EEPROM Data"),
      m_records(records) {
    const bool usb = context.adapter.busKind == BusUsb;
    const ExtendedFields f = ExtendedFields::fromRecords(records);
    auto* grid = new QGridLayout;
    const auto addRows = [&](const auto& rows) {
        for (const TextRow& r : rows) {
            const Row row = addField(grid, r.name, r.field, r.unit);
            row.edit->setText(f.*r.text);
            setWidth(row.edit, r.width);
            // Shown everywhere, changed only where the adapter has a USB identity.
            row.setEnabled(!r.usb || usb);
            m_bound.push_back({row.edit, r.text});
        }
    };
    addRows(kUpperRows);
    for (const ListRow& r : kListRows) {
        QComboBox* list = addList(grid, r.name, r.field);
        for (const EepromCodeTable::Entry& e : EepromCodeTable::entries(r.list))
            list->addItem(QString::fromLatin1(e.name));
        list->setCurrentIndex(f.selection[r.list]);
        list->setEnabled(!r.olderChipOnly || !context.adapter.newerChip());
        m_lists[r.list] = list;
    }
    addRows(kLowerRows);
    for (std::size_t i = 0; i < std::size(kUsbStrings); ++i) {
        const Row row = addField(grid, kUsbStrings[i].name, kUsbStrings[i].field);
        row.edit->setText(f.usbStrings[i]);
        row.edit->setReadOnly(true);
        setWidth(row.edit, kLong);
        row.setEnabled(usb);
    }
    grid->setColumnStretch(1, 1);

    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addWidget(makeApplyButton(), 0, Qt::AlignRight);
}

CEepromExtendedDlg::~CEepromExtendedDlg() = default;

std::optional<EepromProblem> CEepromExtendedDlg::store() {
    ExtendedFields f;
    for (const Bound& b : m_bound)
        f.*b.text = b.edit->text();
    for (const ListRow& r : kListRows)
        f.selection[r.list] = m_lists[r.list]->currentIndex();
    return f.applyTo(m_records);
}

} // namespace kx
