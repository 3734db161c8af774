#include "program/LanguageChoice.h"

#include "driver/kx02app.h"
#include "program/LanguageTable.h"
#include "program/MainTexts.h"
#include "program/ProgramConfig.h"
#include "program/ProgramDirectory.h"
#include "program/UserProfile.h"

namespace kx {

namespace {

const QString kLanguageListSection = QStringLiteral("LANGUAGES");
const QString kTitleSuffix = QStringLiteral("  ");

} // namespace

void LanguageChoice::startup(LanguageTable& table, const ProgramConfig& config) {
    startup(table, config, ProgramDirectory::path());
}

void LanguageChoice::open(LanguageTable& table, const ProgramConfig& config,
                          const QString& programDir) {
    const QString& fileName =
        QueryWL_IsWindows2000() != 0 ? config.ML_Unicode_File : config.ML_SBCS_File;
    table.open(programDir + fileName, kLanguageListSection);
    // A stored id outside the list leaves language 1; the stored value stays as it is.
    table.select(UserProfile::readInt(kLanguageIdValue, 1));
}

void LanguageChoice::startup(LanguageTable& table, const ProgramConfig& config,
                             const QString& programDir) {
    open(table, config, programDir);
    if (UserProfile::readString(kProgramTitleValue, QString()).isEmpty())
        UserProfile::writeString(kProgramTitleValue, currentTitle(table));
}

bool LanguageChoice::change(LanguageTable& table, int position) {
    if (position < 0 || position >= table.count() || !table.select(position + 1))
        return false;
    UserProfile::writeInt(kLanguageIdValue, position + 1);
    UserProfile::writeString(kProgramTitleValue, currentTitle(table));
    return true;
}

QString LanguageChoice::windowTitle(const LanguageTable& table) {
    return currentTitle(table) + kTitleSuffix;
}

QString LanguageChoice::programTitle(const LanguageTable& table) {
    // Without a stored title (the registry could not be written) the title the main
    // window shows is the one to look for.
    const QString stored = UserProfile::readString(kProgramTitleValue, QString());
    return stored.isEmpty() ? windowTitle(table) : stored + kTitleSuffix;
}

QString LanguageChoice::currentTitle(const LanguageTable& table) {
    return table.text(MainTexts::MP_Dialog_Title);
}

} // namespace kx
