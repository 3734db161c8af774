#include "mainwnd/ui/CMainDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "program/MainTexts.h"
#include "program/UiSeam.h"
#include "settings/ui/CAPSettingDlg.h"
#include "settings/ui/CMoreSettingDlg.h"
#include "settings/ui/CWEPKeySettingDlg.h"
#include "ui/ProductIcons.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

static_assert(ProductIcons::kStatusFrames == MainView::kIconFrames);

constexpr int kStatusIconSize = 32;
constexpr int kDefaultTickMs = 1000;

} // namespace

CMainDlg::CMainDlg(AppContext& context)
    : QDialog(nullptr), m_ctx(context), m_monitor(context, *this),
      m_unsaved(new UnsavedNotice(context, this)) {
    setObjectName(QStringLiteral("mainDialog"));
    connect(&m_timer, &QTimer::timeout, this, &CMainDlg::statusTick);
}

CMainDlg::~CMainDlg() {
    m_timer.stop();
}

// ---- building -------------------------------------------------------------------------

// Most of a day the window is hidden: its widgets, fonts and icons are made when the
// user first opens it, and the monitor's view tells them what to show at once.
void CMainDlg::ensureBuilt() {
    if (m_built)
        return;
    m_built = true;
    setWindowIcon(ProductIcons::application());
    buildUi();
    connectActions();
}

void CMainDlg::buildUi() {
    auto* top = new QVBoxLayout(this);
    top->setSpacing(10);
    top->addWidget(buildAdapterRow());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(12);
    middle->addWidget(buildListColumn());
    middle->addWidget(buildInfoGroup(), 1);
    top->addLayout(middle);
    top->addWidget(buildBottomArea());
    // Grows with longer translations, but a long status line never resizes the window.
    top->setSizeConstraint(QLayout::SetMinimumSize);
}

QWidget* CMainDlg::buildAdapterRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_adapterLabel = Widgets::label(row, "adapterLabel");
    m_adapterList = new QComboBox(row);
    m_adapterList->setObjectName(QStringLiteral("adapterList"));
    // Room for a whole adapter description.
    m_adapterList->setMinimumContentsLength(38);
    m_adapterList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_adapterLabel->setBuddy(m_adapterList);
    m_modeLabel = Widgets::label(row, "modeLabel");
    m_modeButton = Widgets::button(row, "modeButton");
    m_modeLabel->setBuddy(m_modeButton);
    layout->addWidget(m_adapterLabel);
    layout->addWidget(m_adapterList, 1);
    layout->addSpacing(8);
    layout->addWidget(m_modeLabel);
    layout->addWidget(m_modeButton);
    return row;
}

QWidget* CMainDlg::buildListColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_listLabel = Widgets::label(column, "networkListLabel");
    m_list = new QTreeWidget(column);
    m_list->setObjectName(QStringLiteral("networkList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSortingEnabled(false);
    m_list->header()->setStretchLastSection(false);
    m_list->setFixedWidth(MainView::kStationColumnWidth + 2 * m_list->frameWidth() + 4);
    m_list->setMinimumHeight(150);
    m_listLabel->setBuddy(m_list);
    m_listButton = Widgets::button(column, "listButton");
    layout->addWidget(m_listLabel);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_listButton);
    return column;
}

