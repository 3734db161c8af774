#include "pro/eeprom/ui/CPropertyEEPROMAccess.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "adapter/AdapterSelector.h"
#include "adapter/AdapterState.h"
#include "context/AppContext.h"
#include "pro/eeprom/EepromImageFile.h"
#include "pro/eeprom/MacEntry.h"
#include "pro/eeprom/ui/CEepromCisDlg.h"
#include "pro/eeprom/ui/CEepromExtendedDlg.h"
#include "pro/eeprom/ui/CEepromPciDlg.h"
#include "program/UiSeam.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

QPushButton* button(const char* name, const char* text) {
    QPushButton* b = Widgets::button(nullptr, name);
    b->setText(QString::fromLatin1(text));
    return b;
}

} // namespace

CPropertyEEPROMAccess::CPropertyEEPROMAccess(AppContext& context, QWidget* parent)
    : SheetPage(context, parent, "CPropertyEEPROMAccess", "EEPROM Access"),
      m_access(context.adapter, context.config.ChipVersion) {
    auto* busLabel = Widgets::label(this, "busTypeLabel");
    busLabel->setText(QStringLiteral("Adapter Bus Type:"));
    m_busType = Widgets::valueField(this, "busTypeValue", busLabel);
    auto* busRow = new QHBoxLayout;
    busRow->addWidget(busLabel);
    busRow->addWidget(m_busType, 1);

    auto* content = new QGroupBox(QStringLiteral("Edit EEPROM Content"));
    content->setObjectName(QStringLiteral("editContentGroup"));
    m_cisButton = button("cisButton", "PCMCIA Card Information Structure");
    m_pciButton = button("pciButton", "PCI Card Basic Information");
    m_extendedButton = button("extendedButton", "Extended EEPROM Data");
    auto* macLabel = Widgets::label(this, "macAddressLabel");
    macLabel->setText(QStringLiteral("MAC Address:"));
    m_mac = new QLineEdit;
    m_mac->setObjectName(QStringLiteral("macAddressEdit"));
    macLabel->setBuddy(m_mac);
    m_writeSettingsButton = button("writeSettingsButton", "Write Setting to EEPROM");
    auto* contentGrid = new QGridLayout(content);
    contentGrid->addWidget(m_cisButton, 0, 0, 1, 2);
    contentGrid->addWidget(m_pciButton, 1, 0, 1, 2);
    contentGrid->addWidget(m_extendedButton, 2, 0, 1, 2);
    contentGrid->addWidget(macLabel, 3, 0);
    contentGrid->addWidget(m_mac, 3, 1);
    contentGrid->addWidget(m_writeSettingsButton, 4, 0, 1, 2);

    auto* image = new QGroupBox(QStringLiteral("EEPROM Binary Image"));
    image->setObjectName(QStringLiteral("binaryImageGroup"));
    m_loadImageButton = button("loadImageButton", "Load binary image from EEPROM");
    m_writeImageButton = button("writeImageButton", "Write binary image to EEPROM");
    auto* imageBox = new QVBoxLayout(image);
    imageBox->addWidget(m_loadImageButton);
    imageBox->addWidget(m_writeImageButton);

    auto* box = new QVBoxLayout(this);
    box->addLayout(busRow);
    box->addWidget(content);
    box->addWidget(image);
    box->addStretch();

    connect(m_cisButton, &QPushButton::clicked, this,
            [this] { edit<CEepromCisDlg>(m_content.settings.tuples); });
    connect(m_pciButton, &QPushButton::clicked, this,
            [this] { edit<CEepromPciDlg>(m_content.settings.pciIds); });
    connect(m_extendedButton, &QPushButton::clicked, this,
            [this] { edit<CEepromExtendedDlg>(m_content.settings.records); });
    connect(m_writeSettingsButton, &QPushButton::clicked, this,
            &CPropertyEEPROMAccess::writeSettings);
    connect(m_loadImageButton, &QPushButton::clicked, this, &CPropertyEEPROMAccess::saveImage);
    connect(m_writeImageButton, &QPushButton::clicked, this, &CPropertyEEPROMAccess::writeImage);
}

CPropertyEEPROMAccess::~CPropertyEEPROMAccess() = default;

void CPropertyEEPROMAccess::initialise() {
    const AdapterState& adapter = context().adapter;
    const int bus = adapter.busKind;
    m_busType->setText(AdapterSelector::busName(bus, QStringLiteral("General")));
    m_cisButton->setEnabled(bus == BusPcmcia);
    m_pciButton->setEnabled(bus == BusPci);
    m_extendedButton->setEnabled(bus == BusPcmcia || bus == BusPci || bus == BusUsb);
    // Without an adapter whose EEPROM size is known there is nothing to read or write.
    const bool known = adapter.eeprom.length > 0;
    for (QPushButton* b : {m_writeSettingsButton, m_loadImageButton, m_writeImageButton})
        b->setEnabled(known);

    m_content = m_access.read();
    m_mac->setText(MacEntry::show(m_content.mac));
}

template <typename Editor, typename Part> void CPropertyEEPROMAccess::edit(Part& part) {
    Editor editor(context(), part, this);
    context().ui.runModal(editor);
}

void CPropertyEEPROMAccess::writeSettings() {
    const Checked<MacEntry::Mac> mac = MacEntry::parse(m_mac->text());
    if (!mac.ok()) {
        tell(mac.problem().message);
        m_mac->setFocus();
        return;
    }
    m_mac->setText(MacEntry::show(mac.value()));
    m_content.mac = mac.value();
    finish(m_access.writeSettings(m_content));
}

void CPropertyEEPROMAccess::saveImage() {
    // A failed read is no image worth a file.
    const std::optional<QByteArray> bytes = m_access.readImage();
    if (!bytes)
        return;
    if (const std::optional<EepromProblem> problem =
            EepromImageFile::save(context().ui.saveFileName(this), *bytes))
        tell(problem->message);
}

void CPropertyEEPROMAccess::writeImage() {
    const Checked<QByteArray> bytes =
        EepromImageFile::load(context().ui.openFileName(this), context().adapter.eeprom.length);
    if (!bytes.ok()) {
        tell(bytes.problem().message);
        return;
    }
    finish(m_access.writeImage(bytes.value()));
}

void CPropertyEEPROMAccess::finish(const EepromAccess::Outcome& outcome) {
    tell(outcome.message());
    if (outcome.endsProgram())
        context().ui.endProcess(0);
}

} // namespace kx
