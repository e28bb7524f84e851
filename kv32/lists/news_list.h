// The News window's document and rules: the news heads that pass the
// window's news filter, their columns, which commands a head allows, and the
// removal of a waiting head.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "kv32/filters/party_filters.h"
#include "kv32/lists/list_criteria.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/news_table.h"

class CNewsDoc : public CTableIndexDocT<CNewsTable, NewsRec> {
public:
    static constexpr std::uint32_t kTableId = CNewsTable::kTableId;
    static constexpr int kFirstColumn = 730;
    static constexpr int kColumns = 9;

    CNewsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
};

// The news filter; it is not kept with the workspace.
class CNewsCriteria : public CListCriteria {
public:
    void Reset() override { m_filter.Reset(); }
    bool Match(const std::uint8_t* record) override
    {
        return m_filter.Match(*reinterpret_cast<const NewsRec*>(record));
    }
    void GetDescription(std::string& title) override { m_filter.GetDescription(title); }
    void Serialize(fw::Archive&) override { }
    CNewsFilter& Get() { return m_filter; }

private:
    CNewsFilter m_filter;
};

// Whether the head's status text (kept in the language of its arrival) is
// the waiting one's.
bool NewsIsWaiting(const NewsRec& head);
// Whether the command is enabled for the current head (null: none).
bool NewsCommandAllowed(unsigned commandId, const NewsRec* head);
// 20 characters: the user in 12, the news id zero-padded in 8; empty when
// the id does not fit.
std::string BuildNewsRemoveText(std::int32_t newsId);
// Removes a waiting head after the user's confirmation (transaction 172); a
// head in any other state is left alone without a question. The
// transaction's result, 0 when nothing was sent.
int KvRemoveNews(const NewsRec& head);
