// The order entry form without its window: the state of every control (text,
// check, enabling, list items), the rules that change it when the user acts,
// the prefill from the active list window, and OK: the checks in their order,
// the confirmation, the order transaction or the private order book entry,
// and the host's answer. The dialog shows this state and forwards what the
// user does.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kv32/shell/price_yield.h"
#include "kv32/trading/order_record.h"

struct SecurityRec;

struct KvFormControl {
    bool enabled = true;
    bool checked = false;
    std::string text; // edits, labels, a date as yyyymmdd, a time as hhmmss
    std::vector<std::string> items; // list and combo boxes
    std::vector<int> data; // item data, one per item
    int sel = -1;
};

// What OK ended in.
enum class KvOrderOkResult {
    Refused, // a check failed: message shown, focus moved
    Declined, // the confirmation was answered No
    Failed, // the host refused the order (or the router failed)
    Sent, // accepted by the host
    Stored, // kept in the private order book
};

class COrderEntryForm {
public:
    // side: 1 buy, anything else sell. primary: the primary-distribution layout.
    COrderEntryForm(int side, bool primary, bool preset = false, bool copyMethods = false);

    // Board, security, price and quantity given by the caller (preset flag).
    void SetPreset(const std::string& board, const std::string& security, const std::string& price,
        const std::string& quantity, bool priceIsYield);
    // The private order book's order at this index is edited (before Init).
    void SetPrivateOrder(int index);

    // The dialog's initialisation, in order.
    void Init();

    // What the user does.
    void SelectBoard(int index);
    void SelectSecurity(int index);
    void SelectAccount(int index);
    void Click(uint32_t id);
    void Type(uint32_t id, const std::string& text);
    void Focus(uint32_t id);
    void Leave(uint32_t id);
    // F3 (code 114, Shift: down) and F5 to F8 (116 to 119).
    void Key(int code, bool shift);
    KvOrderOkResult Ok();

    const KvFormControl& Control(uint32_t id) const;
    bool Has(uint32_t id) const { return m_controls.count(id) != 0; }
    const std::map<uint32_t, KvFormControl>& Controls() const { return m_controls; }
    std::string Caption() const;
    // The control the focus goes to after the last action; 0: leave it.
    uint32_t TakeFocus();
    // The dialog closes after OK.
    bool Closes() const { return m_bClose; }
    // The security the quote window shows; -1: no quote window.
    int QuoteSecurity() const { return m_nQuote; }
    int Side() const { return m_nSide; }
    bool Primary() const { return m_bPrimary; }
    int SecurityRow() const { return m_nSecurity; }
    uint32_t ReferenceId() const;

    // The record of the last order sent or stored (tests, the orders windows).
    const std::string& LastRecord() const { return m_sLastRecord; }

    // The host's price and yield conversion; tests put their own in.
    std::function<PriceYieldResult(const PriceYieldInput&, CDouble&)> convert = PriceYieldConversion;

private:
    KvFormControl& C(uint32_t id) { return m_controls[id]; }
    bool On(uint32_t id) const;
    void Enable(uint32_t id, bool on);
    void Check(uint32_t id, bool on);
    void SetText(uint32_t id, const std::string& text);
    void EnableCheck(uint32_t id, bool on); // unchecks a control it disables
    std::string Sel(uint32_t id) const;
    const SecurityRec* Security() const;
    bool Perm(int pos) const;

    void FillAccounts();
    void SelectAccountText(const std::string& account);
    void SelectOnlyOrLastAccount();
    void FillBoards();
    void FillReferences();
    void FillSecurities();
    void Prefill();
    void ApplyPrefillTexts();
    void SecurityChanged();
    void NoSecurity();
    void SideChanged(int side);
    void MarketClicked();
    void LimitClicked();
    void ValidityChanged();
    void SettleChanged();
    void StopChanged();
    void FillChanged();
    void YieldChanged();
    void Convert();
    void QuantityRule();
    void ShowStatus(uint32_t id);
    void CopyMethods();
    void PendingFromFlags(const std::string& flags, const std::string& expiryDate,
        const std::string& expiryTime, const CDouble& minFill, const std::string& settleDate,
        const CDouble& trigger);
    KvOrderOkResult Refuse(unsigned textId, uint32_t focus);
    uint32_t FieldControl(KvOrderField field) const;
    void HostFieldFocus();
    void AfterSuccess(const std::string& reference);
    void Declare(uint32_t id);

    std::map<uint32_t, KvFormControl> m_controls;
    int m_nSide;
    bool m_bPrimary;
    bool m_bPreset;
    bool m_bCopyMethods;
    int m_nSecurity = -1;
    bool m_bPrivate = false;
    int m_nPrivate = -1;
    bool m_bPrivateRead = false;
    bool m_bPosition5 = false;
    bool m_bPriceTaken = true;
    bool m_bClose = false;
    int m_nQuote = -1;
    uint32_t m_nFocus = 0;

    // Selections taken from a source order, applied on the next security change.
    struct Pending {
        uint32_t validity = 0;
        std::string expiryDate, expiryTime;
        uint32_t fill = 0;
        std::string minFill;
        bool settle = false;
        std::string settleDate;
        bool stop = false;
        std::string trigger;
        bool market = false;
    } m_pending;

    // Prefill and preset texts.
    struct Prefilled {
        std::string board, security, price, yield, quantity, account, reference, workArea;
        bool yieldFlag = false;
    } m_prefill;

    std::string m_sPriceText; // remembered price (price entered)
    std::string m_sYieldText; // remembered yield (yield entered)
    std::string m_sPriceHint;
    std::string m_sSavedStatus;
    std::string m_sLastRecord;
};
