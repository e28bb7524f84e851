// The market maker form's rules without its window: what the chosen security
// allows, and the last quote sent for each security, kept in its record for
// the session.
#pragma once

#include <string>
#include <vector>

struct KvMMSecurityRules {
    bool found = false;
    bool yield = false; // both Yield boxes enabled and checked
    bool accounts = false; // trading accounts may be chosen
    bool topUp = false; // top-up quantities and the "Use Top up" boxes
    bool session = false;
    bool day = false;
    int priceDecimals = 2;
    int yieldDecimals = 2;
    std::string lot; // "X n"
};
KvMMSecurityRules MarketMakerRules(int securityRow);
// Which validity starts checked: session when allowed, else day, else none (0).
unsigned MarketMakerValidity(const KvMMSecurityRules& rules, unsigned sessionId, unsigned dayId);

struct KvMMQuoteSide {
    std::string price;
    std::string quantity;
    std::string topUp;
    bool useTopUp = false;
};
// The last quote sent for the security; empty texts when none.
void KvLastQuote(int securityRow, KvMMQuoteSide& buy, KvMMQuoteSide& sell);
// Keeps the quote in the security's record; a text too long for its place is
// not kept (nothing is cut).
void KvKeepQuote(int securityRow, const KvMMQuoteSide& buy, const KvMMQuoteSide& sell);

struct KvMMSecurityChoice {
    std::string name;
    int row = -1;
};
// The question asked before a side is sent.
std::string MarketMakerQuestion(bool buy, const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, const std::string& account);

// The securities of a board, by short name with their rows, in table order.
std::vector<KvMMSecurityChoice> MarketMakerSecurities(const std::string& boardName);