QWidget* CMainDlg::buildInfoGroup() {
    m_infoGroup = new QGroupBox(this);
    m_infoGroup->setObjectName(QStringLiteral("infoGroup"));
    auto* grid = new QGridLayout(m_infoGroup);
    grid->setHorizontalSpacing(10);
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        InfoRow& row = m_rows[static_cast<std::size_t>(i)];
        const QByteArray n = QByteArray::number(i + 1);
        row.label = Widgets::label(m_infoGroup, QByteArray("infoLabel" + n).constData());
        row.value =
            Widgets::valueField(m_infoGroup, QByteArray("infoValue" + n).constData(), row.label);
        grid->addWidget(row.label, i, 0);
        grid->addWidget(row.value, i, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(static_cast<int>(m_rows.size()), 1);
    m_groupButton = Widgets::button(m_infoGroup, "groupButton");
    grid->addWidget(m_groupButton, static_cast<int>(m_rows.size()) + 1, 0, 1, 2, Qt::AlignRight);
    return m_infoGroup;
}

QWidget* CMainDlg::buildBottomArea() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    m_linkStatusLabel = Widgets::label(area, "linkStatusLabel");
    m_linkStatusText = Widgets::valueField(area, "linkStatusText", m_linkStatusLabel);
    m_linkStatusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_signalLabel = Widgets::label(area, "signalLabel");
    m_signalBar = Widgets::percentBar(area, "signalBar", m_signalLabel);
    m_signalText = Widgets::label(area, "signalText");
    m_qualityLabel = Widgets::label(area, "qualityLabel");
    m_qualityBar = Widgets::percentBar(area, "qualityBar", m_qualityLabel);
    m_qualityText = Widgets::label(area, "qualityText");
    m_txLabel = Widgets::label(area, "txFrameLabel");
    m_txValue = Widgets::valueField(area, "txFrameValue", m_txLabel);
    m_rxLabel = Widgets::label(area, "rxFrameLabel");
    m_rxValue = Widgets::valueField(area, "rxFrameValue", m_rxLabel);
    m_statusIcon = Widgets::label(area, "statusIcon");
    m_statusIcon->setFixedSize(kStatusIconSize, kStatusIconSize);
    // Drawn once: the tick only swaps them.
    for (int f = 0; f < MainView::kIconFrames; ++f)
        m_statusFrames[static_cast<std::size_t>(f)] =
            ProductIcons::statusFrame(f).pixmap(kStatusIconSize);
    m_statusIcon->setPixmap(m_statusFrames[0]);
    m_notice = Widgets::label(area, "zeroConfigNotice");
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setStyleSheet(QStringLiteral("color: #b42318; font-weight: bold;"));
    m_notice->hide();

    grid->addWidget(m_linkStatusLabel, 0, 0);
    grid->addWidget(m_linkStatusText, 0, 1, 1, 3);
    grid->addWidget(m_statusIcon, 0, 4, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_signalLabel, 1, 0);
    grid->addWidget(m_signalBar, 1, 1, 1, 2);
    grid->addWidget(m_signalText, 1, 3);
    grid->addWidget(m_qualityLabel, 2, 0);
    grid->addWidget(m_qualityBar, 2, 1, 1, 2);
    grid->addWidget(m_qualityText, 2, 3);
    auto* frames = new QHBoxLayout;
    frames->setSpacing(8);
    frames->addWidget(m_txLabel);
    frames->addWidget(m_txValue, 1);
    frames->addSpacing(16);
    frames->addWidget(m_rxLabel);
    frames->addWidget(m_rxValue, 1);
    grid->addLayout(frames, 3, 0, 1, 5);
    grid->addWidget(m_notice, 4, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(3, 70);
    return area;
}

// Each action goes to the monitor; the window then shows what came of it.
std::function<void()> CMainDlg::andShow(std::function<void()> action) {
    return [this, action = std::move(action)] {
        action();
        render();
    };
}

void CMainDlg::connectActions() {
    connect(m_adapterList, &QComboBox::activated, this, [this](int line) {
        m_monitor.selectAdapter(line);
        render();
    });
    connect(m_modeButton, &QPushButton::clicked, this,
            andShow([this] { m_unsaved->report(m_monitor.switchMode()); }));
    connect(m_listButton, &QPushButton::clicked, this,
            andShow([this] { m_monitor.pressListButton(); }));
    connect(m_list, &QTreeWidget::itemClicked, this,
            andShow([this] { m_monitor.showSelectedNetwork(selectedRow()); }));
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            andShow([this] { m_unsaved->report(m_monitor.join(selectedRow())); }));
    connect(m_groupButton, &QPushButton::clicked, this, &CMainDlg::onGroupButton);
}

// ---- lifecycle ------------------------------------------------------------------------

void CMainDlg::initialise() {
    m_monitor.initialise();
    startStatusTimer();
    hide();
    render();
}

void CMainDlg::statusTick() {
    if (m_startHidden)
        hide();
    m_monitor.tick();
    render();
}

void CMainDlg::startStatusTimer() {
    // A period of 0 would poll the driver without pause.
    const int period = m_ctx.config.Main_Page_Update_Time_ms;
    m_timer.start(period > 0 ? period : kDefaultTickMs);
}

void CMainDlg::removeTrayIcon() {
    if (m_ctx.tray)
        m_ctx.tray->remove();
}

void CMainDlg::restoreTrayIcon() {
    if (m_ctx.tray)
        m_ctx.tray->createWithProgramTexts();
}

// ---- drawing the view -----------------------------------------------------------------

void CMainDlg::render() {
    const MainView& view = m_monitor.view();
    // The title is what a second copy looks for, so it follows the language even unseen.
    setWindowTitle(view.title);
    if (isVisible())
        draw(view);
}

void CMainDlg::draw(const MainView& view) {
    m_adapterLabel->setText(view.adapterLabel);
    renderAdapterLines(view);
    m_modeLabel->setText(view.modeLabel);
    m_modeButton->setText(view.modeButton);
    Widgets::setShown({m_modeLabel, m_modeButton}, view.modeShown);

    m_listLabel->setText(view.listLabel);
    // A list is not announced through its label: it carries the label's text itself.
    if (m_list->accessibleName() != view.listLabel)
        m_list->setAccessibleName(view.listLabel);
    m_listButton->setText(view.listButton);
    m_list->setEnabled(view.listEnabled);
    m_listButton->setEnabled(view.listEnabled);
    renderList(view);

    m_infoGroup->setTitle(view.groupTitle);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const MainView::InfoRow& row = view.info[i];
        m_rows[i].label->setText(row.label);
        m_rows[i].value->setText(row.value);
        Widgets::setShown({m_rows[i].label, m_rows[i].value}, row.shown);
    }
    m_groupButton->setText(view.groupButton);
    m_groupButton->setVisible(view.groupButtonShown);
    renderBottomArea(view);
}

