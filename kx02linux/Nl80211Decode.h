#pragma once
// nl80211 messages as the kernel sends them, decoded into RadioTypes. A message missing
// what it must have decodes to nothing; attributes the library does not use are skipped.

#include <optional>

#include "kx02linux/RadioTypes.h"

struct nlmsghdr;

namespace kx::lnx::Nl80211Decode {

std::optional<InterfaceInfo> interface(nlmsghdr* message);
// A wiphy dump comes in parts: each adds what it carries to `into`.
void wiphy(nlmsghdr* message, WiphyInfo& into);
std::optional<BssInfo> bss(nlmsghdr* message);
std::optional<StationInfo> station(nlmsghdr* message);
std::optional<bool> powerSave(nlmsghdr* message);

} // namespace kx::lnx::Nl80211Decode
