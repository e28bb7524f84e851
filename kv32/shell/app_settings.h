// The program's own settings of section "general" of the application profile,
// read after the core's, and the trading-end time built from them.
#pragma once

#include "kvcore/values/cdatetime.h"

namespace fw {
class Profile;
}

struct CKvAppSettings {
    int nETHour = 0; // "ETHour": hour of the trading end
    int nETMinute = 0; // "ETMinute"
    int bPrintLog = 0; // "PrintLog": orders and trades printed as they arrive
    int bDirectPrint = 0; // "DirectPrint": the print log prints each line at once
    int nDPPageWidth = 0; // "DPPageWidth": shown and kept by the setup dialog
    int nLogFontSize = 8; // "LogFontSize": font size of the print log
    int nLastTrades = 0; // "LastTrades": trades kept by the last-trades table
    int nPOBStoreTimeOut = 0; // "POBStoreTimeOut": minutes between stores of the local order book; 0 never
    CDateTime tradingEnd; // today's trading date at ETHour:ETMinute:00
};

// The program's settings (read by LoadStdProfileSettings).
CKvAppSettings& KvAppSettings();

// Reads the keys; the trading-end time takes the date of the trading-system
// clock. An hour or minute outside its range leaves the trading end invalid
// (no warning is given then).
void KvLoadAppSettings(const fw::Profile& profile, CKvAppSettings& settings);
// Sets the trading end to hour:minute:00 of today's trading-system date.
void KvSetTradingEnd(CKvAppSettings& settings, int hour, int minute);
