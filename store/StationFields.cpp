#include "store/StationFields.h"

#include <algorithm>

#include <QStringList>

#include "driver/Channels.h"
#include "driver/WepKeyText.h"

namespace kx {

namespace {

using WS = WirelessSettings;
using S = Setting;

constexpr StationField kNumbers[] = {
    {&WS::channel, S::DesiredChannel, "Channel", "channel", QueryWL_Channel, SetWL_Channel},
    {&WS::txRateControl, S::TxRate, "Transmit Rate Control", "tx_rate", QueryWL_TxRateControl,
     SetWL_TxRateControl},
    {&WS::networkType, S::NetworkType, "Network Type", "network_type", QueryWL_NetworkType,
     SetWL_NetworkType},
    {&WS::wepStatus, S::WepStatus, "WEP Status", "wep", QueryWL_WEPStatus, SetWL_WEPStatus},
    {&WS::authenticationMode, S::AuthMode, "Authentication Mode", "authentication",
     QueryWL_AuthenticationMode, SetWL_AuthenticationMode},
    {&WS::wepBit, S::WepBit, "WEP Bit", "wep_bit", QueryWL_WEPbit, nullptr},
    {&WS::defaultKeyId, S::DefaultKeyId, "WEP Default Key ID", "default_key", QueryWL_DefaultKeyID,
     nullptr},
    {&WS::powerSaveMode, S::PsMode, "Power Save Mode", "power_save", QueryWL_PSMode, SetWL_PSMode},
    {&WS::powerSaveLevel, S::PsLevel, "Power Save Level", "power_save_level", QueryWL_PSLevel,
     SetWL_PSLevel},
    {&WS::fragmentationThreshold, S::FragThreshold, "Fragmentation Threshold",
     "fragmentation_threshold", QueryWL_FragmentationThreshold, SetWL_FragmentationThreshold},
    {&WS::rtsCtsThreshold, S::RtsThreshold, "RTS CTS Threshold", "rts_threshold",
     QueryWL_RTS_CTS_Threshold, SetWL_RTS_CTS_Threshold},
    {&WS::preambleMode, S::Preamble, "Preamble Mode", "preamble", QueryWL_PreambleMode,
     SetWL_PreambleMode},
    {&WS::mode27_5Mbps, S::Mode27_5, "27.5Mbps Mode", "mode_27_5mbps", QueryWL_27_5Mbps,
     SetWL_27_5Mbps},
};

bool channelOffered(int channel, std::uint16_t mask) {
    return channel >= kFirstChannel && channel <= kLastChannel && (mask >> (channel - 1) & 1) != 0;
}

// "1-11, 13" for a list of channels.
QString ranges(const std::vector<int>& numbers) {
    QStringList parts;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        parts.append(i == j ? QString::number(numbers[i])
                            : QStringLiteral("%1-%2").arg(numbers[i]).arg(numbers[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

std::span<const StationField> StationFields::numbers() {
    return kNumbers;
}

const StationField& StationFields::of(int WirelessSettings::*member) {
    return *std::find_if(std::begin(kNumbers), std::end(kNumbers),
                         [&](const StationField& f) { return f.member == member; });
}

bool StationFields::takes(const StationField& field, int value, std::uint16_t channelMask) {
    if (!field.info().offers(value))
        return false;
    return field.setting != Setting::DesiredChannel || channelOffered(value, channelMask);
}

QString StationFields::accepted(const StationField& field, std::uint16_t channelMask) {
    const SettingInfo& info = field.info();
    if (field.setting == Setting::DesiredChannel)
        return ranges(Channels::ofMask(channelMask));
    if (info.offered.empty())
        return QStringLiteral("%1-%2").arg(info.low).arg(info.high);
    QStringList codes;
    for (const std::int32_t c : info.offered)
        codes.append(QString::number(c));
    return codes.join(QStringLiteral(", "));
}

bool StationFields::wholeKeys(const WepKeys::Texts& keys) {
    const std::optional<WepBit> first = WepKeyText::exactKeyLength(keys[0].toStdString());
    return first && std::all_of(keys.begin(), keys.end(), [&](const QString& key) {
               return WepKeyText::exactKeyLength(key.toStdString()) == first;
           });
}

QString StationFields::problem(const WirelessSettings& settings, std::uint16_t channelMask) {
    for (const StationField& f : kNumbers) {
        const int value = settings.*f.member;
        if (!takes(f, value, channelMask))
            return QStringLiteral("%1 does not take %2; it takes %3")
                .arg(QLatin1String(f.fileKey))
                .arg(value)
                .arg(accepted(f, channelMask));
    }
    if (!wholeKeys(settings.keys))
        return QStringLiteral("%1 are no four keys of 10 or 26 hexadecimal digits, all of one "
                              "length")
            .arg(QLatin1String(kKeysFileKey));
    return {};
}

} // namespace kx
