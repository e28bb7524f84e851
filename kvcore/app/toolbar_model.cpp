#include "kvcore/app/toolbar_model.h"

#include "fw/core/archive.h"
#include "kvcore/app/app_core_logic.h"

bool KvDockState::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeWord(kVersion);
        ar.writeCount(static_cast<uint32_t>(bars.size()));
        for (const Bar& bar : bars) {
            ar.writeDWord(bar.id);
            ar.writeByte(bar.visible ? 1 : 0);
            ar.writeDWordArray(bar.buttons);
        }
        ar.writeCount(static_cast<uint32_t>(placement.size()));
        ar.writeBytes(placement);
        return true;
    }
    if (ar.readWord() != kVersion)
        return false;
    KvDockState loaded;
    // A bar takes at least its id, its flag and an empty button count.
    const uint32_t count = ar.readCount(4 + 1 + 2);
    loaded.bars.resize(count);
    for (Bar& bar : loaded.bars) {
        bar.id = ar.readDWord();
        bar.visible = ar.readByte() != 0;
        bar.buttons = ar.readDWordArray();
    }
    loaded.placement.resize(ar.readCount(1));
    ar.readBytes(loaded.placement);
    *this = std::move(loaded);
    return true;
}

void CKvToolBarModel::AddDefaultButtonGroup(
    const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn)
{
    KvButtonGroup group;
    group.name = name;
    if (buttons != nullptr)
        group.buttons.assign(buttons, buttons + count);
    group.showLoggedOff = showLoggedOff;
    group.showLoggedOn = showLoggedOn;
    m_groups.push_back(std::move(group));
}

void CKvToolBarModel::RemoveButtonGroups()
{
    m_permitted.clear();
    m_permittedNames.clear();
}

void CKvToolBarModel::PermissionToolBars()
{
    RemoveButtonGroups();
    for (const KvButtonGroup& group : m_groups) {
        std::vector<uint32_t> allowed;
        for (const uint32_t id : group.buttons) {
            if (CanAccess(id, 0))
                allowed.push_back(id);
        }
        if (allowed.empty())
            allowed.push_back(0);
        m_permitted.push_back(std::move(allowed));
        m_permittedNames.push_back(group.name);
    }
}

void CKvToolBarModel::PermissionDockState(KvDockState& state)
{
    for (KvDockState::Bar& bar : state.bars) {
        for (size_t i = bar.buttons.size(); i-- > 0;) {
            if (!CanAccess(bar.buttons[i], 0))
                bar.buttons.erase(bar.buttons.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}
