#include <QFile>
#include <QtTest>

#include "kx02app/kxsim.h"
#include "program/ProgramConfig.h"
#include "tests/support/TestEnv.h"

using kx::ProgramConfig;
using kx::test::TestEnv;

namespace {

QByteArray hardwareIdLines(int first, int last) {
    QByteArray lines;
    for (int i = first; i <= last; ++i)
        lines += "MatchingDeviceId" + QByteArray::number(i) + "=ID" + QByteArray::number(i) + "\n";
    return lines;
}

QStringList ids(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("ID%1").arg(i);
    return list;
}

// The integer fields these cases look at, by key.
int intField(const ProgramConfig& config, const QString& key) {
    const QHash<QString, int ProgramConfig::*> fields = {
        {QStringLiteral("Release_Mode"), &ProgramConfig::Release_Mode},
        {QStringLiteral("EnableAccessPoint"), &ProgramConfig::EnableAccessPoint},
        {QStringLiteral("Main_Page_Update_Time_ms"), &ProgramConfig::Main_Page_Update_Time_ms},
        {QStringLiteral("Fail_Avoid_Count"), &ProgramConfig::Fail_Avoid_Count},
        {QStringLiteral("Signal_Strength_Min"), &ProgramConfig::Signal_Strength_Min},
    };
    return config.*fields.value(key);
}

} // namespace

class TestProgramConfig final : public QObject {
    Q_OBJECT

