#pragma once
// The application: the program-wide state, start-up in its fixed order, the main
// window's run, the orderly end.

#include <QString>

#include "context/AppContext.h"
#include "program/UiSeam.h"

namespace kx {

class CConfigApp final {
public:
    // `ui` stands in for the screen (tests); by default the run asks the real one.
    explicit CConfigApp(UiSeam* ui = nullptr);

    // Answers the process exit code; 0 also when another copy is already running.
    int run();

    // The state the run works on (the tray icon is set while the run lasts).
    AppContext& context() { return m_context; }

private:
    void tell(const QString& text);
    void checkConfigFile(const QString& path);
    void checkRegistryLocks();
    bool checkRegistryDirectory();

    QtSeam m_screen;
    AppContext m_context;
};

} // namespace kx
