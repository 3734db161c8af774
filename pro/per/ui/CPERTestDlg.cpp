#include "pro/per/ui/CPERTestDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "pro/per/PerOptions.h"
#include "program/UiSeam.h"
#include "ui/ProductIcons.h"

namespace kx {

namespace {

struct ResultRow {
    const char* caption;
    const char* name;
};

// In the order of the results' enum.
constexpr ResultRow kResultRows[] = {
    {"Received Good Packet:", "receivedGoodPacketValue"},
    {"Lost and Bad Packet:", "lostAndBadPacketValue"},
    {"Received Time:", "receivedTimeValue"},
    {"Packet Error Rate(%):", "packetErrorRateValue"},
    {"Throughput:", "throughputValue"},
};

constexpr int kAnimationSize = 32;

QLabel* caption(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

QLineEdit* numberField(const char* name, int digits) {
    auto* field = Widgets::named(new QLineEdit, name);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QString(digits + 2, u'0')));
    return field;
}

} // namespace

CPERTestDlg::CPERTestDlg(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CPERTestDlg") {
    setWindowTitle(QStringLiteral("PER Test (MAC Tally Receive)"));
    buildLayout();
    m_timer.setInterval(PerTestRun::kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CPERTestDlg::timerTick);
    m_receiver.emplace(context.adapter.record());
    loadOptions();
}

// Closing during a test ends it without figures; the adapter leaves the test mode
// before the options are kept.
CPERTestDlg::~CPERTestDlg() {
    m_timer.stop();
    m_run.abandon();
    m_receiver.reset();
    storeOptions();
}

void CPERTestDlg::buildLayout() {
    m_unicast = named(new QCheckBox(QStringLiteral("Unicast")), "unicastCheck");
    m_multicast = named(new QCheckBox(QStringLiteral("Multicast")), "multicastCheck");
    m_expected = numberField("expectedPacketEdit", 10);
    m_portCheck = named(new QCheckBox(QStringLiteral("Port Number:")), "portNumberCheck");
    m_port = numberField("portNumberEdit", 10);
    m_port->setAccessibleName(QStringLiteral("Port Number"));
    // Shown as the test was built, but it has no function.
    auto* timeCheck = named(new QCheckBox(QStringLiteral("Expected Time:")), "expectedTimeCheck");
    auto* time = numberField("expectedTimeEdit", 10);
    time->setAccessibleName(QStringLiteral("Expected Time"));
    timeCheck->setEnabled(false);
    time->setEnabled(false);

    auto* options = named(new QGroupBox, "optionsGroup");
    auto* optionGrid = new QGridLayout(options);
    auto* typeLabel = named(new QLabel(QStringLiteral("Receive Packet Type:")), "packetTypeLabel");
    auto* types = new QHBoxLayout;
    types->addWidget(m_unicast);
    types->addWidget(m_multicast);
    types->addStretch(1);
    optionGrid->addWidget(typeLabel, 0, 0);
    optionGrid->addLayout(types, 0, 1);
    optionGrid->addWidget(caption("Expected Packet Number:", m_expected), 1, 0);
    optionGrid->addWidget(m_expected, 1, 1);
    optionGrid->addWidget(m_portCheck, 2, 0);
    optionGrid->addWidget(m_port, 2, 1);
    optionGrid->addWidget(timeCheck, 3, 0);
    optionGrid->addWidget(time, 3, 1);

    auto* results = named(new QGroupBox, "resultsGroup");
    auto* resultGrid = new QGridLayout(results);
    for (int r = 0; r < kResults; ++r) {
        const ResultRow& row = kResultRows[r];
        QLineEdit* field = m_results[static_cast<std::size_t>(r)] =
            Widgets::named(new QLineEdit, row.name);
        field->setReadOnly(true);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(18, u'0')));
        resultGrid->addWidget(caption(row.caption, field), r, 0);
        resultGrid->addWidget(field, r, 1);
    }

    m_startStop = named(new QPushButton(QStringLiteral("START")), "startStopButton");
    m_startStop->setAutoDefault(false);
    m_animation = named(new QLabel, "receivingAnimation");
    m_animation->setAccessibleName(QStringLiteral("Receiving"));
    m_animation->setFixedSize(kAnimationSize, kAnimationSize);
    QSizePolicy keepPlace = m_animation->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_animation->setSizePolicy(keepPlace);
    m_animation->hide();
    // Escape and the close box close the dialog too; a button is what a keyboard or a
    // screen reader user finds.
    auto* close = named(new QPushButton(QStringLiteral("Close")), "closeButton");
    close->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_startStop);
    bottom->addWidget(m_animation);
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* box = new QVBoxLayout(this);
    box->addWidget(options);
    box->addWidget(results);
    box->addLayout(bottom);

    connect(m_unicast, &QCheckBox::toggled, this,
            [this](bool on) { keepOneTypeChecked(on ? nullptr : m_unicast, m_multicast); });
    connect(m_multicast, &QCheckBox::toggled, this,
            [this](bool on) { keepOneTypeChecked(on ? nullptr : m_multicast, m_unicast); });
    connect(m_portCheck, &QCheckBox::toggled, m_port, &QLineEdit::setEnabled);
    connect(m_startStop, &QPushButton::clicked, this, &CPERTestDlg::onStartStop);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CPERTestDlg::loadOptions() {
    const PerOptions o = PerOptions::load();
    m_expected->setText(o.expectedText);
    setQuietly(m_unicast, o.unicast());
    setQuietly(m_multicast, o.multicast());
    setQuietly(m_portCheck, o.checkPort);
    m_port->setText(o.portText);
    m_port->setEnabled(o.checkPort);
}

