#include "kvcore/app/session_core.h"

#include "kvcore/app/app_core_base.h"
#include "kvcore/values/field_writer.h"

CSessionCore* ps = nullptr;

CSessionCore::CSessionCore()
{
    FindSettingsFolder();
}
CSessionCore::~CSessionCore() = default;

int CSessionCore::BCMessagesSwitch()
{
    constexpr int kBroadcastSwitch = 29;
    const std::string key = KvFieldWriter().TextCut(m_sUser, 12).Str();
    return VORLInfoReq(kBroadcastSwitch, key.c_str(), static_cast<int>(key.size()), nullptr);
}
