#pragma once
// Counts the heap blocks the benchmark executable asks for (malloc, calloc, realloc and
// so every operator new and every Qt container), so that a benchmark can tell whether
// its loop allocates at all. A sanitizer build counts nothing.

#include <cstdint>

namespace kx::bench {

class Allocations final {
public:
    // Blocks allocated since the process started, on every thread.
    static std::uint64_t total();
};

} // namespace kx::bench
