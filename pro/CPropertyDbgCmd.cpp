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

// One register row: its heading, the caption of its first field and the names of its
// controls.
struct RowSpec {
    const char* heading;
    const char* firstCaption;
    const char* firstField;
    const char* dataField;
    const char* readButton;
    const char* writeButton;
};

namespace {

constexpr RowSpec kPhyRow{"PHY",         "CR:",           "phyRegisterEdit",
                          "phyDataEdit", "phyReadButton", "phyWriteButton"};
constexpr RowSpec kMacRow{"MAC",         "Address:",      "macAddressEdit",
                          "macDataEdit", "macReadButton", "macWriteButton"};

QLabel* caption(const QString& text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QPushButton* rowButton(QWidget* parent, const char* name, const char* text,
                       const QString& description) {
    QPushButton* button = Widgets::button(parent, name);
    button->setText(QString::fromLatin1(text));
    // Both rows have an "RD" and a "WR": the description tells them apart.
    button->setAccessibleDescription(description);
    return button;
}

} // namespace

CPropertyDbgCmd::CPropertyDbgCmd(AppContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context),
      m_console(context.adapter.record(), context.adapter.chipVersion) {
    setObjectName(QStringLiteral("CPropertyDbgCmd"));
    auto* group = Widgets::named(new QGroupBox(DebugConsole::groupTitle(m_ctx.adapter.chipVersion)),
                                 "ioAccessGroup");
    auto* phyRow = Widgets::named(new QWidget, "phyRow");
    auto* macRow = Widgets::named(new QWidget, "macRow");
    m_phy = buildRow(phyRow, kPhyRow);
    m_mac = buildRow(macRow, kMacRow);
    auto* groupBox = new QVBoxLayout(group);
    groupBox->addWidget(phyRow);
    groupBox->addWidget(macRow);

    // In old debug mode the chip memory is only written.
    m_oldDebugMode =
        Widgets::named(new QCheckBox(QStringLiteral("OldDbgMod"), this), "oldDbgModCheck");
    m_oldDebugMode->setVisible(m_ctx.adapter.newerChip());
    connect(m_oldDebugMode, &QCheckBox::toggled, this,
            [this](bool on) { m_mac.read->setEnabled(!on); });

    m_output = Widgets::named(new QPlainTextEdit, "outputWindow");
    m_output->setReadOnly(true);
    m_output->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setMinimumSize(m_output->fontMetrics().horizontalAdvance(QString(58, u'0')),
                             m_output->fontMetrics().lineSpacing() * 16);
    auto* outputLabel = caption(QStringLiteral("Output Window:"), m_output);

    auto* showEeprom = Widgets::button(this, "showEepromButton");
    showEeprom->setText(QStringLiteral("Show EEPROM Content"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(showEeprom);
    bottom->addStretch(1);
    auto* box = new QVBoxLayout(this);
    box->addWidget(group);
    box->addWidget(m_oldDebugMode);
    box->addWidget(outputLabel);
    box->addWidget(m_output, 1);
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

CPropertyDbgCmd::Row CPropertyDbgCmd::buildRow(QWidget* row, const RowSpec& spec) {
    const QString heading = QString::fromLatin1(spec.heading);
    row->setAccessibleName(heading);
    Row r;
    r.first = Widgets::named(new QLineEdit, spec.firstField);
    r.data = Widgets::named(new QLineEdit, spec.dataField);
    r.read = rowButton(row, spec.readButton, "RD", QStringLiteral("Read ") + heading);
    r.write = rowButton(row, spec.writeButton, "WR", QStringLiteral("Write ") + heading);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(caption(heading + QLatin1Char(':')));
    line->addWidget(caption(QString::fromLatin1(spec.firstCaption), r.first));
    line->addWidget(r.first);
    line->addWidget(caption(QStringLiteral("Data:"), r.data));
    line->addWidget(r.data);
    line->addWidget(r.read);
    line->addWidget(r.write);
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
