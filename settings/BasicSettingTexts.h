#pragma once
// Texts of the basic settings dialog.

#include "program/LangText.h"

// clang-format off
#define KX_BASIC_SETTING_TEXTS(X)                                                          \
    X(BS_Dialog_Title, "More Setting...")                                                  \
    X(BS_E_Description, "Press the button for more WEP key setting.")                      \
    X(BS_E_Enable_WEP_Check_Box, "Enable WEP")                                             \
    X(BS_E_Sub_Title, "Encryption Setting")                                                \
    X(BS_E_WEP_More, "WEP More...")                                                        \
    X(BS_G_Button_Apply, "Apply")                                                          \
    X(BS_G_Button_Change, "Change")                                                        \
    X(BS_G_Channel, "Channel")                                                             \
    X(BS_G_Network_Type, "Network Type")                                                   \
    X(BS_G_SSID, "SSID")                                                                   \
    X(BS_G_SSID_any, "any")                                                                \
    X(BS_G_Sub_Title, "General Connection Setting")                                        \
    X(BS_G_TxRate, "Tx Rate")                                                              \
    X(BS_O_Advance_Set_Button, "Advanced Setting...")                                      \
    X(BS_O_Description, "For more advanced setting, information...")                       \
    X(BS_O_Information_Button, "Information")                                              \
    X(BS_O_Professional_Button, "Professional Mode")                                       \
    X(BS_O_Sub_Title, "Other")                                                             \
    X(BS_P_Load_Default_Button, "Load factory default setting.")                           \
    X(BS_P_Load_Profile_Button, "Load profile setting.")                                   \
    X(BS_P_Not_Found_Profile, "Can't found the specified profile")                         \
    X(BS_P_Profile_Name, "Profile name:")                                                  \
    X(BS_P_Sub_Title, "Profile")                                                           \
    X(BS_P_Write_Profile_Button, "Write current setting to profile.")                      \
    X(BS_U_Language, "Language:")                                                          \
    X(BS_U_Sub_Title, "User Interface")
// clang-format on

namespace kx {

KX_TEXT_TABLE(BasicSettingTexts, KX_BASIC_SETTING_TEXTS)
#undef KX_BASIC_SETTING_TEXTS

namespace BasicSettingTexts {
// Numbered families: the list entries come only from the language file, numbered from 1.
inline constexpr const char* BS_G_TxRate_Value = "BS_G_TxRate_Value_%d";
inline constexpr const char* BS_G_Network_Type_Value = "BS_G_Network_Type_Value_%d";
} // namespace BasicSettingTexts

} // namespace kx
