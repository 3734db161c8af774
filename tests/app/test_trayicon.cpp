// The tray icon on a desktop without a notification area (the offscreen platform):
// the indicator window stands in for it. The notification-area icon's own signals are
// driven directly.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTest>

#include "app/CTrayIcon.h"
#include "app/TrayAvailability.h"
#include "app/TrayIndicator.h"
#include "program/LanguageChoice.h"
#include "program/LanguageTable.h"
#include "program/MainTexts.h"
#include "program/ProgramConfig.h"
#include "tests/support/TestEnv.h"

using namespace kx;

namespace {

QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1StringView(name))
            return w;
    }
    return nullptr;
}

int visibleIcons(const CTrayIcon& tray) {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->objectName() == u"trayIndicator" && w->isVisible();
    n += tray.findChild<QSystemTrayIcon*>("trayIcon")->isVisible();
    return n;
}

QMenu* trayMenu() {
    return qobject_cast<QMenu*>(topLevel("trayMenu"));
}

} // namespace

class TestTrayIcon final : public QObject {
    Q_OBJECT

    const LanguageTable m_lang{}; // no file: the English texts

private slots:
    void tooltipIsCutTo63() {
        CTrayIcon tray(m_lang);
        QVERIFY(!tray.setTooltipText(QStringLiteral("not shown yet")));
        const QString seventy(70, u'x');
        QVERIFY(tray.create(seventy));
        QCOMPARE(tray.tooltip(), QString(63, u'x'));
        QVERIFY(tray.setTooltipText(QStringLiteral("y").repeated(64)));
        QCOMPARE(tray.tooltip(), QString(63, u'y'));
        // Never half a character.
        QVERIFY(tray.setTooltipText(QString(62, u'z') + QString::fromUtf8("\U0001F4F6")));
        QCOMPARE(tray.tooltip(), QString(62, u'z'));
        tray.remove();
        QVERIFY(!tray.setTooltipText(QStringLiteral("gone")));
    }

