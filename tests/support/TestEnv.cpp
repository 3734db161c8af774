#include "tests/support/TestEnv.h"

#include "kx02app/kxsim.h"
#include "program/UserProfile.h"

namespace kx::test {

TestEnv::TestEnv() {
    qputenv("KXCONFIG_REGISTRY_DIR", registryDir().toUtf8());
    qputenv("KX02APP_STATE_DIR", (m_dir.path() + QStringLiteral("/state")).toUtf8());
    qunsetenv("KX02APP_SCENARIO");
    qunsetenv("KX02APP_TRACE");
    kxsim_keep_trace(1);
    kxsim_reset();
    kxsim_set_manual_clock(1);
    UserProfile::setProgramName(QStringLiteral("KXConfigTest"));
}

TestEnv::~TestEnv() {
    kxsim_clear_force(nullptr);
}

QString TestEnv::programDir() {
    QString dir = qEnvironmentVariable("KX_PROGRAM_DIR");
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

} // namespace kx::test
