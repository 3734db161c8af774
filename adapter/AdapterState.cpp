#include "adapter/AdapterState.h"

namespace kx {

AdapterState& AdapterState::current() {
    static AdapterState state;
    return state;
}

void AdapterState::reset() {
    *this = AdapterState{};
    info.handle = -1;
    info.inUse = 0;
    info.reserved = 0;
}

} // namespace kx
