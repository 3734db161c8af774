#include "res/TextTables.h"

#include "info/InformationTexts.h"
#include "program/MainTexts.h"
#include "settings/AdvancedSettingTexts.h"
#include "settings/BasicSettingTexts.h"
#include "settings/WepKeyTexts.h"

namespace kx {

std::span<const TextTable> allTextTables() {
    static constexpr TextTable tables[] = {
        {"MainTexts", MainTexts::all},
        {"BasicSettingTexts", BasicSettingTexts::all},
        {"AdvancedSettingTexts", AdvancedSettingTexts::all},
        {"WepKeyTexts", WepKeyTexts::all},
        {"InformationTexts", InformationTexts::all},
    };
    return tables;
}

} // namespace kx
