#include "pro/per/PerReceiver.h"

namespace kx {

PerReceiver::PerReceiver(WLAdapterInfo* adapter) : m_adapter(adapter) {
    SetWL_SensitivityTest(m_adapter, 1);
}

PerReceiver::~PerReceiver() {
    SetWL_SensitivityTest(m_adapter, 0);
}

bool PerReceiver::listen(std::optional<int> port) {
    return SetWL_FirmwareRecvPort(m_adapter, port.value_or(0)) != -1;
}

} // namespace kx
