// Texts: one language lookup, and a change of language in the basic settings dialog,
// which re-applies every text of the dialog, of the main window behind it and of the
// tray menu. The re-apply alone runs with the registry read-only, so that storing the
// choice (two registry writes, each synced to disk) does not count.

#include <optional>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include "app/CTrayIcon.h"
#include "bench/BenchContext.h"
#include "mainwnd/ui/CMainDlg.h"
#include "platform/Registry.h"
#include "program/MainTexts.h"

namespace kx::bench {

namespace {

void BM_LanguageLookup(benchmark::State& state) {
    BenchContext b;
    for (auto _ : state)
        benchmark::DoNotOptimize(b.ctx.language.text(MainTexts::MP_STA_Link_Status_Con_AP));
}
BENCHMARK(BM_LanguageLookup);

// Opens the basic settings dialog from the shown main window, as the user does, and
// switches between the first two languages while it is up.
void switchLanguages(benchmark::State& state, bool storeChoice) {
    BenchContext b;
    CMainDlg window(b.ctx);
    CTrayIcon tray(b.ctx.language);
    b.ctx.tray = &tray;
    window.initialise();
    window.onTrayCommand(CTrayIcon::OpenCommand);
    if (!storeChoice)
        Registry::setReadOnly(RegistryFailure{Registry::directory(), "benchmark"});
    b.seam.onModal = [&state](QDialog& dialog) {
        auto* languages = dialog.findChild<QComboBox*>(QStringLiteral("languageList"));
        int position = 0;
        for (auto _ : state) {
            position = 1 - position;
            emit languages->activated(position);
        }
        return 0;
    };
    window.findChild<QPushButton*>(QStringLiteral("groupButton"))->click();
    Registry::setReadOnly(std::nullopt);
    b.ctx.tray = nullptr;
}

void BM_TextReapply(benchmark::State& state) {
    switchLanguages(state, false);
}
BENCHMARK(BM_TextReapply);

void BM_LanguageSwitch(benchmark::State& state) {
    switchLanguages(state, true);
}
BENCHMARK(BM_LanguageSwitch);

} // namespace

} // namespace kx::bench
