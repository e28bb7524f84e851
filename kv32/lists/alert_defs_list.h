// The Firms, Users and Securities Alerts windows' documents: one row per
// figure of a definition that has an operator, coded definition * 16 (15 for
// securities) + figure and listed in code order. The rows are made again on
// every announcement of the definitions' table, so a definition whose
// operators were all cleared leaves no row behind. A row names its subject's
// host row, on which the alert dialog opens.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kv32/lists/list_row_source.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/values/cdouble.h"

// One figure of one definition as a row shows it.
struct KvAlertDefRow {
    std::int32_t nCode; // definition * figures + figure
    std::int32_t nDefinition;
    std::int32_t nLink; // the subject's host row; -1 none
    std::int32_t nOperator;
    std::int32_t nModified;
    std::int32_t nNotified;
    CDouble dLimit;
    char szSubject[21]; // firm or user code, or the security's short name
    char szBoard[31]; // securities: the board's name
    char szFigure[64];
};

class CAlertDefsDoc : public CTDoc, public CListRowSource {
public:
    enum class Kind { Firms, Users, Securities };

    explicit CAlertDefsDoc(Kind kind);

    Kind GetKind() const { return m_kind; }
    int GetMaxColumns() override { return 6; }
    int GetFirstColumnID() override;
    void SetDocDescription() override;
    bool onNewDocument() override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return static_cast<int>(m_rows.size()); }
    const KvAlertDefRow* GetRowRecord(int row) const;
    // The subject's host row of a row: the dialogs open on it.
    int HostIndexOfRow(int row) const override;
    // The definition a row comes from; -1 outside the rows.
    int DefinitionOfRow(int row) const;
    // Rows again from the whole table, then the title.
    int ApplyFilter(bool retitle) override;
    // Whatever the hint, the rows are made again and all redrawn.
    void UpdateDocument(intptr_t hint, fw::Hint* object) override;
    void MakeTitle(std::string& title) override;
    // The operator cell shows its text, the flags "Yes" or "No".
    void OwnerDrawCell(const std::uint8_t* value, int col, int row, fw::CellStyle& style) const override;
    // By the operator's or the flag's code.
    int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const override;

private:
    std::span<const KvListColumn> Columns() const;
    void BuildRows();

    Kind m_kind;
    std::vector<KvAlertDefRow> m_rows;
};

class CFAlertsDoc : public CAlertDefsDoc {
public:
    static constexpr std::uint32_t kTableId = 25;
    CFAlertsDoc()
        : CAlertDefsDoc(Kind::Firms)
    {
    }
};

class CSAlertsDoc : public CAlertDefsDoc {
public:
    static constexpr std::uint32_t kTableId = 26;
    CSAlertsDoc()
        : CAlertDefsDoc(Kind::Securities)
    {
    }
};

class CTAlertsDoc : public CAlertDefsDoc {
public:
    static constexpr std::uint32_t kTableId = 27;
    CTAlertsDoc()
        : CAlertDefsDoc(Kind::Users)
    {
    }
};
