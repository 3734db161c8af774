#pragma once
// The contract with the adapters' driver interface library libKX02APP.so.
//
// Every adapter operation takes the program's WLAdapterInfo record first. Integer
// queries answer the value or a negative number; buffer operations answer -1 on
// failure. Text crosses this boundary as NUL-terminated single-byte strings.
// The program links to the library by name only; any library with this name and
// these entry points can stand in for the one built here.

#include <stddef.h>
#include <stdint.h>

#if defined(KX02APP_BUILDING)
#define KX02APP_API __attribute__((visibility("default")))
#else
#define KX02APP_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// An SSID is at most this many bytes.
enum { WL_SSID_MAX_BYTES = 32 };

#pragma pack(push, 1)

// The current adapter: one program-wide record, handed to every adapter call.
typedef struct WLAdapterInfo {
    int32_t handle;         // -1 while no adapter is open
    char name[260];         // identifies the adapter to the library
    char description[260];  // shown in the adapter drop-down list
    char instance[8];       // registry instance key, at most 4 characters
    int32_t inUse;          // 1 once an adapter was probed or selected
    int32_t failAvoidCount; // copied from the configuration, read by the library
    int32_t reserved;
} WLAdapterInfo;

// One entry of the adapter list filled by CreateNICAdapterList / CreateAllNICAdapterList.
typedef struct WLAdapterListEntry {
    char name[260];
    char description[260];
    char instance[5];
} WLAdapterListEntry;

// One record of a site survey (the 104-byte BSSID record).
typedef struct WLSurveyRecord {
    uint32_t length;                 //   0
    uint8_t bssid[6];                //   4
    uint8_t reserved[2];             //  10
    uint32_t ssidLength;             //  12
    uint8_t ssid[WL_SSID_MAX_BYTES]; // 16, not NUL-terminated
    uint32_t privacy;                //  48, nonzero: WEP in use
    int32_t signal;                  //  52
    uint32_t networkTypeInUse;       //  56
    uint32_t configLength;           //  60, radio configuration (32 bytes)
    uint32_t beaconPeriod;           //  64
    uint32_t atimWindow;             //  68
    uint32_t frequencyKHz;           //  72
    uint32_t fhConfig[4];            //  76
    uint32_t infrastructureMode;     //  92: 0 ad hoc, 1 infrastructure
    uint8_t rates[8];                //  96
} WLSurveyRecord;

enum { WL_SURVEY_MAX_RECORDS = 20 };

// The survey buffer: a count and 20 records.
typedef struct WLSurveyBuffer {
    uint32_t count;
    WLSurveyRecord records[WL_SURVEY_MAX_RECORDS];
} WLSurveyBuffer;

// Statistics counters: 21 unsigned 64-bit little-endian counters.
enum { WL_TALLY_COUNTERS = 21, WL_TALLY_BYTES = 168 };
typedef struct WLTally {
    uint64_t counter[WL_TALLY_COUNTERS];
} WLTally;

// Stations associated with the access point: 32 slots of in-use byte + MAC.
enum { WL_STATION_SLOTS = 32, WL_STATION_LIST_BYTES = 224 };
typedef struct WLStationSlot {
    uint8_t inUse;
    uint8_t mac[6];
} WLStationSlot;

// Access-point MAC filter table: 16 entries of in-use byte + MAC.
enum { WL_FILTER_ENTRIES = 16, WL_FILTER_TABLE_BYTES = 112 };
typedef struct WLFilterEntry {
    uint8_t inUse;
    uint8_t mac[6];
} WLFilterEntry;

// Firmware record object (ReadOid / WriteOid on WL_OID_FIRMWARE_RECORD).
typedef struct WLFirmwareRecord {
    uint16_t length;
    uint16_t id;
    uint16_t data[500];
} WLFirmwareRecord;

// Test command object for the newer chip (WL_OID_TEST_COMMAND).
typedef struct WLTestCommand {
    uint16_t command;
    uint16_t value;
    uint16_t extra;
    uint16_t reserved;
} WLTestCommand;

