// The rules of the negotiated deal input without its window: what a security
// allows, the price taken from the market, when OK may be pressed, the swap of
// the price field between price and yield, the checks before sending, the
// 134 record, and where a refusal from the host puts the focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/values/cdouble.h"

inline constexpr int kNegDealTransaction = 134;
// The record's text is 163 characters; its terminating NUL travels with it.
inline constexpr size_t kNegDealTextLength = 163;
inline constexpr size_t kNegDealRecordLength = 164;
inline constexpr int kNegDealPriceWidth = 9;
inline constexpr int kNegDealShortNameWidth = 20;

enum : int { kDealBuy = 1, kDealSell = 2 };

// What the chosen security allows the form.
struct KvNegDealRules {
    bool found = false;
    bool accountEnabled = false;
    bool dealsAllowed = false;
    bool yieldEnabled = false;
    bool settleEnabled = false;
    bool buyEnabled = false;
    bool sellEnabled = false;
    bool ownCounterparty = false; // the counterparty is the user himself
    int priceDecimals = 2;
    int yieldDecimals = 2;
};
// The rules of the security table's row (-1 or out of range: not found).
KvNegDealRules NegDealRules(int securityRow);
// The side once the rules are applied: Sell checked but not allowed gives Buy;
// Buy checked but not allowed gives Sell when Sell is allowed.
int NegDealAdjustSide(int side, bool buyEnabled, bool sellEnabled);

// The price offered for a side: the best bid (buy) or offer (sell), else the
// last price traded today, else the last one before today; with the string id
// that tells the user where it came from (0 when every price is zero).
struct KvDealPricePreset {
    CDouble price;
    unsigned hintId = 0;
};
KvDealPricePreset NegDealPricePreset(int securityRow, int side);

struct KvNegDealOkInput {
    bool boardListed = false;
    bool securityListed = false;
    bool dealsAllowed = false;
    bool counterpartySelected = false;
    std::string quantityText;
};
bool NegDealOkEnabled(const KvNegDealOkInput& in);

// The price field holds a price or, with the Yield box, a yield; each meaning
// keeps the last text typed for it so that switching back restores it.
class KvPriceYieldSwap {
public:
    void Clear();
    // The Yield box became `yieldNow`: the field's text is kept for the meaning
    // it had, and the field takes the converted value shown beside it, or the
    // text last kept for the new meaning when nothing was converted.
    std::string Toggle(bool yieldNow, const std::string& fieldText, const std::string& convertedText);
    const std::string& PriceText() const { return m_sPrice; }
    const std::string& YieldText() const { return m_sYield; }

private:
    std::string m_sPrice;
    std::string m_sYield;
};

// The securities a deal may name on a board: short names with their rows,
// in table order, primary distributions left out.
struct KvSecurityChoice {
    std::string name;
    int row = -1;
};
std::vector<KvSecurityChoice> NegDealSecurities(std::string_view boardCode);

// The checks before the question, in their order; the first that fails gives
// its message and the control that gets the focus.
struct KvNegDealCheck {
    unsigned messageId = 0; // 0: passed
    unsigned focusId = 0;
};
KvNegDealCheck CheckNegDeal(int securityRow, std::string_view confirmPeriod, std::string_view reminder,
    std::string_view priceText, int priceDecimals);

struct KvNegDealInput {
    std::string user;
    std::string account; // empty while the account list is disabled
    int side = kDealSell;
    std::string securityKey;
    std::string counterparty; // user code
    bool yield = false; // the price field holds a yield
    std::string priceText; // as shown
    int priceDecimals = 2; // of the price field's meaning
    std::string quantityText;
    std::string reference;
    std::string confirmPeriod;
    std::string reminder;
    std::string settleDate; // yyyymmdd, empty for none
    std::string disseminationTime; // hhmmss, empty for none
    char tradeSource = ' ';
};
// The texts that must fit their fields (account, quantity, reference): the
// first that does not gives "Invalid value." and its control.
KvNegDealCheck CheckNegDealWidths(const KvNegDealInput& in);
// The 164 bytes of transaction 134, the last one NUL; empty when a field does
// not fit its width (nothing is cut).
std::string BuildNegDealRecord(const KvNegDealInput& in);

// The control that a refusal's field number points at; 0 for none.
unsigned NegDealErrorFocus(int errorNumber);

// The confirmation question.
std::string NegDealQuestion(int side, const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, const std::string& account);

// What the active list window offers the dialog when it opens: its table id
// (0: none), the security of its current row (by row, or by key for rows that
// carry one), the board of a summary window, and an order book row's two prices
// (bid and offer).
struct KvDealWindowRow {
    unsigned tableId = 0;
    int securityRow = -1;
    std::string securityKey;
    int boardRow = -1;
    bool hasBookRow = false;
    CDouble firstPrice;
    CDouble secondPrice;
};
// The active list window's row as the deal input reads it.
KvDealWindowRow KvActiveDealWindowRow();

struct KvNegDealPreset {
    int securityRow = -1;
    int boardRow = -1;
    bool pricePreset = false; // the market price follows the security chosen
    std::optional<CDouble> price; // an order book row's price
};
// What the dialog starts with; a source security (-1: names none) replaces the
// window's security.
KvNegDealPreset NegDealPreset(const KvDealWindowRow& window, int side, std::optional<int> sourceSecurity);
