#include "bench/BenchContext.h"

#include "kx02app/kxsim.h"
#include "program/LanguageChoice.h"

namespace kx::bench {

BenchContext::BenchContext() {
    kxsim_keep_trace(0);
    ctx.config.load(test::TestEnv::programDir() + QStringLiteral("KXConfig.INI"));
    LanguageChoice::startup(ctx.language, ctx.config, test::TestEnv::programDir());
}

} // namespace kx::bench
