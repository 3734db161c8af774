#include "settings/ui/PreambleGroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include "store/AdapterSettings.h"
#include "ui/UnsavedNotice.h"

namespace kx {

namespace {

using V = AdvancedValues;

} // namespace

PreambleGroup::PreambleGroup(AdapterSettings& settings, const Texts& texts,
                             Qt::Orientation orientation, QWidget* parent)
    : QGroupBox(texts.title, parent), m_settings(settings) {
    setObjectName(QStringLiteral("preambleGroup"));
    m_automatic = new QCheckBox(QStringLiteral("Auto select"));
    m_automatic->setObjectName(QStringLiteral("autoPreambleCheck"));
    m_long = new QRadioButton(texts.longPreamble);
    m_long->setObjectName(QStringLiteral("longPreambleRadio"));
    m_short = new QRadioButton(texts.shortPreamble);
    m_short->setObjectName(QStringLiteral("shortPreambleRadio"));
    m_choice = new QButtonGroup(this);
    m_choice->addButton(m_long, V::PreambleLong);
    m_choice->addButton(m_short, V::PreambleShort);

    auto* box = new QBoxLayout(
        orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    box->addWidget(m_automatic);
    box->addWidget(m_long);
    box->addWidget(m_short);
    if (orientation == Qt::Horizontal)
        box->addStretch();

    connect(m_automatic, &QCheckBox::toggled, this,
            [this] { UnsavedNotice::report(this, sendAutomatic()); });
    // Each button's own signal: the group's would also fire for a state set quietly.
    for (QRadioButton* choice : {m_long, m_short}) {
        connect(choice, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                UnsavedNotice::report(this, m_settings.setPreambleMode(m_choice->checkedId() + 1));
        });
    }
}

void PreambleGroup::showAdapterMode(bool usable, int reportedMode) {
    m_usable = usable;
    setEnabled(usable);
    m_automatic->setEnabled(usable);
    const V::PreambleState preamble = V::preamble(reportedMode, {false, V::PreambleNone});
    {
        const QSignalBlocker quiet(m_automatic);
        m_automatic->setChecked(preamble.automatic);
    }
    setChoice(preamble.choice);
}

SettingResult PreambleGroup::sendAutomatic() {
    V::PreambleState state{m_automatic->isChecked(), m_choice->checkedId()};
    const int mode = V::preambleMode(state);
    SettingResult result = m_settings.setPreambleMode(mode);
    m_long->setEnabled(m_usable && !state.automatic);
    m_short->setEnabled(m_usable && !state.automatic);
    setChoice(state.choice);
    return result;
}

// A choice the group shows, which sends nothing.
void PreambleGroup::setChoice(int choice) {
    const QSignalBlocker quietLong(m_long);
    const QSignalBlocker quietShort(m_short);
    if (QAbstractButton* button = m_choice->button(choice)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group can only be cleared with exclusivity lifted.
    m_choice->setExclusive(false);
    m_long->setChecked(false);
    m_short->setChecked(false);
    m_choice->setExclusive(true);
}

} // namespace kx
