#include "kvcore/app/profile_settings.h"

#include "fw/core/profile.h"

int iTS = 1;
int fErrorCheckEx = 1;
int nErrorEx = 0;
int iHighSpeedDelay = 10;
int fHighSpeedMode = 0;
int iMMOverWrite = 0;
int iSumInfoCycle = 10;
int nOrdCountPeriod = 10;

int fHighSpeed = 0;
int fMulti = 0;
int nMultiCount = 0;
int fLogDisplay = 0;

std::string sDefaultPath;

unsigned KvLoadGeneralSettings(const fw::Profile& profile)
{
    constexpr const char* kSection = "general";
    const auto read = [&](const char* key, int fallback) { return profile.getInt(kSection, key, fallback); };
    const int logo = read("LogoPeriod", 5);
    iTS = read("TimeSlice", 1);
    fErrorCheckEx = read("ErrorCheckEx", 1);
    if (fErrorCheckEx == 0)
        nErrorEx = -1;
    iHighSpeedDelay = read("HighSpeedDelay", 10);
    fHighSpeedMode = read("HighSpeedMode", 0);
    iMMOverWrite = read("MMOverWriteMode", 0);
    iSumInfoCycle = read("SummaryInfoCycle", 10);
    nOrdCountPeriod = read("OrderCountingPeriod", 10);
    // A negative period means no start-up window, as 0 does; seconds are bounded so the
    // product stays in range.
    if (logo <= 0)
        return 0;
    constexpr int kMaxLogoSeconds = 3600;
    return static_cast<unsigned>(logo < kMaxLogoSeconds ? logo : kMaxLogoSeconds) * 1000u;
}
