#pragma once
// The PCI editor: the subsystem vendor and device IDs.

#include "pro/eeprom/PciFields.h"
#include "pro/eeprom/ui/EepromEditor.h"

namespace kx {

class CEepromPciDlg final : public EepromEditor {
    Q_OBJECT
public:
    CEepromPciDlg(AppContext& context, PciFields::Ids& ids, QWidget* parent);
    ~CEepromPciDlg() override;

private:
    std::optional<EepromProblem> store() override;

    PciFields::Ids& m_ids;
    QLineEdit* m_vendor = nullptr;
    QLineEdit* m_device = nullptr;
};

} // namespace kx
