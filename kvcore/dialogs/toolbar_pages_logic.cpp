#include "kvcore/dialogs/toolbar_pages_logic.h"

#include <algorithm>

KvToolBarCustomize::KvToolBarCustomize(
    std::vector<KvBarEdit> bars, std::vector<KvButtonGroupEdit> groups, std::array<int, DisplayCount> display)
    : m_bars(std::move(bars))
    , m_groups(std::move(groups))
    , m_display(display)
{
}

bool KvToolBarCustomize::SetVisible(std::size_t bar, bool visible)
{
    if (bar >= m_bars.size())
        return false;
    if (m_bars[bar].visible != visible) {
        m_bars[bar].visible = visible;
        m_modified = true;
    }
    return true;
}

bool KvToolBarCustomize::Reset(std::size_t bar)
{
    if (bar >= m_bars.size())
        return false;
    if (m_bars[bar].buttons != m_bars[bar].defaults) {
        m_bars[bar].buttons = m_bars[bar].defaults;
        m_modified = true;
    }
    return true;
}

bool KvToolBarCustomize::Offered(std::uint32_t command) const
{
    return command != 0 && std::any_of(m_groups.begin(), m_groups.end(), [command](const KvButtonGroupEdit& g) {
        return std::find(g.commands.begin(), g.commands.end(), command) != g.commands.end();
    });
}

bool KvToolBarCustomize::AddButton(std::size_t bar, std::uint32_t command, std::size_t position)
{
    if (bar >= m_bars.size() || !Offered(command))
        return false;
    std::vector<std::uint32_t>& buttons = m_bars[bar].buttons;
    if (std::find(buttons.begin(), buttons.end(), command) != buttons.end())
        return false;
    // A bar that kept only its placeholder separator gets the command instead of it.
    if (std::all_of(buttons.begin(), buttons.end(), [](std::uint32_t id) { return id == 0; }))
        buttons.clear();
    buttons.insert(buttons.begin() + static_cast<std::ptrdiff_t>(std::min(position, buttons.size())), command);
    m_modified = true;
    return true;
}

bool KvToolBarCustomize::RemoveButton(std::size_t bar, std::size_t position)
{
    if (bar >= m_bars.size() || position >= m_bars[bar].buttons.size())
        return false;
    std::vector<std::uint32_t>& buttons = m_bars[bar].buttons;
    buttons.erase(buttons.begin() + static_cast<std::ptrdiff_t>(position));
    // A bar keeps one separator rather than none, as a bar the user may use nothing of does.
    if (buttons.empty())
        buttons.push_back(0);
    m_modified = true;
    return true;
}

bool KvToolBarCustomize::SetDisplay(Display which, bool on)
{
    if (which < 0 || which >= DisplayCount)
        return false;
    const int value = on ? 1 : 0;
    if (m_display[which] != value) {
        m_display[which] = value;
        m_modified = true;
    }
    return true;
}