// Chip memory access (WL_OID_MEMORY_READ / WL_OID_MEMORY_WRITE): the value comes back
// in the address word.
typedef struct WLMemoryRequest {
    uint32_t address;
    uint32_t value;
} WLMemoryRequest;

// The older debug object (WL_OID_OLD_DEBUG): writes the value at the address, then
// answers how many words of memory from there follow in the reply.
enum { WL_OLD_DEBUG_REPLY_WORDS = 257 };
typedef struct WLOldDebugRequest {
    uint32_t address;
    uint32_t value;
    uint32_t replyWords; // the driver's count; the reply never holds more than its room
    uint32_t reply[WL_OLD_DEBUG_REPLY_WORDS];
} WLOldDebugRequest;

// The access point's SSID object (WL_OID_AP_SSID): length and bytes, no NUL.
typedef struct WLApSsid {
    uint32_t length;
    uint8_t ssid[WL_SSID_MAX_BYTES];
} WLApSsid;

#pragma pack(pop)

// Objects the program reads and writes with ReadOid / WriteOid.
#define WL_OID_CURRENT_ADDRESS 0x01010102u // 6 bytes: the adapter's MAC address
#define WL_OID_FIRMWARE_RECORD 0xFF010181u // WLFirmwareRecord
#define WL_OID_TEST_COMMAND 0xFF010183u    // WLTestCommand
#define WL_OID_MEMORY_WRITE 0xFF0201A2u    // WLMemoryRequest
#define WL_OID_MEMORY_READ 0xFF0201A4u     // WLMemoryRequest: the value out in its first word
#define WL_OID_OLD_DEBUG 0xFF0201ACu       // WLOldDebugRequest
#define WL_OID_AP_SSID 0xFF0201B2u         // WLApSsid
#define WL_OID_DEBUG_TALLY 0xFFFFFFFFu     // 168 bytes: driver debug counters

// Minimum sizes of the output buffers that carry no length argument.
enum {
    WL_SSID_BUFFER_MIN = WL_SSID_MAX_BYTES + 1, // the SSID and the NUL
    WL_BSSID_TEXT_BUFFER_MIN = 18,              // "00:11:22:33:44:55" and the NUL
    WL_FIRMWARE_VERSION_BYTES = 5,
    WL_MAC_BYTES = 6,
    WL_TX_POWER_SET_POINT_BYTES = 14,
    WL_ADAPTER_LIST_MAX = 50
};

// ---- host --------------------------------------------------------------------------
KX02APP_API int32_t QueryWL_IsWindows95(void);
KX02APP_API int32_t QueryWL_IsWindows2000(void);
KX02APP_API int32_t KX_GetOSVersion(void);

// ---- adapters ----------------------------------------------------------------------
// Fill at most maxEntries entries; answer the number written (0 = none).
KX02APP_API int32_t CreateNICAdapterList(WLAdapterListEntry* entries, int32_t maxEntries);
KX02APP_API int32_t CreateAllNICAdapterList(WLAdapterListEntry* entries, int32_t maxEntries);
KX02APP_API int32_t KxOpenAdapter(WLAdapterInfo* info); // nonzero on success
KX02APP_API int32_t KxCloseAdapter(WLAdapterInfo* info);
KX02APP_API int32_t GetNICAdapterMAC(WLAdapterInfo* info, uint8_t* mac6);
KX02APP_API int32_t QueryWL_FirmwareMode_STA_AP(WLAdapterInfo* info); // 1 = access point
KX02APP_API int32_t QueryWL_DriverVersion(WLAdapterInfo* info);
// 0 when this process may change the adapter's settings; 1 when it may not, with the
// reason as text in `reason` (room `length`): every set operation then answers -1.
KX02APP_API int32_t QueryWL_ReadOnlyReason(WLAdapterInfo* info, char* reason, int32_t length);
// 1 when the adapter has the engineering functions (EEPROM, registers, radio tests,
// tally); 0 when its driver has none: they answer -1.
KX02APP_API int32_t QueryWL_EngineeringSupport(WLAdapterInfo* info);
KX02APP_API int32_t QueryWL_FirmwareVersion(WLAdapterInfo* info, uint8_t* version5);

