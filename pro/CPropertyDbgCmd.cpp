#include "pro/CPropertyDbgCmd.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/Widgets.h"

namespace kx {

// One register row: its heading, the caption and width of its first field, the names
// of its controls.
struct RowSpec {
    const char* heading;
    const char* rowName;
    const char* firstCaption;
    int firstDigits;
    const char* firstField;
    const char* dataField;
    const char* readButton;
    const char* writeButton;
};

namespace {

constexpr int kWordDigits = 8;
constexpr RowSpec kPhyRow{"PHY",         "phyRow",        "CR:",           4, "phyRegisterEdit",
                          "phyDataEdit", "phyReadButton", "phyWriteButton"};
constexpr RowSpec kMacRow{
    "MAC",         "macRow",        "Address:",      kWordDigits, "macAddressEdit",
    "macDataEdit", "macReadButton", "macWriteButton"};

// Wide enough for `digits` and a little more.
QLineEdit* field(const char* name, int digits) {
    auto* edit = Widgets::named(new QLineEdit, name);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(digits + 3, u'0')));
    return edit;
}

QPushButton* rowButton(const char* name, const char* text, const QString& description) {
    QPushButton* button = Widgets::button(nullptr, name);
    button->setText(QString::fromLatin1(text));
    // Both rows have an "RD" and a "WR": the description tells them apart.
    button->setAccessibleDescription(description);
    return button;
}

} // namespace

// Controls are made in the order they stand, which is the order of Tab and of what
// assistive technology reads.
CPropertyDbgCmd::CPropertyDbgCmd(AppContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context),
      m_console(context.adapter.record(), context.adapter.chipVersion) {
    setObjectName(QStringLiteral("CPropertyDbgCmd"));
    auto* box = new QVBoxLayout(this);
    auto* group = Widgets::named(
        new QGroupBox(DebugConsole::groupTitle(m_ctx.adapter.chipVersion), this), "ioAccessGroup");
    box->addWidget(group);
    auto* groupBox = new QVBoxLayout(group);
    m_phy = buildRow(groupBox, kPhyRow);
    m_mac = buildRow(groupBox, kMacRow);

    // In old debug mode the chip memory is only written.
    m_oldDebugMode =
        Widgets::named(new QCheckBox(QStringLiteral("OldDbgMod"), this), "oldDbgModCheck");
    box->addWidget(m_oldDebugMode);
    m_oldDebugMode->setVisible(m_ctx.adapter.newerChip());
    connect(m_oldDebugMode, &QCheckBox::toggled, this,
            [this](bool on) { m_mac.read->setEnabled(!on); });

    auto* outputLabel = new QLabel(QStringLiteral("Output Window:"), this);
    box->addWidget(outputLabel);
    m_output = Widgets::named(new QPlainTextEdit(this), "outputWindow");
    outputLabel->setBuddy(m_output);
    m_output->setReadOnly(true);
    m_output->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setMinimumSize(m_output->fontMetrics().horizontalAdvance(QString(58, u'0')),
                             m_output->fontMetrics().lineSpacing() * 16);
    box->addWidget(m_output, 1);

    auto* showEeprom = Widgets::button(this, "showEepromButton");
    showEeprom->setText(QStringLiteral("Show EEPROM Content"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(showEeprom);
    bottom->addStretch(1);
    box->addLayout(bottom);

    connect(m_phy.read, &QPushButton::clicked, this,
            [this] { append(m_console.readPhy(fields())); });
    connect(m_phy.write, &QPushButton::clicked, this,
            [this] { append(m_console.writePhy(fields())); });
    connect(m_mac.read, &QPushButton::clicked, this,
            [this] { append(m_console.readMac(fields())); });
    connect(m_mac.write, &QPushButton::clicked, this,
            [this] { append(m_console.writeMac(fields())); });
    connect(showEeprom, &QPushButton::clicked, this,
            [this] { append(DebugConsole::eepromDump(m_ctx.adapter.eeprom)); });
}

CPropertyDbgCmd::Row CPropertyDbgCmd::buildRow(QVBoxLayout* rows, const RowSpec& spec) {
    const QString heading = QString::fromLatin1(spec.heading);
    auto* row = Widgets::named(new QWidget, spec.rowName);
    rows->addWidget(row);
    row->setAccessibleName(heading);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    const auto add = [line](auto* widget) {
        line->addWidget(widget);
        return widget;
    };
    add(new QLabel(heading + QLatin1Char(':')));
    auto* firstLabel = add(new QLabel(QString::fromLatin1(spec.firstCaption)));
    Row r;
    r.first = add(field(spec.firstField, spec.firstDigits));
    firstLabel->setBuddy(r.first);
    auto* dataLabel = add(new QLabel(QStringLiteral("Data:")));
    r.data = add(field(spec.dataField, kWordDigits));
    dataLabel->setBuddy(r.data);
    r.read = add(rowButton(spec.readButton, "RD", QStringLiteral("Read ") + heading));
    r.write = add(rowButton(spec.writeButton, "WR", QStringLiteral("Write ") + heading));
    return r;
}

DebugConsole::Fields CPropertyDbgCmd::fields() const {
    return {m_phy.first->text(), m_phy.data->text(), m_mac.first->text(), m_mac.data->text(),
            m_oldDebugMode->isChecked()};
}

void CPropertyDbgCmd::append(const QString& text) {
    m_output->moveCursor(QTextCursor::End);
    m_output->insertPlainText(text);
    m_output->ensureCursorVisible();
}

} // namespace kx
