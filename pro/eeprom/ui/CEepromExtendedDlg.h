#pragma once
// The extended EEPROM data editor: hardware version, channels, region, RF module, PA
// type, serial number, transmit power tables and the USB identity. The USB fields are
// shown on every bus but can be changed on USB adapters only; the USB string
// descriptors are shown, not stored.

#include <array>
#include <vector>

#include "pro/eeprom/EepromSettings.h"
#include "pro/eeprom/ExtendedFields.h"
#include "pro/eeprom/ui/EepromEditor.h"

namespace kx {

class CEepromExtendedDlg final : public EepromEditor {
    Q_OBJECT
public:
    CEepromExtendedDlg(AppContext& context, EepromSettings::Records& records, QWidget* parent);
    ~CEepromExtendedDlg() override;

private:
    std::optional<EepromProblem> store() override;

    EepromSettings::Records& m_records;
    struct Bound final {
        QLineEdit* edit;
        QString ExtendedFields::*text;
    };
    std::vector<Bound> m_bound; // the fields that are stored

    std::array<QComboBox*, 3> m_lists{};
};

} // namespace kx
