#include "kx02app/Scenario.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include <nlohmann/json.hpp>

#include "driver/Channels.h"
#include "driver/DriverLimits.h"
#include "driver/HexText.h"
#include "driver/MacText.h"
#include "driver/SsidText.h"
#include "driver/kx02app.h"
#include "platform/TextCodec.h"

namespace kx::sim {

namespace {

using nlohmann::json;

MacBytes mac(std::string_view text) {
    return MacText::parse(text).value_or(MacBytes{});
}

Scenario::Network network(std::string ssid, std::string_view bssid, int channel, int mode,
                          std::string_view wep, int signal, int quality) {
    Scenario::Network n;
    n.ssid = std::move(ssid);
    n.bssid = mac(bssid);
    n.channel = channel;
    n.mode = mode;
    n.wepKey = HexText::parseExact(wep).value_or(std::vector<std::uint8_t>{});
    n.signal = signal;
    n.quality = quality;
    return n;
}

// The value of an integer; nullopt for anything else, and for a number beyond 64-bit
// signed range, which would otherwise wrap to a small or negative one.
std::optional<std::int64_t> integer(const json& v) {
    if (v.is_number_unsigned())
        return v.get<std::uint64_t>() <= static_cast<std::uint64_t>(INT64_MAX)
                   ? std::optional<std::int64_t>(static_cast<std::int64_t>(v.get<std::uint64_t>()))
                   : std::nullopt;
    if (v.is_number_integer())
        return v.get<std::int64_t>();
    return std::nullopt;
}

// "\x1B", as a network name writes a byte.
std::string escapedByte(unsigned char byte) {
    char text[5] = {};
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

// Where a file is no UTF-8 text (raw bytes of a network name, say), or nothing.
std::string notUtf8(std::string_view text) {
    int line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const TextCodec::Utf8Sequence sequence = TextCodec::utf8At(text, at);
        if (!sequence.valid)
            return "line " + std::to_string(line) + " holds the byte " +
                   escapedByte(static_cast<unsigned char>(text[at])) +
                   ", which is no UTF-8 text: write a network name's bytes that are no text "
                   "as \\xNN in the JSON string (\"Caf\\\\xE9\")";
        line += text[at] == '\n' ? 1 : 0;
        at += sequence.length;
    }
    return {};
}

// Reads one scenario object, remembering the first problem met.
class Reader {
public:
    Reader(std::string& error, std::vector<std::string>& warnings)
        : m_error(error), m_warnings(warnings) {}

    bool failed() const { return !m_error.empty(); }
    void fail(const std::string& what) {
        if (m_error.empty())
            m_error = what;
    }

    void checkKeys(const json& object, std::string_view where,
                   std::initializer_list<std::string_view> known) {
        for (const auto& [key, value] : object.items()) {
            if (std::find(known.begin(), known.end(), key) == known.end())
                m_warnings.push_back("unknown key \"" + key + "\" in " + std::string(where));
        }
    }

    std::string text(const json& object, const char* key, std::string fallback,
                     std::size_t maxLength = 259) {
        if (!object.contains(key))
            return fallback;
        const json& v = object[key];
        if (!v.is_string() || v.get_ref<const std::string&>().size() > maxLength) {
            fail(std::string("\"") + key + "\" must be text of at most " +
                 std::to_string(maxLength) + " bytes");
            return fallback;
        }
        return v.get<std::string>();
    }

    // A network name as people write it (driver/SsidText.h); a control character the
    // JSON holds as such stands for its byte, as the air may carry one.
    std::string ssid(const json& object, const char* key, std::string fallback) {
        if (!object.contains(key))
            return fallback;
        const json& v = object[key];
        std::u16string written;
        if (v.is_string()) {
            for (const char16_t c : TextCodec::utf8ToUtf16(v.get_ref<const std::string&>())) {
                if (c < 0x20 || c == 0x7F)
                    written += TextCodec::widen(escapedByte(static_cast<unsigned char>(c)));
                else
                    written += c;
            }
        }
        const std::optional<std::string> bytes =
            v.is_string() ? SsidText::fromTyped(written) : std::nullopt;
        if (!bytes) {
            fail(std::string("\"") + key + "\" must be a network name of at most " +
                 std::to_string(kMaxSsidBytes) + " bytes (bytes that are no UTF-8 text as \\xNN)");
            return fallback;
        }
        return *bytes;
    }

    int number(const json& object, const char* key, int fallback, int low, int high) {
        if (!object.contains(key))
            return fallback;
        const std::optional<std::int64_t> v = integer(object[key]);
        if (!v || *v < low || *v > high) {
            fail(std::string("\"") + key + "\" must be an integer from " + std::to_string(low) +
                 " to " + std::to_string(high));
            return fallback;
        }
        return static_cast<int>(*v);
    }

    bool flag(const json& object, const char* key, bool fallback) {
        if (!object.contains(key))
            return fallback;
        const json& v = object[key];
        if (v.is_boolean())
            return v.get<bool>();
        if (const std::optional<std::int64_t> n = integer(v); n && (*n == 0 || *n == 1))
            return *n == 1;
        fail(std::string("\"") + key + "\" must be true or false");
        return fallback;
    }

