#include "kv32/trading/mm_order_form.h"

#include <cmath>
#include <cstring>

#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/all_tables.h"

namespace {

SecurityRec* SecurityAt(int row)
{
    CSecurityTable& t = SecurityTable();
    return row >= 0 && row < t.GetCount() ? t.GetRec(row) : nullptr;
}

template <size_t N> void Keep(char (&place)[N], const std::string& text)
{
    const std::string kept = text.size() < N ? text : std::string();
    std::memcpy(place, kept.c_str(), kept.size() + 1);
}

} // namespace

KvMMSecurityRules MarketMakerRules(int securityRow)
{
    KvMMSecurityRules r;
    const SecurityRec* s = SecurityAt(securityRow);
    r.lot = "X 1";
    if (s == nullptr)
        return r;
    r.found = true;
    r.yield = s->cYieldFlag == '1';
    r.accounts = s->cTrdAccFlag == '0';
    r.topUp = s->cTopUpFlag == '1';
    r.session = s->cSessionOrderFlag == '1';
    r.day = s->cDayOrderFlag == '1';
    r.priceDecimals = s->nPriceDec;
    r.yieldDecimals = s->nYieldDec;
    const double lot = static_cast<double>(s->dLot);
    if (lot > 1.0 && lot < 1e15)
        r.lot = "X " + std::to_string(static_cast<long long>(std::llround(lot)));
    return r;
}

unsigned MarketMakerValidity(const KvMMSecurityRules& rules, unsigned sessionId, unsigned dayId)
{
    return rules.session ? sessionId : (rules.day ? dayId : 0u);
}

void KvLastQuote(int securityRow, KvMMQuoteSide& buy, KvMMQuoteSide& sell)
{
    buy = {};
    sell = {};
    const SecurityRec* s = SecurityAt(securityRow);
    if (s == nullptr)
        return;
    buy = { s->szMemoBuyPrice, s->szMemoBuyQty, s->szMemoBuyTopUp, s->nMemoBuyUseTopUp != 0 };
    sell = { s->szMemoSellPrice, s->szMemoSellQty, s->szMemoSellTopUp, s->nMemoSellUseTopUp != 0 };
}

void KvKeepQuote(int securityRow, const KvMMQuoteSide& buy, const KvMMQuoteSide& sell)
{
    SecurityRec* s = SecurityAt(securityRow);
    if (s == nullptr)
        return;
    Keep(s->szMemoBuyPrice, buy.price);
    Keep(s->szMemoBuyQty, buy.quantity);
    Keep(s->szMemoBuyTopUp, buy.topUp);
    s->nMemoBuyUseTopUp = buy.useTopUp ? 1 : 0;
    Keep(s->szMemoSellPrice, sell.price);
    Keep(s->szMemoSellQty, sell.quantity);
    Keep(s->szMemoSellTopUp, sell.topUp);
    s->nMemoSellUseTopUp = sell.useTopUp ? 1 : 0;
}

std::vector<KvMMSecurityChoice> MarketMakerSecurities(const std::string& boardName)
{
    std::vector<KvMMSecurityChoice> out;
    const int board = BoardTable().FindByName(boardName.c_str());
    if (board < 0)
        return out;
    const std::string code = BoardTable().GetRec(board)->szCode;
    CSecurityTable& t = SecurityTable();
    for (int i = 0; i < t.GetCount(); ++i) {
        const SecurityRec& s = *t.GetRec(i);
        if (CSecurityTable::CodeHasBoard(s.szCode, code.c_str()))
            out.push_back({ s.szShortName, i });
    }
    return out;
}

std::string MarketMakerQuestion(bool buy, const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, const std::string& account)
{
    const std::string side = Kv32DealDialogString(buy ? IDS_DEAL_BUY : IDS_DEAL_SELL);
    return KvFillText(Kv32OrderEntryString(IDS_OE_CONFIRM), { side, board, security, price, quantity, account });
}
