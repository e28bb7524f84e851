#include "kvcore/frame/toolbar_manager.h"

#include <QToolBar>

#include "fw/core/archive.h"
#include "fw/core/strings.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/toolbars.h"
#include "kvcore/app/app_core_logic.h"

namespace {
// A command's string is "status text\ntool tip"; the button shows the tip.
std::string TipOf(uint32_t cmd)
{
    const std::string prompt = fw::loadString(cmd);
    const size_t nl = prompt.find('\n');
    return nl == std::string::npos ? prompt : prompt.substr(nl + 1);
}
} // namespace

CKvToolBarManager::CKvToolBarManager(fw::MainFrame& frame)
    : m_frame(frame)
    , m_pBars(std::make_unique<fw::CommandBars>(frame))
{
    m_pBars->setTexts(
        [this](uint32_t barId) {
            const auto& groups = m_model.Groups();
            for (size_t i = 0; i < groups.size(); ++i)
                if (CKvToolBarModel::BarId(i) == barId)
                    return groups[i].name;
            return std::string();
        },
        TipOf, [](uint32_t cmd) { return fw::loadString(cmd); });
    m_pBars->setRightsFilter([](uint32_t cmd) { return CanAccess(cmd, 0) != 0; });
}

CKvToolBarManager::~CKvToolBarManager() = default;

void CKvToolBarManager::AddDefaultButtonGroup(
    const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn)
{
    const size_t index = m_model.Groups().size();
    m_model.AddDefaultButtonGroup(buttons, count, name, showLoggedOff, showLoggedOn);
    const KvButtonGroup& group = m_model.Groups().back();
    m_pBars->addBar({ CKvToolBarModel::BarId(index), group.buttons, showLoggedOff, showLoggedOn });
}

void CKvToolBarManager::SetDockState(bool loggedOn)
{
    m_bLoggedOn = loggedOn;
    PermissionToolBars();
    m_pBars->setInterface(loggedOn);
}

void CKvToolBarManager::SetLogOffDockState()
{
    SetDockState(false);
}

void CKvToolBarManager::SetLogOnDockState()
{
    SetDockState(true);
}

bool CKvToolBarManager::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        for (const int setting : m_model.m_aDisplay)
            ar.writeLong(setting);
        KvDockState state;
        for (size_t i = 0; i < m_model.Groups().size(); ++i) {
            const uint32_t id = CKvToolBarModel::BarId(i);
            const QToolBar* bar = m_pBars->bar(id);
            state.bars.push_back({ id, bar != nullptr && !bar->isHidden(), m_pBars->buttons(id) });
        }
        state.placement = m_pBars->saveState();
        return state.Serialize(ar);
    }
    int display[3];
    for (int& setting : display)
        setting = ar.readLong();
    KvDockState state;
    if (!state.Serialize(ar))
        return false;
    std::copy(std::begin(display), std::end(display), std::begin(m_model.m_aDisplay));
    CKvToolBarModel::PermissionDockState(state);
    SetDockState(m_bLoggedOn);
    // The bars' own record drops what the rights refuse once it is in place.
    return m_pBars->restoreState(state.placement);
}
