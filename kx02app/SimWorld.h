#pragma once
// The one simulated world of the process: the scenario's adapters and networks, the
// clock, the forced results and the call trace, behind one mutex. It is created at
// the first call (from KX02APP_SCENARIO or the built-in scenario) and created anew by
// the control API. The adapters' live state and the clock are shared with the other
// processes of the user on the same scenario (SharedWorld); the forced results, the
// raw survey, the trace and which adapters this process has open stay its own.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/Trace.h"
#include "driver/kx02app.h"
#include "kx02app/Airwaves.h"
#include "kx02app/Scenario.h"
#include "kx02app/SharedWorld.h"
#include "kx02app/SimAdapter.h"
#include "kx02app/SimClock.h"

namespace kx::sim {

class SimWorld final {
public:
    static SimWorld& instance();

    std::mutex& mutex() { return m_mutex; }

    // One call's visit of the world, with its mutex held: on entering, the world is
    // created when this is the first call, takes over what other processes changed and
    // is brought to the current time; on leaving, access points keep what the call
    // changed and the other processes get it. A visit that could not have the world
    // shared with other processes (another one holds it, or a signal came) has not
    // entered: the call fails.
    class Visit final {
    public:
        Visit();
        ~Visit();
        Visit(const Visit&) = delete;
        Visit& operator=(const Visit&) = delete;
        SimWorld& world() { return m_world; }
        bool entered() const { return m_entered; }

    private:
        SimWorld& m_world;
        std::lock_guard<std::mutex> m_lock;
        bool m_entered;
    };

    // Brings every adapter to the clock's time; stations follow what the access points
    // changed.
    void prepare();
    // Everything afresh from KX02APP_SCENARIO or the built-in scenario, for every
    // process sharing the world.
    void reset();
    // Everything afresh from `json`; malformed text gives the built-in world and false.
    bool load(std::string_view json);

    SimClock& clock() { return m_clock; }
    Trace& trace() { return m_trace; }

    std::optional<std::int32_t> forced(std::string_view fn) const;
    void force(const std::string& fn, std::int32_t value) { m_overrides[fn] = value; }
    void clearForce(const char* fn);

    // The open adapter the record names by its handle and name, or null.
    SimAdapter* adapterForRecord(const WLAdapterInfo* info);
    // The adapter the record's name field names (read at most its 260 bytes), or null.
    SimAdapter* adapterNamed(const WLAdapterInfo* info);
    // Control API: by instance or name; null or empty means the one opened last.
    SimAdapter* adapterForControl(const char* nameOrInstance);
    const std::vector<std::unique_ptr<SimAdapter>>& adapters() const { return m_adapters; }
    void noteOpened(SimAdapter& adapter) { m_lastOpened = &adapter; }

    std::vector<std::uint8_t> rawSurvey;

    template <typename Archive> void share(Archive& a) {
        a(m_clock);
        for (const auto& adapter : m_adapters)
            a(*adapter);
    }

private:
    struct Source {
        Scenario scenario;
        std::string text; // what the scenario was read from; empty for the built-in one
    };

    SimWorld() = default;
    bool enter();
    void leave();
    void build(Source source);
    void startAfresh(Source source);
    static Source scenarioFromEnvironment();
    static Source parsed(std::string_view text, const std::string& where);
    // The live state as bytes, in a buffer kept from one call to the next.
    SharedWorld::State capture(bool withShape);
    bool restore(const SharedWorld::State& state);

    std::mutex m_mutex;
    bool m_built = false;
    SharedWorld m_shared;
    std::string m_captured;
    Scenario m_scenario;
    std::vector<std::unique_ptr<SimAdapter>> m_adapters;
    Airwaves m_air{m_scenario.networks, m_adapters};
    SimAdapter* m_lastOpened = nullptr;
    std::map<std::string, std::int32_t, std::less<>> m_overrides;
    SimClock m_clock;
    Trace m_trace;
};

} // namespace kx::sim
