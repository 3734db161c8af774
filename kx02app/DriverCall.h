#pragma once
// The frame around every entry point: visit the world (its lock, what other processes
// changed, the current time), answer a forced result instead of running the operation,
// and trace the call with its arguments and result.

#include <cstdint>
#include <utility>

#include <nlohmann/json.hpp>

#include "kx02app/SimWorld.h"

namespace kx::sim {

class DriverCall final {
public:
    // An operation on the adapter a record has open; -1 when it has none open.
    template <typename Body>
    static std::int32_t onAdapter(const char* fn, const WLAdapterInfo* info, nlohmann::json args,
                                  Body&& body) {
        return run(fn, std::move(args), [&](SimWorld& world) -> std::int32_t {
            SimAdapter* adapter = world.adapterForRecord(info);
            return adapter != nullptr ? body(*adapter) : -1;
        });
    }

    // The same, and the trace shows what the operation answered in `Out` when it ran
    // and succeeded.
    template <typename Body, typename Out>
    static std::int32_t onAdapter(const char* fn, const WLAdapterInfo* info, nlohmann::json args,
                                  Body&& body, Out&& out) {
        return traced(
            fn, std::move(args),
            [&](SimWorld& world) -> std::int32_t {
                SimAdapter* adapter = world.adapterForRecord(info);
                return adapter != nullptr ? body(*adapter) : -1;
            },
            out);
    }

    // An operation that needs no open adapter.
    template <typename Body>
    static std::int32_t run(const char* fn, nlohmann::json args, Body&& body) {
        return runOr(-1, fn, std::move(args), body);
    }
    // The same for one that answers `failed` on failure.
    template <typename Body>
    static std::int32_t runOr(std::int32_t failed, const char* fn, nlohmann::json args,
                              Body&& body) {
        return traced(
            fn, std::move(args), body, [] { return nlohmann::json(); }, failed);
    }

private:
    template <typename Body, typename Out>
    static std::int32_t traced(const char* fn, nlohmann::json args, Body&& body, Out&& out,
                               std::int32_t failed = -1) {
        SimWorld::Visit visit;
        SimWorld& world = visit.world();
        if (!visit.entered()) {
            world.trace().add(fn, std::move(args), failed);
            return failed;
        }
        const std::optional<std::int32_t> forced = world.forced(fn);
        const std::int32_t ret = forced ? *forced : body(world);
        world.trace().add(fn, std::move(args), ret, !forced && ret >= 0 ? out() : nlohmann::json());
        return ret;
    }
};

} // namespace kx::sim
