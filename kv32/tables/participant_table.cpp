#include "kv32/tables/participant_table.h"

#include <strings.h>

#include "kv32/res/table_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/message_bytes.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/cvorl.h"

namespace {

// The system's window colour: the window layer resolves it when it paints.
constexpr uint32_t kSystemWindowColor = 0x80000005u;
constexpr int kAllRows = 8;

} // namespace

CParticipantTable::CParticipantTable()
    : CSubscribedTable<CHostPtrTable<ParticipantRec>>(kTableId, kSnapshotRequest, kChangeRequest)
{
}

void CParticipantTable::OnLoad()
{
    if (m_aColors.empty()) {
        m_aColors.push_back(kSystemWindowColor);
        m_aColorNames.push_back(0);
    }
}

int CParticipantTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    ParticipantRec rec;
    CopyText(rec.szCode, reader.Text(12));
    CopyText(rec.szName, reader.Text(30));
    const char status = reader.Char(); // 50
    rec.dNumber51 = reader.Decimal(16, 0);
    rec.dNumber67 = reader.Decimal(16, 0);
    rec.nYFlag = reader.Char() == 'Y' ? 1 : 0; // 83
    CopyText(rec.szType, reader.Text(4));
    CopyText(rec.szPhone, reader.Text(30));
    CopyText(rec.szText, reader.Text(50));
    const char last = reader.Char(); // 168
    if (!reader.Ok())
        return 0;
    TakeStateLetter(status, rec.szStatus, rec.nActive);
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CParticipantTable::DecodeUpdate(std::string_view report)
{
    CRecordReader reader(report.data(), report.size());
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const std::string code = reader.Text(12);
    const char status = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);
    const int row = FindByCode(code.c_str());
    ParticipantRec* rec = row >= 0 ? GetRec(row) : nullptr;
    if (rec != nullptr)
        TakeStateLetter(status, rec->szStatus, rec->nActive);
    if (report.size() > 23 && report[23] == '#')
        return 1;
    const int32_t count = reader.Int(4);
    const char flag = reader.Char();
    CDouble stats[kPartyStatistics];
    ReadPartyStatistics(reader, stats);
    if (!reader.Ok())
        return 0;
    if (rec == nullptr)
        return 1;
    rec->nActiveCount = count;
    rec->nYFlag = flag == 'Y' ? 1 : 0;
    std::copy(std::begin(stats), std::end(stats), std::begin(rec->aStats));
    TestPartyStatistics(m_alertTest, rec->nAlertLink, rec->aStats);
    return 1;
}

int CParticipantTable::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->nType != kChangeRequest)
        return CSubscribedTable<CHostPtrTable<ParticipantRec>>::StoreDataItem(message);
    DecodeMessageBytes(message, [this](std::string_view report) { return DecodeUpdate(report); });
    return 1;
}

int CParticipantTable::FindByCode(const char* code)
{
    return FindFirstRow(*this, [&](const ParticipantRec& r) { return SameStripped(r.szCode, code, 12); });
}

int CParticipantTable::FindByName(const char* name, const char* type1, const char* type2)
{
    return FindFirstRow(*this, [&](const ParticipantRec& r) {
        if (!SameStripped(r.szName, name, 30))
            return false;
        if (type1 == nullptr)
            return true;
        return std::string_view(r.szType) == type1 || (type2 != nullptr && std::string_view(r.szType) == type2);
    });
}

std::vector<int> CParticipantTable::SelectVisible()
{
    std::vector<int> rows;
    const bool all = (RightTable().GetValue(kSnapshotRequest) & kAllRows) != 0;
    const std::string own = all ? std::string() : OwnFirmCode();
    for (int i = 0; i < GetCount(); ++i) {
        if (all || (!own.empty() && own == GetRec(i)->szCode))
            rows.push_back(i);
    }
    return rows;
}

std::vector<std::string> CParticipantTable::Collect(const std::vector<int>& rows, bool names)
{
    std::vector<std::string> out;
    for (int row : rows)
        out.emplace_back(names ? GetRec(row)->szName : GetRec(row)->szCode);
    return out;
}

namespace {
std::vector<int> AllRows(int count)
{
    std::vector<int> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        rows[static_cast<size_t>(i)] = i;
    return rows;
}
} // namespace

std::vector<std::string> CParticipantTable::FillSelCodes() { return Collect(SelectVisible(), false); }
std::vector<std::string> CParticipantTable::FillSelNames() { return Collect(SelectVisible(), true); }
std::vector<std::string> CParticipantTable::FillCodes() { return Collect(AllRows(GetCount()), false); }
std::vector<std::string> CParticipantTable::FillNames() { return Collect(AllRows(GetCount()), true); }

bool CParticipantTable::HasTrader(const char* code) const
{
    CTraderTable& traders = KvTables().traders;
    return FindFirstRow(traders, [&](const TraderRec& t) { return strcasecmp(t.szFirm, code) == 0; }) >= 0;
}

std::vector<int> CParticipantTable::TradingRows(bool withExchange)
{
    std::vector<int> rows;
    for (int i = 0; i < GetCount(); ++i) {
        const std::string_view type(GetRec(i)->szType);
        if ((type == "BROK" || (withExchange && type == "EXCH")) && HasTrader(GetRec(i)->szCode))
            rows.push_back(i);
    }
    return rows;
}

std::vector<std::string> CParticipantTable::FillBrokerCodes() { return Collect(TradingRows(false), false); }
std::vector<std::string> CParticipantTable::FillBrokerNames() { return Collect(TradingRows(false), true); }
std::vector<std::string> CParticipantTable::FillMemberNames() { return Collect(TradingRows(true), true); }

void CParticipantTable::LinkAlerts(
    const std::function<int(std::string_view code)>& find, const std::function<void(int definition, int row)>& link)
{
    LinkRowsToAlerts(*this, 12, find, link);
}
