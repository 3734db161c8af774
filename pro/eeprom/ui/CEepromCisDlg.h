#pragma once
// The PCMCIA card information structure editor: manufacturer and card codes, the four
// names of the version tuple and the supply voltage.

#include <array>

#include "pro/eeprom/CisFields.h"
#include "pro/eeprom/EepromSettings.h"
#include "pro/eeprom/ui/EepromEditor.h"

class QButtonGroup;

namespace kx {

class CEepromCisDlg final : public EepromEditor {
    Q_OBJECT
public:
    CEepromCisDlg(AppContext& context, EepromSettings::Tuples& tuples, QWidget* parent);
    ~CEepromCisDlg() override;

private:
    std::optional<EepromProblem> store() override;

    EepromSettings::Tuples& m_tuples;
    QLineEdit* m_manufacturer = nullptr;
    QLineEdit* m_card = nullptr;
    std::array<QLineEdit*, 4> m_names{};
    QButtonGroup* m_voltage = nullptr;
    int m_readVoltage = CisFields::NoVoltage;
};

} // namespace kx
