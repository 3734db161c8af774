#include "app/CTrayIcon.h"

#include <QAction>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>

#include "app/TrayAvailability.h"
#include "app/TrayIndicator.h"
#include "program/LanguageTable.h"
#include "program/MainTexts.h"
#include "ui/ProductIcons.h"

namespace kx {

namespace {

// At most 63 UTF-16 units, never half a surrogate pair.
QString cutTooltip(const QString& text) {
    QString cut = text.left(CTrayIcon::kMaxTooltip);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

} // namespace

struct CTrayIcon::Impl {
    Impl(CTrayIcon* owner, const LanguageTable& lang)
        : q(owner), language(lang), tray(owner), area(owner) {
        menu.setObjectName(QStringLiteral("trayMenu"));
        open = menu.addAction(QStringLiteral("Open Utility Window"));
        open->setObjectName(QStringLiteral("trayOpenAction"));
        exit = menu.addAction(QStringLiteral("Exit KXConfig"));
        exit->setObjectName(QStringLiteral("trayExitAction"));
        menu.setDefaultAction(open);
        tray.setObjectName(QStringLiteral("trayIcon"));
        tray.setIcon(ProductIcons::tray());
    }

    // Commands reach the main window after the tray's own handler has returned.
    void post(Command c) {
        QMetaObject::invokeMethod(
            q, [this, c] { emit q->command(c); }, Qt::QueuedConnection);
    }

    TrayIndicator& ensureIndicator() {
        if (!indicator) {
            indicator = std::make_unique<TrayIndicator>(ProductIcons::tray());
            QObject::connect(indicator.get(), &TrayIndicator::doubleClicked, q,
                             [this] { post(defaultCommand); });
            QObject::connect(indicator.get(), &TrayIndicator::menuRequested, q,
                             [this](const QPoint& at) { menu.popup(at, open); });
            applyTooltip();
        }
        return *indicator;
    }

    // The icon goes to a notification area whenever one is there; the indicator stands
    // in while there is none.
    void followArea() {
        if (!active)
            return;
        const bool area = TrayAvailability::available();
        tray.setVisible(area);
        if (area) {
            if (indicator)
                indicator->hide();
        } else {
            ensureIndicator().show();
        }
    }

    void activated(QSystemTrayIcon::ActivationReason reason) {
        // A single click does nothing; only a double click runs the default. An area
        // that reports clicks one by one (a StatusNotifierItem host calls Activate for
        // each) tells a double click as two of them within the double-click time.
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        if (reason == QSystemTrayIcon::DoubleClick ||
            (reason == QSystemTrayIcon::Trigger && lastClick.isValid() &&
             !lastClick.hasExpired(interval))) {
            lastClick.invalidate();
            post(defaultCommand);
        } else if (reason == QSystemTrayIcon::Trigger) {
            lastClick.start();
        } else {
            lastClick.invalidate(); // another button between two clicks
        }
    }

    void applyTooltip() {
        tray.setToolTip(tooltip);
        if (indicator) {
            indicator->setToolTip(tooltip);
            indicator->setWindowTitle(tooltip);
        }
    }

    CTrayIcon* q;
    const LanguageTable& language;
    QMenu menu; // outlives the tray that shows it
    QSystemTrayIcon tray;
    QAction* open = nullptr;
    QAction* exit = nullptr;
    std::unique_ptr<TrayIndicator> indicator;
    TrayAvailability area;
    QElapsedTimer lastClick;
    QString tooltip;
    Command defaultCommand = OpenCommand;
    bool active = false;
};

CTrayIcon::CTrayIcon(const LanguageTable& language, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(this, language)) {
    connect(&d->tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { d->activated(reason); });
    connect(&d->area, &TrayAvailability::changed, this, [this] { d->followArea(); });
    connect(d->open, &QAction::triggered, this, [this] { d->post(OpenCommand); });
    connect(d->exit, &QAction::triggered, this, [this] { d->post(ExitCommand); });
}

CTrayIcon::~CTrayIcon() {
    remove();
}

bool CTrayIcon::create(const QString& tooltip, Command defaultCommand) {
    d->tooltip = cutTooltip(tooltip);
    d->defaultCommand = defaultCommand;
    d->menu.setDefaultAction(defaultCommand == OpenCommand ? d->open : d->exit);
    d->tray.setContextMenu(&d->menu);
    d->active = true;
    d->followArea();
    d->applyTooltip();
    return true;
}

void CTrayIcon::remove() {
    if (!d->active)
        return;
    d->tray.hide();
    if (d->indicator)
        d->indicator->hide();
    d->active = false;
}

bool CTrayIcon::setTooltipText(const QString& text) {
    if (!d->active)
        return false;
    d->tooltip = cutTooltip(text);
    d->applyTooltip();
    return true;
}

void CTrayIcon::setItemTexts(const QString& openText, const QString& exitText) {
    d->open->setText(openText);
    d->exit->setText(exitText);
}

bool CTrayIcon::isActive() const {
    return d->active;
}

QString CTrayIcon::tooltip() const {
    return d->tooltip;
}

bool CTrayIcon::createWithProgramTexts() {
    const bool shown = create(d->language.text(MainTexts::MP_Small_Icon_Tip));
    applyProgramTexts();
    return shown;
}

void CTrayIcon::applyProgramTexts() {
    const LanguageTable& lang = d->language;
    if (isActive())
        setTooltipText(lang.text(MainTexts::MP_Small_Icon_Tip));
    setItemTexts(lang.text(MainTexts::MP_Small_Icon_Item_1),
                 lang.text(MainTexts::MP_Small_Icon_Item_2));
}

} // namespace kx
