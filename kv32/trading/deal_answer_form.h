// The rules of answering a negotiated deal that stands in the deals window,
// without their windows: what the amendment and the confirmation show of the
// deal, the checks before sending, the 155 and 157 records, and where a
// refusal from the host puts the focus.
#pragma once

#include <cstdint>
#include <string>

struct CNegDealRec;

inline constexpr int kDealAmendTransaction = 155;
inline constexpr size_t kDealAmendLength = 145;
inline constexpr int kDealConfirmTransaction = 157;
inline constexpr size_t kDealConfirmLength = 76;

// What the amendment sends: the texts as the user sees them.
struct KvDealAmendInput {
    std::string user;
    uint32_t dealNo = 0;
    std::string account;
    std::string counterparty; // user code; empty when the name resolves to none
    bool yield = false;
    std::string priceText;
    int priceDecimals = 2;
    std::string quantityText;
    std::string reference;
    std::string confirmPeriod;
    std::string reminder;
    std::string settleDate; // yyyymmdd, empty for none
    std::string disseminationTime; // hhmmss, empty for none
    char tradeSource = ' ';
};

// The deal as the amendment dialog starts with it.
struct KvDealAmendView {
    int securityRow = -1;
    int side = 2; // 1 buy, 2 sell
    std::string boardName;
    std::string securityName;
    std::string counterpartyName;
    std::string counterpartyFirmName; // the participant of the counterparty user
    bool settleGiven = false; // the deal carries a settlement date
    double priceValue = 0; // the deal's yield or price, as the Yield box says
    KvDealAmendInput values; // the deal's own values, user left empty
};
KvDealAmendView DealAmendView(const CNegDealRec& deal);

// OK may be pressed while the quantity is not 0.
bool DealAmendOkEnabled(const std::string& quantityText);

struct KvDealCheck {
    unsigned messageId = 0; // 0: passed
    unsigned focusId = 0;
};
// The checks of OK in their order: the minute counts hold only digits, the
// price fits, the counterparty names a user, the texts fit their fields.
KvDealCheck CheckDealAmend(const KvDealAmendInput& in);
// The 145 characters of transaction 155; empty when a field does not fit.
std::string BuildDealAmendRecord(const KvDealAmendInput& in);
// The control that a refusal's field number points at; 0 for none.
unsigned DealAmendErrorFocus(int errorNumber);

// The deal as the confirmation shows it.
struct KvDealConfirmView {
    uint32_t dealNo = 0;
    int side = 2;
    std::string boardName;
    std::string securityName;
    std::string counterpartyName;
    std::string priceText;
    std::string quantityText;
    std::string reference;
};
KvDealConfirmView DealConfirmView(const CNegDealRec& deal);
// The 76 characters of transaction 157; empty when the account or the
// reference does not fit.
std::string BuildDealConfirmRecord(
    const std::string& user, uint32_t dealNo, const std::string& account, const std::string& reference);
unsigned DealConfirmErrorFocus(int errorNumber);

// The question of the amendment or the confirmation (string id), with the side's name.
std::string DealAnswerQuestion(unsigned patternId, int side, const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, const std::string& account);
// The dialog's title: the pattern filled with the deal number.
std::string DealAnswerTitle(unsigned patternId, uint32_t dealNo);
