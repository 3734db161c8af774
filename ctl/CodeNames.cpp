#include "ctl/CodeNames.h"

#include "driver/DriverCodes.h"

namespace kx {

namespace {

constexpr CodeNames::Name kRates[] = {
    {code(RateCode::Mbps1), "1"},        {code(RateCode::Mbps2), "2"},
    {code(RateCode::Mbps5_5), "5.5"},    {code(RateCode::Mbps11), "11"},
    {code(RateCode::Automatic), "auto"}, {code(RateCode::Mbps16_5), "16.5"},
    {code(RateCode::Mbps22), "22"},      {code(RateCode::Mbps27_5), "27.5"},
};
constexpr CodeNames::Name kNetworkTypes[] = {
    {code(NetworkType::AdHoc), "adhoc"},
    {code(NetworkType::Infrastructure), "infrastructure"},
    {code(NetworkType::PseudoIbss), "pseudo-ibss"},
    {code(NetworkType::AccessPoint), "access-point"},
};
constexpr CodeNames::Name kAuthentications[] = {
    {code(AuthenticationMode::OpenSystem), "open"},
    {code(AuthenticationMode::SharedKey), "shared"},
    {code(AuthenticationMode::Automatic), "auto"},
};
constexpr CodeNames::Name kPreambles[] = {
    {code(PreambleMode::Long), "long"},
    {code(PreambleMode::Short), "short"},
    {code(PreambleMode::Automatic), "auto"},
};
constexpr CodeNames::Name kLinks[] = {
    {code(PortStatus::Disconnected), "disconnected"},
    {code(PortStatus::Connecting), "connecting"},
    {code(PortStatus::AdHoc), "adhoc"},
    {code(PortStatus::Joined), "connected"},
    {code(PortStatus::Scanning), "scanning"},
    {code(PortStatus::Wds), "wds"},
    {code(PortStatus::PseudoIbss), "pseudo-ibss"},
};

} // namespace

std::span<const CodeNames::Name> CodeNames::rates() {
    return kRates;
}

std::span<const CodeNames::Name> CodeNames::networkTypes() {
    return kNetworkTypes;
}

std::span<const CodeNames::Name> CodeNames::authentications() {
    return kAuthentications;
}

std::span<const CodeNames::Name> CodeNames::preambles() {
    return kPreambles;
}

std::span<const CodeNames::Name> CodeNames::links() {
    return kLinks;
}

QString CodeNames::nameOf(std::span<const Name> names, int code) {
    for (const Name& n : names) {
        if (n.code == code)
            return QString::fromLatin1(n.name);
    }
    return {};
}

std::optional<int> CodeNames::codeOf(std::span<const Name> names, const QString& name) {
    for (const Name& n : names) {
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.code;
    }
    return std::nullopt;
}

} // namespace kx
