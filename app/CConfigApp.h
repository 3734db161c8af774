#pragma once
// The application: the program-wide state, start-up in its fixed order, the main
// window's run, the orderly end.

#include "app/AppContext.h"
#include "app/UiSeam.h"

namespace kx {

class CConfigApp final {
public:
    CConfigApp();

    // Answers the process exit code; 0 also when another copy is already running.
    int run();

    // The state the run works on (the tray icon is set while the run lasts).
    AppContext& context() { return m_context; }

private:
    QtSeam m_seam;
    AppContext m_context;
};

} // namespace kx
