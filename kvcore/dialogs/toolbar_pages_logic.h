// What the "Toolbars" and "Commands" pages of the "Customize" sheet do to the main window's
// bars, without the windows: which bars show, which buttons each holds and in which order,
// the bars' display settings, and the commands the user may put on a bar (the button groups
// cut to the user's rights). Both pages edit one copy; nothing reaches the bars before the
// sheet applies.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "kvcore/kvcore_api.h"

struct KvBarEdit {
    std::uint32_t id = 0;
    std::string name;
    bool visible = true;
    std::vector<std::uint32_t> buttons; // in order, 0 a separator
    std::vector<std::uint32_t> defaults; // what "Reset" gives back
    bool operator==(const KvBarEdit&) const = default;
};

struct KvButtonGroupEdit {
    std::string name;
    std::vector<std::uint32_t> commands; // those the user may use, 0 a separator
};

class KVCORE_API KvToolBarCustomize {
public:
    // The settings, as stored before the bar layout: tool tips, help in the status bar,
    // large buttons.
    enum Display { ToolTips, FlyBy, LargeButtons, DisplayCount };

    KvToolBarCustomize(std::vector<KvBarEdit> bars, std::vector<KvButtonGroupEdit> groups,
        std::array<int, DisplayCount> display);

    const std::vector<KvBarEdit>& Bars() const { return m_bars; }
    const std::vector<KvButtonGroupEdit>& Groups() const { return m_groups; }
    const std::array<int, DisplayCount>& DisplaySettings() const { return m_display; }

    // Each false (nothing changes) for a bar or a position outside the lists.
    bool SetVisible(std::size_t bar, bool visible);
    bool Reset(std::size_t bar);
    // Puts a command of one of the groups on the bar before position (at the end when past
    // it). A command of no group is one the user may not use and is refused; so is a
    // command the bar shows already.
    bool AddButton(std::size_t bar, std::uint32_t command, std::size_t position);
    bool RemoveButton(std::size_t bar, std::size_t position);
    bool SetDisplay(Display which, bool on);

    // Something changed since the last apply.
    bool Modified() const { return m_modified; }
    void Applied() { m_modified = false; }

private:
    bool Offered(std::uint32_t command) const;

    std::vector<KvBarEdit> m_bars;
    std::vector<KvButtonGroupEdit> m_groups;
    std::array<int, DisplayCount> m_display;
    bool m_modified = false;
};
