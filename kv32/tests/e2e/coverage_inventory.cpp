#include "coverage_inventory.h"

#include <map>
#include <set>
#include <string_view>

#include "fw/core/menu.h"
#include "fw/core/resources.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/res/auction_ids.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/res/supervision_b_ids.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app/main_menu.h"
#include "kv32/shell/permissions.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/res/grid_ids.h"

namespace {

// The probe asks the command maps for every id up to the framework's own
// range, so ranges bound by one handler count id by id.
constexpr std::uint32_t kFirstCommandId = 1;
constexpr std::uint32_t kLastCommandId = 0xEFFF;

void AddMenuCommands(const fw::Menu& menu, const std::string& from, std::map<std::uint32_t, std::set<std::string>>& out)
{
    for (const fw::Menu& item : menu.items()) {
        if (item.isPopup())
            AddMenuCommands(item, from, out);
        else if (!item.isSeparator() && item.id() != 0)
            out[item.id()].insert(from);
    }
}

bool IsOwnModule(std::string_view module)
{
    return module.starts_with("kvcore") || module.starts_with("kv32");
}

} // namespace

std::string KvCoverageInventory(CKvApp& app)
{
    // The dialog groups register their templates when first used; the check
    // wants all of them now.
    Kv32RegisterAlertDialogs();
    Kv32RegisterAuctionDialogs();
    Kv32RegisterDealDialogs();
    Kv32RegisterFilterDialogs();
    Kv32RegisterMarketDialogs();
    Kv32RegisterMessageDialogs();
    Kv32RegisterOrderDialogs();
    Kv32RegisterOrderEntry();
    Kv32RegisterShellDialogs();
    Kv32RegisterSupervisionADialogs();
    Kv32RegisterAccountDialogs();

    std::string out;
    std::map<std::uint32_t, std::set<std::string>> commands;
    for (const CKvTemplateRow& row : app.m_templateRows) {
        out += "table " + std::to_string(row.id) + "\n";
        if (const fw::MenuTemplate* menu = fw::findMenu(row.id))
            AddMenuCommands(fw::buildMenu(*menu, fw::Language::English), "menu-" + std::to_string(row.id), commands);
    }
    for (const std::uint32_t popup : { std::uint32_t(IDM_GRID_POPUP), std::uint32_t(IDM_COLUMN_POPUP) })
        if (const fw::MenuTemplate* menu = fw::findMenu(popup))
            AddMenuCommands(fw::buildMenu(*menu, fw::Language::English), "menu-" + std::to_string(popup), commands);
    if (const fw::MenuTemplate* menu = fw::findMenu(IDR_KV_LOGGED_ON))
        AddMenuCommands(fw::buildMenu(*menu, fw::Language::English), "menu-main", commands);
    for (const CommandPermission& row : CommandPermissionTable()) {
        commands[row.commandId].insert("permission");
        if (row.msgType == -1)
            out += "never " + std::to_string(row.commandId) + "\n";
    }
    const fw::CommandMap& appMap = app.commands();
    const fw::CommandMap* frameMap = app.GetMainFrame() != nullptr ? &app.GetMainFrame()->commands() : nullptr;
    for (std::uint32_t id = kFirstCommandId; id <= kLastCommandId; ++id)
        if (appMap.findCommand(id) != nullptr || (frameMap != nullptr && frameMap->findCommand(id) != nullptr))
            commands[id].insert("handler");
    // The permission table ends with a row of zeros, which is no command.
    commands.erase(0);
    for (const auto& [id, from] : commands) {
        out += "command " + std::to_string(id);
        for (const std::string& f : from)
            out += " " + f;
        out += "\n";
    }
    std::set<std::uint32_t> dialogs;
    for (const fw::ResourceSet& set : fw::resourceSets())
        if (IsOwnModule(set.module))
            for (const fw::DialogTemplate& t : set.dialogs)
                dialogs.insert(t.id);
    for (const std::uint32_t id : dialogs)
        out += "dialog " + std::to_string(id) + "\n";
    return out;
}
