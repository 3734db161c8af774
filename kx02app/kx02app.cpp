// Entry points of the simulated driver library.
#include "adapter/kx02app.h"

extern "C" {

int32_t QueryWL_IsWindows95(void) { return 0; }
int32_t QueryWL_IsWindows2000(void) { return 1; }
int32_t KX_GetOSVersion(void) { return 7; }

} // extern "C"
