#pragma once
// Texts of the information dialog, the maker's contact lines included.

#include "program/LangText.h"

// clang-format off
#define KX_INFORMATION_TEXTS(X)                                                            \
    X(IS_Dialog_Title, "Information...")                                                   \
    X(IS_Item_Driver_Version, "Driver Version:")                                           \
    X(IS_Item_Firmware_Version, "Firmware Version:")                                       \
    X(IS_Item_Last_Info, "Designed By:")                                                   \
    X(IS_Item_Last_Info_1, "Tolva Technology Corporation")                                 \
    X(IS_Item_Last_Info_2, "4F, No. 27, Kestrel Park Road")                                \
    X(IS_Item_Last_Info_3, "Linden District")                                              \
    X(IS_Item_Last_Info_4, "Harlow Bay, Estoria")                                          \
    X(IS_Item_Last_Info_5, "TEL: +99-2-555-0142")                                          \
    X(IS_Item_Last_Info_6, "FAX: +99-2-555-0143")                                          \
    X(IS_Item_MAC_Address, "MAC Address:")                                                 \
    X(IS_Item_Utility_Version, "KXConfig Version:")                                        \
    X(IS_Item_Version_Unknown, "N/A")                                                      \
    X(IS_Sub_Title, "S Y S T E M   I N F O R M A T I O N")
// clang-format on

namespace kx {

KX_TEXT_TABLE(InformationTexts, KX_INFORMATION_TEXTS)
#undef KX_INFORMATION_TEXTS

} // namespace kx
