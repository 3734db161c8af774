// kxctl ap: the access point, as the main window's mode button and the access point and
// MAC filter dialogs run it.
#include <algorithm>
#include <array>
#include <optional>

#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/WholeNumber.h"
#include "driver/Channels.h"
#include "driver/DriverLimits.h"
#include "driver/MacText.h"
#include "driver/SsidText.h"

namespace kx {

namespace {

// A setting of the running access point: what it accepts (said when refused) and how it
// is sent; `change` answers nullopt for a value it does not take, and may name the
// culprit in `refusal`.
struct ApSetting {
    const char* name;
    const char* accepts;
    std::optional<SettingResult> (*change)(CommandCall& call, const QStringList& values,
                                           QString& refusal);
    bool resendsSsid; // the adapter takes it with the next SSID, as the dialogs send it
};

std::optional<bool> onOff(const QStringList& values) {
    if (values.size() != 1)
        return std::nullopt;
    return values.at(0) == u"on"    ? std::optional(true)
           : values.at(0) == u"off" ? std::optional(false)
                                    : std::nullopt;
}

std::optional<SettingResult> ssid(CommandCall& call, const QStringList& values, QString&) {
    if (values.size() != 1 || values.at(0).isEmpty() ||
        !SsidText::fromTyped(values.at(0).toStdU16String()))
        return std::nullopt;
    return call.context.settings.setApSsid(values.at(0));
}

std::optional<SettingResult> channel(CommandCall& call, const QStringList& values, QString&) {
    const std::vector<int> offered =
        Channels::ofOperationList(QueryWL_OperationChannelList(call.context.adapter.record()));
    const std::optional<int> n = values.size() == 1
                                     ? WholeNumber::of(values.at(0), kFirstChannel, kLastChannel)
                                     : std::nullopt;
    if (!n || std::find(offered.begin(), offered.end(), *n) == offered.end())
        return std::nullopt;
    return call.context.settings.setChannel(*n);
}

std::optional<SettingResult> hide(CommandCall& call, const QStringList& values, QString&) {
    const std::optional<bool> on = onOff(values);
    return on ? std::optional(call.context.settings.setApSsidHidden(*on)) : std::nullopt;
}

std::optional<SettingResult> wep(CommandCall& call, const QStringList& values, QString&) {
    const std::optional<bool> on = onOff(values);
    return on ? std::optional(call.context.settings.setWepEnabled(*on)) : std::nullopt;
}

std::optional<SettingResult> power(CommandCall& call, const QStringList& values, QString&) {
    const std::optional<int> level =
        values.size() == 1 ? WholeNumber::of(values.at(0), 0, 3) : std::nullopt;
    return level ? std::optional(call.context.settings.setTxPowerLevel(*level)) : std::nullopt;
}

// off, accept or reject, then the stations' MAC addresses; as the filter dialog sends
// it: the table, then the mode.
std::optional<SettingResult> filter(CommandCall& call, const QStringList& values,
                                    QString& refusal) {
    static const QStringList modes{QStringLiteral("off"), QStringLiteral("accept"),
                                   QStringLiteral("reject")};
    const qsizetype mode = modes.indexOf(values.value(0));
    const QStringList macs = values.mid(1);
    if (mode < 0 || macs.size() > WL_FILTER_ENTRIES)
        return std::nullopt;
    std::array<std::uint8_t, WL_FILTER_TABLE_BYTES> table{};
    for (qsizetype i = 0; i < macs.size(); ++i) {
        const std::optional<MacText::Mac> mac = MacText::parse(macs.at(i).toStdString());
        if (!mac || *mac == MacText::Mac{}) {
            refusal = QStringLiteral("MAC addresses; \"%1\" is none").arg(macs.at(i));
            return std::nullopt;
        }
        const auto at = static_cast<std::size_t>(i) * sizeof(WLFilterEntry);
        table[at] = 1;
        std::copy(mac->begin(), mac->end(), table.begin() + static_cast<qsizetype>(at + 1));
    }
    SettingResult result = call.context.settings.setFilterTable(table);
    return result += call.context.settings.setFilterMode(FilterMode{static_cast<int>(mode)});
}

constexpr ApSetting kSettings[] = {
    {"ssid", "a name of 1 to 32 bytes", ssid, true},
    {"channel", "a channel the adapter offers", channel, true},
    {"hide", "on or off", hide, true},
    {"wep", "on or off (the recorded keys)", wep, true},
    {"power", "a level from 0 (full power) to 3", power, false},
    {"filter", "off, accept or reject and at most 16 MAC addresses", filter, true},
};
static_assert(WL_FILTER_ENTRIES == 16 && kMaxSsidBytes == 32, "the texts above name them");

int stations(CommandCall& call) {
    std::array<std::uint8_t, WL_STATION_LIST_BYTES> table{};
    if (WL_RetrieveStationList(call.context.adapter.record(), table.data(),
                               WL_STATION_LIST_BYTES) == -1) {
        call.out.error(QStringLiteral("the adapter lists no stations"));
        return ControlCommand::Failure;
    }
    for (std::size_t i = 0; i < WL_STATION_SLOTS; ++i) {
        const std::size_t at = i * sizeof(WLStationSlot);
        if (table[at] != 0)
            call.out.line(QString::fromStdString(MacText::format(&table[at + 1])));
    }
    return ControlCommand::Done;
}

int change(CommandCall& call, const ApSetting& setting) {
    QString refusal = QLatin1String(setting.accepts);
    const std::optional<SettingResult> result =
        setting.change(call, call.arguments.mid(1), refusal);
    if (!result) {
        call.out.error(QStringLiteral("%1 takes %2").arg(QLatin1String(setting.name), refusal));
        return ControlCommand::Usage;
    }
    SettingResult sent = *result;
    if (setting.resendsSsid)
        sent += call.context.settings.resendSsid();
    return call.settled(sent, QLatin1String(setting.name));
}

int run(CommandCall& call) {
    const QString what = call.arguments.value(0);
    const bool bare = what == u"on" || what == u"off" || what == u"stations";
    const auto setting =
        std::find_if(std::begin(kSettings), std::end(kSettings),
                     [&](const ApSetting& s) { return what == QLatin1String(s.name); });
    if ((bare && call.arguments.size() != 1) || (!bare && setting == std::end(kSettings)) ||
        (!bare && call.arguments.size() < 2))
        return call.usage(QStringLiteral("ap takes on, off or stations, or ssid, channel, hide, "
                                         "wep, power or filter with a value"));
    ControlSession session(call.context, call.hooks);
    if (!call.open(session))
        return ControlCommand::Failure;
    const bool running = call.context.adapter.accessPointMode;
    if (what == u"on" || what == u"off") {
        if ((what == u"on") == running)
            return ControlCommand::Done;
        return call.settled(session.monitor().switchMode(), QStringLiteral("the mode"));
    }
    if (!running) {
        call.out.error(
            QStringLiteral("adapter %1 runs no access point (kxctl ap on)").arg(call.adapter));
        return ControlCommand::Failure;
    }
    return what == u"stations" ? stations(call) : change(call, *setting);
}

} // namespace

CommandEntry accessPointCommand() {
    return {QStringLiteral("ap"),
            QStringLiteral("ap on | off | stations | ssid NAME | channel N | hide on|off | "
                           "wep on|off | power 0-3 | filter off|accept|reject [MAC...]"),
            QStringLiteral("The access point, as the main window's mode button and the access "
                           "point and MAC filter dialogs run it: on and off switch the mode; "
                           "the rest need it on. A filter lists at most 16 stations."),
            {},
            run};
}

} // namespace kx
