#pragma once
// The EEPROM page of the professional sheet: the adapter's EEPROM decoded into the
// settings of its three editors and the MAC address, written back as a whole, and the
// raw EEPROM saved to or written from a file. The adapter reads its EEPROM only when it
// starts, so every write ends the program with a request to re-plug the card.

#include "pro/eeprom/EepromAccess.h"
#include "pro/page/ui/SheetPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kx {

class CPropertyEEPROMAccess final : public SheetPage {
    Q_OBJECT
public:
    explicit CPropertyEEPROMAccess(AppContext& context, QWidget* parent = nullptr);
    ~CPropertyEEPROMAccess() override;

private:
    void initialise() override;
    template <typename Editor, typename Part> void edit(Part& part);
    void writeSettings();
    void saveImage();
    void writeImage();
    // The outcome's message; a write that was made ends the program.
    void finish(const EepromAccess::Outcome& outcome);

    EepromAccess m_access;
    EepromAccess::Content m_content;

    QLabel* m_busType = nullptr;
    QPushButton* m_cisButton = nullptr;
    QPushButton* m_pciButton = nullptr;
    QPushButton* m_extendedButton = nullptr;
    QLineEdit* m_mac = nullptr;
    QPushButton* m_writeSettingsButton = nullptr;
    QPushButton* m_loadImageButton = nullptr;
    QPushButton* m_writeImageButton = nullptr;
};

} // namespace kx
