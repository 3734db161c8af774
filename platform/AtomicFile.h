#pragma once
// Replaces a file so that readers and a crash at any moment see either the old or
// the new content: a temporary file in the same directory is written and synced,
// renamed over the target, and the directory is synced.

#include <filesystem>
#include <string_view>

namespace kx {

class AtomicFile final {
public:
    // 0 on success, -1 on failure (the target is then untouched). A new file gets mode
    // 0644; an existing file keeps its mode.
    static int replace(const std::filesystem::path& file, std::string_view content);
    // Temporary files of writers that died before their rename. Call only while holding
    // the lock that all writers of this file take, or a live writer's file could go.
    static void removeLeftovers(const std::filesystem::path& file);
};

} // namespace kx
