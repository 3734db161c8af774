#include "pro/eeprom/ui/CEepromPciDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

CEepromPciDlg::CEepromPciDlg(AppContext& context, PciFields::Ids& ids, QWidget* parent)
    : EepromEditor(context, parent, "CEepromPciDlg", "PCI Card Basic Information"), m_ids(ids) {
    auto* group = named(new QGroupBox(QStringLiteral("PCI Subsystem Vendor ID / Device ID")),
                        "subsystemGroup");
    auto* grid = new QGridLayout(group);
    m_vendor = addField(grid, "vendor", "Vendor ID", "(16-bit, Hexdecimal)").edit;
    m_device = addField(grid, "device", "Device ID", "(16-bit, Hexdecimal)").edit;

    auto* box = new QVBoxLayout(this);
    box->addWidget(group);
    box->addWidget(makeApplyButton(), 0, Qt::AlignRight);

    const PciFields f = PciFields::fromIds(ids);
    m_vendor->setText(f.vendor);
    m_device->setText(f.device);
}

CEepromPciDlg::~CEepromPciDlg() = default;

std::optional<EepromProblem> CEepromPciDlg::store() {
    return PciFields{m_vendor->text(), m_device->text()}.applyTo(m_ids);
}

} // namespace kx
