// The rules of the order amend dialog without its window: what it shows of
// the order, which controls the order and its security leave enabled, and
// the amendment text, which carries only what changed on screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct COrderRec;
struct SecurityRec;

// The validity radios, in the dialog's order.
enum class KvValidity { Session = 0, Day = 1, UntilCancelled = 2, UntilDate = 3 };

// The values of the dialog as texts in the user's number form (the numeric
// edits' plain text); dates YYYYMMDD and times HHMMSS, empty when not given.
struct COrderAmendValues {
    KvValidity validity = KvValidity::Day;
    std::string account;
    std::string price; // the price, the yield, or in amount mode the amount
    std::string trigger;
    std::string quantity;
    std::string hidden;
    std::string minFill;
    std::string reference;
    std::string expiryDate;
    std::string expiryTime;
    std::string settleDate;
};

// The field a refusal names, for the focus.
enum class KvAmendField { None, Account, Price, Trigger, Quantity, Hidden, MinFill, Reference, ExpiryDate, ExpiryTime };

enum class KvAmendError { None, InvalidValue, NothingChanged };

struct COrderAmendResult {
    KvAmendError error = KvAmendError::None;
    KvAmendField focus = KvAmendField::None;
    std::string record; // the 205 characters when error is None
};

inline constexpr int kOrderAmendLength = 205;

class COrderAmendForm {
public:
    // Order flag and permission positions read here.
    static constexpr int kYieldFlag = 10;
    static constexpr int kHiddenFlag = 11;
    static constexpr int kStopFlag = 12;
    static constexpr int kSettleFlag = 13;
    static constexpr int kFillMinimumFlag = 16;
    static constexpr int kUntilTimeFlag = 23;
    static constexpr int kSessionFlag = 24;
    static constexpr int kDayFlag = 25;
    static constexpr int kUntilDateFlag = 26;
    static constexpr int kGtcFlag = 27;
    static constexpr int kQuantityDigits = 12;

    // security may be null (an order of a security no longer listed): then no
    // validity is offered and the order's own decimals serve.
    COrderAmendForm(const COrderRec& order, const SecurityRec* security);

    uint32_t OrderNo() const { return m_nOrderNo; }
    const std::string& BoardName() const { return m_sBoardName; }
    const std::string& SecurityName() const { return m_sSecurityName; }
    bool IsBuy() const { return m_bBuy; }
    bool IsPrimary() const { return m_bPrimary; }
    // A primary distribution order without quantity: the price field holds its amount.
    bool IsAmountMode() const { return m_bAmount; }
    bool IsYield() const { return OrderFlag(kYieldFlag); }
    bool HiddenEnabled() const { return OrderFlag(kHiddenFlag); }
    bool TriggerEnabled() const { return OrderFlag(kStopFlag); }
    bool MinFillEnabled() const { return OrderFlag(kFillMinimumFlag); }
    bool SettleChecked() const { return OrderFlag(kSettleFlag); }
    bool ValidityEnabled(KvValidity v) const;
    bool UntilDateAllowed() const { return Permitted(kUntilDateFlag); }
    bool UntilTimeAllowed() const { return Permitted(kUntilTimeFlag); }
    // The price field's decimals and digits while the quantity on screen is `quantity`.
    int PriceDecimals() const;
    int PriceDigits(const std::string& quantity) const;
    int TriggerDecimals() const { return m_nPriceDec; }

    // The values as the dialog opened, or as last sent.
    const COrderAmendValues& Opening() const { return m_opening; }

    // Checks the values on screen and builds the amendment text of `user`.
    COrderAmendResult Build(const COrderAmendValues& screen, std::string_view user) const;
    // The values sent become the values compared with next time.
    void Accept(const COrderAmendValues& sent) { m_opening = sent; }

    // The field that the host's error number of a refused amendment names.
    static KvAmendField FieldOfHostError(int errorNo);

private:
    bool OrderFlag(int i) const;
    bool Permitted(int i) const;

    uint32_t m_nOrderNo = 0;
    std::string m_sFlags;
    std::string m_sPermissions;
    std::string m_sBoardName;
    std::string m_sSecurityName;
    bool m_bBuy = true;
    bool m_bPrimary = false;
    bool m_bAmount = false;
    int m_nPriceDec = 0;
    int m_nYieldDec = 0;
    int m_nValueDec = 0;
    COrderAmendValues m_opening;
};
