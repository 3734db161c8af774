#pragma once
// One set of station settings with every field away from its factory default, so that a
// field left out or mixed up on its way shows.

#include "store/WirelessSettings.h"

namespace kx::test {

inline WirelessSettings sampleSettings() {
    WirelessSettings s;
    s.channel = 11;
    s.txRateControl = 8;
    s.ssid = QStringLiteral("Office-Net");
    s.networkType = 0;
    s.wepStatus = 1;
    s.authenticationMode = 2;
    s.wepBit = 0;
    s.defaultKeyId = 2;
    s.keys = {QStringLiteral("0102030405"), QStringLiteral("1112131415"),
              QStringLiteral("2122232425"), QStringLiteral("3132333435")};
    s.powerSaveMode = 1;
    s.powerSaveLevel = 3;
    s.fragmentationThreshold = 1024;
    s.rtsCtsThreshold = 512;
    s.preambleMode = 2;
    s.mode27_5Mbps = 1;
    return s;
}

} // namespace kx::test
