// nl80211 messages built as the kernel sends them, decoded by the Linux driver, and what
// the driver reads of the host: the device behind an interface and who manages it.
#include <fstream>

#include <QtTest>

#include <linux/nl80211.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "kx02linux/AccessCheck.h"
#include "kx02linux/Nl80211Decode.h"
#include "kx02linux/SysfsDevice.h"

using namespace kx::lnx;
namespace fs = std::filesystem;

namespace {

// A message of the nl80211 family (its number does not matter to the decoder).
struct Message {
    nl_msg* msg = nlmsg_alloc();
    explicit Message(int command) { genlmsg_put(msg, 0, 0, 0x20, 0, 0, std::uint8_t(command), 1); }
    ~Message() { nlmsg_free(msg); }
    nlmsghdr* header() const { return nlmsg_hdr(msg); }
};

const std::uint8_t kMac[6] = {0x02, 0, 0, 0, 1, 0};

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

} // namespace

class TestKernelMessages : public QObject {
    Q_OBJECT
private slots:
    void scanResult() {
        Message m(NL80211_CMD_NEW_SCAN_RESULTS);
        nlattr* bss = nla_nest_start(m.msg, NL80211_ATTR_BSS);
        nla_put(m.msg, NL80211_BSS_BSSID, 6, kMac);
        nla_put_u32(m.msg, NL80211_BSS_FREQUENCY, 2437);
        nla_put_u16(m.msg, NL80211_BSS_CAPABILITY, 0x0011);
        nla_put_u32(m.msg, NL80211_BSS_SIGNAL_MBM, static_cast<std::uint32_t>(-4200));
        const std::uint8_t ies[] = {0, 3, 'N', 'e', 't'};
        nla_put(m.msg, NL80211_BSS_BEACON_IES, sizeof ies, ies);
        nla_put_u32(m.msg, NL80211_BSS_STATUS, NL80211_BSS_STATUS_ASSOCIATED);
        nla_nest_end(m.msg, bss);
        const std::optional<BssInfo> b = Nl80211Decode::bss(m.header());
        QVERIFY(b);
        QCOMPARE(b->frequencyMhz, 2437);
        QCOMPARE(b->signalMbm, std::optional(-4200)); // negative levels survive the u32
        QCOMPARE(b->elements.size(), sizeof ies);
        QCOMPARE(b->status, BssStatus::Associated);
        QCOMPARE(b->bssid[4], 1);
    }

    void scanResultWithoutAddress() {
        Message m(NL80211_CMD_NEW_SCAN_RESULTS);
        nlattr* bss = nla_nest_start(m.msg, NL80211_ATTR_BSS);
        nla_put_u32(m.msg, NL80211_BSS_FREQUENCY, 2437);
        nla_nest_end(m.msg, bss);
        QCOMPARE(Nl80211Decode::bss(m.header()).has_value(), false);
    }

    void station() {
        Message m(NL80211_CMD_NEW_STATION);
        nla_put(m.msg, NL80211_ATTR_MAC, 6, kMac);
        nlattr* info = nla_nest_start(m.msg, NL80211_ATTR_STA_INFO);
        nla_put_u8(m.msg, NL80211_STA_INFO_SIGNAL, static_cast<std::uint8_t>(-57));
        nla_put_u32(m.msg, NL80211_STA_INFO_RX_PACKETS, 120);
        nlattr* rate = nla_nest_start(m.msg, NL80211_STA_INFO_TX_BITRATE);
        nla_put_u16(m.msg, NL80211_RATE_INFO_BITRATE, 55);
        nla_nest_end(m.msg, rate);
        nla_nest_end(m.msg, info);
        const std::optional<StationInfo> s = Nl80211Decode::station(m.header());
        QVERIFY(s);
        QCOMPARE(s->signalDbm, std::optional(-57));
        QCOMPARE(s->rxPackets, 120u);
        QCOMPARE(s->txBitrate100k, 55);
    }

    void interface() {
        Message m(NL80211_CMD_NEW_INTERFACE);
        nla_put_u32(m.msg, NL80211_ATTR_IFINDEX, 7);
        nla_put_string(m.msg, NL80211_ATTR_IFNAME, "wlan0");
        nla_put_u32(m.msg, NL80211_ATTR_IFTYPE, NL80211_IFTYPE_ADHOC);
        nla_put(m.msg, NL80211_ATTR_SSID, 8, "PlayRoom");
        nla_put_u32(m.msg, NL80211_ATTR_WIPHY_FREQ, 2412);
        const std::optional<InterfaceInfo> i = Nl80211Decode::interface(m.header());
        QVERIFY(i);
        QCOMPARE(i->name, std::string("wlan0"));
        QCOMPARE(i->type, IfType::AdHoc);
        QCOMPARE(i->ssid, std::string("PlayRoom"));
        QCOMPARE(i->frequencyMhz, 2412);
        QCOMPARE(i->txPowerMbm, -1);
    }

