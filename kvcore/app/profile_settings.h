// The application's settings of section "general" and the exported switches
// that the main frame, the tables and the application program read.
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

namespace fw {
class Profile;
}

// Section "general" of the application profile.
KVCORE_API extern int iTS; // "TimeSlice": poll every iTS timer ticks (0: never)
KVCORE_API extern int fErrorCheckEx; // "ErrorCheckEx"
KVCORE_API extern int nErrorEx; // host error of the last refused order transaction; -1 when not checked
KVCORE_API extern int iHighSpeedDelay; // "HighSpeedDelay": idle ticks before polling back to back
KVCORE_API extern int fHighSpeedMode; // "HighSpeedMode"
KVCORE_API extern int iMMOverWrite; // "MMOverWriteMode"; odd: order-count pane shown
KVCORE_API extern int iSumInfoCycle; // "SummaryInfoCycle"
KVCORE_API extern int nOrdCountPeriod; // "OrderCountingPeriod"

// Run-time switches.
KVCORE_API extern int fHighSpeed; // polling back to back from the idle handler
KVCORE_API extern int fMulti; // transaction replies are being collected for a run of transactions
KVCORE_API extern int nMultiCount; // replies counted while fMulti is set
KVCORE_API extern int fLogDisplay; // an alert-log text is on the status bar

// The folder the program started in.
KVCORE_API extern std::string sDefaultPath;

// The application profile's file name.
inline constexpr const char* kKvAppProfile = "kv32.ini";

// Reads the keys of section "general" into the globals above; the result is
// the start-up window's logo period in milliseconds.
KVCORE_API unsigned KvLoadGeneralSettings(const fw::Profile& profile);
