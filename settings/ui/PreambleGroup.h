#pragma once
// The preamble controls the advanced and the access point settings share: "Auto select"
// and the long/short choice. They answer the user only on the newer chip (the older one
// has a single preamble), yet the mode shown is sent all the same when the dialog asks.
// Every user change is sent and recorded at once.

#include <QGroupBox>

#include "settings/AdvancedValues.h"
#include "store/SettingResult.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;

namespace kx {

class AdapterSettings;

class PreambleGroup final : public QGroupBox {
    Q_OBJECT
public:
    struct Texts {
        QString title;
        QString longPreamble;
        QString shortPreamble;
    };

    // Object names: preambleGroup, autoPreambleCheck, longPreambleRadio, shortPreambleRadio.
    PreambleGroup(AdapterSettings& settings, const Texts& texts, Qt::Orientation orientation,
                  QWidget* parent = nullptr);

    // Shows the adapter's preamble mode without sending it; `usable` on the newer chip.
    void showAdapterMode(bool usable, int reportedMode);
    // What "Auto select" does: the mode as shown goes to the adapter and the registry,
    // and the long/short choice is offered exactly while automatic is off.
    [[nodiscard]] SettingResult sendAutomatic();

private:
    void setChoice(int choice);

    AdapterSettings& m_settings;
    bool m_usable = false;
    QCheckBox* m_automatic = nullptr;
    QButtonGroup* m_choice = nullptr;
    QRadioButton* m_long = nullptr;
    QRadioButton* m_short = nullptr;
};

} // namespace kx
