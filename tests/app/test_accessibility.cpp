// Every window as assistive technology and the keyboard meet it: each visible control is
// announced by a name, each button's accessible action does what a click does, every
// control is reached by Tab, and Escape closes a dialog but never the main window.
//
// A new window is one row in windows() below: a name, how the program opens it, and
// whether Escape closes it. dialog<CXxxDlg> opens a dialog over a station adapter,
// accessPoint<CXxxDlg> over one in access point mode; any other opener is a function
// answering the shown window.

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>
#include <set>

#include "app/CTrayIcon.h"
#include "context/AppContext.h"
#include "driver/DriverCodes.h"
#include "info/ui/CInformationDlg.h"
#include "mainwnd/ui/CMainDlg.h"
#include "pro/eeprom/EepromSettings.h"
#include "pro/eeprom/ui/CEepromCisDlg.h"
#include "pro/eeprom/ui/CEepromExtendedDlg.h"
#include "pro/eeprom/ui/CEepromPciDlg.h"
#include "pro/per/ui/CPERTestDlg.h"
#include "pro/sheet/ui/CMainAdvanced.h"
#include "program/ProgramConfig.h"
#include "settings/ui/CAPSettingDlg.h"
#include "settings/ui/CAdvancedSettingDlg.h"
#include "settings/ui/CMACFilterDlg.h"
#include "settings/ui/CMoreSettingDlg.h"
#include "settings/ui/CWEPKeySettingDlg.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

using Opener = std::function<std::unique_ptr<QWidget>(TestContext&)>;

struct Window {
    const char* name;
    Opener open;
    bool closesOnEscape = true;
};

// A dialog as the program opens it: over the first simulated adapter, in the shipped
// language.
template <typename Dialog> std::unique_ptr<QWidget> dialog(TestContext& t) {
    selectSimulatedAdapter(t.ctx);
    t.openShippedLanguage();
    auto window = std::make_unique<Dialog>(t.ctx, nullptr);
    window->show();
    return window;
}

// A dialog opened while the adapter serves as an access point.
template <typename Dialog> std::unique_ptr<QWidget> accessPoint(TestContext& t) {
    selectSimulatedAdapter(t.ctx);
    t.ctx.adapter.accessPointMode = true;
    if (!t.ctx.settings.setNetworkType(NetworkType::AccessPoint).ok())
        return nullptr;
    t.openShippedLanguage();
    auto window = std::make_unique<Dialog>(t.ctx, nullptr);
    window->show();
    return window;
}

// The professional sheet in professional mode, showing its page `tab`.
template <int tab> std::unique_ptr<QWidget> sheetPage(TestContext& t) {
    selectSimulatedAdapter(t.ctx);
    t.ctx.config.Release_Mode = ProgramConfig::kProfessionalCode;
    auto sheet = std::make_unique<CMainAdvanced>(t.ctx, nullptr);
    sheet->show();
    sheet->findChild<QTabWidget*>(QStringLiteral("pages"))->tabBar()->setCurrentIndex(tab);
    return sheet;
}

// An EEPROM editor over its part of the settings read from the card.
template <typename Editor, auto part> std::unique_ptr<QWidget> eepromEditor(TestContext& t) {
    selectSimulatedAdapter(t.ctx);
    static EepromSettings content;
    content = {};
    auto editor = std::make_unique<Editor>(t.ctx, content.*part, nullptr);
    editor->show();
    return editor;
}

// The main window as the tray's open command shows it.
std::unique_ptr<QWidget> mainWindow(TestContext& t) {
    t.loadShippedConfig();
    t.openShippedLanguage();
    auto window = std::make_unique<CMainDlg>(t.ctx);
    window->initialise();
    window->onTrayCommand(CTrayIcon::OpenCommand);
    return window;
}

// The main window after its mode button switched the adapter to an access point.
std::unique_ptr<QWidget> accessPointMainWindow(TestContext& t) {
    std::unique_ptr<QWidget> window = mainWindow(t);
    auto* mode = window->findChild<QAbstractButton*>(QStringLiteral("modeButton"));
    if (mode == nullptr || !mode->isVisible())
        return nullptr;
    mode->click();
    t.seam.messages.clear();
    t.seam.modalClasses.clear();
    return window;
}

