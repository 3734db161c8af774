#pragma once
// How the kernel's values become the driver contract's and back: channels and
// frequencies, signal in dBm as the contract's level and quality, bit rates as rate
// codes, the thresholds' "off", transmit power levels, survey records, the access
// point's station list and filter table. Pure functions: they run without a kernel.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "driver/SettingTable.h"
#include "driver/kx02app.h"
#include "kx02linux/RadioTypes.h"

namespace kx::lnx {

class RadioMapping final {
public:
    // ---- channels ---------------------------------------------------------------------
    // 2412-2472 MHz are channels 1-13, 2484 MHz channel 14; 0 for any other frequency.
    static int channelOf(int frequencyMhz);
    // 0 for a channel outside 1-14.
    static int frequencyOf(int channel);
    // Bit n-1 for each channel n the radio may use.
    static std::uint16_t channelMask(std::span<const ChannelInfo> channels);

    // ---- signal -------------------------------------------------------------------------
    // The contract's signal level: the program shows level - 105 as dBm on the adapters
    // it does not know as the newer chip, and a 0-100 bar.
    static int signalLevel(int dbm);
    // How good the link is, 0-100: -50 dBm and better are 100, -100 dBm and worse 0.
    static int goodness(int dbm);
    // The quality the contract reports: the older chip counts it down from 100.
    static int reportedQuality(int dbm, bool newerChip);

    // ---- rates --------------------------------------------------------------------------
    // The rate code for a bit rate in 100 kbit/s: the fastest 802.11b rate not above it;
    // 0 when unknown.
    static int rateCodeOf(int bitrate100k);
    // The 2.4 GHz rates (in 500 kbit/s) a rate code allows: each of the bits 1, 2, 4 and
    // 8 one of 1, 2, 5.5 and 11 Mbit/s; empty for automatic (every rate). nullopt for the
    // codes no Linux radio sends (16.5, 22, 27.5 Mbit/s) or no rate at all.
    static std::optional<std::vector<std::uint8_t>> legacyRates(int rateCode);

    // ---- thresholds ---------------------------------------------------------------------
    // The contract's thresholds run as the setting table says, the largest value meaning
    // off; the kernel's off is UINT32_MAX.
    static constexpr int kFragOff = SettingTable::info(Setting::FragThreshold).high;
    static constexpr int kRtsOff = SettingTable::info(Setting::RtsThreshold).high;
    static std::optional<std::uint32_t> fragToKernel(int bytes);
    static std::optional<std::uint32_t> rtsToKernel(int bytes);
    static int fragFromKernel(std::uint32_t value);
    static int rtsFromKernel(std::uint32_t value);

    // ---- transmit power ---------------------------------------------------------------
    // Level 0 is the radio's full power (the kernel's automatic setting); 1, 2 and 3 limit
    // it to 15, 10 and 5 dBm. nullopt for another level.
    static std::optional<int> powerLimitMbm(int level);
    // The level a power in mBm is nearest to; 0 when unknown.
    static int powerLevelOf(int mbm);

    // ---- networks -----------------------------------------------------------------------
    // The SSID element of a network's information elements; empty when it has none.
    static std::string ssidOf(std::span<const std::uint8_t> elements);
    // The survey record of a network found on a 2.4 GHz channel; nullopt for another band.
    static std::optional<WLSurveyRecord> surveyRecord(const BssInfo& bss);
    // At most `room` records, the strongest first, only on channels in `mask`.
    static std::vector<WLSurveyRecord> survey(std::span<const BssInfo> found, std::uint16_t mask,
                                              std::size_t room);

    // ---- the access point ---------------------------------------------------------------
    // The filter table's entries in use, in table order.
    static std::vector<Mac>
    filterEntries(std::span<const std::uint8_t, WL_FILTER_TABLE_BYTES> table);
    // A filter table or station list holding these addresses, as many as it has room for.
    static void fillSlots(const std::vector<Mac>& macs, std::span<std::uint8_t> table);
    // Whether the filter lets a station in: mode 1 only the listed, 2 all but the listed.
    static bool filterAdmits(int mode, const std::vector<Mac>& entries, const Mac& station);
};

} // namespace kx::lnx
