// The main window's toolbars as data: named groups of command buttons defined
// by the application, the buttons each group keeps for the user's rights, which
// groups show while logged off and while logged on, and the bar layout record
// stored in workspaces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kvcore/kvcore_api.h"

namespace fw {
class Archive;
}

struct KVCORE_API KvButtonGroup {
    std::string name;
    std::vector<uint32_t> buttons; // command ids, 0 a separator
    bool showLoggedOff = false;
    bool showLoggedOn = false;
};

// The layout of the bars: for each bar its id, whether it shows and its buttons
// (the user may have rearranged them), and the window toolkit's own placement
// bytes, which are kept as they are.
struct KVCORE_API KvDockState {
    struct Bar {
        uint32_t id = 0;
        bool visible = true;
        std::vector<uint32_t> buttons;
        bool operator==(const Bar&) const = default;
    };
    std::vector<Bar> bars;
    std::vector<uint8_t> placement;

    static constexpr uint16_t kVersion = 1;
    // Version word, bar count, each bar, then the placement bytes. Loading a record
    // of another version gives false; a malformed one throws fw::ArchiveError. Either
    // way the state is left as it was.
    bool Serialize(fw::Archive& ar);
    bool operator==(const KvDockState&) const = default;
};

class KVCORE_API CKvToolBarModel {
public:
    // Bar id of the n-th group: the standard toolbar id first, then 59397, 59398, ...
    // (59393 to 59396 belong to the status bar and the framework's other bars).
    static uint32_t BarId(size_t n) { return n == 0 ? 59392u : 59396u + static_cast<uint32_t>(n); }

    void AddDefaultButtonGroup(
        const uint32_t* buttons, unsigned count, const std::string& name, bool showLoggedOff, bool showLoggedOn);
    const std::vector<KvButtonGroup>& Groups() const { return m_groups; }

    // Rebuilds the permitted groups: every button the access check allows, in order;
    // a group left with nothing keeps a single separator so indexes stay aligned.
    void PermissionToolBars();
    const std::vector<std::string>& PermittedNames() const { return m_permittedNames; }
    const std::vector<std::vector<uint32_t>>& PermittedGroups() const { return m_permitted; }
    void RemoveButtonGroups();

    // Removes from every bar of the state, last button first, what the access check refuses.
    static void PermissionDockState(KvDockState& state);

    // The three display settings of the bars (tool tips, fly-by help, large buttons),
    // stored before the dock state in the workspace.
    int m_aDisplay[3] = { 1, 1, 0 };

private:
    std::vector<KvButtonGroup> m_groups;
    std::vector<std::string> m_permittedNames;
    std::vector<std::vector<uint32_t>> m_permitted;
};
