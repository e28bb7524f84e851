// What every list window's commands share: the rules that enable a command by
// the rows at hand, a sorted copy of the selection, and sending one
// transaction per selected row, with the host's answers to several rows
// collected on their own lines of the replies window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the commands ask of the windowed application.
class CListWindowPort {
public:
    virtual ~CListWindowPort() = default;
    // Opens the window of the table id, or brings its open one to the front.
    virtual void OpenTable(std::uint32_t tableId) = 0;
    // Every window of the table id shows its rows again.
    virtual void UpdateAllViews(std::uint32_t tableId) = 0;
};

// The rows of a window as a command sees them.
struct KvRowState {
    int current = -1; // the current row, -1 when none
    int selected = 0; // how many rows are selected
    int rows = 0; // how many rows the window has
};

enum class KvCommandRule {
    NeedCurrentRow, // permitted and a row is current
    NeedSelection, // permitted and a row is selected
    NeedRows, // permitted and the window has rows
    Permitted, // permitted, whatever the rows
    AlwaysOff, // never (e.g. sorting a window whose order is fixed)
    Always, // whatever the rows
};

// Whether the rule enables the command; "permitted" is CanAccess(commandId, 0).
bool KvCommandEnabled(KvCommandRule rule, unsigned commandId, const KvRowState& state);

// The selected rows sorted and each once: a sorted view, or two views, give
// them in other orders, and a command must act on each row exactly once.
std::vector<unsigned> KvSortedSelection(std::vector<unsigned> rows);

// One row's transaction, and the row's identifier in the replies window.
struct KvRowTransaction {
    int code = 0;
    std::string text;
    std::string identifier;
};

// The identifier of a numbered record in the replies window: the number
// right-aligned in 12 characters.
std::string KvReplyIdentifier(std::uint32_t number);

struct KvRowAction {
    // Asked first (0: the common confirmation text); the answer No ends the command.
    bool confirm = true;
    unsigned confirmTextId = 0;
    // The transaction of a row; none when a value does not fit its field.
    std::function<std::optional<KvRowTransaction>(unsigned row)> build;
    // Told after each row's transaction whether the host took it.
    std::function<void(unsigned row, bool accepted)> sent;
};

// Sends the action's transaction for each row (in row order, each once). Every
// text is built before the first is sent: when one cannot be built the user is
// told and nothing is sent. With more than one row the replies table is
// emptied and gets one line per row, made just before its transaction goes
// out, and each answer lands on its row's line even when an earlier row got
// none; afterwards the replies window opens. Returns the transactions sent.
int KvSendForRows(const std::vector<unsigned>& selection, const KvRowAction& action, CListWindowPort& port);
