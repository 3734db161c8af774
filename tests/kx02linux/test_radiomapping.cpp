// The Linux driver's mappings between the kernel's values and the contract's records,
// and the settings it keeps: the parts a user meets through every window (channels,
// strength, rates, thresholds, survey rows, the access point's filter).
#include <QtTest>

#include "kx02linux/Hostapd.h"
#include "kx02linux/RadioMapping.h"
#include "kx02linux/RadioSettings.h"

using namespace kx::lnx;

namespace {

// Information elements as a beacon carries them: SSID, then supported rates.
std::vector<std::uint8_t> elements(const std::string& ssid) {
    std::vector<std::uint8_t> e{0, static_cast<std::uint8_t>(ssid.size())};
    e.insert(e.end(), ssid.begin(), ssid.end());
    e.insert(e.end(), {1, 4, 0x82, 0x84, 0x8b, 0x96});
    return e;
}

BssInfo network(const std::string& ssid, int mhz, int dbm, std::uint16_t capability = 0x0001) {
    BssInfo b;
    b.bssid = {0x02, 0, 0, 0, 1, static_cast<std::uint8_t>(mhz & 0xFF)};
    b.frequencyMhz = mhz;
    b.capability = capability;
    b.signalMbm = dbm * 100;
    b.elements = elements(ssid);
    return b;
}

} // namespace

class TestRadioMapping : public QObject {
    Q_OBJECT
private slots:
    void channels_data() {
        QTest::addColumn<int>("mhz");
        QTest::addColumn<int>("channel");
        QTest::newRow("first") << 2412 << 1;
        QTest::newRow("six") << 2437 << 6;
        QTest::newRow("thirteen") << 2472 << 13;
        QTest::newRow("fourteen, off the 5 MHz grid") << 2484 << 14;
        QTest::newRow("between channels") << 2414 << 0;
        QTest::newRow("5 GHz") << 5180 << 0;
    }
    void channels() {
        QFETCH(int, mhz);
        QFETCH(int, channel);
        QCOMPARE(RadioMapping::channelOf(mhz), channel);
        if (channel != 0)
            QCOMPARE(RadioMapping::frequencyOf(channel), mhz);
    }

    void channelMaskLeavesOutDisabledChannels() {
        const std::vector<ChannelInfo> channels{
            {2412, false, false}, {2467, false, true}, {2484, true, false}, {5180, false, false}};
        // Channel 12 is passive only but still scanned and joined; 14 is off.
        QCOMPARE(RadioMapping::channelMask(channels), std::uint16_t{0x0801});
    }

    void strengthAndQuality() {
        QCOMPARE(RadioMapping::signalLevel(-30), 75); // -30 dBm shows as 75 % and -30 dBm
        QCOMPARE(RadioMapping::signalLevel(-120), 0);
        QCOMPARE(RadioMapping::signalLevel(0), 100);
        QCOMPARE(RadioMapping::goodness(-50), 100);
        QCOMPARE(RadioMapping::goodness(-75), 50);
        // The older chip counts its quality down; the program turns it back.
        QCOMPARE(RadioMapping::reportedQuality(-75, false), 50);
        QCOMPARE(RadioMapping::reportedQuality(-90, false), 80);
        QCOMPARE(RadioMapping::reportedQuality(-90, true), 20);
    }

    void rates() {
        QCOMPARE(RadioMapping::rateCodeOf(10), 1);
        QCOMPARE(RadioMapping::rateCodeOf(55), 4);
        QCOMPARE(RadioMapping::rateCodeOf(540), 8); // 54 Mbit/s: the fastest 802.11b rate
        QCOMPARE(RadioMapping::rateCodeOf(0), 0);
        QCOMPARE(RadioMapping::legacyRates(15), std::optional(std::vector<std::uint8_t>{}));
        QCOMPARE(RadioMapping::legacyRates(9), std::optional(std::vector<std::uint8_t>{2, 22}));
        QCOMPARE(RadioMapping::legacyRates(64), std::nullopt); // 27.5 Mbit/s
        QCOMPARE(RadioMapping::legacyRates(0), std::nullopt);
    }

    void thresholdsOff() {
        QCOMPARE(RadioMapping::fragToKernel(2306), std::optional(UINT32_MAX));
        QCOMPARE(RadioMapping::fragToKernel(256), std::optional(256u));
        QCOMPARE(RadioMapping::fragToKernel(255), std::nullopt);
        QCOMPARE(RadioMapping::rtsToKernel(2305), std::optional(UINT32_MAX));
        QCOMPARE(RadioMapping::rtsToKernel(0), std::optional(0u));
        QCOMPARE(RadioMapping::rtsToKernel(2306), std::nullopt);
        // What another program set beyond the contract's range reads as off.
        QCOMPARE(RadioMapping::fragFromKernel(UINT32_MAX), 2306);
        QCOMPARE(RadioMapping::fragFromKernel(3000), 2306);
        QCOMPARE(RadioMapping::rtsFromKernel(2347), 2305);
        QCOMPARE(RadioMapping::rtsFromKernel(500), 500);
    }

    void powerLevels() {
        for (int level = 0; level <= 3; ++level)
            QCOMPARE(RadioMapping::powerLevelOf(*RadioMapping::powerLimitMbm(level) +
                                                (level ? 0 : 2000)),
                     level);
        QCOMPARE(RadioMapping::powerLimitMbm(4), std::nullopt);
    }

