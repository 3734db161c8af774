#include "app/LanguageChoice.h"

#include "adapter/kx02app.h"
#include "app/LanguageTable.h"
#include "app/ProgramConfig.h"
#include "app/ProgramDirectory.h"
#include "app/UserProfile.h"
#include "mainwnd/MainTexts.h"

namespace kx {

namespace {

const QString kLanguageListSection = QStringLiteral("LANGUAGES");
const QString kTitleSuffix = QStringLiteral("  ");

} // namespace

void LanguageChoice::startup() {
    startup(ProgramDirectory::path());
}

void LanguageChoice::startup(const QString& programDir) {
    const ProgramConfig& config = ProgramConfig::instance();
    const QString& fileName =
        QueryWL_IsWindows2000() != 0 ? config.ML_Unicode_File : config.ML_SBCS_File;
    LanguageTable& table = LanguageTable::instance();
    table.open(programDir + fileName, kLanguageListSection);
    // A stored id outside the list leaves language 1; the stored value stays as it is.
    table.select(UserProfile::readInt(kLanguageIdValue, 1));
    if (UserProfile::readString(kProgramTitleValue, QString()).isEmpty())
        UserProfile::writeString(kProgramTitleValue, currentTitle());
}

bool LanguageChoice::change(int position) {
    LanguageTable& table = LanguageTable::instance();
    if (position < 0 || position >= table.count() || !table.select(position + 1))
        return false;
    UserProfile::writeInt(kLanguageIdValue, position + 1);
    UserProfile::writeString(kProgramTitleValue, currentTitle());
    return true;
}

QString LanguageChoice::programTitle() {
    // Without a stored title (the registry could not be written) the title the main
    // window shows is the one to look for.
    QString title = UserProfile::readString(kProgramTitleValue, QString());
    if (title.isEmpty())
        title = currentTitle();
    return title + kTitleSuffix;
}

QString LanguageChoice::currentTitle() {
    return LanguageTable::instance().text(MainTexts::MP_Dialog_Title);
}

} // namespace kx