    // A split dump: the 2.4 GHz channels in one part, the thresholds in another.
    void wiphyParts() {
        WiphyInfo w;
        {
            Message m(NL80211_CMD_NEW_WIPHY);
            nla_put_u32(m.msg, NL80211_ATTR_WIPHY, 3);
            nlattr* bands = nla_nest_start(m.msg, NL80211_ATTR_WIPHY_BANDS);
            for (int band : {NL80211_BAND_2GHZ, NL80211_BAND_5GHZ}) {
                nlattr* b = nla_nest_start(m.msg, band);
                nlattr* freqs = nla_nest_start(m.msg, NL80211_BAND_ATTR_FREQS);
                for (int n = 0; n < 2; ++n) {
                    nlattr* f = nla_nest_start(m.msg, n);
                    nla_put_u32(m.msg, NL80211_FREQUENCY_ATTR_FREQ,
                                band == NL80211_BAND_2GHZ ? 2412u + 60u * n : 5180u);
                    if (n == 1)
                        nla_put_flag(m.msg, NL80211_FREQUENCY_ATTR_DISABLED);
                    nla_nest_end(m.msg, f);
                }
                nla_nest_end(m.msg, freqs);
                nla_nest_end(m.msg, b);
            }
            nla_nest_end(m.msg, bands);
            Nl80211Decode::wiphy(m.header(), w);
        }
        {
            Message m(NL80211_CMD_NEW_WIPHY);
            nla_put_u32(m.msg, NL80211_ATTR_WIPHY, 3);
            nla_put_u32(m.msg, NL80211_ATTR_WIPHY_RTS_THRESHOLD, 500);
            nlattr* modes = nla_nest_start(m.msg, NL80211_ATTR_SUPPORTED_IFTYPES);
            nla_put_flag(m.msg, NL80211_IFTYPE_AP);
            nla_nest_end(m.msg, modes);
            Nl80211Decode::wiphy(m.header(), w);
        }
        QCOMPARE(w.index, 3);
        QCOMPARE(w.channels.size(), std::size_t{2});
        QVERIFY(w.channels[1].disabled);
        QCOMPARE(w.rtsThreshold, 500u);
        QCOMPARE(w.fragThreshold, UINT32_MAX);
        QVERIFY(w.accessPoint && !w.adHoc);
    }

    void hardwareIds() {
        QCOMPARE(SysfsDevice::hardwareId({"pci", "iwlwifi", 0x8086, 0x4232, 0x8086, 0x1201, {}}),
                 std::string("PCI\\VEN_8086&DEV_4232&SUBSYS_12018086"));
        QCOMPARE(SysfsDevice::hardwareId({"usb", "rtl8192cu", 0x0bda, 0x8176, 0, 0, {}}),
                 std::string("USB\\VID_0BDA&PID_8176"));
        QCOMPARE(SysfsDevice::hardwareId({"", "mac80211_hwsim", 0, 0, 0, 0, {}}),
                 std::string("VIRTUAL\\MAC80211_HWSIM"));
        QCOMPARE(SysfsDevice::hardwareId({"platform", "wl1271", 0, 0, 0, 0, {}}),
                 std::string("PLATFORM\\WL1271"));
    }

    // A USB adapter's interface is bound; the device above it says who it is.
    void usbDeviceInSysfs() {
        QTemporaryDir dir;
        const fs::path sys = dir.path().toStdString();
        const fs::path usb = sys / "devices/pci0000:00/usb1/1-1";
        writeFile(usb / "idVendor", "0bda");
        writeFile(usb / "idProduct", "8176");
        writeFile(usb / "manufacturer", "Realtek");
        writeFile(usb / "product", "802.11n WLAN Adapter");
        fs::create_directories(usb / "1-1:1.0");
        fs::create_directories(sys / "bus/usb/drivers/rtl8192cu");
        fs::create_directory_symlink(sys / "bus/usb", usb / "1-1:1.0/subsystem");
        fs::create_directory_symlink(sys / "bus/usb/drivers/rtl8192cu", usb / "1-1:1.0/driver");
        fs::create_directories(sys / "class/net/wlx1");
        fs::create_directory_symlink(usb / "1-1:1.0", sys / "class/net/wlx1/device");
        const DeviceFacts facts = SysfsDevice::read(sys, "wlx1");
        QCOMPARE(SysfsDevice::hardwareId(facts), std::string("USB\\VID_0BDA&PID_8176"));
        QCOMPARE(SysfsDevice::description(facts, "wlx1"),
                 std::string("Realtek 802.11n WLAN Adapter (wlx1)"));
        QCOMPARE(SysfsDevice::hardwareId(SysfsDevice::read(sys, "gone")),
                 std::string("VIRTUAL\\UNKNOWN"));
    }

    void managers() {
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        const SystemRoots roots{root / "run", root / "var/run", root / "proc"};
        fs::create_directories(roots.run);
        writeFile(roots.proc / "1/comm", "init");
        QCOMPARE(AccessCheck::manager(roots, "wlan0", 4), std::string());
        writeFile(roots.proc / "812/comm", "NetworkManager");
        QCOMPARE(AccessCheck::manager(roots, "wlan0", 4), std::string("NetworkManager"));
        // "nmcli device set wlan0 managed no" hands the interface over.
        writeFile(roots.run / "NetworkManager/devices/4", "[device]\nmanaged=false");
        QCOMPARE(AccessCheck::manager(roots, "wlan0", 4), std::string());
        // A control socket of a supplicant of its own (a plain file is no socket).
        fs::create_directories(roots.varRun / "wpa_supplicant");
        writeFile(roots.varRun / "wpa_supplicant/wlan1", "");
        QCOMPARE(AccessCheck::manager(roots, "wlan1", 4), std::string());
        const fs::path socketPath = roots.varRun / "wpa_supplicant/wlan0";
        const int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        QCOMPARE(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        QCOMPARE(AccessCheck::manager(roots, "wlan0", 4), std::string("wpa_supplicant"));
        close(fd);
        QCOMPARE(AccessCheck::readOnlyReason(true, "", "wlan0"), std::string());
        QVERIFY(AccessCheck::readOnlyReason(false, "", "wlan0").find("CAP_NET_ADMIN") !=
                std::string::npos);
        QVERIFY(AccessCheck::readOnlyReason(true, "iwd", "wlan0").find("managed by iwd") !=
                std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestKernelMessages)
#include "test_kernelmessages.moc"
