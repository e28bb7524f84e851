// The boards, markets and instruments windows' documents: every entry of
// their reference table in table order, with its name and status text,
// coloured when suspended; which of Suspend and Unsuspend the current entry's
// status allows; and the 19-byte suspension texts.
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
#include "kv32/tables/board_table.h"
#include "kv32/tables/market_table.h"
#include "kvcore/doc/ct_doc.h"

// Where a table's record keeps what the window shows and sends.
struct KvStateListLayout {
    std::uint32_t tableId;
    int firstColumn;
    std::uint16_t codeOffset; // 4-character code
    std::uint16_t nameOffset;
    std::uint16_t statusOffset; // the status text in the user's language
    std::uint16_t colorOffset; // 0 suspended (the first colour), -1 active
    char suspendOperator;
    char unsuspendOperator;
    unsigned suspendCommand;
    unsigned unsuspendCommand;
    std::uint16_t suspendedColorName; // the colour's name when the table has none
};

class CStateListDoc : public CTDoc, public CListRowSource {
public:
    static constexpr int kColumns = 2;

    explicit CStateListDoc(const KvStateListLayout& layout);

    virtual int HostCount() const = 0;
    virtual const std::uint8_t* HostRecord(int i) const = 0;

    bool onNewDocument() override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return HostCount(); }
    int GetColorOffset() const override { return m_layout.colorOffset; }
    void SetDocDescription() override;
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return m_layout.firstColumn; }
    void MakeTitle(std::string& title) override;
    int HostIndexOfRow(int row) const override { return GetRowData(row) != nullptr ? row : -1; }

    const KvStateListLayout& Layout() const { return m_layout; }
    const char* Code(int row) const;
    const char* Name(int row) const;
    const char* Status(int row) const;

private:
    KvStateListLayout m_layout;
    KvListColumn m_columns[kColumns];
};

template <class Table> class CStateListDocT : public CStateListDoc {
public:
    CStateListDocT(Table& table, const KvStateListLayout& layout)
        : CStateListDoc(layout)
        , m_table(table)
    {
        if (m_table.m_aColorNames.empty()) {
            m_table.m_aColors = { kSystemWindowColor };
            m_table.m_aColorNames = { layout.suspendedColorName };
        }
    }
    int HostCount() const override { return m_table.GetCount(); }
    const std::uint8_t* HostRecord(int i) const override
    {
        return reinterpret_cast<const std::uint8_t*>(m_table.GetRec(i));
    }
    std::vector<std::uint32_t>& GetColorRefArray() override { return m_table.m_aColors; }
    std::vector<std::uint16_t>& GetColorElemArray() override { return m_table.m_aColorNames; }

private:
    static constexpr std::uint32_t kSystemWindowColor = 0x80000005u;
    Table& m_table;
};

class CBoardsDoc : public CStateListDocT<CBoardTable> {
public:
    CBoardsDoc();
};
class CMarketsDoc : public CStateListDocT<CTable20> {
public:
    CMarketsDoc();
};
class CInstrsDoc : public CStateListDocT<CTable21> {
public:
    CInstrsDoc();
};

// Whether the status text allows the command: Suspend an active entry,
// Unsuspend a suspended one (the texts of the current language).
bool StateCommandAllowed(bool suspend, const char* status);

// 19 bytes: the user in 12, the operator code, the 4-character code, 'Y' when
// suspensions are notified else 'N', the display-type letter. Empty when a
// field does not fit.
std::string BuildStateSuspendText(char operatorCode, std::string_view code, bool notify, char displayType);
// One entry's transaction with the session's notify flag and display type.
std::optional<KvRowTransaction> StateSuspendTransaction(const CStateListDoc& doc, int row, bool suspend);
