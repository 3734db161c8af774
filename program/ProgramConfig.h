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

    // Every key with its default, then the hardware ID list; a missing file gives the
    // defaults. Resets fields not present in the file.
    void load(const QString& iniPath);
    // KXConfig.INI in the program directory.
    static QString defaultPath();

    bool professionalMode() const { return Release_Mode == kProfessionalCode; }

    // Defaults come from the key table in ProgramConfig.cpp, set by the constructor.
    // MAIN_INFO
    QString Program_Main_Page_Title;
    QString Company_name;
    QString Company_name_abbreviation;
    int Release_Mode;
    int Show_BSSID;
    int Show_dBm;
    int Show_Current_Tx_Data_Rate;
    int Main_Page_Update_Time_ms;
    int NoStartSiteSurvey;
    int ProfessionalModeOnly;
    int PERStopSilenceTime;
    int EnableAccessPoint;
    QString ML_SBCS_File;
    QString ML_Unicode_File;
    // PROFESSIONAL_ACTIVE_PAGE
    int Program_Setting_Flag_Page;
    int EEPROM_Access_Page;
    int RF_Hardware_Test_Page;
    int DBG_Command_Page;
    int Adapter_Tally_Page;
    // ADAPTER_INFORMATION
    int ChipVersion;
    int Region_Code;
    int RF_Module;
    int Signal_Strength_Max;
    int Signal_Strength_Min;
    int Communication_Quality_Max;
    int Communication_Quality_Min;
    int Fail_Avoid_Count;
    int RF_Test_Change_Rate;
    int RF_Test_PA_PE_TR_SW;
    int RF_Test_Scramber;
    int RF_Test_Spreading;
    int RF_Test_Philips_Rx_GC;
    int RF_Test_Receiver_Gain;

    // MatchingDeviceId0.. up to the first missing or empty one, at most 20.
    QStringList hardwareIds;
};

} // namespace kx
