// The securities window's document and rules: the securities the user picked,
// in the order picked, with their 73 market-data columns, the price-change
// row colours of the security table and the alert colours of eleven columns;
// which commands the current security allows; the texts of the suspension
// transactions; and the rows of the related windows it opens.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/list_columns.h"
#include "kv32/lists/list_row_source.h"
#include "kv32/tables/security_table.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/grid/ct_hint.h"

class CSecsDoc : public CTDoc, public CListRowSource {
public:
    static constexpr std::uint32_t kTableId = CSecurityTable::kTableId;
    static constexpr int kFirstColumn = 2900;
    static constexpr int kColumns = 73;

    CSecsDoc();

    bool onNewDocument() override;
    void onCloseDocument() override;
    // The grid layout, then the rows by security code (a code no longer in
    // the table is dropped, a moved one found again).
    void Serialize(fw::Archive& ar) override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return static_cast<int>(m_aRows.size()); }
    int GetColorOffset() const override;
    void SetDocDescription() override;
    // With a hint of security rows: only the rows showing them repaint.
    void UpdateDocument(intptr_t hint, fw::Hint* object) override;
    // The row colour, then an alert colour of the eleven alert columns.
    void GetColorCell(const std::uint8_t* record, int col, kvcore::COLORREF& back, kvcore::COLORREF& text) const override;
    std::vector<std::uint32_t>& GetColorRefArray() override;
    std::vector<std::uint16_t>& GetColorElemArray() override;
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    int ApplyFilter(bool retitle) override;
    void MakeTitle(std::string& title) override;
    // Every opening makes a new window.
    int CheckTable(void*) override { return 0; }

    int HostIndexOfRow(int row) const override;
    const SecurityRec* GetRowRecord(int row) const { return reinterpret_cast<const SecurityRec*>(GetRowData(row)); }
    // The rows become these security rows, in this order; the window redraws.
    void SetRows(std::vector<int> rows);
    // The security rows join the window's own, in their order; indices
    // beyond the table are left out.
    void AppendRows(const std::vector<std::uint32_t>& rows);
    // The first row whose short name is exactly the text; -1 none.
    int FindRowOfShortName(std::string_view text) const;

    // The rows the last hinted update repainted.
    const kvcore::CTHint& LastRowHint() const { return m_rowHint; }

    static std::span<const KvListColumn> Columns();
    // Whether a column shows the alert colour the record holds for it.
    static bool IsAlertColumn(int columnId);

    // Security table rows, one per window row.
    std::vector<int> m_aRows;
    int m_bOpened = 0;

private:
    kvcore::CTHint m_rowHint;
};

// Whether the security allows the command; null: no current security (only
// the commands that need none are allowed). Permission is not asked here.
bool SecurityCommandAllowed(unsigned commandId, const SecurityRec* security);
// The issuer of a security: the participant named by its issuer code; -1 none.
int SecurityIssuerRow(const SecurityRec& security);
// Whether the issuer commands are allowed for the current security.
bool IssuerCommandAllowed(unsigned commandId, const SecurityRec* security);

// The 17-character key of the security, blanks kept.
std::string SecurityKey(const SecurityRec& security);
// The security rows of the same instrument on every board, in table order.
std::vector<int> SecurityOnAllBoards(const SecurityRec& security);

// The suspension (673 bytes) or unsuspension (672 bytes) of one security: the
// user in 12, operator 9 or 10, the 12-character instrument id, the
// trading-system time HHMMSS, the message in 640, the display-type letter,
// and 'S' after a suspension. Empty when a field does not fit.
std::string BuildSecuritySuspendText(bool suspend, std::string_view instrumentId, const CDateTime& time,
    std::string_view message, char displayType);
// The transaction of one security in a multi-row suspension, its message made
// from the current language's text; none when it cannot be built.
std::optional<KvRowTransaction> SecuritySuspendTransaction(bool suspend, const SecurityRec& security);

// The related windows' criteria: reset, then the selected securities and
// their boards (a board that is not found is left out).
template <class Filter> void KvPresetSecurities(Filter& filter, const std::vector<int>& securityRows);
// The board table row of the security's board; -1 none.
int SecurityBoardRow(const SecurityRec& security);

template <class Filter> void KvPresetSecurities(Filter& filter, const std::vector<int>& securityRows)
{
    filter.Reset();
    filter.m_bNoFiltering = 0;
    filter.m_bAllSecurities = 0;
    filter.m_bAllBoards = 0;
    for (int row : securityRows) {
        const SecurityRec* rec = row >= 0 && row < SecurityTable().GetCount() ? SecurityTable().GetRec(row) : nullptr;
        if (rec == nullptr)
            continue;
        filter.m_aSecurities.push_back(row);
        const int board = SecurityBoardRow(*rec);
        if (board >= 0)
            filter.m_aBoards.push_back(board);
    }
}
