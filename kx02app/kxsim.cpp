// Control API of the simulated adapters, for tests (kx02app/kxsim.h).
#include "kx02app/kxsim.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "kx02app/SimFields.h"
#include "kx02app/SimWorld.h"

using kx::sim::SimAdapter;
using kx::sim::SimFields;
using kx::sim::SimWorld;

namespace {

// Runs `body` during a visit of the world, as a driver call does.
template <typename Body> auto withWorld(Body body) {
    SimWorld::Visit visit;
    return body(visit.world());
}

// Copies at most length-1 bytes and a NUL; answers the full length.
int32_t copyOut(const std::string& text, char* buffer, int32_t length) {
    if (buffer != nullptr && length > 0) {
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(length - 1));
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int32_t>(text.size());
}

template <typename Body> int32_t onAdapter(const char* adapter, const char* field, Body body) {
    return withWorld([&](SimWorld& world) -> int32_t {
        SimAdapter* a = world.adapterForControl(adapter);
        if (a == nullptr || field == nullptr)
            return -1;
        return body(*a, std::string_view(field));
    });
}

} // namespace

extern "C" {

int32_t kxsim_load_scenario(const char* json) {
    SimWorld& world = SimWorld::instance();
    const std::lock_guard<std::mutex> lock(world.mutex());
    return world.load(json != nullptr ? std::string_view(json) : std::string_view()) ? 0 : -1;
}

void kxsim_reset(void) {
    SimWorld& world = SimWorld::instance();
    const std::lock_guard<std::mutex> lock(world.mutex());
    world.reset();
}

void kxsim_force(const char* fn, int32_t value) {
    if (fn != nullptr)
        withWorld([&](SimWorld& world) { world.force(fn, value); });
}

void kxsim_clear_force(const char* fn) {
    withWorld([&](SimWorld& world) { world.clearForce(fn); });
}

void kxsim_set_manual_clock(int32_t manual) {
    withWorld([&](SimWorld& world) { world.clock().setManual(manual != 0); });
}

void kxsim_advance(int32_t milliseconds) {
    withWorld([&](SimWorld& world) {
        world.clock().advance(milliseconds);
        world.prepare();
    });
}

int32_t kxsim_set_int(const char* adapter, const char* field, int64_t value) {
    return onAdapter(adapter, field, [&](SimAdapter& a, std::string_view f) {
        return SimFields::setInt(a, f, value) ? 0 : -1;
    });
}

int32_t kxsim_get_int(const char* adapter, const char* field, int64_t* value) {
    return onAdapter(adapter, field, [&](SimAdapter& a, std::string_view f) {
        int64_t v = 0;
        if (value == nullptr || !SimFields::getInt(a, f, v))
            return -1;
        *value = v;
        return 0;
    });
}

int32_t kxsim_unpin(const char* adapter, const char* field) {
    return onAdapter(adapter, field, [&](SimAdapter& a, std::string_view f) {
        return SimFields::unpin(a, f) ? 0 : -1;
    });
}

int32_t kxsim_set_text(const char* adapter, const char* field, const char* text) {
    return onAdapter(adapter, field, [&](SimAdapter& a, std::string_view f) {
        return text != nullptr && SimFields::setText(a, f, text) ? 0 : -1;
    });
}

int32_t kxsim_get_text(const char* adapter, const char* field, char* buffer, int32_t length) {
    return onAdapter(adapter, field, [&](SimAdapter& a, std::string_view f) {
        std::string text;
        return SimFields::getText(a, f, text) ? copyOut(text, buffer, length) : -1;
    });
}

void kxsim_set_raw_survey(const void* bytes, int32_t length) {
    withWorld([&](SimWorld& world) {
        world.rawSurvey.clear();
        if (bytes != nullptr && length > 0) {
            const auto* first = static_cast<const uint8_t*>(bytes);
            world.rawSurvey.assign(first, first + length);
        }
    });
}

int32_t kxsim_eeprom(const char* adapter, uint8_t* buffer, int32_t length) {
    return withWorld([&](SimWorld& world) -> int32_t {
        SimAdapter* a = world.adapterForControl(adapter);
        if (a == nullptr || buffer == nullptr || length < 0)
            return -1;
        const auto& image = a->eeprom();
        std::copy_n(image.begin(), std::min(image.size(), static_cast<std::size_t>(length)),
                    buffer);
        return static_cast<int32_t>(image.size());
    });
}

void kxsim_hold_world(int32_t milliseconds) {
    withWorld([=](SimWorld&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
    });
}

void kxsim_keep_trace(int32_t keep) {
    withWorld([=](SimWorld& world) { world.trace().keepLines(keep != 0); });
}

int32_t kxsim_trace_count(void) {
    return withWorld([](SimWorld& world) { return static_cast<int32_t>(world.trace().count()); });
}

int32_t kxsim_trace_line(int32_t index, char* buffer, int32_t length) {
    return withWorld([&](SimWorld& world) -> int32_t {
        const std::string* line =
            index >= 0 ? world.trace().line(static_cast<std::size_t>(index)) : nullptr;
        return line != nullptr ? copyOut(*line, buffer, length) : -1;
    });
}

void kxsim_trace_clear(void) {
    withWorld([](SimWorld& world) { world.trace().clear(); });
}

} // extern "C"
