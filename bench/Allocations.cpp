#include "bench/Allocations.h"

#include <atomic>
#include <cstddef>

// A sanitizer brings its own allocator, which these would go around: there the count
// stays 0.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KX_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) ||                         \
    __has_feature(memory_sanitizer)
#define KX_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef KX_COUNT_ALLOCATIONS
#define KX_COUNT_ALLOCATIONS 1
#endif

namespace {

std::atomic<std::uint64_t> g_allocations{0};

} // namespace

#if KX_COUNT_ALLOCATIONS

// glibc's own allocator behind the entry points this executable puts in front of it;
// free and the aligned variants stay glibc's, as they work on the same heap.
extern "C" {
void* __libc_malloc(std::size_t size) noexcept;
void* __libc_calloc(std::size_t n, std::size_t size) noexcept;
void* __libc_realloc(void* block, std::size_t size) noexcept;
}

namespace {

void count() {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

extern "C" {

void* malloc(std::size_t size) noexcept {
    count();
    return __libc_malloc(size);
}

void* calloc(std::size_t n, std::size_t size) noexcept {
    count();
    return __libc_calloc(n, size);
}

void* realloc(void* block, std::size_t size) noexcept {
    count();
    return __libc_realloc(block, size);
}

} // extern "C"

#endif

namespace kx::bench {

std::uint64_t Allocations::total() {
    return g_allocations.load(std::memory_order_relaxed);
}

} // namespace kx::bench
