// The Messages window's document and rules: the exchange's messages whose
// status letter passes the window's letter filter, their columns, and which
// commands a message allows (only the user's own waiting messages change).
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "kv32/filters/letter_filter.h"
#include "kv32/lists/list_criteria.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/exch_message_table.h"

class CMsgsDoc : public CTableIndexDocT<CExchMessageTable, ExchMessageRec> {
public:
    static constexpr std::uint32_t kTableId = CExchMessageTable::kTableId;
    static constexpr int kFirstColumn = 470;
    static constexpr int kColumns = 8;

    CMsgsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    // The one-letter DataFeed and Status cells.
    void OwnerDrawCell(const std::uint8_t* value, int col, int row, fw::CellStyle& style) const override;
    int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const override;
};

// The letter filter over a message's Status.
class CMsgLetterCriteria : public CListCriteria {
public:
    void Reset() override { m_filter.m_nState = 0; }
    bool Match(const std::uint8_t* record) override;
    void GetDescription(std::string&) override { }
    void Serialize(fw::Archive& ar) override;
    CLetterFilter& Get() { return m_filter; }

private:
    CLetterFilter m_filter;
};

// Waiting ('P' or 'p') and not yet referenced by the host: the user may still
// change or withdraw it.
bool MessageIsWaiting(const ExchMessageRec& message);
// Whether the command is enabled for the current message (null: none).
bool MessageCommandAllowed(unsigned commandId, const ExchMessageRec* message);
// Withdraws a waiting message (transaction 170, "Command sent." on
// acceptance); any other message gets the "only waiting" text and nothing is
// sent. The transaction's result, 0 when nothing was sent.
int KvDeleteMessage(const ExchMessageRec& message);
