#include "kv32/dialogs/supervision/tr_acc_form.h"

#include <algorithm>

#include "kv32/shell/session.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 12;
constexpr int kNextWidth = 8;
constexpr int kRowWidth = 13;
constexpr char kOprAccountSuspend = 38;
constexpr char kOprAccountUnsuspend = 39;

KvTrAccEdit CheckEntry(std::string_view account, std::string_view comment)
{
    if (account.empty() || comment.empty())
        return KvTrAccEdit::Empty;
    if (account.size() > static_cast<size_t>(CTrAccLocalArray::kAccountWidth)
        || comment.size() > static_cast<size_t>(CTrAccLocalArray::kTextWidth))
        return KvTrAccEdit::TooLong;
    return KvTrAccEdit::Done;
}

} // namespace

CTrAccEditForm::CTrAccEditForm(CTrAccLocalArray& list)
    : m_list(list)
    , m_opened(list.m_entries)
{
}

bool CTrAccEditForm::EntryOkEnabled(std::string_view account, std::string_view comment)
{
    return !account.empty() && !comment.empty();
}

int CTrAccEditForm::Insert(CTrAccLocal entry)
{
    // std::string compares as unsigned bytes: "B1" comes before "a1".
    auto& entries = m_list.m_entries;
    const auto at = std::upper_bound(entries.begin(), entries.end(), entry.account,
        [](const std::string& code, const CTrAccLocal& e) { return code < e.account; });
    const auto index = at - entries.begin();
    entries.insert(at, std::move(entry));
    return static_cast<int>(index);
}

KvTrAccEdit CTrAccEditForm::Add(std::string_view account, std::string_view comment, int& position)
{
    if (m_list.GetSize() >= kTrAccLimit)
        return KvTrAccEdit::ListFull;
    if (const KvTrAccEdit e = CheckEntry(account, comment); e != KvTrAccEdit::Done)
        return e;
    position = Insert({ std::string(account), std::string(comment) });
    return KvTrAccEdit::Done;
}

KvTrAccEdit CTrAccEditForm::Change(int index, std::string_view account, std::string_view comment, int& position)
{
    if (index < 0 || index >= m_list.GetSize())
        return KvTrAccEdit::NoEntry;
    if (const KvTrAccEdit e = CheckEntry(account, comment); e != KvTrAccEdit::Done)
        return e;
    m_list.m_entries.erase(m_list.m_entries.begin() + index);
    position = Insert({ std::string(account), std::string(comment) });
    return KvTrAccEdit::Done;
}

KvTrAccEdit CTrAccEditForm::Delete(int index, int& selection)
{
    if (index < 0 || index >= m_list.GetSize())
        return KvTrAccEdit::NoEntry;
    m_list.m_entries.erase(m_list.m_entries.begin() + index);
    selection = m_list.m_entries.empty() ? -1 : std::max(index - 1, 0);
    return KvTrAccEdit::Done;
}

bool CTrAccEditForm::Save(const std::filesystem::path& path) const
{
    return m_list.SaveFile(path);
}

void CTrAccEditForm::Restore()
{
    m_list.m_entries = m_opened;
}

std::string TrAccListKey(std::string_view user, std::string_view next, std::string_view firm)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Text(next, kNextWidth).Text(firm, kCodeWidth);
    return w.Str();
}

int CTrAccHostList::Request(std::string_view firmCode)
{
    m_rows.clear();
    m_next = std::string(kNextWidth, '0');
    const std::string firm(firmCode);
    return RunSnapshotLoop(kTrAccListRequest, this, [this, &firm](KvFieldWriter& w) {
        w.Text(m_next, kNextWidth).Text(firm, kCodeWidth);
    });
}

void ReadHostAccounts(CRecordReader& reader, int32_t count, std::vector<KvHostAccount>& rows)
{
    const int32_t held = static_cast<int32_t>(reader.Remaining() / kRowWidth);
    const int32_t n = std::clamp(count, 0, held);
    for (int32_t i = 0; i < n; ++i) {
        KvHostAccount row;
        row.code = reader.Text(kCodeWidth);
        row.status = reader.Char();
        DecodeGuarded([&] { rows.push_back(std::move(row)); });
    }
}

int FindHostAccount(const std::vector<KvHostAccount>& rows, std::string_view code)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code == code)
            return static_cast<int>(i);
    return -1;
}

int CTrAccHostList::Decode(CRecordReader& reader)
{
    const std::string next = reader.TextNoStrip(kNextWidth);
    reader.Skip(12);
    const char last = reader.Char();
    const int32_t count = reader.Int(6);
    if (!reader.Ok()) {
        fLastRec = 1; // a damaged reply gives no key to continue with
        return 0;
    }
    m_next = next;
    const size_t before = m_rows.size();
    ReadHostAccounts(reader, count, m_rows);
    if (last == '1' || m_rows.size() == before)
        fLastRec = 1;
    return 1;
}

char KvSessionFlagLetter()
{
    const CSession* session = KvSession();
    return session == nullptr || session->m_bSuspendNotify > 0 ? 'Y' : 'N';
}

char KvDisplayLetter()
{
    return KvDisplayType();
}

std::string BuildTrAccStatusRecord(std::string_view user, bool suspend, std::string_view firm,
    std::string_view account, char sessionFlag, char display)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth)
        .Char(suspend ? kOprAccountSuspend : kOprAccountUnsuspend)
        .Text(firm, kCodeWidth)
        .Text(account, kCodeWidth)
        .Char(sessionFlag)
        .Char(display);
    return w.Str();
}