    void menuTextsFollowTheLanguage() {
        CTrayIcon tray(m_lang);
        tray.create(QStringLiteral("tip"));
        QMenu* menu = trayMenu();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        tray.setItemTexts(QStringLiteral("Open Utility Window"), QStringLiteral("Exit KXConfig"));
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Open Utility Window"));
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Exit KXConfig"));
        QCOMPARE(menu->defaultAction(), menu->actions()[0]);
        tray.setItemTexts(QStringLiteral("Hilfsfenster öffnen"),
                          QStringLiteral("KXConfig beenden"));
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Hilfsfenster öffnen"));
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("KXConfig beenden"));
    }

    void programTextsFollowALanguageChange() {
        test::TestEnv env;
        ProgramConfig config;
        LanguageTable lang;
        LanguageChoice::startup(lang, config, test::TestEnv::programDir());
        CTrayIcon tray(lang);
        QVERIFY(tray.createWithProgramTexts());
        QCOMPARE(tray.tooltip(), QStringLiteral("KXConfig --- Wireless LAN Configuration Tool"));
        QCOMPARE(trayMenu()->actions()[1]->text(), QStringLiteral("Exit KXConfig"));

        QVERIFY(LanguageChoice::change(lang, 1));
        tray.applyProgramTexts();
        QVERIFY(lang.text(MainTexts::MP_Small_Icon_Item_1) != u"Open Utility Window");
        QCOMPARE(tray.tooltip(), lang.text(MainTexts::MP_Small_Icon_Tip).left(63));
        QCOMPARE(trayMenu()->actions()[0]->text(), lang.text(MainTexts::MP_Small_Icon_Item_1));
        QCOMPARE(trayMenu()->actions()[1]->text(), lang.text(MainTexts::MP_Small_Icon_Item_2));
    }

    void menuCommandsArriveQueued() {
        CTrayIcon tray(m_lang);
        tray.create(QStringLiteral("tip"));
        QSignalSpy commands(&tray, &CTrayIcon::command);
        trayMenu()->actions()[1]->trigger();
        QCOMPARE(commands.count(), 0); // not before the tray's own handler returned
        QTRY_COMPARE(commands.count(), 1);
        QCOMPARE(commands[0][0].value<CTrayIcon::Command>(), CTrayIcon::ExitCommand);
    }

    void indicatorDoubleClickOpensOnce() {
        CTrayIcon tray(m_lang);
        tray.create(QStringLiteral("tip"));
        QSignalSpy commands(&tray, &CTrayIcon::command);
        QWidget* indicator = topLevel("trayIndicator");
        QVERIFY(indicator && indicator->isVisible());
        QCOMPARE(indicator->toolTip(), QStringLiteral("tip"));
        QTest::mouseClick(indicator, Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(commands.count(), 0);
        QTest::mouseDClick(indicator, Qt::LeftButton);
        QTRY_COMPARE(commands.count(), 1);
        QTest::qWait(20);
        QCOMPARE(commands.count(), 1);
        QCOMPARE(commands[0][0].value<CTrayIcon::Command>(), CTrayIcon::OpenCommand);
    }

    void indicatorRightClickShowsTheMenu() {
        CTrayIcon tray(m_lang);
        tray.create(QStringLiteral("tip"));
        QWidget* indicator = topLevel("trayIndicator");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                indicator->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(indicator, &event);
        QTRY_VERIFY(trayMenu()->isVisible());
        trayMenu()->hide();
    }

    void notificationAreaClicks() {
        CTrayIcon tray(m_lang);
        tray.create(QStringLiteral("tip"));
        QSignalSpy commands(&tray, &CTrayIcon::command);
        auto* icon = tray.findChild<QSystemTrayIcon*>("trayIcon");
        QVERIFY(icon);
        emit icon->activated(QSystemTrayIcon::Trigger);
        QTest::qWait(20);
        QCOMPARE(commands.count(), 0);
        emit icon->activated(QSystemTrayIcon::DoubleClick);
        QTRY_COMPARE(commands.count(), 1);
        QCOMPARE(commands[0][0].value<CTrayIcon::Command>(), CTrayIcon::OpenCommand);
    }

    // Areas that report every click (StatusNotifierItem hosts) and areas that report the
    // double click itself (XEmbed: a click, then the double click) open exactly once.
    void doubleClicksOfEveryArea() {
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(150);
        CTrayIcon tray(m_lang);
        tray.create(QStringLiteral("tip"));
        QSignalSpy commands(&tray, &CTrayIcon::command);
        auto* icon = tray.findChild<QSystemTrayIcon*>("trayIcon");
        const auto opened = [&commands] {
            QTest::qWait(20);
            const qsizetype n = commands.count();
            commands.clear();
            return n;
        };

        emit icon->activated(QSystemTrayIcon::Trigger);
        emit icon->activated(QSystemTrayIcon::Trigger);
        QCOMPARE(opened(), 1);
        emit icon->activated(QSystemTrayIcon::Trigger);
        emit icon->activated(QSystemTrayIcon::DoubleClick);
        emit icon->activated(QSystemTrayIcon::Trigger); // a third click starts anew
        QCOMPARE(opened(), 1);
        QTest::qWait(200);
        emit icon->activated(QSystemTrayIcon::Trigger); // too late for the one before
        QCOMPARE(opened(), 0);
        emit icon->activated(QSystemTrayIcon::Context);
        emit icon->activated(QSystemTrayIcon::Trigger);
        QCOMPARE(opened(), 0);
    }

    void removeThenCreateShowsOneIcon() {
        CTrayIcon tray(m_lang);
        QCOMPARE(visibleIcons(tray), 0);
        tray.create(QStringLiteral("tip"));
        QCOMPARE(visibleIcons(tray), 1);
        tray.create(QStringLiteral("tip"));
        QCOMPARE(visibleIcons(tray), 1);
        tray.remove();
        QCOMPARE(visibleIcons(tray), 0);
        QVERIFY(!tray.isActive());
        // A notification area coming or going does not bring a removed icon back.
        emit tray.findChild<TrayAvailability*>()->changed();
        QTest::qWait(20);
        QCOMPARE(visibleIcons(tray), 0);
        tray.create(QStringLiteral("tip"));
        QCOMPARE(visibleIcons(tray), 1);
        QVERIFY(tray.isActive());
    }

    void destructionRemovesTheIcon() {
        {
            CTrayIcon tray(m_lang);
            tray.create(QStringLiteral("tip"));
        }
        QWidget* indicator = topLevel("trayIndicator");
        QVERIFY(!indicator || !indicator->isVisible());
    }
};

QTEST_MAIN(TestTrayIcon)
#include "test_trayicon.moc"