void CPERTestDlg::storeOptions() const {
    PerOptions{m_expected->text(),
               PerTestRun::packetType(m_unicast->isChecked(), m_multicast->isChecked()),
               m_portCheck->isChecked(), m_port->text()}
        .store();
}

// Unchecking the last checked type checks it again.
void CPERTestDlg::keepOneTypeChecked(QCheckBox* unchecked, QCheckBox* other) {
    if (unchecked != nullptr && !other->isChecked())
        setQuietly(unchecked, true);
}

void CPERTestDlg::onStartStop() {
    if (m_run.running())
        stop();
    else
        start();
}

void CPERTestDlg::start() {
    std::optional<int> port;
    if (m_portCheck->isChecked()) {
        port = PerOptions::portField(m_port->text());
        if (!port) {
            context().ui.inform(this, windowTitle(), PerOptions::portRefused());
            m_port->setFocus();
            m_port->selectAll();
            return;
        }
    }
    const std::optional<TallyRecord> base = m_receiver->tally();
    if (!base) {
        context().ui.inform(this, windowTitle(), QStringLiteral("Get first adapter tally fail!!!"));
        return;
    }
    const int expected = PerOptions::decimalField(m_expected->text());
    // A test whose port the adapter did not take would wait for frames it never counts.
    if (!m_receiver->listen(port)) {
        context().ui.inform(this, windowTitle(), QStringLiteral("Set receive port fail!!!"));
        return;
    }
    m_run.start(*base, expected,
                PerTestRun::packetType(m_unicast->isChecked(), m_multicast->isChecked()),
                context().config.PERStopSilenceTime);
    m_timer.start();
    m_expected->setEnabled(false);
    m_startStop->setText(QStringLiteral("STOP"));
    for (QLineEdit* field : m_results)
        field->clear();
}

void CPERTestDlg::stop() {
    const std::optional<TallyRecord> last = m_receiver->tally();
    if (!last) {
        context().ui.inform(this, windowTitle(), QStringLiteral("Get last adapter tally fail!!!"));
        return;
    }
    finish(m_run.stop(*last));
}

void CPERTestDlg::timerTick() {
    const PerTestRun::Tick t =
        m_run.tick(m_receiver->tally(), static_cast<std::uint32_t>(context().clock.tickMs()));
    if (t.finished) {
        finish(*t.finished);
        return;
    }
    if (t.receivedTime)
        m_results[Time]->setText(*t.receivedTime);
    if (t.received)
        m_results[Received]->setText(*t.received);
    if (t.icon >= 0)
        showFrame(t.icon);
}

void CPERTestDlg::finish(const PerFigures& figures) {
    const QString* shown[kResults] = {&figures.received, &figures.lost, &figures.time,
                                      &figures.errorRate, &figures.throughput};
    for (int r = 0; r < kResults; ++r)
        m_results[static_cast<std::size_t>(r)]->setText(*shown[r]);
    m_timer.stop();
    m_startStop->setText(QStringLiteral("START"));
    m_animation->hide();
    m_expected->setEnabled(true);
}

void CPERTestDlg::showFrame(int icon) {
    m_animation->setPixmap(ProductIcons::receiveFrame(icon - PerTestRun::kFirstIcon)
                               .pixmap(kAnimationSize, kAnimationSize));
    m_animation->show();
}

} // namespace kx
