#include "bench/DriverClock.h"

#include <ctime>
#include <dlfcn.h>

#include "bench/Allocations.h"
#include "driver/kx02app.h"

namespace kx::bench {

namespace {

std::int64_t g_elapsedNs = 0;
std::uint64_t g_allocations = 0;

// The thread's CPU time: on a busy machine the wall clock would count other processes.
std::int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

// The library's own entry point behind ours.
template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

void DriverClock::reset() {
    g_elapsedNs = 0;
    g_allocations = 0;
}

std::int64_t DriverClock::elapsedNs() {
    return g_elapsedNs;
}

std::uint64_t DriverClock::allocations() {
    return g_allocations;
}

DriverClock::Span::Span() : m_startNs(nowNs()), m_startAllocations(Allocations::total()) {}

DriverClock::Span::~Span() {
    g_elapsedNs += nowNs() - m_startNs;
    g_allocations += Allocations::total() - m_startAllocations;
}

} // namespace kx::bench

// Every driver call of a status tick, in station and access-point mode.
#define KX_TIMED(fn, params, args)                                                                 \
    extern "C" int32_t fn params {                                                                 \
        static const auto library = kx::bench::next<decltype(&fn)>(#fn);                           \
        const kx::bench::DriverClock::Span span;                                                   \
        return library args;                                                                       \
    }

KX_TIMED(KxOpenAdapter, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_CheckWZCStatus, (WLAdapterInfo * a), (a))
KX_TIMED(SetWL_DisableWirelessZeroConfiguration, (WLAdapterInfo * a, int32_t d), (a, d))
KX_TIMED(QueryWL_Channel, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_NetworkType, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_TxRateControl, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_CurrentTxRate, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_WEPStatus, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_WEPbit, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_PortStatus, (WLAdapterInfo * a), (a))
KX_TIMED(QueryWL_BSSID, (WLAdapterInfo * a, char* b), (a, b))
KX_TIMED(QueryWL_SSID, (WLAdapterInfo * a, char* b), (a, b))
KX_TIMED(QueryWL_CurrentSSID, (WLAdapterInfo * a, char* b), (a, b))
KX_TIMED(QueryWL_CQSLCurrBSS, (WLAdapterInfo * a, int32_t* q, int32_t* s, int32_t* p), (a, q, s, p))
KX_TIMED(GetTxRxFrameCount, (WLAdapterInfo * a, uint32_t* c), (a, c))
KX_TIMED(QueryWLAP_SSID, (WLAdapterInfo * a, char* b), (a, b))
KX_TIMED(QueryWLAP_TxPowerLevel, (WLAdapterInfo * a), (a))
KX_TIMED(WL_RetrieveStationList, (WLAdapterInfo * a, uint8_t* b, int32_t n), (a, b, n))
