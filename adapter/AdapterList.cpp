#include "adapter/AdapterList.h"

namespace kx {

bool AdapterList::append(const WLAdapterListEntry& entry) {
    if (size() >= kCapacity)
        return false;
    m_entries.push_back(entry);
    return true;
}

} // namespace kx
