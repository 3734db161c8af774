#include "kx02app/SimWorld.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "kx02app/DriverRegistry.h"
#include "kx02app/StateArchive.h"

namespace kx::sim {

namespace {

constexpr std::int32_t kFirstHandle = 0x4B58; // any nonzero, distinct numbers will do
constexpr std::uintmax_t kMaxScenarioBytes = 4 * 1024 * 1024;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

void warn(const std::string& what) {
    std::fprintf(stderr, "kx02app: %s\n", what.c_str());
}

std::optional<Scenario> parseReporting(std::string_view text, const std::string& source) {
    std::string error;
    std::vector<std::string> warnings;
    std::optional<Scenario> scenario = Scenario::parse(text, error, warnings);
    for (const std::string& w : warnings)
        warn(source + ": " + w + " (ignored)");
    if (!scenario)
        warn(source + ": " + error + "; using the built-in adapters");
    return scenario;
}

} // namespace

SimWorld& SimWorld::instance() {
    static SimWorld world;
    return world;
}

SimWorld::Visit::Visit()
    : m_world(SimWorld::instance()), m_lock(m_world.mutex()), m_entered(m_world.enter()) {}

SimWorld::Visit::~Visit() {
    if (m_entered)
        m_world.leave();
}

SimWorld::Source SimWorld::parsed(std::string_view text, const std::string& where) {
    std::optional<Scenario> scenario = parseReporting(text, where);
    if (!scenario)
        return {Scenario::builtIn(), {}};
    return {std::move(*scenario), std::string(text)};
}

SimWorld::Source SimWorld::scenarioFromEnvironment() {
    const std::string path = environment("KX02APP_SCENARIO");
    if (path.empty())
        return {Scenario::builtIn(), {}};
    // A device or a pipe named by mistake would never end; a scenario is a small file.
    std::error_code ec;
    const bool smallFile = std::filesystem::is_regular_file(path, ec) &&
                           std::filesystem::file_size(path, ec) <= kMaxScenarioBytes && !ec;
    std::ifstream in;
    if (smallFile)
        in.open(path, std::ios::binary);
    if (!smallFile || !in) {
        warn("cannot read the scenario \"" + path + "\"; using the built-in adapters");
        return {Scenario::builtIn(), {}};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parsed(text.str(), "scenario \"" + path + "\"");
}

void SimWorld::build(Source source) {
    m_adapters.clear();
    m_lastOpened = nullptr;
    m_scenario = std::move(source.scenario);
    m_overrides.clear();
    m_overrides.insert(m_scenario.overrides.begin(), m_scenario.overrides.end());
    // A test that stopped time keeps it stopped in the new world.
    const bool manual = m_clock.isManual();
    m_clock = SimClock();
    m_clock.setManual(manual);
    const bool keepTrace = m_trace.keepsLines();
    m_trace = Trace();
    m_trace.keepLines(keepTrace);
    m_trace.openFile(environment("KX02APP_TRACE"));
    rawSurvey.clear();
    DriverRegistry::install(m_scenario.adapters);
    std::int32_t handle = kFirstHandle;
    for (const Scenario::Adapter& a : m_scenario.adapters) {
        m_adapters.push_back(std::make_unique<SimAdapter>(a, m_air, m_scenario.seed, handle++,
                                                          m_scenario.perSource));
    }
    // Processes share the world of the same scenario text.
    m_shared.bind(SharedWorld::hash(source.text));
    m_built = true;
}

void SimWorld::startAfresh(Source source) {
    build(std::move(source));
    if (!m_shared.enter().entered)
        return;
    m_shared.replaceOnLeave();
    // Most calls change nothing: the shape of the state is worked out only for one that
    // is published.
    m_shared.leave(capture(false).bytes, [this] { return capture(true); });
}

bool SimWorld::enter() {
    // The first call of the process takes over the world the other processes run.
    if (!m_built)
        build(scenarioFromEnvironment());
    const SharedWorld::Entry entry = m_shared.enter();
    if (!entry.entered)
        return false;
    if (entry.state)
        restore(*entry.state);
    prepare();
    return true;
}

void SimWorld::leave() {
    for (const auto& adapter : m_adapters)
        adapter->keepAccessPoint();
    // Most calls change nothing: the shape of the state is worked out only for one that
    // is published.
    m_shared.leave(capture(false).bytes, [this] { return capture(true); });
}

SharedWorld::State SimWorld::capture(bool withShape) {
    StateWriter writer(std::move(m_captured), withShape);
    share(writer);
    const std::size_t size = writer.bytes().size();
    const std::uint64_t shape = writer.shape();
    m_captured = writer.release();
    return {std::string_view(m_captured).substr(0, size), shape};
}

bool SimWorld::restore(const SharedWorld::State& state) {
    // What this process had, to go back to when the other state cannot be read: a state
    // half taken over would be no world at all.
    const std::string own(capture(false).bytes);
    StateReader reader(state.bytes);
    share(reader);
    if (reader.complete() && reader.shape() == state.shape)
        return true;
    m_shared.noteReplaced("holds a state of other adapters or of another version of the library");
    StateReader back(own);
    share(back);
    m_shared.replaceOnLeave();
    return false;
}

void SimWorld::prepare() {
    const std::int64_t now = m_clock.now();
    for (const auto& adapter : m_adapters)
        adapter->sync(now);
    for (const auto& adapter : m_adapters)
        adapter->followAir();
}

void SimWorld::reset() {
    startAfresh(scenarioFromEnvironment());
}

bool SimWorld::load(std::string_view json) {
    Source source = parsed(json, "scenario");
    const bool valid = !source.text.empty();
    startAfresh(std::move(source));
    return valid;
}

std::optional<std::int32_t> SimWorld::forced(std::string_view fn) const {
    const auto it = m_overrides.find(fn);
    if (it == m_overrides.end())
        return std::nullopt;
    return it->second;
}

void SimWorld::clearForce(const char* fn) {
    if (fn == nullptr)
        m_overrides.clear();
    else if (const auto it = m_overrides.find(std::string_view(fn)); it != m_overrides.end())
        m_overrides.erase(it);
}

SimAdapter* SimWorld::adapterNamed(const WLAdapterInfo* info) {
    if (info == nullptr)
        return nullptr;
    const std::string_view name(info->name, strnlen(info->name, sizeof info->name));
    for (const auto& adapter : m_adapters) {
        if (adapter->setup().name == name)
            return adapter.get();
    }
    return nullptr;
}

SimAdapter* SimWorld::adapterForRecord(const WLAdapterInfo* info) {
    if (info == nullptr || info->handle == -1)
        return nullptr;
    SimAdapter* adapter = adapterNamed(info);
    if (adapter == nullptr || adapter->handle() != info->handle || !adapter->isOpen())
        return nullptr;
    return adapter;
}

SimAdapter* SimWorld::adapterForControl(const char* nameOrInstance) {
    if (nameOrInstance == nullptr || *nameOrInstance == '\0') {
        if (m_lastOpened != nullptr)
            return m_lastOpened;
        return m_adapters.empty() ? nullptr : m_adapters.front().get();
    }
    const std::string_view key(nameOrInstance);
    for (const auto& adapter : m_adapters) {
        if (adapter->setup().instance == key || adapter->setup().name == key)
            return adapter.get();
    }
    return nullptr;
}

} // namespace kx::sim
