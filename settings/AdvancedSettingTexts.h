#pragma once
// Texts of the advanced settings dialog.

#include "program/LangText.h"

// clang-format off
#define KX_ADVANCED_SETTING_TEXTS(X)                                                       \
    X(AS_Dialog_Title, "Advanced Setting...")                                              \
    X(AS_Enable_PS_Mode, "Enable power saving mode")                                       \
    X(AS_Fragment_Disable, "Disable")                                                      \
    X(AS_Fragment_Sub_Title, "Fragmentation Threshold")                                    \
    X(AS_Power_Saving_Mode, "Power Saving Mode")                                           \
    X(AS_RTS_CTS_Disable, "Disable")                                                       \
    X(AS_RTS_CTS_Sub_Title, "RTS / CTS Threshold")
// clang-format on

namespace kx {

KX_TEXT_TABLE(AdvancedSettingTexts, KX_ADVANCED_SETTING_TEXTS)
#undef KX_ADVANCED_SETTING_TEXTS

} // namespace kx
