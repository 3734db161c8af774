#include "pro/sheet/ui/CPropertyPSF.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "pro/per/ui/CPERTestDlg.h"
#include "pro/sheet/ProgramSettingFlags.h"
#include "program/UiSeam.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

struct FlagBox {
    const char* name;
    const char* text;
    int ProgramConfig::*flag;
};

constexpr FlagBox kFlags[] = {
    {"showBssidCheck", "Show BSSID in the main page.", &ProgramConfig::Show_BSSID},
    {"showDbmCheck", "Signal strength show dBm.", &ProgramConfig::Show_dBm},
    {"showCurrentRateCheck", "Main page \"Tx Rate\" show current transmit data rate.",
     &ProgramConfig::Show_Current_Tx_Data_Rate},
};

} // namespace

// Controls are made in the order they stand, which is the order of Tab and of what
// assistive technology reads.
CPropertyPSF::CPropertyPSF(AppContext& context, QWidget* parent) : QWidget(parent), m_ctx(context) {
    setObjectName(QStringLiteral("CPropertyPSF"));
    auto* box = new QVBoxLayout(this);
    auto* group =
        Widgets::named(new QGroupBox(QStringLiteral("For KXConfig"), this), "forKXConfigGroup");
    box->addWidget(group);
    auto* groupBox = new QVBoxLayout(group);
    for (const FlagBox& f : kFlags) {
        auto* check = Widgets::named(new QCheckBox(QString::fromLatin1(f.text), group), f.name);
        Widgets::setQuietly(check, m_ctx.config.*(f.flag) != 0);
        // The main window reads the flag at its next refresh.
        connect(check, &QCheckBox::toggled, this,
                [this, flag = f.flag](bool on) { m_ctx.config.*flag = on ? 1 : 0; });
        groupBox->addWidget(check);
    }

    auto* caption = Widgets::label(group, "updateTimeLabel");
    caption->setText(QStringLiteral("Main page update time:"));
    m_updateTime = Widgets::named(new QLineEdit(group), "updateTimeEdit");
    m_updateTime->setText(QString::number(m_ctx.config.Main_Page_Update_Time_ms));
    m_updateTime->setMaximumWidth(m_updateTime->fontMetrics().horizontalAdvance(u'0') * 10);
    caption->setBuddy(m_updateTime);
    auto* unit = Widgets::label(group, "updateTimeUnitLabel");
    unit->setText(QStringLiteral("ms............."));
    auto* apply = Widgets::button(group, "applyButton");
    apply->setText(QStringLiteral("Apply"));
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(caption);
    timeRow->addWidget(m_updateTime);
    timeRow->addWidget(unit);
    timeRow->addStretch(1);
    timeRow->addWidget(apply);
    groupBox->addLayout(timeRow);

    auto* perTest = Widgets::button(this, "perTestButton");
    perTest->setText(QStringLiteral("PER Test"));
    auto* perRow = new QHBoxLayout;
    perRow->addWidget(perTest);
    perRow->addStretch(1);
    box->addLayout(perRow);
    box->addStretch(1);

    connect(apply, &QPushButton::clicked, this, &CPropertyPSF::applyUpdateTime);
    connect(perTest, &QPushButton::clicked, this, &CPropertyPSF::runPerTest);
}

// Taken by the main window when it next starts its timer; the running one keeps its period.
void CPropertyPSF::applyUpdateTime() {
    const ProgramSettingFlags::UpdateTime entry =
        ProgramSettingFlags::readUpdateTime(m_updateTime->text());
    if (entry.ms) {
        m_ctx.config.Main_Page_Update_Time_ms = *entry.ms;
        return;
    }
    m_ctx.ui.inform(this, QStringLiteral("KXConfig"), entry.message);
    m_updateTime->setFocus();
    m_updateTime->selectAll();
}

void CPropertyPSF::runPerTest() {
    CPERTestDlg dialog(m_ctx, this);
    m_ctx.ui.runModal(dialog);
}

} // namespace kx
