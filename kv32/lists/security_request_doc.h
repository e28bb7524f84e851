// A list window that asks the trading engine for one security's book with a
// standing request and keeps the decoded reply as its own rows: the key is
// the security's 17-character code, the sequence number starts at ten zeros
// and each reply brings the next. A window opened from another sets the
// security after opening; one restored with a security the table no longer
// knows shows nothing and skips one store.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kv32/lists/list_row_source.h"
#include "kv32/lists/request_doc.h"

class CSecurityRequestDoc : public CRequestDoc, public CListRowSource {
public:
    static constexpr int kKeyWidth = 17;

    explicit CSecurityRequestDoc(int requestCode);
    ~CSecurityRequestDoc() override;

    // The security the window shows; the title follows at once and the
    // request goes out at the next request step.
    void SetSecurityCode(std::string_view code);
    const std::string& SecurityCode() const { return m_sKey; }

    bool onNewDocument() override;
    // The layout, the security code, then what the window adds.
    void Serialize(fw::Archive& ar) override;
    // The security code; nothing is asked while none is set.
    std::string RequestKey() override;
    // Runs the window's own step (the order book's status bar) at every request.
    int UpdateReq() override;
    // The reply is one whole text, never records.
    void DecodeRecord(CRecordReader&) override { }
    // The table's title, then " <short name>/<board>" when a security is set.
    void MakeTitle(std::string& title) override;
    // True when the window in front shows this window's security (a securities
    // window's current row, another book window's security).
    int CheckTable(void*) override;
    int HostIndexOfRow(int) const override { return -1; }
    std::string BookSecurityKey() const override { return m_sKey; }

    // One reply into the rows (the reply's first ten characters are the next
    // sequence number); only whole entries within the text are taken.
    void TakeReply(std::string_view text);

protected:
    int StoreReply(tagTMSG* message) override;
    virtual void DecodeReply(std::string_view text) = 0;
    virtual void SerializeExtra(fw::Archive&) { }
    // Run at every request (the order book's status bar).
    virtual void OnRequest() { }

    std::string m_sKey;
};

// The price and yield decimals of a security by its key (0 when unknown).
struct KvSecurityDecimals {
    int price = 0;
    int yield = 0;
};
KvSecurityDecimals KvDecimalsOfSecurity(std::string_view key);
// The number of n digits at pos; false when the text ends first or a
// character is not a digit (a sign is allowed in front).
bool KvReadNumber(std::string_view text, std::size_t pos, std::size_t n, long long& value);
