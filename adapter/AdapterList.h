#pragma once
// The accepted adapters in drop-down order. Holds at most 10: a further accepted
// adapter is ignored.

#include <vector>

#include "driver/kx02app.h"

namespace kx {

class AdapterList final {
public:
    static constexpr int kCapacity = 10;

    void clear() { m_entries.clear(); }
    // false (and nothing stored) when the list is full.
    bool append(const WLAdapterListEntry& entry);
    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const WLAdapterListEntry& at(int i) const { return m_entries.at(static_cast<size_t>(i)); }

private:
    std::vector<WLAdapterListEntry> m_entries;
};

} // namespace kx
