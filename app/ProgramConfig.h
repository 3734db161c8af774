#pragma once
// The values of KXConfig.INI beside the executable, read once at start-up. Fields are
// named after their keys. Only Show_BSSID, Show_dBm, Show_Current_Tx_Data_Rate and
// Main_Page_Update_Time_ms change later (for the rest of the run only).

#include <QString>
#include <QStringList>

namespace kx {

struct ProgramConfig final {
    static constexpr int kMaxHardwareIds = 20;
    static constexpr int kProfessionalCode = 826;

    // Every field at its default: what a program without KXConfig.INI runs with.
    ProgramConfig();

    // The program-wide record.
    static ProgramConfig& instance();

    // Every key with its default, then the hardware ID list; a missing file gives the
    // defaults. Resets fields not present in the file.
    void load(const QString& iniPath);
    // KXConfig.INI in the program directory.
    static QString defaultPath();

    bool professionalMode() const { return Release_Mode == kProfessionalCode; }

    // MAIN_INFO
    QString Program_Main_Page_Title;
    QString Company_name;
    QString Company_name_abbreviation;
    int Release_Mode = 0;
    int Show_BSSID = 0;
    int Show_dBm = 0;
    int Show_Current_Tx_Data_Rate = 0;
    int Main_Page_Update_Time_ms = 1000;
    int NoStartSiteSurvey = 0;
    int ProfessionalModeOnly = 0;
    int PERStopSilenceTime = 1;
    int EnableAccessPoint = 0;
    QString ML_SBCS_File;
    QString ML_Unicode_File;
    // PROFESSIONAL_ACTIVE_PAGE
    int Program_Setting_Flag_Page = 0;
    int EEPROM_Access_Page = 0;
    int RF_Hardware_Test_Page = 0;
    int DBG_Command_Page = 0;
    int Adapter_Tally_Page = 0;
    // ADAPTER_INFORMATION
    int ChipVersion = 0;
    int Region_Code = 0;
    int RF_Module = 0;
    int Signal_Strength_Max = 0;
    int Signal_Strength_Min = 0;
    int Communication_Quality_Max = 0;
    int Communication_Quality_Min = 0;
    int Fail_Avoid_Count = 5;
    int RF_Test_Change_Rate = 0;
    int RF_Test_PA_PE_TR_SW = 0;
    int RF_Test_Scramber = 0;
    int RF_Test_Spreading = 0;
    int RF_Test_Philips_Rx_GC = 0;
    int RF_Test_Receiver_Gain = 0;

    // MatchingDeviceId0.. up to the first missing or empty one, at most 20.
    QStringList hardwareIds;
};

} // namespace kx
