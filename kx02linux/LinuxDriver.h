#pragma once
// The library's process-wide state: the wireless interfaces found (each installed with
// its registry key the first time it is seen), the records the program has opened, the
// run directory shared with the other processes using the adapters, and the call trace.

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "driver/Trace.h"
#include "driver/kx02app.h"
#include "kx02linux/LinuxAdapter.h"

namespace kx::lnx {

class LinuxDriver final {
public:
    static LinuxDriver& get();

    std::mutex& mutex() { return m_mutex; }
    Trace& trace() { return m_trace; }

    // Looks for wireless interfaces again; the adapters in the order the kernel lists
    // them.
    std::vector<LinuxAdapter*> discover();
    LinuxAdapter* named(const WLAdapterInfo* info);
    // The adapter a record has open; nullptr when it has none open.
    LinuxAdapter* forRecord(const WLAdapterInfo* info);
    int nextHandle() { return ++m_handles; }
    // The adapter opened last: the one whose EEPROM the program is asking about.
    LinuxAdapter* lastOpened() const { return m_lastOpened; }
    void noteOpened(LinuxAdapter* adapter) { m_lastOpened = adapter; }

private:
    LinuxDriver();

    std::mutex m_mutex;
    Trace m_trace;
    std::filesystem::path m_runDir;
    std::vector<std::unique_ptr<LinuxAdapter>> m_adapters;
    LinuxAdapter* m_lastOpened = nullptr;
    int m_handles = 0;
};

} // namespace kx::lnx
