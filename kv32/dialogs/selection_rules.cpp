#include "kv32/dialogs/selection_rules.h"

#include <string>

#include "kv32/res/shell_dialog_ids.h"
#include "kv32/tables/all_tables.h"

namespace {

constexpr int kNumberDigits = 12;
constexpr int kShortNameLength = 20;

struct MethodPosition {
    uint32_t id;
    int position;
};
constexpr MethodPosition kMethods[] = {
    { 126, 0 }, { 1002, 1 }, { 400, 2 }, { 137, 3 }, { 132, 4 }, { 215, 5 }, { 401, 9 }, { 402, 10 },
    { 125, 11 }, { 208, 12 }, { 187, 13 }, { 118, 15 }, { 117, 16 }, { 116, 17 }, { 231, 23 }, { 212, 24 },
    { 213, 25 }, { 230, 26 }, { 214, 27 },
};
constexpr int kKillPosition = 28;
constexpr uint32_t kFillOrKill = 119;
constexpr uint32_t kFillAndKill = 120;
constexpr int kAllOrNonePosition = 15;
constexpr int kFillAnyPosition = 17;

char At(std::string_view s, int position)
{
    return position < static_cast<int>(s.size()) ? s[static_cast<size_t>(position)] : '0';
}

} // namespace

KvGotoMode GotoModeFor(unsigned tableId)
{
    switch (tableId) {
    case 6:
    case 21:
        return { IDS_GOTO_SHORT_NAME, false, kShortNameLength };
    case 8:
        return { IDS_GOTO_ORDER, true, kNumberDigits };
    case 9:
    case 30:
        return { IDS_GOTO_TRADE, true, kNumberDigits };
    case 10:
        return { IDS_GOTO_DEAL, true, kNumberDigits };
    default:
        return {};
    }
}

bool CheckGotoNumber(std::string_view text)
{
    if (text.empty() || text.size() > static_cast<size_t>(kNumberDigits))
        return false;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value <= kGotoMaxNumber;
}

std::vector<KvMethodCheck> OrderMethodChecks(std::string_view methods)
{
    std::vector<KvMethodCheck> checks;
    for (const MethodPosition& m : kMethods)
        checks.push_back({ m.id, At(methods, m.position) == '1' });
    const bool kill = At(methods, kKillPosition) != '0';
    checks.push_back({ kFillOrKill, At(methods, kAllOrNonePosition) == '1' && kill });
    checks.push_back({ kFillAndKill, At(methods, kFillAnyPosition) == '1' && kill });
    return checks;
}

std::vector<int> SelectMarketBoard(int market, int board)
{
    CTable20& markets = MarketTable();
    CBoardTable& boards = BoardTable();
    const int oldMarket = markets.m_nCurrent, oldBoard = boards.m_nCurrent;
    markets.m_nCurrent = market;
    boards.m_nCurrent = board;
    std::vector<std::string> names;
    std::vector<int> rows;
    SecurityTable().ListOnCurrentBoard(names, rows);
    if (rows.empty()) {
        markets.m_nCurrent = oldMarket;
        boards.m_nCurrent = oldBoard;
    }
    return rows;
}
