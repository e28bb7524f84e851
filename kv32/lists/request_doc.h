// The document of a list window that asks the trading engine for its own
// rows with a standing request: the request carries the user, the sequence
// number of the last reply and the window's key (what it shows); each reply
// record brings the next sequence number and updates the row of its key, and
// once the reply is in the window shows it. The rows are the document's own,
// kept by key beside the order shown, so a key that arrives twice updates one
// row and a lookup never depends on how the rows are sorted. A window whose
// reply is one whole text (a security's book) reads that text itself.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kvcore/doc/doc_vorl.h"

class CRecordReader;

class CRequestDoc : public CTDocVorl {
public:
    static constexpr int kSeqWidth = 10;

    explicit CRequestDoc(int requestCode);
    ~CRequestDoc() override;

    // What a window supplies: the text of the request after the user and the
    // sequence number (empty: nothing is asked) ...
    virtual std::string RequestKey() = 0;
    // ... one reply record after its sequence number, read through the reader
    // and kept only when the reader is still Ok after its last field ...
    virtual void DecodeRecord(CRecordReader& reader) = 0;
    // ... emptying its rows, and what it does once a reply is in (a sort).
    virtual void ClearRows() = 0;
    virtual void OnReplyDone() { }
    virtual std::span<const KvListColumn> Columns() const = 0;

    bool onNewDocument() override;
    void onCloseDocument() override;
    void SetDocDescription() override;
    // The rows are the document's own: filtering only retitles.
    int ApplyFilter(bool retitle) override;

    // Nothing while the key is empty or the router session is in error; else
    // user (12), sequence number (10) and key as a standing request. Nonzero
    // when the router took it.
    int UpdateReq() override;
    // A message starting with "#" carries no record; any other is the reply.
    int StoreDataItem(tagTMSG* message) override;
    // The sequence number, then the window's record; a row that cannot be
    // made for lack of memory is reported and the next record still read.
    int Decode(CRecordReader& reader) override;
    // Once per reply that brought records: the window's own step, then an
    // update of the rows the reply marked, or of every row when it marked none
    // or some row came, went or moved.
    void OnPostReceive() override;

    // The key changed (a filter): ask from the start again with no rows.
    void Restart();
    const std::string& SeqNum() const { return m_szSeqNum; }
    int RequestCode() const { return m_nRequestCode; }

    void StoreDocumentInfo() override;
    int CanBeSerialized() override { return m_bSkipStore ? 0 : 1; }

    int m_bOpened = 0;
    // The stored key no longer resolves: the next store is skipped.
    int m_bSkipStore = 0;

protected:
    // The sequence number of the record being decoded.
    const std::string& RecordSeq() const { return m_sRecordSeq; }
    // How a reply is read: by default record by record through Decode; a
    // window whose reply is one whole text reads it here and sets the next
    // sequence number itself.
    virtual int StoreReply(tagTMSG* message);
    void SetSeqNum(std::string_view seq) { m_szSeqNum = std::string(seq); }
    // A record of this reply changed the row in place, so the window need
    // repaint only the rows so marked ...
    void MarkRowChanged(int row) { m_changedRows.AddRow(row); }
    // ... unless the rows came, went or moved.
    void MarkAllRowsChanged() { m_bAllRowsChanged = true; }

private:
    int m_nRequestCode;
    std::string m_szSeqNum;
    std::string m_sRecordSeq;
    bool m_bReceived = false;
    fw::RowHint m_changedRows;
    bool m_bAllRowsChanged = false;
};

// Rows found by their key whatever order they are shown in.
template <class Row> class CKeyedRows {
public:
    int Count() const { return static_cast<int>(m_rows.size()); }
    // Null outside the rows.
    const Row* At(int row) const
    {
        return row < 0 || row >= Count() ? nullptr : &m_rows[static_cast<std::size_t>(row)];
    }
    Row* At(int row) { return row < 0 || row >= Count() ? nullptr : &m_rows[static_cast<std::size_t>(row)]; }
    // The index of a row these rows hold.
    int IndexOf(const Row& row) const { return static_cast<int>(&row - m_rows.data()); }
    // The row of the key; appended (value-initialised, `added` set) when new.
    Row& FindOrAdd(const std::string& key, bool& added)
    {
        const auto it = m_index.find(key);
        if (it != m_index.end())
            return m_rows[it->second];
        m_rows.emplace_back();
        m_index.emplace(key, m_rows.size() - 1);
        added = true;
        return m_rows.back();
    }
    // Null when the key has no row.
    Row* Find(const std::string& key)
    {
        const auto it = m_index.find(key);
        return it == m_index.end() ? nullptr : &m_rows[it->second];
    }
    // Sorted, equal rows keeping their order; keyOf gives each row's key.
    template <class Less, class KeyOf> void Sort(Less&& less, KeyOf&& keyOf)
    {
        std::stable_sort(m_rows.begin(), m_rows.end(), less);
        m_index.clear();
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            m_index.emplace(keyOf(m_rows[i]), i);
    }
    void Clear()
    {
        m_rows.clear();
        m_index.clear();
    }

private:
    std::vector<Row> m_rows;
    std::unordered_map<std::string, std::size_t> m_index;
};