void CMainDlg::renderAdapterLines(const MainView& view) {
    if (m_shownAdapterLines != view.adapterLinesRevision) {
        m_adapterList->clear();
        m_adapterList->addItems(view.adapterLines);
        m_shownAdapterLines = view.adapterLinesRevision;
    }
    m_adapterList->setCurrentIndex(view.currentAdapterLine);
}

// Rebuilt only when the monitor rebuilt its rows, so a selection lasts across ticks.
void CMainDlg::renderList(const MainView& view) {
    if (m_shownRows == view.rowsRevision)
        return;
    m_shownRows = view.rowsRevision;
    m_list->clear();
    m_list->setColumnCount(static_cast<int>(view.columns.size()));
    for (int c = 0; c < view.columns.size(); ++c) {
        m_list->headerItem()->setText(c, view.columns[c].header);
        m_list->setColumnWidth(c, view.columns[c].width);
    }
    for (const QStringList& row : view.rows)
        new QTreeWidgetItem(m_list, row);
}

void CMainDlg::renderBottomArea(const MainView& view) {
    m_linkStatusLabel->setText(view.linkStatusLabel);
    m_linkStatusText->setText(view.linkStatus);
    Widgets::setShown({m_linkStatusLabel, m_linkStatusText}, view.linkStatusShown);
    m_signalLabel->setText(view.signalLabel);
    m_signalText->setText(view.signalText);
    m_signalBar->setValue(view.signalPercent);
    m_qualityLabel->setText(view.qualityLabel);
    m_qualityText->setText(view.qualityText);
    m_qualityBar->setValue(view.qualityPercent);
    Widgets::setShown(
        {m_signalLabel, m_signalBar, m_signalText, m_qualityLabel, m_qualityBar, m_qualityText},
        view.signalShown);
    m_txLabel->setText(view.txLabel);
    m_txValue->setText(view.txFrames);
    m_rxLabel->setText(view.rxLabel);
    m_rxValue->setText(view.rxFrames);
    Widgets::setShown({m_txLabel, m_txValue, m_rxLabel, m_rxValue}, view.framesShown);
    m_notice->setText(view.notice);
    m_notice->setVisible(view.noticeShown);
    if (m_shownIconFrame != view.iconFrame) {
        m_statusIcon->setPixmap(m_statusFrames[static_cast<std::size_t>(view.iconFrame)]);
        m_shownIconFrame = view.iconFrame;
    }
}

// ---- commands -------------------------------------------------------------------------

int CMainDlg::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
}

void CMainDlg::onGroupButton() {
    if (m_monitor.accessPointMode()) {
        CAPSettingDlg dialog(m_ctx, this);
        // The rows show what the dialog set before the timer ticks again.
        runWithTimerStopped(dialog, [this] { m_monitor.showAccessPointSettings(); });
    } else if (m_monitor.state().selectedView) {
        m_unsaved->report(m_monitor.join(selectedRow()));
    } else {
        // A language change there re-applies this window's texts.
        CMoreSettingDlg dialog(m_ctx, andShow([this] { m_monitor.applyLayout(); }), this);
        runWithTimerStopped(dialog);
    }
    render();
}

void CMainDlg::runChildDialog(QDialog& dialog) {
    m_childDialogOpen = true;
    m_ctx.ui.runModal(dialog);
    m_childDialogOpen = false;
}

void CMainDlg::runWithTimerStopped(QDialog& dialog, const std::function<void()>& afterwards) {
    stopStatusTimer();
    runChildDialog(dialog);
    if (afterwards)
        afterwards();
    startStatusTimer();
}

bool CMainDlg::keepWepKeys(const QString& title, const QString& question) {
    return m_ctx.ui.askYesNo(this, title, question);
}

void CMainDlg::editWepKeys() {
    CWEPKeySettingDlg dialog(m_ctx, this);
    runChildDialog(dialog);
}

void CMainDlg::onTrayCommand(ProgramTray::Command command) {
    if (command == ProgramTray::OpenCommand)
        openWindow();
    else if (command == ProgramTray::ExitCommand)
        exitProgram();
}

void CMainDlg::openWindow() {
    m_startHidden = false;
    if (m_monitor.systemControlsAdapter()) {
        message(m_ctx.language.text(MainTexts::MP_STA_WZC_Message_1));
        return;
    }
    ensureBuilt();
    // Drawn before it appears, so the first frame already shows the latest tick.
    draw(m_monitor.view());
    show();
    Widgets::raiseWithDialogs(this)->activateWindow();
}

void CMainDlg::exitProgram() {
    if (m_childDialogOpen) {
        message(m_ctx.language.text(MainTexts::MP_STA_Close_Dialog_Message));
        return;
    }
    m_timer.stop();
    hide();
    emit runEnded();
}

void CMainDlg::message(const QString& text) {
    m_ctx.ui.inform(this, m_ctx.language.text(MainTexts::MP_Dialog_Title), text);
}

// ---- window events --------------------------------------------------------------------

void CMainDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void CMainDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        // Minimising hides: the way back is the tray, as after closing.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    }
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace kx
