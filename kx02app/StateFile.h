#pragma once
// Where adapter state survives the process: one file per adapter instance and kind in
// $KX02APP_STATE_DIR, else $XDG_STATE_HOME/kx02app, else ~/.local/state/kx02app.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx::sim {

class StateFile final {
public:
    // Empty when no directory can be named (no HOME).
    static std::filesystem::path directory();
    // "<kind>-<instance><extension>" in the directory; empty without a directory.
    static std::filesystem::path path(std::string_view kind, std::string_view instance,
                                      std::string_view extension);
    // The whole file when it is a regular file of at most `limit` bytes.
    static std::optional<std::string> read(const std::filesystem::path& path, std::size_t limit);
    // Replaced whole, never seen half written (AtomicFile); false on any failure.
    static bool write(const std::filesystem::path& path, std::string_view bytes);
};

} // namespace kx::sim
