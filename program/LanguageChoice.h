#pragma once
// Which language the program speaks: the language file chosen at start-up, the stored
// language of the user, and the switch to another language. The stored program title
// follows the language, so a running copy can be recognised by its window title.

#include <QString>

namespace kx {

class LanguageTable;
struct ProgramConfig;

class LanguageChoice final {
public:
    static inline const QString kLanguageIdValue = QStringLiteral("LanguageId");
    static inline const QString kProgramTitleValue = QStringLiteral("KXConfigProgramTitle");

    // Opens the language file of the program directory (the configuration names it),
    // selects the stored language and stores the title on a first start.
    static void startup(LanguageTable& table, const ProgramConfig& config);
    static void startup(LanguageTable& table, const ProgramConfig& config,
                        const QString& programDir);
    // The same without storing anything: the language file with the user's language.
    static void open(LanguageTable& table, const ProgramConfig& config, const QString& programDir);

    // The language at list position (0-based) becomes current and is stored with its
    // title. False, and nothing changed, for no selection or a position not listed.
    // The caller re-applies its window texts and the tray texts afterwards.
    static bool change(LanguageTable& table, int position);

    // The main window's title in the current language. The title carries two trailing
    // blanks: a running copy is recognised by exactly this title.
    static QString windowTitle(const LanguageTable& table);
    // The main window's title as stored for the user, as the window carries it.
    static QString programTitle(const LanguageTable& table);

private:
    static QString currentTitle(const LanguageTable& table);
};

} // namespace kx
