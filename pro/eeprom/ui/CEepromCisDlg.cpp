#include "pro/eeprom/ui/CEepromCisDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "pro/eeprom/CisFields.h"

namespace kx {

namespace {

struct NameRow final {
    const char* name;
    const char* field;
};
constexpr NameRow kNameRows[] = {{"manufactureName", "Manufacture Name"},
                                 {"productName", "Product Name"},
                                 {"additionalInfo1", "Additional Info 1"},
                                 {"additionalInfo2", "Additional Info 2"}};
static_assert(std::size(kNameRows) == VersionTuple::kStrings);

constexpr const char* kHex16 = "(16-bit, Hexdecimal)";

} // namespace

CEepromCisDlg::CEepromCisDlg(AppContext& context, EepromSettings::Tuples& tuples, QWidget* parent)
    : EepromEditor(context, parent, "CEepromCisDlg", "PCMCIA Card Information Structure"),
      m_tuples(tuples) {
    auto* grid = new QGridLayout;
    m_manufacturer = addField(grid, "manufacturer", "TPLMID_MANF", kHex16).edit;
    m_card = addField(grid, "card", "TPLMID_CARD", kHex16).edit;
    for (std::size_t i = 0; i < m_names.size(); ++i)
        m_names[i] = addField(grid, kNameRows[i].name, kNameRows[i].field, "(ASCII string)").edit;

    m_voltage = new QButtonGroup(this);
    auto* voltages = new QHBoxLayout;
    const struct {
        CisFields::Voltage voltage;
        const char* name;
        const char* text;
    } kVoltages[] = {{CisFields::FiveVolt, "fiveVoltRadio", "5 Volt"},
                     {CisFields::ThreeVolt, "threeVoltRadio", "3.3 Volt"}};
    for (const auto& v : kVoltages) {
        auto* radio = named(new QRadioButton(QString::fromLatin1(v.text)), v.name);
        m_voltage->addButton(radio, v.voltage);
        voltages->addWidget(radio);
    }
    voltages->addStretch();
    const int row = grid->rowCount();
    grid->addWidget(named(new QLabel(QStringLiteral("Supply Voltage:")), "supplyVoltageLabel"), row,
                    0);
    grid->addLayout(voltages, row, 1);

    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addWidget(makeApplyButton(), 0, Qt::AlignRight);

    const CisFields f = CisFields::fromTuples(tuples);
    m_readVoltage = f.readVoltage;
    m_manufacturer->setText(f.manufacturer);
    m_card->setText(f.card);
    for (std::size_t i = 0; i < m_names.size(); ++i)
        m_names[i]->setText(f.names[i]);
    if (QAbstractButton* chosen = m_voltage->button(f.voltage))
        chosen->setChecked(true);
}

CEepromCisDlg::~CEepromCisDlg() = default;

std::optional<EepromProblem> CEepromCisDlg::store() {
    CisFields f;
    f.manufacturer = m_manufacturer->text();
    f.card = m_card->text();
    for (std::size_t i = 0; i < m_names.size(); ++i)
        f.names[i] = m_names[i]->text();
    f.voltage = m_voltage->checkedId();
    f.readVoltage = m_readVoltage;
    return f.applyTo(m_tuples);
}

} // namespace kx
