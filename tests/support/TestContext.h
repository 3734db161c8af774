#pragma once
// The program's state for one test: a clean world (TestEnv), the scripted person, a
// clock that moves only by hand, and the AppContext the windows and their logic run on.

#include <QString>

#include "context/AppContext.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ScriptedSeam.h"
#include "tests/support/TestEnv.h"

namespace kx::test {

struct TestContext {
    TestEnv env;
    ScriptedSeam seam;
    ManualClock clock;
    AppContext ctx{seam, clock};

    // The shipped KXConfig.INI of the built program.
    void loadShippedConfig();
    // The shipped UTF-16 language file; false when it does not open.
    bool openShippedLanguage();
    // The value recorded in the adapter's key; "<missing>" when there is none.
    QString adapterValue(const char* name);
};

} // namespace kx::test
