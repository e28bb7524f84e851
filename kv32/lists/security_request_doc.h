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

#include "kv32/lists/list_columns.h"
#include "kv32/lists/list_row_source.h"
#include "kvcore/doc/doc_vorl.h"

class CSecurityRequestDoc : public CTDocVorl, public CListRowSource {
public:
    static constexpr int kSeqWidth = 10;
    static constexpr int kKeyWidth = 17;

    explicit CSecurityRequestDoc(int requestCode);
    ~CSecurityRequestDoc() override;

    // The security the window shows; the title follows at once and the
    // request goes out at the next request step.
    void SetSecurityCode(std::string_view code);
    const std::string& SecurityCode() const { return m_sKey; }
    const std::string& SeqNum() const { return m_szSeqNum; }

    bool onNewDocument() override;
    void onCloseDocument() override;
    // The layout, the security code, then what the window adds.
    void Serialize(fw::Archive& ar) override;
    // Nothing while no security is set; else the user, the sequence number and
    // the security code. Nonzero when the request was added.
    int UpdateReq() override;
    // A message starting with "#" carries no book; any other is a whole reply.
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader&) override { return 0; }
    void OnPostReceive() override;
    // The table's title, then " <short name>/<board>" when a security is set.
    void MakeTitle(std::string& title) override;
    int ApplyFilter(bool retitle) override;
    void StoreDocumentInfo() override;
    int CanBeSerialized() override { return m_bSkipStore ? 0 : 1; }
    // True when the window in front shows this window's security (a securities
    // window's current row, another book window's security).
    int CheckTable(void*) override;
    int HostIndexOfRow(int) const override { return -1; }
    std::string BookSecurityKey() const override { return m_sKey; }

    // One reply into the rows (the reply's first ten characters are the next
    // sequence number); only whole entries within the text are taken.
    void TakeReply(std::string_view text);

    int m_bOpened = 0;
    int m_bSkipStore = 0;

protected:
    virtual void ClearRecords() = 0;
    virtual void DecodeReply(std::string_view text) = 0;
    virtual void SerializeExtra(fw::Archive&) { }
    // Run at every request (the order book's status bar).
    virtual void OnRequest() { }

    int m_nRequestCode;
    std::string m_sKey;
    std::string m_szSeqNum;

private:
    bool m_bReceived = false;
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
