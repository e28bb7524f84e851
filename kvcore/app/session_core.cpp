#include "kvcore/app/session_core.h"

#include "kvcore/app/app_core_base.h"
#include "kvcore/values/field_writer.h"

CSessionCore* ps = nullptr;

CSessionCore::CSessionCore()
{
    FindSettingsFolder();
}
CSessionCore::~CSessionCore() = default;

KvLayoutEntry* CSessionCore::GetLayout(uint32_t id)
{
    return id < m_settings.layouts.size() ? &m_settings.layouts[id] : nullptr;
}

int CSessionCore::IsTable(uint32_t id) const
{
    return id < m_settings.layouts.size() ? m_settings.layouts[id].open : 0;
}

CTDoc* CSessionCore::GetTableDoc(uint32_t id) const
{
    const auto it = m_tableDocs.find(id);
    return it == m_tableDocs.end() ? nullptr : it->second;
}

void CSessionCore::SetTableDoc(uint32_t id, CTDoc* doc)
{
    if (doc == nullptr)
        m_tableDocs.erase(id);
    else
        m_tableDocs[id] = doc;
}

int CSessionCore::BCMessagesSwitch()
{
    constexpr int kBroadcastSwitch = 29;
    const std::string key = KvFieldWriter().TextCut(m_sUser, 12).Str();
    return VORLInfoReq(kBroadcastSwitch, key.c_str(), static_cast<int>(key.size()), nullptr);
}
