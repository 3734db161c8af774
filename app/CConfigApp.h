#pragma once
// The application: start-up in its fixed order, the main window's run, the orderly end.

namespace kx {

class CConfigApp final {
public:
    // Answers the process exit code; 0 also when another copy is already running.
    int run();
};

} // namespace kx
