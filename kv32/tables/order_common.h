// What the order, trade and negotiated-deal tables share: texts of letters
// loaded once per language, their colour elements, the rows changed by one
// received packet and the hint that names them, the security and board names
// of a security code, and the print-log line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/document.h"
#include "fw/core/strings.h"
#include "kv32/tables/host_tables.h"
#include "kv32/tables/order_index.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

namespace fw {
class Archive;
}

// Texts of a fixed list of string ids, loaded on first use and again when
// the user interface changes its language; from the trading texts unless
// another string table's loader is given.
class CTextSet {
public:
    using Loader = std::string (*)(uint32_t id);
    explicit CTextSet(std::initializer_list<uint32_t> ids, Loader load = nullptr);
    // The text of the i-th id of the list.
    const std::string& operator[](size_t i) const;

private:
    std::vector<uint32_t> m_ids;
    Loader m_load;
    mutable std::vector<std::string> m_texts;
    mutable bool m_bLoaded = false;
    mutable fw::Language m_language = fw::Language::English;
};

// Colour elements that all start as the system window colour, with their captions.
void FillWindowColors(
    std::vector<uint32_t>& colors, std::vector<uint16_t>& names, std::initializer_list<uint16_t> ids);
// Stores the colours, or loads them when the archive holds as many as there are captions.
void SerializeColorArray(fw::Archive& ar, std::vector<uint32_t>& colors, const std::vector<uint16_t>& names);

// The security and board of a 17-character security code (board code at 1),
// as a record shows them: names empty and decimals 0 when unknown.
struct CSecurityNames {
    std::string shortName;
    std::string boardCode;
    std::string boardName;
    int priceDec = 0;
    int yieldDec = 0;
    int valueDec = 0;
};
CSecurityNames LookUpSecurity(std::string_view code);

// Rows changed by the records of one packet: the windows hear them once,
// as one hint, after the packet. The hint is kept between packets and only
// its flagged rows are cleared, so a packet costs what it changed, not the
// size of the table.
class CPendingRows {
public:
    void Add(int row) { m_rows.push_back(row); }
    bool Empty() const { return m_rows.empty(); }
    const std::vector<int>& Rows() const { return m_rows; }
    // Tells the windows of the table (a hint sized to the row count) and empties the list.
    void Announce(uint16_t tableId, int rowCount);
    void Clear();

private:
    std::vector<int> m_rows;
    fw::RowHint m_hint;
};

// A date (and time) as a print-log line shows it; empty when invalid.
std::string PrintDate(const CDateTime& when);
std::string PrintTime(const CDateTime& when);
// A price or quantity as a print-log line shows it: grouped, zero shown.
std::string PrintAmount(const CDouble& value);
// A letter for "%1c": a blank for none.
inline char PrintLetter(char c)
{
    return c != '\0' ? c : ' ';
}
// printf into a string (the print-log line formats).
std::string FormatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A table of records that the host numbers (orders, trades, deals): no
// snapshot; a standing request keyed by the sequence number and the last
// number received, which a new session starts from zero; rows found by number
// through a sorted index; the rows changed by a packet told to the windows
// once, after it. TRecord has the fields nRowIndex.
template <class TRecord> class CNumberedTable : public CHostTable<TRecord> {
public:
    CNumberedTable(uint16_t tableId, int growBy, int request, int indexCapacity)
        : CHostTable<TRecord>(tableId, growBy)
        , m_index(indexCapacity)
        , m_nRequest(request)
    {
        std::memset(m_szLastOrderNo, '0', 12);
        m_szLastOrderNo[12] = '\0';
    }

    // Loading starts the session: the next request asks from the first change.
    int Load() override
    {
        m_bStarted = true;
        m_bReset = true;
        return 1;
    }
    int UpdateReq() override
    {
        if (!m_bStarted)
            return 0;
        if (m_bReset) {
            m_bReset = false;
            this->ResetSeqNum();
            std::memset(m_szLastOrderNo, '0', 12);
            OnSessionStart();
        }
        return SendStandingRequest(m_nRequest, this, [this](KvFieldWriter& w) {
            this->AppendSeqNum(w);
            w.Text(m_szLastOrderNo, 12);
        });
    }
    void OnPostReceive() override
    {
        m_pendingRows.Announce(this->GetID(), this->GetCount());
        m_bChanged = 0;
    }
    void Free() override
    {
        CHostTable<TRecord>::Free();
        m_index.Clear();
        m_pendingRows.Clear();
        m_bChanged = 0;
        m_bStarted = false;
    }
    void SerializeColors(fw::Archive& ar) override
    {
        SerializeColorArray(ar, this->m_aColors, this->m_aColorNames);
    }

    // The row of the number; -1 when it is unknown or its row went to another record.
    int FindRow(uint32_t number) const
    {
        const int entry = m_index.Find(number);
        const int row = entry < 0 ? -1 : m_index.At(entry).row;
        return row >= 0 && row < this->GetCount() ? row : -1;
    }
    const COrderIndex& Index() const { return m_index; }
    const std::vector<int>& PendingRows() const { return m_pendingRows.Rows(); }

    // Set when a packet changed records, until the windows were told.
    int m_bChanged = 0;
    // Set at the start of a session: the next request starts from zero.
    bool m_bReset = false;
    char m_szLastOrderNo[13]; // the last (order, trade, deal) number sent back

protected:
    // The first request of a session is about to go out.
    virtual void OnSessionStart() { }
    void TakeLastNumber(uint32_t number)
    {
        std::snprintf(m_szLastOrderNo, sizeof m_szLastOrderNo, "%012u", number);
    }
    // Overwrites the row of a held number, else appends the record and
    // indexes it; the row is noted for the windows.
    void StoreByNumber(TRecord& rec, uint32_t number)
    {
        if (const int row = FindRow(number); row >= 0) {
            rec.nRowIndex = static_cast<uint32_t>(row);
            this->SetRec(row, rec);
            m_bChanged = 1;
            m_pendingRows.Add(row);
            return;
        }
        m_index.Reserve(m_index.GetCount() + 1); // so that the insert after the append cannot fail
        const int row = this->GetCount();
        rec.nRowIndex = static_cast<uint32_t>(row);
        this->AddRec(rec);
        m_index.Insert(number, row);
        m_pendingRows.Add(row);
    }

    COrderIndex m_index;
    CPendingRows m_pendingRows;

private:
    const int m_nRequest;
    bool m_bStarted = false;
};
