#pragma once
// The codes the driver library answers and accepts, named once for the whole program.
// Each enum has the driver's 32-bit type underneath, so any answer converts to it and
// an unknown code stays itself (a switch falls to its default).

#include <cstdint>
#include <type_traits>

namespace kx {

// What every driver answers about the machine it runs on, so that the program takes
// the same paths whatever the machine is.
inline constexpr std::int32_t kHostIsWindows95 = 0;
inline constexpr std::int32_t kHostIsWindows2000 = 1;
inline constexpr std::int32_t kHostOsVersion = 7;

// QueryWL_PortStatus.
enum class PortStatus : std::int32_t {
    Disconnected = 1,
    Connecting = 2,
    AdHoc = 3,
    Joined = 4,
    Scanning = 5,
    Wds = 6,
    PseudoIbss = 9
};

// QueryWL_NetworkType and SetWL_NetworkType; the access-point type is only sent.
enum class NetworkType : std::int32_t {
    AdHoc = 0,
    Infrastructure = 1,
    PseudoIbss = 3,
    AccessPoint = 4
};

// QueryWL_AuthenticationMode and SetWL_AuthenticationMode.
enum class AuthenticationMode : std::int32_t { OpenSystem = 1, SharedKey = 2, Automatic = 3 };

// QueryWL_PreambleMode and SetWL_PreambleMode.
enum class PreambleMode : std::int32_t { Long = 1, Short = 2, Automatic = 3 };

// QueryWL_WEPbit and SetWL_WriteKey: the length of the keys.
enum class WepBit : std::int32_t { Bits64 = 0, Bits128 = 1 };

// Transmit-rate codes: the classic rates are bits, the others whole codes.
enum class RateCode : std::int32_t {
    Mbps1 = 1,
    Mbps2 = 2,
    Mbps5_5 = 4,
    Mbps11 = 8,
    Automatic = 15,
    Mbps16_5 = 16,
    Mbps22 = 32,
    Mbps27_5 = 64
};

// QueryWL_FirmwareMode_STA_AP.
enum class FirmwareMode : std::int32_t { Station = 0, AccessPoint = 1 };

// QueryWL_CheckWZCStatus: who configures the adapter.
enum class ZeroConfigStatus : std::int32_t { Program = 0, SystemService = 1 };

// QueryWLAP_FilterMode and SetWLAP_FilterMode.
enum class FilterMode : std::int32_t { Off = 0, Accept = 1, Reject = 2 };

// SetWL_FirmwareAntennaDiversity and its query: which of the two antenna choices.
enum class AntennaUse : std::int32_t { Transmit = 0, Receive = 1 };

// The two chips. The driver's EEPROM read takes the version as a number.
enum class ChipVersion : std::int32_t { Older = 3101, Newer = 3102 };

// The adapter's bus, as its hardware identifier names it and as the driver's EEPROM
// calls take it.
enum BusKind : std::int32_t { BusNone = 0, BusPcmcia = 1, BusPci = 2, BusUsb = 3 };

// The newer chip's 8-byte test command object (WL_OID_TEST_COMMAND).
enum class TestCommandCode : std::uint16_t {
    ContinuousTx = 0x40,
    PaGainStep = 0x41,
    TestRate = 0x42,
    TxPowerRead = 0x43,
    PaGainRead = 0x45,
    Doze = 0x46
};
// The extra word of ContinuousTx that stops the pattern.
inline constexpr std::uint16_t kNoTestPattern = 0xFFFF;

// SetWL_FirmwareTestCommand: tunes the radio to the channel in the value.
inline constexpr std::int32_t kTuneChannelCommand = 8;

// The transmit patterns of the RF test, as the newer chip's test command and the older
// chip's CR9 bits carry them.
enum class TestPattern : std::int32_t { None = -1, Normal = 0, Cw = 1, CarrierSuppression = 2 };

// Firmware record objects (WL_OID_FIRMWARE_RECORD): the power-control record, and the
// newer chip's EEPROM update, a series of command records in this order whose last ends it.
enum class FirmwareRecordId : std::uint16_t {
    PowerControl = 0xFC36,
    EepromMacAddress = 0xFFFB,
    EepromTxPower = 0xFFFA,
    EepromHardwareVersion = 0xFFF9,
    EepromAllowedChannels = 0xFFF8,
    EepromDefaultChannel = 0xFFF7,
    EepromRegion = 0xFFF6,
    EepromPciIds = 0xFFF5,
    EepromUpdateEnd = 0xFFF0
};
// The power-control record's data entry: automatic transmit power control on.
inline constexpr std::uint16_t kPowerControlBit = 0x0100;

// The number the driver exchanges for a code.
template <typename Code>
requires std::is_enum_v<Code>
constexpr std::int32_t code(Code value) {
    return static_cast<std::int32_t>(value);
}

} // namespace kx