    MacBytes address(const json& v, MacBytes fallback) {
        if (!v.is_string()) {
            fail("an address must be text like \"00:0A:1B:2C:3D:4E\"");
            return fallback;
        }
        const std::optional<MacBytes> parsed = MacText::parse(v.get<std::string>());
        if (!parsed)
            fail("\"" + v.get<std::string>() + "\" is not a MAC address");
        return parsed.value_or(fallback);
    }

private:
    std::string& m_error;
    std::vector<std::string>& m_warnings;
};

Scenario::Adapter readAdapter(Reader& r, const json& o, std::size_t index) {
    Scenario::Adapter a;
    if (!o.is_object()) {
        r.fail("every adapter must be an object");
        return a;
    }
    r.checkKeys(o, "an adapter",
                {"name", "description", "instance", "hardware_id", "mac", "firmware", "opens",
                 "wzc", "stations", "channel_mask", "ap_ssid", "ap_signal", "ap_quality"});
    for (const char* required : {"name", "instance", "hardware_id"}) {
        if (!o.contains(required))
            r.fail(std::string("an adapter lacks \"") + required + "\"");
    }
    a.name = r.text(o, "name", "");
    a.description = r.text(o, "description", a.name);
    a.instance = r.text(o, "instance", "", 4);
    a.hardwareId = r.text(o, "hardware_id", "", 511);
    a.mac = o.contains("mac")
                ? r.address(o["mac"], a.mac)
                : MacBytes{0x00, 0x1C, 0x7E, 0x00, 0x00, static_cast<std::uint8_t>(index)};
    const std::string firmware = r.text(o, "firmware", "station");
    if (firmware != "station" && firmware != "access_point")
        r.fail("\"firmware\" must be \"station\" or \"access_point\"");
    a.accessPoint = firmware == "access_point";
    a.opens = r.flag(o, "opens", true);
    a.wzc = r.number(o, "wzc", 0, 0, 1);
    if (o.contains("stations")) {
        if (!o["stations"].is_array())
            r.fail("\"stations\" must be a list of MAC addresses");
        else
            for (const json& s : o["stations"])
                a.stations.push_back(r.address(s, MacBytes{}));
    }
    if (o.contains("channel_mask"))
        a.channelMask = static_cast<std::uint16_t>(r.number(o, "channel_mask", 0x3FFF, 1, 0x3FFF));
    a.apSsid = r.ssid(o, "ap_ssid", a.apSsid);
    a.apSignal = r.number(o, "ap_signal", a.apSignal, 0, 100);
    a.apQuality = r.number(o, "ap_quality", a.apQuality, 0, 100);
    return a;
}

Scenario::Network readNetwork(Reader& r, const json& o) {
    Scenario::Network n;
    if (!o.is_object()) {
        r.fail("every network must be an object");
        return n;
    }
    r.checkKeys(o, "a network", {"ssid", "bssid", "channel", "mode", "wep", "signal", "quality"});
    n.ssid = r.ssid(o, "ssid", "");
    if (o.contains("bssid"))
        n.bssid = r.address(o["bssid"], n.bssid);
    n.channel = r.number(o, "channel", Channels::kFallback, kFirstChannel, kLastChannel);
    if (o.contains("mode")) {
        const json& m = o["mode"];
        if (m == "infrastructure")
            n.mode = Scenario::Infrastructure;
        else if (m == "adhoc")
            n.mode = Scenario::AdHoc;
        else
            n.mode = r.number(o, "mode", Scenario::Infrastructure, 0, 0x7FFFFFFF);
    }
    if (o.contains("wep") && !o["wep"].is_null()) {
        const json& w = o["wep"];
        const std::optional<std::vector<std::uint8_t>> key =
            w.is_string() ? HexText::parseExact(w.get<std::string>()) : std::nullopt;
        if (!key || (key->size() != 5 && key->size() != 13))
            r.fail("\"wep\" must be null or a key of 10 or 26 hexadecimal digits");
        else
            n.wepKey = *key;
    }
    n.signal = r.number(o, "signal", 50, 0, 100);
    n.quality = r.number(o, "quality", 50, 0, 100);
    return n;
}

PerSource::Setup readPerSource(Reader& r, const json& o) {
    PerSource::Setup p;
    r.checkKeys(o, "\"per_source\"",
                {"frames", "lost", "frames_per_second", "port", "start_after_ms", "frame_bytes"});
    constexpr int kMaxFrames = 10000000;
    constexpr int kMaxDelayMs = 3600000;
    constexpr int kHeaderBytes = 28, kMaxFrameBytes = 2346;
    p.frames = r.number(o, "frames", p.frames, 0, kMaxFrames);
    p.lost = r.number(o, "lost", p.frames / 100, 0, p.frames);
    p.framesPerSecond = r.number(o, "frames_per_second", p.framesPerSecond, 1, 100000);
    p.port = r.number(o, "port", p.port, 1, 0xFFFF);
    p.startAfterMs = r.number(o, "start_after_ms", p.startAfterMs, 0, kMaxDelayMs);
    p.frameBytes = r.number(o, "frame_bytes", p.frameBytes, kHeaderBytes, kMaxFrameBytes);
    return p;
}

} // namespace

Scenario Scenario::builtIn() {
    Scenario s;
    Adapter pci;
    pci.name = "KX3102_PCI_0007";
    pci.description = "Tolva KX3102 Wireless LAN PCI Adapter";
    pci.instance = "0007";
    pci.hardwareId = "PCI\\VEN_1C7E&DEV_2102&SUBSYS_21021C7E";
    pci.mac = mac("00:1C:7E:21:02:07");
    Adapter card;
    card.name = "KX3101_PCMCIA_0008";
    card.description = "Tolva KX3101 Wireless LAN PC Card";
    card.instance = "0008";
    card.hardwareId = "PCMCIA\\TOLVA-KX3101_WLAN_CARD-3A1F";
    card.mac = mac("00:1C:7E:31:01:08");
    card.channelMask = 0x07FF; // a card for the USA region: channels 1 to 11
    Adapter usb;
    usb.name = "KX3101_USB_0009";
    usb.description = "Tolva KX3101 Wireless LAN USB Adapter";
    usb.instance = "0009";
    usb.hardwareId = "USB\\VID_1D5A&PID_3101";
    usb.mac = mac("00:1C:7E:31:01:09");
    usb.accessPoint = true;
    usb.stations = {mac("00:16:3E:11:22:33"), mac("00:16:3E:44:55:66")};
    s.adapters = {pci, card, usb};
    s.networks = {
        network("TolvaNet", "00:0A:1B:2C:3D:4E", 6, Infrastructure, "", 82, 90),
        network("HomeWEP64", "00:0A:1B:2C:3D:51", 1, Infrastructure, "1234567890", 64, 75),
        network("Office128", "00:0A:1B:2C:3D:52", 11, Infrastructure, "0123456789ABCDEF0123456789",
                55, 70),
        network("PlayRoom", "02:11:22:33:44:55", 3, AdHoc, "", 40, 60),
        network("FarAway", "00:0A:1B:2C:3D:54", 13, Infrastructure, "", 12, 25),
        network("", "00:0A:1B:2C:3D:53", 9, Infrastructure, "", 47, 65),
    };
    s.seed = 2004;
    s.perSource = PerSource::Setup{};
    return s;
}

std::optional<Scenario> Scenario::parse(std::string_view text, std::string& error,
                                        std::vector<std::string>& warnings) {
    if (const std::string problem = notUtf8(text); !problem.empty()) {
        error = problem;
        return std::nullopt;
    }
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        error = "not a JSON object";
        return std::nullopt;
    }
    Reader r(error, warnings);
    r.checkKeys(root, "the scenario", {"adapters", "networks", "seed", "overrides", "per_source"});
    Scenario s = builtIn();
    s.overrides.clear();
    if (root.contains("adapters")) {
        if (!root["adapters"].is_array())
            r.fail("\"adapters\" must be a list");
        else {
            s.adapters.clear();
            const json& list = root["adapters"];
            // The driver's adapter list holds no more; the rest could never be found.
            const std::size_t used = std::min<std::size_t>(list.size(), WL_ADAPTER_LIST_MAX);
            if (used < list.size())
                warnings.push_back("only the first " + std::to_string(used) + " of " +
                                   std::to_string(list.size()) + " adapters are used");
            for (std::size_t i = 0; i < used; ++i)
                s.adapters.push_back(readAdapter(r, list[i], i));
        }
    }
    if (root.contains("networks")) {
        if (!root["networks"].is_array())
            r.fail("\"networks\" must be a list");
        else {
            s.networks.clear();
            for (const json& n : root["networks"])
                s.networks.push_back(readNetwork(r, n));
        }
    }
    if (root.contains("seed")) {
        if (!root["seed"].is_number_integer())
            r.fail("\"seed\" must be an integer");
        else
            s.seed = root["seed"].get<std::uint64_t>();
    }
    if (root.contains("overrides")) {
        if (!root["overrides"].is_object())
            r.fail("\"overrides\" must map operation names to integers");
        else
            for (const auto& [fn, value] : root["overrides"].items()) {
                const std::optional<std::int64_t> v = integer(value);
                if (!v || *v < INT32_MIN || *v > INT32_MAX)
                    r.fail("the override of \"" + fn + "\" must be a 32-bit integer");
                else
                    s.overrides[fn] = static_cast<std::int32_t>(*v);
            }
    }
    if (root.contains("per_source")) {
        const json& p = root["per_source"];
        if (p.is_null())
            s.perSource.reset();
        else if (!p.is_object())
            r.fail("\"per_source\" must be null or an object");
        else
            s.perSource = readPerSource(r, p);
    }
    if (r.failed())
        return std::nullopt;
    return s;
}

} // namespace kx::sim
