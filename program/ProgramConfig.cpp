#include "program/ProgramConfig.h"

#include <QFile>

#include <string>
#include <string_view>
#include <variant>

#include "platform/PrivateProfile.h"
#include "program/ProgramDirectory.h"

namespace kx {

namespace {

// The buffer a string key is read into: 255 characters and the terminator.
constexpr std::size_t kTextCapacity = 256;

struct IntField {
    int ProgramConfig::*member;
    int defaultValue;
};
struct TextField {
    QString ProgramConfig::*member;
    std::u16string_view defaultValue;
};
struct ConfigKey {
    std::u16string_view section;
    std::u16string_view key;
    std::variant<IntField, TextField> field;
};

constexpr std::u16string_view kMain = u"MAIN_INFO";
constexpr std::u16string_view kPages = u"PROFESSIONAL_ACTIVE_PAGE";
constexpr std::u16string_view kAdapter = u"ADAPTER_INFORMATION";
constexpr std::u16string_view kHardwareIdKey = u"MatchingDeviceId";

using PC = ProgramConfig;
const ConfigKey kKeys[] = {
    {kMain, u"Program_Main_Page_Title",
     TextField{&PC::Program_Main_Page_Title, u"Tolva Wireless LAN Configuration Tool"}},
    {kMain, u"Company_name", TextField{&PC::Company_name, u"Tolva Technology Corporation"}},
    {kMain, u"Company_name_abbreviation", TextField{&PC::Company_name_abbreviation, u"Tolva"}},
    {kMain, u"Release_Mode", IntField{&PC::Release_Mode, 0}},
    {kMain, u"Show_BSSID", IntField{&PC::Show_BSSID, 0}},
    {kMain, u"Show_dBm", IntField{&PC::Show_dBm, 0}},
    {kMain, u"Show_Current_Tx_Data_Rate", IntField{&PC::Show_Current_Tx_Data_Rate, 0}},
    {kMain, u"Main_Page_Update_Time_ms", IntField{&PC::Main_Page_Update_Time_ms, 1000}},
    {kMain, u"NoStartSiteSurvey", IntField{&PC::NoStartSiteSurvey, 0}},
    {kMain, u"ProfessionalModeOnly", IntField{&PC::ProfessionalModeOnly, 0}},
    {kMain, u"PERStopSilenceTime", IntField{&PC::PERStopSilenceTime, 1}},
    {kMain, u"EnableAccessPoint", IntField{&PC::EnableAccessPoint, 0}},
    {kMain, u"ML_SBCS_File", TextField{&PC::ML_SBCS_File, u"KXMLa.INI"}},
    {kMain, u"ML_Unicode_File", TextField{&PC::ML_Unicode_File, u"KXMLu.INI"}},
    {kPages, u"Program_Setting_Flag_Page", IntField{&PC::Program_Setting_Flag_Page, 0}},
    {kPages, u"EEPROM_Access_Page", IntField{&PC::EEPROM_Access_Page, 0}},
    {kPages, u"RF_Hardware_Test_Page", IntField{&PC::RF_Hardware_Test_Page, 0}},
    {kPages, u"DBG_Command_Page", IntField{&PC::DBG_Command_Page, 0}},
    {kPages, u"Adapter_Tally_Page", IntField{&PC::Adapter_Tally_Page, 0}},
    {kAdapter, u"ChipVersion", IntField{&PC::ChipVersion, 0}},
    {kAdapter, u"Region_Code", IntField{&PC::Region_Code, 0}},
    {kAdapter, u"RF_Module", IntField{&PC::RF_Module, 0}},
    {kAdapter, u"Signal_Strength_Max", IntField{&PC::Signal_Strength_Max, 0}},
    {kAdapter, u"Signal_Strength_Min", IntField{&PC::Signal_Strength_Min, 0}},
    {kAdapter, u"Communication_Quality_Max", IntField{&PC::Communication_Quality_Max, 0}},
    {kAdapter, u"Communication_Quality_Min", IntField{&PC::Communication_Quality_Min, 0}},
    {kAdapter, u"Fail_Avoid_Count", IntField{&PC::Fail_Avoid_Count, 5}},
    {kAdapter, u"RF_Test_Change_Rate", IntField{&PC::RF_Test_Change_Rate, 0}},
    {kAdapter, u"RF_Test_PA_PE_TR_SW", IntField{&PC::RF_Test_PA_PE_TR_SW, 0}},
    {kAdapter, u"RF_Test_Scramber", IntField{&PC::RF_Test_Scramber, 0}},
    {kAdapter, u"RF_Test_Spreading", IntField{&PC::RF_Test_Spreading, 0}},
    {kAdapter, u"RF_Test_Philips_Rx_GC", IntField{&PC::RF_Test_Philips_Rx_GC, 0}},
    {kAdapter, u"RF_Test_Receiver_Gain", IntField{&PC::RF_Test_Receiver_Gain, 0}},
};

QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

struct DefaultSetter {
    ProgramConfig& config;
    void operator()(const IntField& f) const { config.*f.member = f.defaultValue; }
    void operator()(const TextField& f) const { config.*f.member = fromU16(f.defaultValue); }
};

struct FileReader {
    ProgramConfig& config;
    const ConfigKey& key;
    const std::filesystem::path& file;
    void operator()(const IntField& f) const {
        config.*f.member = PrivateProfile::getInt(key.section, key.key, f.defaultValue, file);
    }
    void operator()(const TextField& f) const {
        config.*f.member = fromU16(
            PrivateProfile::getString(key.section, key.key, f.defaultValue, file, kTextCapacity));
    }
};

// MatchingDeviceId0, 1, ... up to the first missing or empty one.
QStringList readHardwareIds(const std::filesystem::path& file) {
    QStringList ids;
    for (int i = 0; i < ProgramConfig::kMaxHardwareIds; ++i) {
        const std::u16string key =
            std::u16string(kHardwareIdKey) + QString::number(i).toStdU16String();
        const std::u16string id =
            PrivateProfile::getString(kAdapter, key, u"", file, kTextCapacity);
        if (id.empty())
            break;
        ids.append(fromU16(id));
    }
    return ids;
}

} // namespace

ProgramConfig::ProgramConfig() {
    for (const ConfigKey& key : kKeys)
        std::visit(DefaultSetter{*this}, key.field);
}

void ProgramConfig::load(const QString& iniPath) {
    const std::filesystem::path file(QFile::encodeName(iniPath).toStdString());
    for (const ConfigKey& key : kKeys)
        std::visit(FileReader{*this, key, file}, key.field);
    hardwareIds = readHardwareIds(file);
}

QString ProgramConfig::defaultPath() {
    return ProgramDirectory::path() + QStringLiteral("KXConfig.INI");
}

} // namespace kx
