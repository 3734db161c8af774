#include "pro/console/ui/CPropertyDbgCmd.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "context/AppContext.h"
#include "ui/Widgets.h"

namespace kx {

// One register row: its heading, the caption of its first field, the names of its
// controls.
struct RowSpec {
    const char* heading;
    const char* rowName;
    const char* firstCaption;
    const char* firstField;
    const char* dataField;
    const char* readButton;
    const char* writeButton;
};

namespace {

constexpr RowSpec kPhyRow{"PHY",         "phyRow",        "CR:",           "phyRegisterEdit",
                          "phyDataEdit", "phyReadButton", "phyWriteButton"};
constexpr RowSpec kMacRow{"MAC",         "macRow",        "Address:",      "macAddressEdit",
                          "macDataEdit", "macReadButton", "macWriteButton"};

// Room for a 32-bit word in hexadecimal and a little more.
QLineEdit* field(const char* name) {
    auto* edit = Widgets::named(new QLineEdit, name);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(11, u'0')));
    return edit;
}

// A caption as wide as the wider of the two rows' captions, so that the rows' fields and
// buttons stand in columns.
QLabel* caption(const QString& text, const char* RowSpec::*member, const QString& suffix = {}) {
    auto* label = new QLabel(text);
    const QFontMetrics metrics = label->fontMetrics();
    label->setFixedWidth(
        std::max(metrics.horizontalAdvance(QString::fromLatin1(kPhyRow.*member) + suffix),
                 metrics.horizontalAdvance(QString::fromLatin1(kMacRow.*member) + suffix)));
    return label;
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

CPropertyDbgCmd::Row CPropertyDbgCmd::buildRow(QVBoxLayout* rows, const RowSpec& shape) {
    const QString heading = QString::fromLatin1(shape.heading);
    auto* row = Widgets::named(new QWidget, shape.rowName);
    rows->addWidget(row);
    row->setAccessibleName(heading);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    const auto add = [line](auto* widget) {
        line->addWidget(widget);
        return widget;
    };
    const QString colon(QLatin1Char(':'));
    add(caption(heading + colon, &RowSpec::heading, colon));
    auto* firstLabel =
        add(caption(QString::fromLatin1(shape.firstCaption), &RowSpec::firstCaption));
    Row r;
    r.first = add(field(shape.firstField));
    firstLabel->setBuddy(r.first);
    auto* dataLabel = add(new QLabel(QStringLiteral("Data:")));
    r.data = add(field(shape.dataField));
    dataLabel->setBuddy(r.data);
    r.read = add(rowButton(shape.readButton, "RD", QStringLiteral("Read ") + heading));
    r.write = add(rowButton(shape.writeButton, "WR", QStringLiteral("Write ") + heading));
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
