#pragma once
// What the professional window tests share: the shipped configuration in professional
// mode over a selected simulated adapter, the sheet run through the scripted person,
// and a way to bring one of its pages up.

#include <functional>
#include <map>

#include <QDialog>
#include <QTabBar>
#include <QTabWidget>

#include "kx02app/kxsim.h"
#include "pro/sheet/ui/CMainAdvanced.h"
#include "tests/settings/SettingsFixture.h"

namespace kx::test {

struct ProfessionalFixture : TestContext {
    explicit ProfessionalFixture(int adapterLine = 0)
        : selected(selectSimulatedAdapter(ctx, adapterLine)) {
        ctx.config.Release_Mode = ProgramConfig::kProfessionalCode;
        // Each dialog run gets the step for its class; a dialog without one just closes.
        seam.onModal = [this](QDialog& dialog) {
            const auto step = steps.find(QString::fromLatin1(dialog.metaObject()->className()));
            if (step != steps.end())
                step->second(dialog);
            return 0;
        };
    }

    // Opens the sheet as its buttons do; `onSheet` works with it while it is open.
    void runSheet(std::function<void(QDialog&)> onSheet) {
        steps[QStringLiteral("kx::CMainAdvanced")] = std::move(onSheet);
        CMainAdvanced::open(ctx, nullptr);
    }

    std::int32_t phyRegister(int reg) {
        std::int32_t value = -1;
        QueryWL_ReadPHYRegister(ctx.adapter.record(), reg, &value);
        return value;
    }

    int selected;
    std::map<QString, std::function<void(QDialog&)>> steps;
};

inline QStringList tabTexts(QDialog& sheet) {
    QStringList texts;
    auto* tabs = child<QTabWidget>(&sheet, "pages");
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

// Selects the tab as a click on it would, and answers the page it shows.
template <typename Page> Page* showPage(QDialog& sheet, const QString& title) {
    auto* tabs = child<QTabWidget>(&sheet, "pages");
    tabs->tabBar()->setCurrentIndex(static_cast<int>(tabTexts(sheet).indexOf(title)));
    return tabs->currentWidget()->findChild<Page*>();
}

} // namespace kx::test
