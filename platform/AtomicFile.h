#pragma once
// Replaces a file so that readers and a crash at any moment see either the old or
// the new content: a temporary file in the same directory is written and synced,
// renamed over the target, and the directory is synced.

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace kx {

class AtomicFile final {
public:
    // 0 once the new content has replaced the target with the given mode, whatever it
    // had before. -1 when it could not: the target is then untouched and `reason` says
    // why (e.g. "No space left on device"). A failed sync of the directory after the
    // rename is not a failure: the new content is in place and readers see it; only
    // its survival of a power cut is less certain.
    static int replace(const std::filesystem::path& file, std::string_view content, mode_t mode,
                       std::string& reason);
    // Temporary files of writers that died before their rename. Call only while holding
    // the lock that all writers of this file take, or a live writer's file could go.
    static void removeLeftovers(const std::filesystem::path& file);
};

} // namespace kx
