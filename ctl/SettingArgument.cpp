#include "ctl/SettingArgument.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "context/AppContext.h"
#include "ctl/CodeNames.h"
#include "ctl/ControlText.h"
#include "ctl/WholeNumber.h"
#include "driver/DriverCodes.h"
#include "driver/DriverLimits.h"
#include "driver/SsidText.h"
#include "settings/StationCodes.h"
#include "store/AdapterSettings.h"
#include "store/StationFields.h"

namespace kx {

namespace {

// The codes of a basic settings list, by position, with their names.
using CodeAt = int (*)(int);
QList<int> listCodes(CodeAt codeAt, int count) {
    QList<int> codes;
    for (int p = 0; p < count; ++p)
        codes.append(codeAt(p));
    return codes;
}

QString namesOf(std::span<const CodeNames::Name> names, const QList<int>& codes) {
    QStringList out;
    for (int code : codes)
        out.append(CodeNames::nameOf(names, code));
    return out.join(QStringLiteral(", "));
}

std::optional<int> namedCode(std::span<const CodeNames::Name> names, const QList<int>& codes,
                             const QString& value) {
    const std::optional<int> code = CodeNames::codeOf(names, value);
    return code && codes.contains(*code) ? code : std::nullopt;
}

std::optional<bool> onOff(const QString& value) {
    if (value.compare(u"on", Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(u"off", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

// A threshold: a number in range, or "off" for the slider's maximum.
std::optional<int> threshold(const QString& value, Setting setting) {
    const SettingInfo& info = SettingTable::info(setting);
    if (value.compare(u"off", Qt::CaseInsensitive) == 0)
        return info.high;
    return WholeNumber::of(value, info.low, info.high);
}

QString thresholds(Setting setting) {
    const SettingInfo& info = SettingTable::info(setting);
    return QStringLiteral("%1-%2, off (%2)").arg(info.low).arg(info.high);
}

bool usableSsid(const QString& ssid) {
    return SsidText::fromTyped(ssid.toStdU16String()).has_value();
}

struct Argument {
    const char* name;
    std::function<QString(const AppContext&)> accepted;
    // nullopt refuses the value; otherwise what became of the change.
    std::function<std::optional<SettingResult>(AppContext&, const QString&)> apply;
};

QList<int> rateCodes() {
    return listCodes(StationCodes::rateCode, StationCodes::rateCount());
}
QList<int> typeCodes() {
    return listCodes(StationCodes::typeCode, StationCodes::typeCount());
}
QList<int> allCodes(std::span<const CodeNames::Name> names) {
    QList<int> codes;
    for (const CodeNames::Name& n : names)
        codes.append(n.code);
    return codes;
}

const QString kOnOff = QStringLiteral("on, off");

const Argument kArguments[] = {
    {"channel",
     [](const AppContext& c) {
         return StationFields::accepted(StationFields::of(&WirelessSettings::channel),
                                        c.adapter.channelMask);
     },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> n = WholeNumber::of(v);
         if (!n || !StationFields::takes(StationFields::of(&WirelessSettings::channel), *n,
                                         c.adapter.channelMask))
             return std::nullopt;
         return c.settings.setChannel(*n);
     }},
    {"rate", [](const AppContext&) { return namesOf(CodeNames::rates(), rateCodes()); },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> code = namedCode(CodeNames::rates(), rateCodes(), v);
         if (!code)
             return std::nullopt;
         return c.settings.setTxRate(*code);
     }},
    {"ssid",
     [](const AppContext&) {
         return QStringLiteral("a name of at most %1 bytes in UTF-8 (other bytes as \\xNN), "
                               "\"\" for any network")
             .arg(kMaxSsidBytes);
     },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         if (!usableSsid(v))
             return std::nullopt;
         return c.settings.setSsid(v);
     }},
    {"type", [](const AppContext&) { return namesOf(CodeNames::networkTypes(), typeCodes()); },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> code = namedCode(CodeNames::networkTypes(), typeCodes(), v);
         if (!code)
             return std::nullopt;
         return c.settings.setNetworkType(NetworkType{*code});
     }},
    {"wep", [](const AppContext&) { return kOnOff; },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<bool> on = onOff(v);
         if (!on)
             return std::nullopt;
         // As the "Enable WEP" check box: the recorded keys, then a restart.
         SettingResult result = c.settings.setWepEnabled(*on);
         result += c.settings.restart();
         return result;
     }},
    {"auth",
     [](const AppContext&) {
         return namesOf(CodeNames::authentications(), allCodes(CodeNames::authentications()));
     },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> code = CodeNames::codeOf(CodeNames::authentications(), v);
         if (!code)
             return std::nullopt;
         return c.settings.setAuthenticationMode(*code);
     }},
    {"preamble",
     [](const AppContext& c) {
         // The dialog offers the preamble on the newer chip only.
         return c.adapter.newerChip()
                    ? namesOf(CodeNames::preambles(), allCodes(CodeNames::preambles()))
                    : QStringLiteral("nothing on this adapter (only the 3102 chip chooses)");
     },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> code = CodeNames::codeOf(CodeNames::preambles(), v);
         if (!code || !c.adapter.newerChip())
             return std::nullopt;
         return c.settings.setPreambleMode(*code);
     }},
    {"powersave", [](const AppContext&) { return kOnOff; },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<bool> on = onOff(v);
         if (!on)
             return std::nullopt;
         return c.settings.setPowerSaveMode(*on ? 1 : 0);
     }},
    {"fragment", [](const AppContext&) { return thresholds(Setting::FragThreshold); },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> bytes = threshold(v, Setting::FragThreshold);
         if (!bytes)
             return std::nullopt;
         return c.settings.setFragmentationThreshold(*bytes);
     }},
    {"rts", [](const AppContext&) { return thresholds(Setting::RtsThreshold); },
     [](AppContext& c, const QString& v) -> std::optional<SettingResult> {
         const std::optional<int> bytes = threshold(v, Setting::RtsThreshold);
         if (!bytes)
             return std::nullopt;
         // As the dialog: a threshold other than the one in effect restarts the adapter.
         const bool changed = QueryWL_RTS_CTS_Threshold(c.adapter.record()) != *bytes;
         SettingResult result = c.settings.setRtsThreshold(*bytes);
         if (changed)
             result += c.settings.restart();
         return result;
     }},
};

const Argument* find(const QString& name) {
    const auto it = std::find_if(std::begin(kArguments), std::end(kArguments),
                                 [&](const Argument& s) { return name == QLatin1String(s.name); });
    return it == std::end(kArguments) ? nullptr : &*it;
}

} // namespace

QStringList SettingArgument::names() {
    QStringList out;
    for (const Argument& s : kArguments)
        out.append(QLatin1String(s.name));
    return out;
}

QString SettingArgument::accepted(const QString& name, const AppContext& context) {
    const Argument* s = find(name);
    return s ? s->accepted(context) : QString();
}

SettingArgument::Outcome SettingArgument::apply(AppContext& context, const QString& name,
                                                const QString& value) {
    const Argument* s = find(name);
    if (!s)
        return {QStringLiteral("there is no setting \"%1\"; one of %2")
                    .arg(name, names().join(QStringLiteral(", "))),
                {}};
    std::optional<SettingResult> result = s->apply(context, value);
    if (!result)
        return {QStringLiteral("%1 does not take \"%2\"; it takes %3")
                    .arg(name, ControlText::printable(value), s->accepted(context)),
                {}};
    return {QString(), *result};
}

} // namespace kx
