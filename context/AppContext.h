#pragma once
// The program-wide state, made once at start-up and handed to every window and to the
// logic behind them: the configuration, the language, the current adapter with its
// settings store and its settings, the person in front of the screen, the clock and the
// tray icon.
// Nothing in the program reaches for a process-wide instance of any of them.

#include <functional>

#include "adapter/AdapterState.h"
#include "platform/Clock.h"
#include "program/LanguageTable.h"
#include "program/ProgramConfig.h"
#include "store/AdapterSettings.h"
#include "store/SettingsStore.h"

class QWidget;

namespace kx {

class ProgramTray;
class UiSeam;

struct AppContext final {
    // The configuration, language and adapter start empty; start-up fills them.
    // The context's clock is also the one the platform's file caches read while it lives.
    explicit AppContext(UiSeam& ui, const Clock& clock = Clock::system()) : ui(ui), clock(clock) {
        Clock::install(&clock);
    }
    ~AppContext() { Clock::install(nullptr); }
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    ProgramConfig config;
    LanguageTable language;
    AdapterState adapter; // the current adapter
    SettingsStore store{adapter};
    AdapterSettings settings{adapter, store};
    UiSeam& ui;
    const Clock& clock;
    // The notification-area icon while it exists (start-up makes it after the window).
    ProgramTray* tray = nullptr;
    // Opens the professional sheet over `parent`. Until start-up installs one, the
    // "Professional Mode" button cannot be pressed.
    std::function<void(QWidget* parent)> professionalSheet;
};

} // namespace kx
