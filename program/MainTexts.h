#pragma once
// Texts of the main window, its site survey and access-point views, and the tray icon.

#include "program/LangText.h"

// clang-format off
#define KX_MAIN_TEXTS(X)                                                                   \
    X(MP_AP_Curr_Net_Setting_Channel, "Channel:")                                          \
    X(MP_AP_Curr_Net_Setting_More_Set, "More Setting...")                                  \
    X(MP_AP_Curr_Net_Setting_SSID, "SSID:")                                                \
    X(MP_AP_Curr_Net_Setting_Title, "Current Network Setting")                             \
    X(MP_AP_Curr_Net_Setting_Tx_Power, "Tx Power:")                                        \
    X(MP_AP_Curr_Net_Setting_WEP, "WEP:")                                                  \
    X(MP_AP_Station_List, "Connect Station List:")                                         \
    X(MP_AP_Station_List_Refresh, "Refresh")                                               \
    X(MP_AP_Station_List_Station_MAC, "Station MAC Address")                               \
    X(MP_Dialog_Title, "Tolva Wireless LAN Configuration Tool")                            \
    X(MP_Network_Adapter, "Network Adapter:")                                              \
    X(MP_STA_AP_Mode, "Mode:")                                                             \
    X(MP_STA_AP_Toggle_Button_AP, "Access Point")                                          \
    X(MP_STA_AP_Toggle_Button_STA, "Station")                                              \
    X(MP_STA_Available_Network, "Available Network:")                                      \
    X(MP_STA_Available_Network_Scan, "Scanning Avaliable Network...")                      \
    X(MP_STA_Close_Dialog_Message,                                                         \
      "Please close the current window before you close this program!!!")                  \
    X(MP_STA_Curr_Net_Info_Channel, "Channel:")                                            \
    X(MP_STA_Curr_Net_Info_More_Set, "More Setting...")                                    \
    X(MP_STA_Curr_Net_Info_SSID, "SSID:")                                                  \
    X(MP_STA_Curr_Net_Info_Title, "Current Network Information")                           \
    X(MP_STA_Curr_Net_Info_TxRate, "Tx Rate:")                                             \
    X(MP_STA_Curr_Net_Info_Type, "Type:")                                                  \
    X(MP_STA_Curr_Net_Info_WEP, "WEP:")                                                    \
    X(MP_STA_Curr_Net_Tx_Rate_11M, "11M bps")                                              \
    X(MP_STA_Curr_Net_Tx_Rate_165M, "16.5M bps")                                           \
    X(MP_STA_Curr_Net_Tx_Rate_1M, "1M bps")                                                \
    X(MP_STA_Curr_Net_Tx_Rate_22M, "22M bps")                                              \
    X(MP_STA_Curr_Net_Tx_Rate_275M, "27.5M bps")                                           \
    X(MP_STA_Curr_Net_Tx_Rate_2M, "2M bps")                                                \
    X(MP_STA_Curr_Net_Tx_Rate_55M, "5.5M bps")                                             \
    X(MP_STA_Curr_Net_Tx_Rate_Auto, "Auto")                                                \
    X(MP_STA_Curr_Net_Tx_Rate_Curr, "Current rate")                                        \
    X(MP_STA_Curr_Net_Tx_Rate_x_x, "x.xM bps(Code:")                                       \
    X(MP_STA_Curr_Net_Type_Ad_Hoc, "Ad-Hoc")                                               \
    X(MP_STA_Curr_Net_Type_Infra, "Infrastructure")                                        \
    X(MP_STA_Curr_Net_Type_PIBSS, "Pseudo IBSS")                                           \
    X(MP_STA_Curr_Net_Type_Unknown, "Unknown type")                                        \
    X(MP_STA_Link_Quality, "Link Quality:")                                                \
    X(MP_STA_Link_Status, "Link Status:")                                                  \
    X(MP_STA_Link_Status_BSSID_Unknown, "Unknown!")                                        \
    X(MP_STA_Link_Status_Con_AP, "Connected to Access Point.")                             \
    X(MP_STA_Link_Status_Con_AP_1, "Connected to Access Point. BSSID =")                   \
    X(MP_STA_Link_Status_Con_Ad_Hoc, "Connected to Ad-Hoc.")                               \
    X(MP_STA_Link_Status_Con_Ad_Hoc_1, "Connected to Ad-Hoc. BSSID =")                     \
    X(MP_STA_Link_Status_Con_PIBSS, "Connected to Pseudo IBSS.")                           \
    X(MP_STA_Link_Status_Con_WDS, "Connected to WDS.")                                     \
    X(MP_STA_Link_Status_Connecting, "Connecting...")                                      \
    X(MP_STA_Link_Status_Disc, "Disconnected.")                                            \
    X(MP_STA_Link_Status_In_Ad_Hoc, "In Ad-Hoc Mode.")                                     \
    X(MP_STA_Link_Status_Unknown, "Unknown Status.")                                       \
    X(MP_STA_Net_List_Refresh, "Refresh")                                                  \
    X(MP_STA_Net_List_Refresh_Scan, "Scanning......")                                      \
    X(MP_STA_Net_List_SSID, "SSID")                                                        \
    X(MP_STA_Net_List_Strength, "Strength")                                                \
    X(MP_STA_Rx_Frame, "Rx Frame:")                                                        \
    X(MP_STA_SSID_any, "<any>")                                                            \
    X(MP_STA_Select_NetType_Ad_Hoc, "Ad-Hoc")                                              \
    X(MP_STA_Select_NetType_Infra, "Infrastructure")                                       \
    X(MP_STA_Select_NetType_Unknown, "Unknown")                                            \
    X(MP_STA_Select_Net_Info_BSSID, "BSSID:")                                              \
    X(MP_STA_Select_Net_Info_Channel, "Channel:")                                          \
    X(MP_STA_Select_Net_Info_Connect, "Connect this site")                                 \
    X(MP_STA_Select_Net_Info_Title, "Selected Network Information")                        \
    X(MP_STA_Select_Net_Info_WEP, "WEP:")                                                  \
    X(MP_STA_Signal_Strength, "Signal Strength:")                                          \
    X(MP_STA_Tx_Frame, "Tx Frame:")                                                        \
    X(MP_STA_WEP_Off, "Off")                                                               \
    X(MP_STA_WEP_On, "On")                                                                 \
    X(MP_STA_WZC_Message_1, "Wireless LAN is controlled by Windows Zero Configuration!!!") \
    X(MP_Small_Icon_Item_1, "Open Utility Window")                                         \
    X(MP_Small_Icon_Item_2, "Exit KXConfig")                                               \
    X(MP_Small_Icon_Tip, "KXConfig --- Wireless LAN Configuration Tool")                   \
    X(MP_WEP_Default_Message_Line_1,                                                       \
      "You have selected to connect to the WEP encryption network.")                       \
    X(MP_WEP_Default_Message_Line_2, "Do you want to use the previous WEP setting?")       \
    X(MP_WEP_Default_Message_Title, "Use Previous WEP Setting")
// clang-format on

namespace kx {

KX_TEXT_TABLE(MainTexts, KX_MAIN_TEXTS)
#undef KX_MAIN_TEXTS

namespace MainTexts {
// The list label as it reads when the list comes back from a scan; the layout shows the
// table's text. A language file gives both the same text.
inline constexpr kx::LangText MP_STA_Available_Network_Normal{"MP_STA_Available_Network",
                                                              "Avaliable Network:"};
} // namespace MainTexts

} // namespace kx
