#pragma once
// Texts of the WEP key settings dialog.

#include "program/LangText.h"

// clang-format off
#define KX_WEP_KEY_TEXTS(X)                                                                \
    X(WS_Authen_Mode, "Authentication Mode:")                                              \
    X(WS_Dialog_Title, "WEP Key Setting...")                                               \
    X(WS_Key_Set_Button_Apply, "Apply")                                                    \
    X(WS_Key_Set_Button_Change, "Change")                                                  \
    X(WS_Key_Set_Key_Default_Id, "Default Key ID:")                                        \
    X(WS_Key_Set_Key_Length, "Key Length:")                                                \
    X(WS_Key_Set_Key_Length_128, "128 bit")                                                \
    X(WS_Key_Set_Key_Length_64, "64 bit")                                                  \
    X(WS_Key_Set_Key_Note, "(The key value uses the hexdecimal format)")                   \
    X(WS_Key_Set_Key_Value_1, "#1:")                                                       \
    X(WS_Key_Set_Key_Value_2, "#2:")                                                       \
    X(WS_Key_Set_Key_Value_3, "#3:")                                                       \
    X(WS_Key_Set_Key_Value_4, "#4:")                                                       \
    X(WS_Key_Set_Key_Value_Desc, "Key Value:")                                             \
    X(WS_Key_Set_Sub_Title, "WEP Key Setting")
// clang-format on

namespace kx {

KX_TEXT_TABLE(WepKeyTexts, KX_WEP_KEY_TEXTS)
#undef KX_WEP_KEY_TEXTS

namespace WepKeyTexts {
// Numbered family: entry n names authentication mode n, from the language file only.
inline constexpr const char* WS_Authen_Mode_Value = "WS_Authen_Mode_Value_%d";
} // namespace WepKeyTexts

} // namespace kx