// ---- station settings --------------------------------------------------------------
KX02APP_API int32_t QueryWL_Channel(WLAdapterInfo* info);        // current channel
KX02APP_API int32_t QueryWL_DesiredChannel(WLAdapterInfo* info); // configured channel
KX02APP_API int32_t SetWL_Channel(WLAdapterInfo* info, int32_t channel);
KX02APP_API int32_t QueryWL_TxRateControl(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_TxRateControl(WLAdapterInfo* info, int32_t rateCode);
KX02APP_API int32_t QueryWL_CurrentTxRate(WLAdapterInfo* info);
KX02APP_API int32_t QueryWL_NetworkType(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_NetworkType(WLAdapterInfo* info, int32_t type);
KX02APP_API int32_t QueryWL_AuthenticationMode(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_AuthenticationMode(WLAdapterInfo* info, int32_t mode);
KX02APP_API int32_t QueryWL_WEPStatus(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_WEPStatus(WLAdapterInfo* info, int32_t on);
KX02APP_API int32_t QueryWL_WEPbit(WLAdapterInfo* info);       // 0 = 64-bit, 1 = 128-bit
KX02APP_API int32_t QueryWL_DefaultKeyID(WLAdapterInfo* info); // 0..3
// key holds 5 bytes (wepBit 0) or 13 bytes (wepBit 1).
KX02APP_API int32_t SetWL_WriteKey(WLAdapterInfo* info, int32_t keyIndex, int32_t wepBit,
                                   int32_t isDefault, const uint8_t* key);
KX02APP_API int32_t QueryWL_PSMode(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_PSMode(WLAdapterInfo* info, int32_t mode);
KX02APP_API int32_t QueryWL_PSLevel(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_PSLevel(WLAdapterInfo* info, int32_t level);
KX02APP_API int32_t QueryWL_FragmentationThreshold(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_FragmentationThreshold(WLAdapterInfo* info, int32_t bytes);
KX02APP_API int32_t QueryWL_RTS_CTS_Threshold(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_RTS_CTS_Threshold(WLAdapterInfo* info, int32_t bytes);
KX02APP_API int32_t QueryWL_PreambleMode(WLAdapterInfo* info); // 1 long, 2 short, 3 auto
KX02APP_API int32_t SetWL_PreambleMode(WLAdapterInfo* info, int32_t mode);
KX02APP_API int32_t QueryWL_27_5Mbps(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_27_5Mbps(WLAdapterInfo* info, int32_t on);
KX02APP_API int32_t QueryWL_BasicRate(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_BasicRate(WLAdapterInfo* info, int32_t rateBits);
// buffer: at least WL_SSID_BUFFER_MIN bytes; filled with NUL-terminated text.
KX02APP_API int32_t QueryWL_SSID(WLAdapterInfo* info, char* buffer);
KX02APP_API int32_t SetWL_SSID(WLAdapterInfo* info, const char* ssid);
KX02APP_API int32_t QueryWL_CurrentSSID(WLAdapterInfo* info, char* buffer);
// buffer: at least WL_BSSID_TEXT_BUFFER_MIN bytes; the joined network's BSSID as text.
KX02APP_API int32_t QueryWL_BSSID(WLAdapterInfo* info, char* buffer);
KX02APP_API int32_t SetWL_DesiredBSSID(WLAdapterInfo* info, const uint8_t* bssid6);
// 1 disconnected, 2 connecting, 3 ad hoc, 4 connected, 5 scanning, 6 WDS, 9 pseudo IBSS.
KX02APP_API int32_t QueryWL_PortStatus(WLAdapterInfo* info);
// Quality sum, signal level and packet count of the joined network; 0 on success.
KX02APP_API int32_t QueryWL_CQSLCurrBSS(WLAdapterInfo* info, int32_t* qualitySum, int32_t* signal,
                                        int32_t* packets);
KX02APP_API int32_t QueryWL_OperationChannelList(WLAdapterInfo* info); // bit n-1 = channel n
KX02APP_API int32_t QueryWL_CheckWZCStatus(WLAdapterInfo* info);       // 1 = system service
KX02APP_API int32_t SetWL_DisableWirelessZeroConfiguration(WLAdapterInfo* info, int32_t disable);
KX02APP_API int32_t SetWL_RestartNIC(WLAdapterInfo* info);

// ---- access point ------------------------------------------------------------------
KX02APP_API int32_t QueryWLAP_SSID(WLAdapterInfo* info, char* buffer);
KX02APP_API int32_t SetWLAP_SSID(WLAdapterInfo* info, const char* ssid);
KX02APP_API int32_t QueryWLAP_HideSSIDState(WLAdapterInfo* info);
KX02APP_API int32_t SetWLAP_HideSSIDState(WLAdapterInfo* info, int32_t hidden);
KX02APP_API int32_t QueryWLAP_TxPowerLevel(WLAdapterInfo* info); // 0..3
KX02APP_API int32_t SetWLAP_TxPowerLevel(WLAdapterInfo* info, int32_t level);
KX02APP_API int32_t QueryWLAP_FragmentationThreshold(WLAdapterInfo* info);
KX02APP_API int32_t SetWLAP_FragmentationThreshold(WLAdapterInfo* info, int32_t bytes);
KX02APP_API int32_t QueryWLAP_RTS_CTS_Threshold(WLAdapterInfo* info);
KX02APP_API int32_t SetWLAP_RTS_CTS_Threshold(WLAdapterInfo* info, int32_t bytes);
KX02APP_API int32_t QueryWLAP_FilterMode(WLAdapterInfo* info); // 0 off, 1 accept, 2 reject
KX02APP_API int32_t SetWLAP_FilterMode(WLAdapterInfo* info, int32_t mode);
KX02APP_API int32_t QueryWLAP_FilterList(WLAdapterInfo* info, uint8_t* table, int32_t length);
KX02APP_API int32_t SetWLAP_FilterList(WLAdapterInfo* info, const uint8_t* table, int32_t length);

// ---- scans and stations ------------------------------------------------------------
KX02APP_API int32_t WL_SiteSurveyStart(WLAdapterInfo* info);
// buffer: a WLSurveyBuffer with room for maxRecords records.
KX02APP_API int32_t WL_RetrieveSiteSurveyData(WLAdapterInfo* info, void* buffer,
                                              int32_t maxRecords);
KX02APP_API int32_t WL_RetrieveStationList(WLAdapterInfo* info, uint8_t* buffer, int32_t length);

// ---- counters ----------------------------------------------------------------------
KX02APP_API int32_t GetNICAdapterTally(WLAdapterInfo* info, uint8_t* tally168);
// counters: transmitted then received frames.
KX02APP_API int32_t GetTxRxFrameCount(WLAdapterInfo* info, uint32_t* counters2);
KX02APP_API int32_t SetWL_ResetTallyData(WLAdapterInfo* info);

// ---- engineering -------------------------------------------------------------------
KX02APP_API int32_t ReadOid(WLAdapterInfo* info, uint32_t oid, void* buffer, int32_t length);
KX02APP_API int32_t WriteOid(WLAdapterInfo* info, uint32_t oid, void* buffer, int32_t length);
// Register accesses answer 0 on success.
KX02APP_API int32_t QueryWL_ReadPHYRegister(WLAdapterInfo* info, int32_t reg, int32_t* value);
KX02APP_API int32_t SetWL_WritePHYRegister(WLAdapterInfo* info, int32_t reg, int32_t value);
KX02APP_API int32_t QueryWL_ReadMACRegister(WLAdapterInfo* info, uint32_t address, uint32_t* value);
KX02APP_API int32_t SetWL_WriteMACRegister(WLAdapterInfo* info, uint32_t address, uint32_t value);
KX02APP_API int32_t WL_ReadEEPROM(WLAdapterInfo* info, int32_t chipVersion, int32_t busKind,
                                  uint8_t* buffer, int32_t length);
KX02APP_API int32_t WL_WriteEEPROM(WLAdapterInfo* info, const uint8_t* buffer, int32_t length);
// Looks up extended record `item` in an EEPROM image; *length is the room in `out`
// on entry and the bytes written on return.
KX02APP_API int32_t QueryWL_ExtEEPROM_IDData(const uint8_t* image, int32_t busKind, int32_t item,
                                             uint8_t* out, int32_t* length);
KX02APP_API int32_t SetWL_TxContinuous(WLAdapterInfo* info, int32_t on);
KX02APP_API int32_t SetWL_SensitivityTest(WLAdapterInfo* info, int32_t on);
KX02APP_API int32_t SetWL_FirmwareRecvPort(WLAdapterInfo* info, int32_t port);
KX02APP_API int32_t SetWL_FilterBand(WLAdapterInfo* info, int32_t band); // 1 USA, 2 Japan
// which: 0 transmit, 1 receive; antenna: 1, 2, 3 auto.
KX02APP_API int32_t SetWL_FirmwareAntennaDiversity(WLAdapterInfo* info, int32_t which,
                                                   int32_t antenna);
KX02APP_API int32_t QueryWL_FirmwareAntennaDiversity(WLAdapterInfo* info, int32_t which);
KX02APP_API int32_t SetWL_CRScrambler(WLAdapterInfo* info, int32_t on);
KX02APP_API int32_t SetWL_CRSpread(WLAdapterInfo* info, int32_t on);
KX02APP_API int32_t SetWL_DisableNIC(WLAdapterInfo* info);
KX02APP_API int32_t SetWL_FirmwareTestCommand(WLAdapterInfo* info, int32_t command, int32_t value,
                                              int32_t extra);
KX02APP_API int32_t QueryWL_TxPowerSetPoint(WLAdapterInfo* info, uint8_t* buffer14);
KX02APP_API int32_t QueryWL_CRTxPowerMeasure(WLAdapterInfo* info, int32_t* value);
KX02APP_API int32_t QueryWL_ContiTxPowerControlStatus(WLAdapterInfo* info);

#ifdef __cplusplus
} // extern "C"

static_assert(sizeof(WLAdapterInfo) == 544);
static_assert(sizeof(WLAdapterListEntry) == 525);
static_assert(sizeof(WLSurveyRecord) == 104);
static_assert(offsetof(WLSurveyRecord, bssid) == 4);
static_assert(offsetof(WLSurveyRecord, ssidLength) == 12);
static_assert(offsetof(WLSurveyRecord, ssid) == 16);
static_assert(offsetof(WLSurveyRecord, privacy) == 48);
static_assert(offsetof(WLSurveyRecord, signal) == 52);
static_assert(offsetof(WLSurveyRecord, configLength) == 60);
static_assert(offsetof(WLSurveyRecord, frequencyKHz) == 72);
static_assert(offsetof(WLSurveyRecord, infrastructureMode) == 92);
static_assert(offsetof(WLSurveyRecord, rates) == 96);
static_assert(sizeof(WLSurveyBuffer) == 2084);
static_assert(sizeof(WLTally) == WL_TALLY_BYTES);
static_assert(sizeof(WLStationSlot) * WL_STATION_SLOTS == WL_STATION_LIST_BYTES);
static_assert(sizeof(WLFilterEntry) * WL_FILTER_ENTRIES == WL_FILTER_TABLE_BYTES);
static_assert(sizeof(WLFirmwareRecord) == 1004);
static_assert(sizeof(WLTestCommand) == 8);
static_assert(sizeof(WLMemoryRequest) == 8);
static_assert(sizeof(WLOldDebugRequest) == 1040);
static_assert(offsetof(WLOldDebugRequest, replyWords) == 8);
static_assert(offsetof(WLOldDebugRequest, reply) == 12);
static_assert(sizeof(WLApSsid) == 36);
static_assert(offsetof(WLApSsid, ssid) == 4);
#endif
