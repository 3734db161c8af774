#pragma once
// What the RF tests read back from the simulated card on the second line ("0008").

#include <cstdint>

#include "context/AppContext.h"
#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"

namespace kx::test {

inline int phy(AppContext& ctx, int reg) {
    std::int32_t value = -1;
    QueryWL_ReadPHYRegister(ctx.adapter.record(), reg, &value);
    return value;
}

inline std::int64_t card(const char* field) {
    return simInt("0008", field);
}

} // namespace kx::test
