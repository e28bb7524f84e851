#include "kv32/shell/app_settings.h"

#include "fw/core/profile.h"

CKvAppSettings& KvAppSettings()
{
    static CKvAppSettings settings;
    return settings;
}

void KvLoadAppSettings(const fw::Profile& profile, CKvAppSettings& s)
{
    constexpr const char* kSection = "general";
    const auto read = [&](const char* key, int fallback) { return profile.getInt(kSection, key, fallback); };
    s.nETHour = read("ETHour", 0);
    s.nETMinute = read("ETMinute", 0);
    s.bPrintLog = read("PrintLog", 0);
    s.bDirectPrint = read("DirectPrint", 0);
    s.nDPPageWidth = read("DPPageWidth", 0);
    s.nLogFontSize = read("LogFontSize", 8);
    s.nLastTrades = read("LastTrades", 0);
    s.nPOBStoreTimeOut = read("POBStoreTimeOut", 0);
    KvSetTradingEnd(s, s.nETHour, s.nETMinute);
}

void KvSetTradingEnd(CKvAppSettings& s, int hour, int minute)
{
    s.nETHour = hour;
    s.nETMinute = minute;
    const CDateTime today = CDateTime::GetTickCount();
    s.tradingEnd = CDateTime();
    s.tradingEnd.SetDateTime(today.GetYear(), today.GetMonth(), today.GetDay(), hour, minute, 0);
}
