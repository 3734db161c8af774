#include "pro/tally/AdapterTally.h"

#include <array>
#include <span>
#include <string_view>

namespace kx {

namespace {

constexpr std::array<std::string_view, 21> kStandardNames{"Tx Unicast Frames",
                                                          "Tx Multicast Frames",
                                                          "Reserved1",
                                                          "Tx Unicast Octets",
                                                          "Tx Multicast Octets",
                                                          "Reserved2",
                                                          "Reserved3",
                                                          "Tx Multiple Retries Frames",
                                                          "Tx Retry Limit Exceeded",
                                                          "Reserved4",
                                                          "Rx Unicast Frames",
                                                          "Rx Multicast Frames",
                                                          "Rx PLCP CRC Error Count",
                                                          "Rx Unicast Octets",
                                                          "Rx Multicast Octets",
                                                          "Rx CRC-32 Error Count",
                                                          "Rx Discarded Count",
                                                          "Rx Total Count",
                                                          "Rx Decryp Fail Count",
                                                          "Reserved7",
                                                          "Reserved8"};

// The three indented rows are the parts of "DriverDiscardedFrm".
constexpr std::array<std::string_view, 17> kDebugNames{"TotalRxFrm",
                                                       "CRC32Cnt",
                                                       "CRC16Cnt",
                                                       "DecrypErr_UNI",
                                                       "DecrypErr_Mul",
                                                       "RxFIFOOverrun",
                                                       "DriverRxFrmCnt",
                                                       "DriverDiscardedFrm",
                                                       "  LessThanDataMinLen",
                                                       "  GreaterThanMaxLen",
                                                       "  PLCP_MacLen_Mismatch",
                                                       "NotifyNDISRxFrmCnt",
                                                       "TotalTxFrm",
                                                       "UnderrunCnt",
                                                       "RetryCnt",
                                                       "RetryFailCnt",
                                                       "LossAP"};

static_assert(kStandardNames.size() == TallyRecord::kCounters);
static_assert(kDebugNames.size() <= TallyRecord::kCounters);

std::optional<TallyRecord> readDebugTally(WLAdapterInfo* adapter) {
    TallyRecord record;
    if (ReadOid(adapter, WL_OID_DEBUG_TALLY, record.bytes.data(), WL_TALLY_BYTES) == -1)
        return std::nullopt;
    return record;
}

} // namespace

QList<TallyRow> AdapterTally::rows(const TallyRecord& record, bool debug) {
    const std::span<const std::string_view> names =
        debug ? std::span<const std::string_view>(kDebugNames) : kStandardNames;
    QList<TallyRow> rows;
    rows.reserve(static_cast<qsizetype>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i)
        rows.append(
            {QString::fromLatin1(names[i]), QString::number(record.counter(static_cast<int>(i)))});
    return rows;
}

std::optional<QList<TallyRow>> AdapterTally::update(WLAdapterInfo* adapter, bool newerChip,
                                                    bool debugChecked) {
    if (KxOpenAdapter(adapter) == 0)
        return std::nullopt;
    const bool debug = newerChip && debugChecked;
    const std::optional<TallyRecord> record =
        debug ? readDebugTally(adapter) : TallyRecord::read(adapter);
    if (!record)
        return std::nullopt;
    return rows(*record, debug);
}

std::optional<QList<TallyRow>> AdapterTally::reset(WLAdapterInfo* adapter, bool newerChip,
                                                   bool debugChecked) {
    SetWL_ResetTallyData(adapter);
    return update(adapter, newerChip, debugChecked);
}

} // namespace kx
