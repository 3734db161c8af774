#pragma once
// The receiving adapter of a packet-error-rate test: in sensitivity-test mode for as
// long as this object lives (so the link's own traffic stays out of the counters),
// listening on the test port, its tally read on demand.

#include <optional>

#include "driver/kx02app.h"
#include "pro/tally/TallyRecord.h"

namespace kx {

class PerReceiver final {
public:
    explicit PerReceiver(WLAdapterInfo* adapter);
    ~PerReceiver();
    PerReceiver(const PerReceiver&) = delete;
    PerReceiver& operator=(const PerReceiver&) = delete;

    // Frames to `port` only, or to any port; false when the driver refused.
    [[nodiscard]] bool listen(std::optional<int> port);
    std::optional<TallyRecord> tally() const { return TallyRecord::read(m_adapter); }

private:
    WLAdapterInfo* m_adapter;
};

} // namespace kx
