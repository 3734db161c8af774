// Texts of the current network rows and the link status line, with the English
// defaults (no language file loaded).

#include <QTest>

#include "mainwnd/ConnectingDots.h"
#include "mainwnd/LinkStatus.h"
#include "mainwnd/StatusTexts.h"
#include "program/LanguageTable.h"

using namespace kx;

class TestStatusTexts final : public QObject {
    Q_OBJECT

private slots:
    void rateText_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("1M") << 1 << "1M bps";
        QTest::newRow("2M") << 2 << "2M bps";
        QTest::newRow("5.5M") << 4 << "5.5M bps";
        QTest::newRow("11M") << 8 << "11M bps";
        QTest::newRow("auto") << 15 << "Auto";
        QTest::newRow("16.5M") << 16 << "16.5M bps";
        QTest::newRow("22M") << 32 << "22M bps";
        QTest::newRow("27.5M") << 64 << "27.5M bps";
        QTest::newRow("highest classic bit wins") << 12 << "11M bps";
        QTest::newRow("1+2 bits") << 3 << "2M bps";
        QTest::newRow("16 and 32 together") << 48 << "x.xM bps(Code: 0x30";
        QTest::newRow("unknown high bit") << 128 << "x.xM bps(Code: 0x80";
        QTest::newRow("hex upper case") << 0xA0 << "x.xM bps(Code: 0xA0";
        QTest::newRow("zero") << 0 << "---";
        QTest::newRow("negative") << -2 << "---";
    }
    void rateText() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(StatusTexts::rateText(LanguageTable{}, code), text);
    }

    void networkTypeText_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("ad hoc") << 0 << "Ad-Hoc";
        QTest::newRow("infrastructure") << 1 << "Infrastructure";
        QTest::newRow("pseudo IBSS") << 3 << "Pseudo IBSS";
        QTest::newRow("access point") << 4 << "Unknown type(4)";
        QTest::newRow("two") << 2 << "Unknown type(2)";
        QTest::newRow("no answer") << -1 << "---";
        QTest::newRow("other negative") << -7 << "Unknown type(-7)";
    }
    void networkTypeText() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(StatusTexts::networkTypeText(LanguageTable{}, code), text);
    }

    void wepAndSelectedType() {
        const LanguageTable t; // no file: the English defaults
        QCOMPARE(StatusTexts::wepText(t, 1), QStringLiteral("On"));
        QCOMPARE(StatusTexts::wepText(t, 0), QStringLiteral("Off"));
        QCOMPARE(StatusTexts::wepText(t, 2), QStringLiteral("Off"));
        QCOMPARE(StatusTexts::wepText(t, -2), QStringLiteral("---"));
        QCOMPARE(StatusTexts::selectedTypeText(t, 0), QStringLiteral("Ad-Hoc"));
        QCOMPARE(StatusTexts::selectedTypeText(t, 1), QStringLiteral("Infrastructure"));
        QCOMPARE(StatusTexts::selectedTypeText(t, 2), QStringLiteral("Unknown"));
    }

    void linkStatus_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("showBssid");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("hideSignal");
        const QString bssid = QStringLiteral("00:0A:1B:2C:3D:4E");
        QTest::newRow("disconnected") << 1 << 1 << false << "Disconnected." << false << true;
        QTest::newRow("connecting") << 2 << 1 << false << "Connecting..." << false << true;
        QTest::newRow("scanning") << 5 << 1 << false << "Connecting..." << false << true;
        QTest::newRow("ad hoc waiting") << 2 << 0 << false << "In Ad-Hoc Mode." << false << true;
        QTest::newRow("ad hoc") << 3 << 1 << false << "Connected to Ad-Hoc." << true << true;
        QTest::newRow("ad hoc bssid")
            << 3 << 1 << true << "Connected to Ad-Hoc. BSSID = " + bssid << true << true;
        QTest::newRow("access point")
            << 4 << 1 << false << "Connected to Access Point." << true << false;
        QTest::newRow("access point bssid")
            << 4 << 1 << true << "Connected to Access Point. BSSID = " + bssid << true << false;
        QTest::newRow("joined ad hoc") << 4 << 0 << false << "Connected to Ad-Hoc." << true << true;
        QTest::newRow("joined ad hoc bssid")
            << 4 << 0 << true << "Connected to Ad-Hoc. BSSID = " + bssid << true << true;
        QTest::newRow("wds") << 6 << 1 << false << "Connected to WDS." << true << true;
        QTest::newRow("pseudo") << 9 << 1 << false << "Connected to Pseudo IBSS." << true << true;
        QTest::newRow("failed") << -1 << 1 << false << "---" << false << true;
        QTest::newRow("other negative")
            << -3 << 1 << false << "Unknown Status.(-3)" << false << true;
        QTest::newRow("unknown") << 7 << 1 << false << "Unknown Status.(7)" << false << true;
    }
    void linkStatus() {
        QFETCH(int, port);
        QFETCH(int, type);
        QFETCH(bool, showBssid);
        QFETCH(QString, text);
        QFETCH(bool, connected);
        QFETCH(bool, hideSignal);
        ConnectingDots dots;
        const LinkStatus s = LinkStatus::build(LanguageTable{}, port, type, showBssid,
                                               QStringLiteral("00:0A:1B:2C:3D:4E"), dots);
        QCOMPARE(s.text, text);
        QCOMPARE(s.connected, connected);
        QCOMPARE(s.hideSignal, hideSignal);
    }

    void failedBssidShowsUnknown() {
        ConnectingDots dots;
        const LinkStatus s = LinkStatus::build(LanguageTable{}, 4, 1, true, std::nullopt, dots);
        QCOMPARE(s.text, QStringLiteral("Connected to Access Point. BSSID = Unknown!"));
        QVERIFY(LinkStatus::needsBssid(3, true));
        QVERIFY(LinkStatus::needsBssid(4, true));
        QVERIFY(!LinkStatus::needsBssid(4, false));
        QVERIFY(!LinkStatus::needsBssid(6, true));
    }

    void connectingDotsCycleAndReset() {
        const LanguageTable t; // no file: the English defaults
        ConnectingDots dots;
        for (int round = 0; round < 2; ++round) {
            for (int groups = 0; groups <= ConnectingDots::kMaxGroups; ++groups) {
                const LinkStatus s = LinkStatus::build(t, 2, 1, false, std::nullopt, dots);
                QCOMPARE(s.text, QStringLiteral("Connecting...") + QString(3 * groups, u'.'));
            }
        }
        LinkStatus::build(t, 2, 1, false, std::nullopt, dots);
        QCOMPARE(dots.groups(), 1);
        // Ad hoc waiting leaves the count alone; any other status resets it.
        LinkStatus::build(t, 2, 0, false, std::nullopt, dots);
        QCOMPARE(dots.groups(), 1);
        LinkStatus::build(t, 1, 1, false, std::nullopt, dots);
        QCOMPARE(dots.groups(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStatusTexts)
#include "test_statustexts.moc"