const QList<Window>& windows() {
    static const QList<Window> all = {
        {"main window", mainWindow, false},
        {"main window, access point", accessPointMainWindow, false},
        {"basic settings", dialog<CMoreSettingDlg>},
        {"advanced settings", dialog<CAdvancedSettingDlg>},
        {"WEP key settings", dialog<CWEPKeySettingDlg>},
        {"information", dialog<CInformationDlg>},
        {"access point settings", accessPoint<CAPSettingDlg>},
        {"MAC address filter", accessPoint<CMACFilterDlg>},
        {"PER test", dialog<CPERTestDlg>},
        {"professional, first page", sheetPage<0>},
        {"professional, second page", sheetPage<1>},
        {"professional, third page", sheetPage<2>},
        {"professional, fourth page", sheetPage<3>},
        {"professional, fifth page", sheetPage<4>},
        {"EEPROM CIS editor", eepromEditor<CEepromCisDlg, &EepromSettings::tuples>},
        {"EEPROM PCI editor", eepromEditor<CEepromPciDlg, &EepromSettings::pciIds>},
        {"EEPROM extended editor", eepromEditor<CEepromExtendedDlg, &EepromSettings::records>},
    };
    return all;
}

// ---- names -----------------------------------------------------------------------------

bool isItemView(QAccessible::Role role) {
    return role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree;
}

// The roles a user operates or reads a value from; labels, frames and groups are not.
bool needsName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::ProgressBar:
    case QAccessible::PageTab:
        return true;
    default:
        return isItemView(role);
    }
}

// A drop-down list names its current entry; its label is the relation to it.
bool announced(QAccessibleInterface* control) {
    if (!control->text(QAccessible::Name).trimmed().isEmpty())
        return true;
    if (control->role() != QAccessible::ComboBox)
        return false;
    for (const auto& [label, relation] : control->relations(QAccessible::Label)) {
        if (label->role() == QAccessible::StaticText &&
            !label->text(QAccessible::Name).trimmed().isEmpty())
            return true;
    }
    return false;
}

// Class and name, or the name of the control it is part of.
QString describe(const QObject* object) {
    if (object == nullptr)
        return QStringLiteral("?");
    const QString name = object->objectName().isEmpty() && object->parent() != nullptr
                             ? QStringLiteral("part of ") + describe(object->parent())
                             : object->objectName();
    return QStringLiteral("%1 %2").arg(QLatin1String(object->metaObject()->className()), name);
}

void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr || child->state().invisible)
            continue;
        if (needsName(child->role()) && !announced(child))
            unnamed << describe(child->object());
        // The rows of a list are its data, not controls.
        if (!isItemView(child->role()))
            collectUnnamed(child, unnamed);
    }
}

// ---- actions ---------------------------------------------------------------------------

// What came of one press of a button, as far as the user and the adapter can tell.
struct Outcome {
    QStringList sent;     // driver calls that change something
    QStringList told;     // messages and questions
    QStringList opened;   // dialogs run
    QByteArray registry;  // the hives as stored
    bool checked = false; // the button's own state
    bool windowShown = false;

    bool operator==(const Outcome&) const = default;
};

bool changesSomething(const QString& call) {
    for (const char* read : {"Query", "Get", "Read", "Kx"}) {
        if (call.startsWith(QLatin1String(read)))
            return false;
    }
    return true;
}

QByteArray storedHives(const TestEnv& env) {
    QByteArray all;
    const QDir dir(env.registryDir());
    for (const QString& name : dir.entryList({QStringLiteral("*.reg")}, QDir::Files)) {
        QFile hive(dir.filePath(name));
        if (hive.open(QIODevice::ReadOnly))
            all += name.toUtf8() + '\n' + hive.readAll();
    }
    return all;
}

// The visible buttons, in the order a fresh window has them.
QList<QAbstractButton*> buttons(QWidget* window) {
    QList<QAbstractButton*> shown;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisible())
            shown << button;
    }
    return shown;
}

QStringList actionsOf(QAbstractButton* button) {
    QStringList names;
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(button)->actionInterface();
    for (const QString& name : actions ? actions->actionNames() : QStringList()) {
        if (name != QAccessibleActionInterface::setFocusAction())
            names << name;
    }
    return names;
}

// Opens `window` afresh, has `act` press its button `index`, and answers what came of it.
Outcome outcome(const Window& window, qsizetype index,
                const std::function<void(QAbstractButton*)>& act) {
    TestContext t;
    std::unique_ptr<QWidget> shown = window.open(t);
    QAbstractButton* button = shown ? buttons(shown.get()).value(index) : nullptr;
    if (button == nullptr)
        return {};
    // What a window does as it comes up is done before a user can reach a control.
    QCoreApplication::processEvents();
    clearSimTrace();
    const QByteArray before = storedHives(t.env);
    act(button);
    // A pressed action clicks when its short animation ends.
    for (int wait = 0; wait < 100 && button->isDown(); ++wait)
        QTest::qWait(20);
    QCoreApplication::processEvents();
    Outcome out;
    for (const QString& call : simCalls()) {
        if (changesSomething(call))
            out.sent << call;
    }
    for (const auto& m : t.seam.messages + t.seam.questions)
        out.told << m.text;
    out.opened = t.seam.modalClasses;
    const QByteArray after = storedHives(t.env);
    out.registry = after == before ? QByteArray() : after;
    out.checked = button->isChecked();
    out.windowShown = shown->isVisible();
    return out;
}

