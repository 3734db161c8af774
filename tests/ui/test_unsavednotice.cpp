// A change that took effect on the adapter but did not reach the registry is told to
// the user over the window they are using, once per failure, and on the error output.

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "app/CTrayIcon.h"
#include "kx02app/kxsim.h"
#include "mainwnd/ui/CMainDlg.h"
#include "platform/Registry.h"
#include "settings/ui/CMoreSettingDlg.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"
#include "ui/UnsavedNotice.h"

using namespace kx;
using namespace kx::test;

namespace {

SettingResult failedRecord(const char* file, const char* reason) {
    SettingResult result;
    result.addRecord({QString::fromLatin1(file), QString::fromLatin1(reason)});
    return result;
}

QString registryDirectory() {
    return QString::fromStdString(Registry::directory().string());
}

// What the user was told, checked in the ordinary user's process: 0 when it is one
// message over `window` naming what could not be written (the registry directory, for the
// hive is replaced within it) and why, otherwise which check failed.
int toldOnceOver(const ScriptedSeam& seam, const QWidget* window) {
    if (seam.messages.size() != 1)
        return 10 + static_cast<int>(seam.messages.size());
    const ScriptedSeam::Message& told = seam.messages.constFirst();
    if (!told.text.startsWith(
            QStringLiteral("Settings cannot be saved: %1").arg(registryDirectory())))
        return 2;
    if (!told.text.endsWith(QStringLiteral("Permission denied")))
        return 3; // not the reason
    return told.over == window ? 0 : 4;
}

} // namespace

class TestUnsavedNotice final : public QObject {
    Q_OBJECT

private slots:
    void toldOncePerFailure() {
        TestContext t;
        QWidget window;
        UnsavedNotice notice(t.ctx, &window);
        notice.report(SettingResult{});
        QVERIFY(t.seam.messages.isEmpty());

        QTest::ignoreMessage(QtWarningMsg, "Settings cannot be saved: a.reg: read-only");
        notice.report(failedRecord("a.reg", "read-only"));
        notice.report(failedRecord("a.reg", "read-only"));
        QCOMPARE(t.seam.messages.size(), 1);
        QCOMPARE(t.seam.messages[0].text,
                 QStringLiteral("Settings cannot be saved: a.reg: read-only"));
        QCOMPARE(t.seam.messages[0].title, QStringLiteral("Tolva Wireless LAN Configuration Tool"));
        QCOMPARE(t.seam.messages[0].over, &window);

        // Another reason, or another file, is news.
        QTest::ignoreMessage(QtWarningMsg, "Settings cannot be saved: a.reg: disk full");
        QTest::ignoreMessage(QtWarningMsg, "Settings cannot be saved: b.reg: disk full");
        notice.report(failedRecord("a.reg", "disk full"));
        notice.report(failedRecord("b.reg", "disk full"));
        QCOMPARE(t.seam.messages.size(), 3);
        // A refusal by the adapter is no unsaved setting.
        SettingResult refused;
        refused.addDriverAnswer(-1);
        notice.report(refused);
        QCOMPARE(t.seam.messages.size(), 3);
    }

    // A control inside a window (a shared group box, a page of a sheet) tells through its
    // window's notice; outside any window with one, the error output is all there is.
    void controlTellsThroughItsWindow() {
        TestContext t;
        QWidget window;
        auto* page = new QWidget(&window);
        auto* control = new QCheckBox(page);
        new UnsavedNotice(t.ctx, &window);
        QTest::ignoreMessage(QtWarningMsg, "Settings cannot be saved: a.reg: read-only");
        UnsavedNotice::report(control, failedRecord("a.reg", "read-only"));
        QCOMPARE(t.seam.messages.size(), 1);
        QCOMPARE(t.seam.messages[0].over, &window);

        QWidget bare;
        QTest::ignoreMessage(QtWarningMsg, "Settings cannot be saved: b.reg: read-only");
        UnsavedNotice::report(&bare, failedRecord("b.reg", "read-only"));
        QCOMPARE(t.seam.messages.size(), 1);
    }

    // Switching WEP on and off with a hive the user may not write: the adapter takes both,
    // the dialog tells once.
    void settingsDialogTellsOverItself() {
        TestContext t;
        QCOMPARE(selectSimulatedAdapter(t.ctx), 0);
        const ReadOnlyRegistryForOthers readOnly(t.env.path());
        const int result = runAsOrdinaryUser([&t] {
            CMoreSettingDlg dialog(t.ctx, nullptr);
            auto* wep = dialog.findChild<QCheckBox*>(QStringLiteral("enableWepCheck"));
            clearSimTrace();
            wep->click();
            wep->click();
            if (simCalls({QStringLiteral("SetWL_WEPStatus")}) !=
                QStringList{QStringLiteral("SetWL_WEPStatus(1)"),
                            QStringLiteral("SetWL_WEPStatus(0)")})
                return 1;
            return toldOnceOver(t.seam, &dialog);
        });
        QCOMPARE(result, 0);
    }

    // An adapter this user may not change: the dialog says so once, with the driver's
    // reason, and records nothing of what the adapter did not take.
    void readOnlyAdapterToldOnceOverTheDialog() {
        TestContext t;
        QCOMPARE(selectSimulatedAdapter(t.ctx), 0);
        const QByteArray reason =
            "wlan0 is managed by NetworkManager, which this program leaves it to";
        qputenv("KX02APP_READ_ONLY", reason);
        CMoreSettingDlg dialog(t.ctx, nullptr);
        auto* wep = dialog.findChild<QCheckBox*>(QStringLiteral("enableWepCheck"));
        QTest::ignoreMessage(QtWarningMsg, "The adapter is read-only for this user: " + reason);
        wep->click();
        wep->click();
        qunsetenv("KX02APP_READ_ONLY");
        QCOMPARE(t.seam.messages.size(), 1);
        QCOMPARE(t.seam.messages[0].text,
                 "The adapter is read-only for this user: " + QString::fromLatin1(reason));
        QCOMPARE(t.seam.messages[0].over, &dialog);
        QCOMPARE(t.adapterValue("WEPStatus"), QString("<missing>"));
    }

    void mainWindowTellsOnModeSwitch() {
        TestContext t;
        t.loadShippedConfig();
        CMainDlg window(t.ctx);
        window.initialise();
        window.onTrayCommand(CTrayIcon::OpenCommand); // its controls are made when first shown
        const ReadOnlyRegistryForOthers readOnly(t.env.path());
        const int result = runAsOrdinaryUser([&t, &window] {
            auto* mode = window.findChild<QPushButton*>(QStringLiteral("modeButton"));
            clearSimTrace();
            mode->click();
            if (simCalls({QStringLiteral("SetWL_NetworkType")}) !=
                QStringList{QStringLiteral("SetWL_NetworkType(4)")})
                return 1;
            return toldOnceOver(t.seam, &window);
        });
        QCOMPARE(result, 0);
    }
};

QTEST_MAIN(TestUnsavedNotice)
#include "test_unsavednotice.moc"
