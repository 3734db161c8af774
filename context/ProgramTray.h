#pragma once
// What the windows ask of the program's notification-area icon: it is made at start-up
// (app/CTrayIcon), above every window, so the windows know it only by this face.

#include <QObject>

namespace kx {

class ProgramTray {
    Q_GADGET
public:
    // The icon's two commands, as its menu and a double click give them.
    enum Command { OpenCommand = 32771, ExitCommand = 32773 };
    Q_ENUM(Command)

    virtual ~ProgramTray() = default;

    // The program's own icon: tooltip and item texts of the current language, the open
    // command as default.
    virtual bool createWithProgramTexts() = 0;
    // After a language change: the current language's tooltip (when shown) and items.
    virtual void applyProgramTexts() = 0;
    virtual void remove() = 0;
};

} // namespace kx