QString show(const Outcome& o) {
    return QStringLiteral("sent [%1] told [%2] opened [%3] registry %4 checked %5 shown %6")
        .arg(o.sent.join(u' '), o.told.join(u'|'), o.opened.join(u' '),
             o.registry.isEmpty() ? QStringLiteral("unchanged") : QStringLiteral("changed"))
        .arg(o.checked)
        .arg(o.windowShown);
}

// ---- keyboard --------------------------------------------------------------------------

// Where Tab must stop: a control the user can operate. An editable list's editor stands
// for its list.
bool wantsTab(QWidget* w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
           w->focusProxy() == nullptr && qobject_cast<QComboBox*>(w->parentWidget()) == nullptr;
}

// The other buttons of an exclusive group are reached from the focused one by the
// arrow keys, as everywhere.
bool reachedThroughGroup(QAbstractButton* button, const std::set<QWidget*>& reached) {
    QList<QAbstractButton*> group;
    if (button->group() != nullptr && button->group()->exclusive())
        group = button->group()->buttons();
    else if (button->autoExclusive() && button->parentWidget() != nullptr)
        group = button->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    return std::any_of(group.begin(), group.end(),
                       [&](QAbstractButton* other) { return reached.count(other) != 0; });
}

} // namespace

class TestAccessibility final : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamed_data() { windowRows(); }
    void everyControlIsNamed() {
        QFETCH(int, row);
        TestContext t;
        std::unique_ptr<QWidget> window = windows()[row].open(t);
        QVERIFY2(window, "the window did not open");
        QStringList unnamed;
        collectUnnamed(QAccessible::queryAccessibleInterface(window.get()), unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
    }

    void actionsDoWhatAClickDoes_data() { windowRows(); }
    void actionsDoWhatAClickDoes() {
        QFETCH(int, row);
        const Window& window = windows()[row];
        QStringList names;
        QList<QStringList> actions;
        {
            TestContext t;
            std::unique_ptr<QWidget> shown = window.open(t);
            QVERIFY2(shown, "the window did not open");
            for (QAbstractButton* button : buttons(shown.get())) {
                names << describe(button);
                actions << actionsOf(button);
            }
        }
        QVERIFY(!names.isEmpty());
        for (qsizetype i = 0; i < names.size(); ++i) {
            const Outcome clicked = outcome(window, i, [](QAbstractButton* b) {
                // On the indicator of a check box, inside any button.
                QTest::mouseClick(b, Qt::LeftButton, {},
                                  QPoint(qMin(8, b->width() / 2), b->height() / 2));
            });
            for (const QString& action : actions[i]) {
                const Outcome acted = outcome(window, i, [&action](QAbstractButton* b) {
                    QAccessible::queryAccessibleInterface(b)->actionInterface()->doAction(action);
                });
                QVERIFY2(acted == clicked,
                         qPrintable(QStringLiteral("%1, action %2:\n  click  %3\n  action %4")
                                        .arg(names[i], action, show(clicked), show(acted))));
            }
        }
    }

    void everyControlIsReachedByTab_data() { windowRows(); }
    void everyControlIsReachedByTab() {
        QFETCH(int, row);
        TestContext t;
        std::unique_ptr<QWidget> window = windows()[row].open(t);
        QVERIFY2(window, "the window did not open");
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        std::set<QWidget*> reached;
        for (int i = 0; i < 200; ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            if (QWidget* list = qobject_cast<QComboBox*>(focus->parentWidget()))
                focus = list;
            reached.insert(focus);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QStringList missed;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!wantsTab(w) || reached.count(w) != 0)
                continue;
            if (auto* button = qobject_cast<QAbstractButton*>(w);
                button != nullptr && reachedThroughGroup(button, reached))
                continue;
            missed << w->objectName() + QLatin1Char('/') + w->metaObject()->className();
        }
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral(", "))));
    }

    void escapeAndEnter_data() { windowRows(); }
    void escapeAndEnter() {
        QFETCH(int, row);
        const Window& window = windows()[row];
        TestContext t;
        std::unique_ptr<QWidget> shown = window.open(t);
        QVERIFY2(shown, "the window did not open");
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));
        // Keys go where the user's keys go: to the focused control first.
        const auto press = [&shown](Qt::Key key) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : shown.get(), key);
        };
        press(Qt::Key_Escape);
        QCOMPARE(shown->isVisible(), !window.closesOnEscape);
        if (window.closesOnEscape)
            return;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            press(key);
            QVERIFY(shown->isVisible());
        }
    }

private:
    static void windowRows() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < windows().size(); ++i)
            QTest::newRow(windows()[i].name) << i;
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