    void surveyRecord() {
        const BssInfo wep = network("WepNet", 2462, -40, 0x0011);
        const std::optional<WLSurveyRecord> r = RadioMapping::surveyRecord(wep);
        QVERIFY(r);
        QCOMPARE(r->length, 104u);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(r->ssid), int(r->ssidLength)), "WepNet");
        QCOMPARE(r->privacy, 1u);
        QCOMPARE(r->signal, 65);
        QCOMPARE(r->frequencyKHz, 2462000u);
        QCOMPARE(r->infrastructureMode, 1u);
        QCOMPARE(r->rates[0], 0x82);
        QCOMPARE(RadioMapping::surveyRecord(network("Cell", 2412, -40, 0x0002))->infrastructureMode,
                 0u);
    }

    void surveyRecordOfBrokenElements() {
        BssInfo b = network("x", 2412, -40);
        b.elements = {0, 40, 'a', 'b'}; // an SSID longer than what arrived
        QCOMPARE(RadioMapping::surveyRecord(b)->ssidLength, 0u);
        b.elements = {0, 32};
        b.elements.resize(34, 'z');
        QCOMPARE(RadioMapping::surveyRecord(b)->ssidLength, 32u);
    }

    void surveyOrderAndRoom() {
        const std::vector<BssInfo> found{network("Weak", 2412, -80), network("Strong", 2437, -30),
                                         network("Fast", 5180, -20), network("Masked", 2462, -35)};
        // Channel 11 is not allowed; 5 GHz is never in the survey.
        const auto records = RadioMapping::survey(found, 0x0021, 20);
        QCOMPARE(records.size(), std::size_t{2});
        QCOMPARE(records[0].ssid[0], 'S');
        QCOMPARE(RadioMapping::survey(found, 0x3FFF, 1).size(), std::size_t{1});
    }

    void filterTable() {
        const std::vector<Mac> macs{{0, 0x16, 0x3E, 0x11, 0x22, 0x33}, {2, 0, 0, 0, 3, 0}};
        std::array<std::uint8_t, WL_FILTER_TABLE_BYTES> table{};
        RadioMapping::fillSlots(macs, table);
        const std::vector<Mac> back = RadioMapping::filterEntries(table);
        QCOMPARE(back.size(), std::size_t{2});
        QCOMPARE(back[1], macs[1]);
        QVERIFY(RadioMapping::filterAdmits(1, macs, macs[0]));
        QVERIFY(!RadioMapping::filterAdmits(1, macs, Mac{}));
        QVERIFY(!RadioMapping::filterAdmits(2, macs, macs[1]));
        QVERIFY(RadioMapping::filterAdmits(0, macs, macs[1]));
    }

    void settingsRoundTrip() {
        RadioSettings s;
        s.networkType = 4;
        s.ssid = std::string("a=b\nc\0d", 7); // bytes the file format must not confuse
        s.bssid = Mac{2, 0, 0, 0, 1, 0};
        s.wepStatus = 1;
        s.wepBit = 1;
        s.keys[2] = std::vector<std::uint8_t>(13, 0xAB);
        s.apSsid = "KXAccess";
        s.filterMode = 2;
        s.filter = {Mac{0, 1, 2, 3, 4, 5}};
        QCOMPARE(RadioSettings::parse(s.serialize()), std::optional(s));
        QCOMPARE(s.key(2).size(), std::size_t{13});
        QCOMPARE(s.key(0), std::vector<std::uint8_t>(13, 0));
    }

    void settingsFileDamaged() {
        QCOMPARE(RadioSettings::parse("something else\nchannel=3\n"), std::nullopt);
        const auto s =
            RadioSettings::parse("kx02linux-settings 1\nchannel=99\nauth_mode=2\nssid=zz\n");
        QVERIFY(s);
        QCOMPARE(s->channel, 6); // out of range: the default stays
        QCOMPARE(s->authMode, 2);
        QCOMPARE(s->ssid, std::string());
    }

    void hostapdConfig() {
        RadioSettings s;
        s.channel = 3;
        s.apHidden = 1;
        s.wepStatus = 1;
        s.authMode = 2;
        s.keys[0] = {1, 2, 3, 4, 5};
        s.basicRate = 9;
        s.filterMode = 1;
        const Hostapd::Files f = Hostapd::files("/run/kx", "wlan0");
        const QString c = QString::fromStdString(Hostapd::config(s, "wlan0", f, 500, UINT32_MAX));
        for (const char* line :
             {"interface=wlan0", "ssid2=4b58436f6e66696720776c616e30", "channel=3",
              "ignore_broadcast_ssid=1", "rts_threshold=500", "fragm_threshold=-1",
              "basic_rates=10 110", "macaddr_acl=1", "accept_mac_file=/run/kx/hostapd-wlan0.accept",
              "auth_algs=2", "wep_key0=0102030405", "ctrl_interface=/run/kx/hostapd"})
            QVERIFY2(c.split(u'\n').contains(QLatin1String(line)), line);
        s.wepStatus = 0;
        QVERIFY(
            !QString::fromStdString(Hostapd::config(s, "wlan0", f, 500, 500)).contains("wep_key"));
    }
};

QTEST_GUILESS_MAIN(TestRadioMapping)
#include "test_radiomapping.moc"
