#pragma once
// One benchmark's world, as the program runs: a fresh registry and fresh simulated
// adapters (as for a test), the shipped configuration and language, the system clock
// (the platform's file caches trust only files that settled before it), and no trace.

#include "context/AppContext.h"
#include "tests/support/ScriptedSeam.h"
#include "tests/support/TestEnv.h"

namespace kx::bench {

struct BenchContext final {
    BenchContext();

    test::TestEnv env;
    test::ScriptedSeam seam;
    AppContext ctx{seam};
};

} // namespace kx::bench