    QString writeIni(const TestEnv& env, const QByteArray& content) {
        const QString path = env.path() + QStringLiteral("/KXConfig.INI");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

private slots:
    void hardwareIds_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("expected");

        const QByteArray section = "[ADAPTER_INFORMATION]\n";
        QTest::newRow("gap ends the list")
            << section + hardwareIdLines(0, 1) + "MatchingDeviceId3=ID3\n"
            << ids(2);
        QTest::newRow("25 set, 20 read") << section + hardwareIdLines(0, 24) << ids(20);
        QTest::newRow("exactly 20") << section + hardwareIdLines(0, 19) << ids(20);
        QTest::newRow("empty value ends the list")
            << section + "MatchingDeviceId0=ID0\nMatchingDeviceId1=\nMatchingDeviceId2=ID2\n"
            << ids(1);
        QTest::newRow("no MatchingDeviceId0") << section + hardwareIdLines(1, 3) << QStringList();
        QTest::newRow("other section ignored")
            << QByteArray("[MAIN_INFO]\n") + hardwareIdLines(0, 2) << QStringList();
        QTest::newRow("keys and section in any case")
            << QByteArray("[adapter_information]\nmatchingdeviceid0=ID0\nMATCHINGDEVICEID1=ID1\n")
            << ids(2);
        QTest::newRow("blanks and quotes around the value")
            << section + "MatchingDeviceId0 =   PCI\\VEN_1C7E&DEV_2102  \n"
                         "MatchingDeviceId1=\"USB\\VID_1D5A&PID_3101\"\n"
            << QStringList{QStringLiteral("PCI\\VEN_1C7E&DEV_2102"),
                           QStringLiteral("USB\\VID_1D5A&PID_3101")};
    }
    void hardwareIds() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, expected);
        TestEnv env;
        ProgramConfig config;
        config.load(writeIni(env, ini));
        QCOMPARE(config.hardwareIds, expected);
    }

    void integerKeys_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");

        const QString releaseMode = QStringLiteral("Release_Mode");
        const QString period = QStringLiteral("Main_Page_Update_Time_ms");
        QTest::newRow("missing key takes its default")
            << QByteArray("[MAIN_INFO]\n") << period << 1000;
        QTest::newRow("non-numeric reads 0, not the default")
            << QByteArray("[MAIN_INFO]\nMain_Page_Update_Time_ms=fast\n") << period << 0;
        QTest::newRow("leading decimal number")
            << QByteArray("[MAIN_INFO]\nMain_Page_Update_Time_ms=500ms\n") << period << 500;
        QTest::newRow("negative number")
            << QByteArray("[ADAPTER_INFORMATION]\nSignal_Strength_Min=-95\n")
            << QStringLiteral("Signal_Strength_Min") << -95;
        QTest::newRow("non-numeric Release_Mode")
            << QByteArray("[MAIN_INFO]\nRelease_Mode=pro\n") << releaseMode << 0;
        QTest::newRow("EnableAccessPoint 2 kept as is")
            << QByteArray("[MAIN_INFO]\nEnableAccessPoint=2\n")
            << QStringLiteral("EnableAccessPoint") << 2;
        QTest::newRow("key in another section is not read")
            << QByteArray("[MAIN_INFO]\nFail_Avoid_Count=9\n") << QStringLiteral("Fail_Avoid_Count")
            << 5;
        QTest::newRow("key in any case")
            << QByteArray("[main_info]\nrelease_mode=826\n") << releaseMode << 826;
        QTest::newRow("empty value takes the default")
            << QByteArray("[ADAPTER_INFORMATION]\nFail_Avoid_Count=\n")
            << QStringLiteral("Fail_Avoid_Count") << 5;
    }
    void integerKeys() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, key);
        QFETCH(int, expected);
        TestEnv env;
        ProgramConfig config;
        config.load(writeIni(env, ini));
        QCOMPARE(intField(config, key), expected);
    }

    void professionalMode_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("professional");
        QTest::newRow("826") << QByteArray("826") << true;
        QTest::newRow("825") << QByteArray("825") << false;
        QTest::newRow("827") << QByteArray("827") << false;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("826 with trailing text") << QByteArray("826 pro") << true;
    }
    void professionalMode() {
        QFETCH(QByteArray, value);
        QFETCH(bool, professional);
        TestEnv env;
        ProgramConfig config;
        config.load(writeIni(env, "[MAIN_INFO]\nRelease_Mode=" + value + "\n"));
        QCOMPARE(config.professionalMode(), professional);
    }

    void missingFileGivesEveryDefault() {
        TestEnv env;
        ProgramConfig config;
        // A previous load must not leak into the next one.
        config.load(writeIni(env,
                             "[MAIN_INFO]\nRelease_Mode=826\nShow_dBm=1\nML_SBCS_File=x.ini\n"
                             "[ADAPTER_INFORMATION]\nMatchingDeviceId0=ID0\nChipVersion=3102\n"));
        QVERIFY(config.professionalMode());
        config.load(env.path() + QStringLiteral("/missing.INI"));

        QCOMPARE(config.Program_Main_Page_Title,
                 QStringLiteral("Tolva Wireless LAN Configuration Tool"));
        QCOMPARE(config.Company_name, QStringLiteral("Tolva Technology Corporation"));
        QCOMPARE(config.Company_name_abbreviation, QStringLiteral("Tolva"));
        QCOMPARE(config.ML_SBCS_File, QStringLiteral("KXMLa.INI"));
        QCOMPARE(config.ML_Unicode_File, QStringLiteral("KXMLu.INI"));
        QCOMPARE(config.Main_Page_Update_Time_ms, 1000);
        QCOMPARE(config.PERStopSilenceTime, 1);
        QCOMPARE(config.Fail_Avoid_Count, 5);
        QCOMPARE(config.Release_Mode, 0);
        QCOMPARE(config.Show_dBm, 0);
        QCOMPARE(config.ChipVersion, 0);
        QCOMPARE(config.Signal_Strength_Max, 0);
        QCOMPARE(config.Signal_Strength_Min, 0);
        QVERIFY(config.hardwareIds.isEmpty());
    }

    void freshRecordHoldsTheDefaults() {
        // Code that reads the record before start-up loaded it sees a file-less program.
        const ProgramConfig config;
        QCOMPARE(config.ML_Unicode_File, QStringLiteral("KXMLu.INI"));
        QCOMPARE(config.Program_Main_Page_Title,
                 QStringLiteral("Tolva Wireless LAN Configuration Tool"));
        QCOMPARE(config.Main_Page_Update_Time_ms, 1000);
    }

    void stringsAreCutTo255Characters() {
        TestEnv env;
        ProgramConfig config;
        const QByteArray longName(300, 'N');
        config.load(writeIni(env, "[MAIN_INFO]\nCompany_name=" + longName + "\n"));
        QCOMPARE(config.Company_name, QString(255, u'N'));
    }

    void emptyStringValueIsKeptEmpty() {
        TestEnv env;
        ProgramConfig config;
        config.load(writeIni(env, "[MAIN_INFO]\nCompany_name_abbreviation=\n"));
        QCOMPARE(config.Company_name_abbreviation, QString());
        QCOMPARE(config.Company_name, QStringLiteral("Tolva Technology Corporation"));
    }

    void everyKeyReachesItsField() {
        // Each key gets its own value, so a key read into another field is seen.
        using PC = ProgramConfig;
        struct IntKey {
            const char* section;
            const char* key;
            int PC::*field;
        };
        const IntKey intKeys[] = {
            {"MAIN_INFO", "Release_Mode", &PC::Release_Mode},
            {"MAIN_INFO", "Show_BSSID", &PC::Show_BSSID},
            {"MAIN_INFO", "Show_dBm", &PC::Show_dBm},
            {"MAIN_INFO", "Show_Current_Tx_Data_Rate", &PC::Show_Current_Tx_Data_Rate},
            {"MAIN_INFO", "Main_Page_Update_Time_ms", &PC::Main_Page_Update_Time_ms},
            {"MAIN_INFO", "NoStartSiteSurvey", &PC::NoStartSiteSurvey},
            {"MAIN_INFO", "ProfessionalModeOnly", &PC::ProfessionalModeOnly},
            {"MAIN_INFO", "PERStopSilenceTime", &PC::PERStopSilenceTime},
            {"MAIN_INFO", "EnableAccessPoint", &PC::EnableAccessPoint},
            {"PROFESSIONAL_ACTIVE_PAGE", "Program_Setting_Flag_Page",
             &PC::Program_Setting_Flag_Page},
            {"PROFESSIONAL_ACTIVE_PAGE", "EEPROM_Access_Page", &PC::EEPROM_Access_Page},
            {"PROFESSIONAL_ACTIVE_PAGE", "RF_Hardware_Test_Page", &PC::RF_Hardware_Test_Page},
            {"PROFESSIONAL_ACTIVE_PAGE", "DBG_Command_Page", &PC::DBG_Command_Page},
            {"PROFESSIONAL_ACTIVE_PAGE", "Adapter_Tally_Page", &PC::Adapter_Tally_Page},
            {"ADAPTER_INFORMATION", "ChipVersion", &PC::ChipVersion},
            {"ADAPTER_INFORMATION", "Region_Code", &PC::Region_Code},
            {"ADAPTER_INFORMATION", "RF_Module", &PC::RF_Module},
            {"ADAPTER_INFORMATION", "Signal_Strength_Max", &PC::Signal_Strength_Max},
            {"ADAPTER_INFORMATION", "Signal_Strength_Min", &PC::Signal_Strength_Min},
            {"ADAPTER_INFORMATION", "Communication_Quality_Max", &PC::Communication_Quality_Max},
            {"ADAPTER_INFORMATION", "Communication_Quality_Min", &PC::Communication_Quality_Min},
            {"ADAPTER_INFORMATION", "Fail_Avoid_Count", &PC::Fail_Avoid_Count},
            {"ADAPTER_INFORMATION", "RF_Test_Change_Rate", &PC::RF_Test_Change_Rate},
            {"ADAPTER_INFORMATION", "RF_Test_PA_PE_TR_SW", &PC::RF_Test_PA_PE_TR_SW},
            {"ADAPTER_INFORMATION", "RF_Test_Scramber", &PC::RF_Test_Scramber},
            {"ADAPTER_INFORMATION", "RF_Test_Spreading", &PC::RF_Test_Spreading},
            {"ADAPTER_INFORMATION", "RF_Test_Philips_Rx_GC", &PC::RF_Test_Philips_Rx_GC},
            {"ADAPTER_INFORMATION", "RF_Test_Receiver_Gain", &PC::RF_Test_Receiver_Gain},
        };
        struct TextKey {
            const char* key;
            QString PC::*field;
        };
        const TextKey textKeys[] = {
            {"Program_Main_Page_Title", &PC::Program_Main_Page_Title},
            {"Company_name", &PC::Company_name},
            {"Company_name_abbreviation", &PC::Company_name_abbreviation},
            {"ML_SBCS_File", &PC::ML_SBCS_File},
            {"ML_Unicode_File", &PC::ML_Unicode_File},
        };

        // Sections in reverse order and keys shuffled by section: only names count.
        QByteArray ini;
        for (const char* section :
             {"ADAPTER_INFORMATION", "PROFESSIONAL_ACTIVE_PAGE", "MAIN_INFO"}) {
            ini += QByteArray("[") + section + "]\n";
            for (int i = 0; i < int(std::size(intKeys)); ++i) {
                if (qstrcmp(intKeys[i].section, section) == 0)
                    ini += QByteArray(intKeys[i].key) + "=" + QByteArray::number(100 + i) + "\n";
            }
            if (qstrcmp(section, "MAIN_INFO") == 0) {
                for (int i = 0; i < int(std::size(textKeys)); ++i)
                    ini += QByteArray(textKeys[i].key) + "=text " + QByteArray::number(i) + "\n";
            }
        }
        TestEnv env;
        ProgramConfig config;
        config.load(writeIni(env, ini));
        for (int i = 0; i < int(std::size(intKeys)); ++i)
            QVERIFY2(config.*intKeys[i].field == 100 + i, intKeys[i].key);
        for (int i = 0; i < int(std::size(textKeys)); ++i)
            QVERIFY2(config.*textKeys[i].field == QStringLiteral("text %1").arg(i),
                     textKeys[i].key);
    }

    void shippedFileLoads() {
        TestEnv env;
        const QString path = TestEnv::programDir() + QStringLiteral("KXConfig.INI");
        QVERIFY2(QFile::exists(path), qPrintable(path));
        ProgramConfig config;
        config.load(path);
        QCOMPARE(config.Program_Main_Page_Title,
                 QStringLiteral("Tolva Wireless LAN Configuration Tool"));
        QCOMPARE(config.ML_Unicode_File, QStringLiteral("KXMLu.INI"));
        QCOMPARE(config.ML_SBCS_File, QStringLiteral("KXMLa.INI"));
        QCOMPARE(config.ChipVersion, 3101);
        QCOMPARE(config.EnableAccessPoint, 1);
        QVERIFY(!config.professionalMode());
        QCOMPARE(config.Main_Page_Update_Time_ms, 1000);
        QCOMPARE(config.hardwareIds,
                 (QStringList{QStringLiteral("PCI\\VEN_1C7E&DEV_2102&SUBSYS_21021C7E"),
                              QStringLiteral("PCMCIA\\TOLVA-KX3101_WLAN_CARD-3A1F"),
                              QStringLiteral("USB\\VID_1D5A&PID_3101")}));
        // The status display divides by these ranges.
        QVERIFY(config.Signal_Strength_Max > config.Signal_Strength_Min);
        QVERIFY(config.Communication_Quality_Max > config.Communication_Quality_Min);
        QCOMPARE(config.Fail_Avoid_Count, 5);
        // Every professional page is there once Release_Mode is set to 826.
        for (int page :
             {config.Program_Setting_Flag_Page, config.EEPROM_Access_Page,
              config.RF_Hardware_Test_Page, config.DBG_Command_Page, config.Adapter_Tally_Page})
            QVERIFY(page != 0);
        QCOMPARE(config.Release_Mode, 0);

        // Every simulated adapter of the built-in world is a supported one.
        WLAdapterListEntry entries[WL_ADAPTER_LIST_MAX];
        const int count = CreateAllNICAdapterList(entries, WL_ADAPTER_LIST_MAX);
        QVERIFY(count >= 3);
        for (int i = 0; i < count; ++i) {
            char id[512] = {};
            QVERIFY(kxsim_get_text(entries[i].name, "hardware_id", id, sizeof id) > 0);
            QVERIFY2(config.hardwareIds.contains(QString::fromLatin1(id), Qt::CaseInsensitive), id);
        }
    }
};

QTEST_GUILESS_MAIN(TestProgramConfig)
#include "test_programconfig.moc"
