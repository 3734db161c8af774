#pragma once
// Control API of the simulated adapters, for tests only. The program never includes
// this header: it sees the simulation through driver/kx02app.h like any driver.
//
// Adapters are named by their instance key ("0007") or adapter name; a null or empty
// name means the adapter most recently opened (or the first one when none was).

#include <stdint.h>

#include "driver/kx02app.h"

#ifdef __cplusplus
extern "C" {
#endif

// Replace the world with the scenario in `json` (the format of KX02APP_SCENARIO).
// Malformed text loads the built-in world and answers -1. State, overrides and
// the trace start afresh, the clock at 0 in the mode it had; the simulated adapters'
// registry keys are installed. Other processes sharing that world see the new one.
KX02APP_API int32_t kxsim_load_scenario(const char* json);
// Back to the built-in world (or KX02APP_SCENARIO when set), everything afresh.
KX02APP_API void kxsim_reset(void);

// Make operation `fn` (e.g. "QueryWL_PortStatus") answer `value` from now on,
// without touching state; -1 makes a buffer operation fail.
KX02APP_API void kxsim_force(const char* fn, int32_t value);
// Drop the override of `fn`, or every override when fn is null.
KX02APP_API void kxsim_clear_force(const char* fn);

// Simulated clock. In manual mode only kxsim_advance moves it; otherwise it follows
// the monotonic clock (plus whatever was advanced).
KX02APP_API void kxsim_set_manual_clock(int32_t manual);
KX02APP_API void kxsim_advance(int32_t milliseconds);

// Read or change one field of an adapter's state. Integer fields:
//   channel, desired_channel, tx_rate, current_tx_rate, network_type, auth_mode,
//   wep_status, wep_bit, default_key_id, ps_mode, ps_level, frag_threshold,
//   rts_threshold, preamble, mode_27_5, basic_rate, port_status, wzc,
//   firmware_mode (1 access point), cqsl_quality_sum, cqsl_signal, cqsl_packets,
//   tx_frames, rx_frames, ap_hide_ssid, ap_tx_power, ap_frag_threshold,
//   ap_rts_threshold, ap_filter_mode, driver_version, opens (0 never opens),
//   open_count, restart_count
// Text fields: ssid, current_ssid, bssid (as the BSSID text), ap_ssid, joined
//   (SSID of the joined network, empty when none).
// Setting cqsl_* or *_frames pins that value (it no longer follows the link).
// Answer 0, or -1 for an unknown adapter or field.
KX02APP_API int32_t kxsim_set_int(const char* adapter, const char* field, int64_t value);
KX02APP_API int32_t kxsim_get_int(const char* adapter, const char* field, int64_t* value);
// Lets a pinned field (cqsl_*, *_frames, port_status, channel, current_tx_rate) follow
// the simulation again. Answers 0, or -1 for an unknown adapter or a field never pinned.
KX02APP_API int32_t kxsim_unpin(const char* adapter, const char* field);
KX02APP_API int32_t kxsim_set_text(const char* adapter, const char* field, const char* text);
// Copies at most length-1 bytes and a NUL; answers the full length or -1.
KX02APP_API int32_t kxsim_get_text(const char* adapter, const char* field, char* buffer,
                                   int32_t length);

// Raw survey answer: the next WL_RetrieveSiteSurveyData calls copy these bytes
// (at most the caller's room) instead of scanning; length 0 goes back to scanning.
KX02APP_API void kxsim_set_raw_survey(const void* bytes, int32_t length);

// The EEPROM image of an adapter (as WL_ReadEEPROM would read it).
KX02APP_API int32_t kxsim_eeprom(const char* adapter, uint8_t* buffer, int32_t length);

// Holds the world shared with other processes for `milliseconds`, as a program stuck
// inside a driver call would: their calls wait for it (for tests of those waits).
KX02APP_API void kxsim_hold_world(int32_t milliseconds);

// In-memory trace of driver calls, one JSON line each:
// {"fn": name, "args": [...], "ret": n}
// Kept only after kxsim_keep_trace(1) (it lasts across kxsim_reset and
// kxsim_load_scenario); kxsim_keep_trace(0) stops keeping and drops the lines.
KX02APP_API void kxsim_keep_trace(int32_t keep);
KX02APP_API int32_t kxsim_trace_count(void);
// Copies line i (without newline) like kxsim_get_text; -1 when i is out of range.
KX02APP_API int32_t kxsim_trace_line(int32_t index, char* buffer, int32_t length);
KX02APP_API void kxsim_trace_clear(void);

#ifdef __cplusplus
}
#endif
