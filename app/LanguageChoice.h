#pragma once
// Which language the program speaks: the language file chosen at start-up, the stored
// language of the user, and the switch to another language. The stored program title
// follows the language, so a running copy can be recognised by its window title.

#include <QString>

namespace kx {

class LanguageChoice final {
public:
    static inline const QString kLanguageIdValue = QStringLiteral("LanguageId");
    static inline const QString kProgramTitleValue = QStringLiteral("KXConfigProgramTitle");

    // Opens the language file of the program directory, selects the stored language and
    // stores the title on a first start. ProgramConfig must be loaded.
    static void startup();
    static void startup(const QString& programDir);

    // The language at list position (0-based) becomes current and is stored with its
    // title. False, and nothing changed, for no selection or a position not listed.
    // The caller re-applies its window texts and the tray texts afterwards.
    static bool change(int position);

    // The main window's title as stored for the user, with the two trailing blanks the
    // window title carries.
    static QString programTitle();

private:
    static QString currentTitle();
};

} // namespace kx
