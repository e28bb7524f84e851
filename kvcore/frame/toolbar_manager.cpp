#include "kvcore/frame/toolbar_manager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStyle>
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
// Swallows the bars' tool tips or status-bar help when the user switched them off.
// Watches the whole application, as the buttons of a bar come and go with every refill.
class TipFilter : public QObject {
public:
    TipFilter(const int (&display)[3], const QWidget& frame)
        : m_display(display)
        , m_frame(frame)
    {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool tip = event->type() == QEvent::ToolTip && m_display[KvToolBarCustomize::ToolTips] == 0;
        const bool flyBy = event->type() == QEvent::StatusTip && m_display[KvToolBarCustomize::FlyBy] == 0;
        if ((tip || flyBy) && OnBar(watched))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool OnBar(QObject* watched) const
    {
        const auto* widget = qobject_cast<QWidget*>(watched);
        const QWidget* parent = widget != nullptr ? widget->parentWidget() : nullptr;
        return parent != nullptr && qobject_cast<const QToolBar*>(parent) != nullptr && parent->parentWidget() == &m_frame;
    }

    const int (&m_display)[3];
    const QWidget& m_frame;
};
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
    m_pTipFilter = std::make_unique<TipFilter>(m_model.m_aDisplay, frame);
}

CKvToolBarManager::~CKvToolBarManager() = default;

void CKvToolBarManager::AddDefaultButtonGroup(
    const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn)
{
    const size_t index = m_model.Groups().size();
    m_model.AddDefaultButtonGroup(buttons, count, name, showLoggedOff, showLoggedOn);
    const KvButtonGroup& group = m_model.Groups().back();
    m_pBars->addBar({ CKvToolBarModel::BarId(index), group.buttons, showLoggedOff, showLoggedOn });
    ApplyDisplay();
}

KvToolBarCustomize CKvToolBarManager::Customize()
{
    PermissionToolBars();
    std::vector<KvBarEdit> bars;
    std::vector<KvButtonGroupEdit> groups;
    for (size_t i = 0; i < m_model.Groups().size(); ++i) {
        const uint32_t id = CKvToolBarModel::BarId(i);
        const QToolBar* bar = m_pBars->bar(id);
        const std::vector<uint32_t>& permitted = m_model.PermittedGroups()[i];
        bars.push_back({ id, m_model.Groups()[i].name, bar != nullptr && !bar->isHidden(), m_pBars->buttons(id), permitted });
        groups.push_back({ m_model.PermittedNames()[i], permitted });
    }
    std::array<int, KvToolBarCustomize::DisplayCount> display {};
    std::copy(std::begin(m_model.m_aDisplay), std::end(m_model.m_aDisplay), display.begin());
    return KvToolBarCustomize(std::move(bars), std::move(groups), display);
}

void CKvToolBarManager::ApplyCustomize(const KvToolBarCustomize& edit)
{
    for (const KvBarEdit& b : edit.Bars()) {
        m_pBars->setButtons(b.id, b.buttons);
        if (QToolBar* bar = m_pBars->bar(b.id))
            bar->setVisible(b.visible);
    }
    std::copy(edit.DisplaySettings().begin(), edit.DisplaySettings().end(), std::begin(m_model.m_aDisplay));
    ApplyDisplay();
}

void CKvToolBarManager::ApplyDisplay()
{
    const bool large = m_model.m_aDisplay[KvToolBarCustomize::LargeButtons] != 0;
    for (size_t i = 0; i < m_model.Groups().size(); ++i) {
        QToolBar* bar = m_pBars->bar(CKvToolBarModel::BarId(i));
        if (bar == nullptr)
            continue;
        const int extent = bar->style()->pixelMetric(large ? QStyle::PM_LargeIconSize : QStyle::PM_ToolBarIconSize);
        bar->setIconSize(QSize(extent, extent));
    }
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
    ApplyDisplay();
    CKvToolBarModel::PermissionDockState(state);
    SetDockState(m_bLoggedOn);
    // The bars' own record drops what the rights refuse once it is in place.
    return m_pBars->restoreState(state.placement);
}
