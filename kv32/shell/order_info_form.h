// What the order information dialog shows of the two orders behind a trade:
// the buy side's order first, the other side's on demand. The orders are
// found in the order table, or for a trade of a negotiated deal in the deal
// table; either may be missing.
#pragma once

#include <string>

struct CTradeRec;
struct COrderRec;

struct COrderInfoView {
    std::string number, time, user, firm, board, security, account, price, quantity, balance, reference;
    bool buy = false;
    bool sell = false;
};

class COrderInfoForm {
public:
    explicit COrderInfoForm(const CTradeRec& trade);

    bool IsDeal() const { return m_bDeal; }
    bool HasOrder() const { return m_nShown >= 0; }
    bool OtherSideEnabled() const { return m_rows[0] >= 0 && m_rows[1] >= 0; }
    // The order's record shown, for its order methods; null for a deal or when none was found.
    const COrderRec* ShownOrder() const;
    COrderInfoView Shown() const;
    // Shows the first side's order unless the one shown is a buy, else the second's.
    void OtherSide();

private:
    COrderInfoView ViewOf(int row) const;

    bool m_bDeal = false;
    int m_rows[2] = { -1, -1 }; // table rows of the buy and the sell side's order
    int m_nShown = -1; // the table row shown
};
