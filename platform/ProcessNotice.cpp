#include "platform/ProcessNotice.h"

#include <cstdio>
#include <dlfcn.h>
#include <functional>
#include <mutex>
#include <set>
#include <string>

namespace {
// A file with a hundred thousand broken lines must neither flood stderr nor fill memory.
constexpr std::size_t kMaxNotices = 1000;
} // namespace

// The memory of what was said: 1 for a new key, 0 for one said before, 2 for the first
// key past the limit (and 0 for every later one). Executables export this symbol (see
// the link options of kxplatform); the driver library keeps its copy private and finds
// the program's at run time, so one process has one memory whichever copy speaks first.
extern "C" __attribute__((visibility("default"))) int kxplatform_first_notice(const char* key) {
    static std::mutex mutex;
    static std::set<std::string, std::less<>> said;
    static bool full = false;
    const std::lock_guard lock(mutex);
    if (said.size() >= kMaxNotices) {
        const bool first = !full;
        full = true;
        return first ? 2 : 0;
    }
    return said.emplace(key).second ? 1 : 0;
}

namespace kx {

namespace {

using FirstNotice = int (*)(const char*);

FirstNotice sharedMemory() {
    static const FirstNotice first = [] {
        void* exported = ::dlsym(RTLD_DEFAULT, "kxplatform_first_notice");
        return exported ? reinterpret_cast<FirstNotice>(exported) : &kxplatform_first_notice;
    }();
    return first;
}

} // namespace

void ProcessNotice::once(std::string_view key, std::string_view text) {
    switch (sharedMemory()(std::string(key).c_str())) {
    case 1:
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        break;
    case 2:
        std::fprintf(stderr, "kxconfig: further warnings are not shown\n");
        break;
    default:
        return;
    }
    std::fflush(stderr);
}

} // namespace kx
