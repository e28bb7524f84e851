// The summary window's document: the day's figures of one market and board,
// a row per sector and a total row, asked of the host again every
// SummaryInfoCycle seconds with request 27.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kv32/lists/list_row_source.h"
#include "kvcore/doc/doc_vorl.h"
#include "kvcore/values/cdouble.h"

struct SummaryRow {
    static constexpr int kValues = 8;
    int32_t nSeq = 0;
    char szName[31] = {};
    // Orders, trades, volume, value, price rises, falls, unchanged, open orders.
    CDouble aValues[kValues];
};

class CSumDoc : public CTDocVorl, public CListRowSource {
public:
    static constexpr std::uint32_t kTableId = 7;
    static constexpr int kRequestCode = 27;
    static constexpr std::size_t kRecordLength = 89;
    static constexpr int kFirstColumn = 480;
    static constexpr int kColumns = 9;

    CSumDoc();

    // The current market and board, the title.
    bool onNewDocument() override;
    void onCloseDocument() override;
    // The layout, then the market and the board index as words; indices
    // beyond their tables become market 0 and board 0.
    void Serialize(fw::Archive& ar) override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return static_cast<int>(m_records.size()); }
    void SetDocDescription() override;
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    // The table's title, then " <market>/<board>".
    void MakeTitle(std::string& title) override;
    int ApplyFilter(bool retitle) override;
    // True for the current market and board.
    int CheckTable(void*) override;
    // Every SummaryInfoCycle seconds (of the steady clock) the whole summary:
    // the user and the key, 21 bytes with the closing NUL the host reads.
    int UpdateReq() override;
    // A message of fewer than 2 characters carries nothing.
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader&) override { return 0; }
    // The rows repaint from TakeRecord.
    void OnPostReceive() override { }

    // One reply record; a record shorter than 89 characters, or with a figure
    // that is not a number, is dropped.
    void TakeRecord(std::string_view record);
    // The request text of the next cycle.
    std::string RequestKey() const;
    const SummaryRow* GetSummaryRow(int row) const;
    // The rows are the document's own, not a table's.
    int HostIndexOfRow(int) const override { return -1; }
    int BoardIndex() const override { return m_nBoard; }
    static std::span<const KvListColumn> Columns();

    int m_nMarket = 0;
    int m_nBoard = 0;
    int m_bOpened = 0;
    std::string m_szNextKey;

private:
    // The row of the name before the total row; -1 none.
    int FindRow(const char* name) const;
    void MakeTotal(bool overwrite);

    std::vector<SummaryRow> m_records;
    int m_nRowsAtRequest = 0;
    bool m_bChanged = false;
    std::optional<std::int64_t> m_nLastRequestMs;
};
