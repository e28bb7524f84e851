#include "kv32/tables/trader_table.h"

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
constexpr int kAllRows = 8, kOwnFirm = 4, kOnlySelf = 2;

void YesWhen(bool yes, char* text, size_t size)
{
    const std::string word = yes ? Kv32TableString(IDS_YES) : std::string();
    std::snprintf(text, size, "%s", word.c_str());
}

} // namespace

void ReadPartyStatistics(CRecordReader& reader, CDouble (&stats)[kPartyStatistics])
{
    for (CDouble& s : stats)
        s = reader.Decimal(16, 0);
}

void TestPartyStatistics(const std::function<void(int32_t, int, const CDouble&)>& test, int32_t link,
    const CDouble (&stats)[kPartyStatistics])
{
    if (link < 0 || !test)
        return;
    for (int i = 0; i < kPartyStatistics; ++i)
        test(link, i, stats[i]);
}

std::string LoggedOnUser()
{
    const std::string user = pvorl != nullptr ? pvorl->User() : std::string();
    return user.substr(0, 12);
}

std::string OwnFirmCode()
{
    return KvTables().traders.GetFirmCode(LoggedOnUser().c_str());
}

CTraderTable::CTraderTable()
    : CSubscribedTable<CHostPtrTable<TraderRec>>(kTableId, kSnapshotRequest, kChangeRequest)
{
}

void CTraderTable::OnLoad()
{
    m_aColors = { kSystemWindowColor };
    m_aColorNames = { IDS_SUSPENDED_TRADER };
}

int CTraderTable::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->nType != kChangeRequest)
        return CSubscribedTable<CHostPtrTable<TraderRec>>::StoreDataItem(message);
    DecodeMessageBytes(message, [this](std::string_view report) { return DecodeUpdate(report); });
    return 1;
}

int CTraderTable::Decode(CRecordReader& reader)
{
    const std::string key = reader.TextNoStrip(kNextKeyWidth);
    TraderRec rec;
    rec.nIndex = GetCount();
    CopyText(rec.szCode, reader.Text(12));
    CopyText(rec.szName, reader.Text(30));
    CopyText(rec.szFirm, reader.Text(12));
    CopyText(rec.szRole, reader.Text(12));
    const char status = reader.Char(); // 74
    const char approve = reader.Char(); // 75
    rec.nYFlag = reader.Char() == 'Y' ? 1 : 0; // 76
    CopyText(rec.szPhone, reader.Text(30));
    CopyText(rec.szText, reader.Text(50));
    const char last = reader.Char(); // 157
    if (!reader.Ok())
        return 0;
    TakeStateLetter(status, rec.szStatus, rec.nActive);
    YesWhen(approve == 'Y', rec.szApprove, sizeof rec.szApprove);
    TakeNextKey(key);
    fLastRec = last == '1' ? 1 : 0;
    AddRec(rec);
    return 1;
}

int CTraderTable::DecodeUpdate(std::string_view report)
{
    CRecordReader reader(report.data(), report.size());
    const std::string seq = reader.TextNoStrip(kSeqNumWidth);
    const std::string code = reader.Text(12);
    const std::string role = reader.Text(12);
    const char status = reader.Char();
    if (!reader.Ok())
        return 0;
    TakeSeqNum(seq);
    const int row = FindByCode(code.c_str());
    TraderRec* rec = row >= 0 ? GetRec(row) : nullptr;
    if (rec != nullptr) {
        CopyText(rec->szRole, role);
        TakeStateLetter(status, rec->szStatus, rec->nActive);
    }
    if (report.size() > 35 && report[35] == '#')
        return 1;
    const std::string gateway = reader.Text(20);
    const std::string workstation = reader.Text(20);
    const char approve = reader.Char();
    const char active = reader.Char();
    const char flag = reader.Char();
    CDouble stats[kPartyStatistics];
    ReadPartyStatistics(reader, stats);
    if (!reader.Ok())
        return 0;
    if (rec == nullptr)
        return 1;
    CopyText(rec->szGateway, gateway);
    CopyText(rec->szWorkstation, workstation);
    YesWhen(approve == 'Y', rec->szApprove, sizeof rec->szApprove);
    YesWhen(active == '1', rec->szActive, sizeof rec->szActive);
    rec->nYFlag = flag == 'Y' ? 1 : 0;
    std::copy(std::begin(stats), std::end(stats), std::begin(rec->aStats));
    TestPartyStatistics(m_alertTest, rec->nAlertLink, rec->aStats);
    return 1;
}

int CTraderTable::FindByCode(const char* userId) const
{
    return FindFirstRow(*const_cast<CTraderTable*>(this),
        [&](const TraderRec& r) { return SameStripped(r.szCode, userId, 12); });
}

int CTraderTable::FindByName(const char* name) const
{
    return FindFirstRow(*const_cast<CTraderTable*>(this),
        [&](const TraderRec& r) { return SameStripped(r.szName, name, 30); });
}

int CTraderTable::FindByNameAndFirm(const char* name, const char* firmName)
{
    CParticipantTable& participants = KvTables().participants;
    const int firm = participants.FindByName(firmName, "BROK");
    if (firm < 0)
        return -1;
    const std::string_view code(participants.GetRec(firm)->szCode);
    return FindFirstRow(
        *this, [&](const TraderRec& r) { return SameStripped(r.szName, name, 30) && code == r.szFirm; });
}

std::string CTraderTable::GetFirmCode(const char* userId) const
{
    const int row = FindByCode(userId);
    return row < 0 ? std::string() : std::string(GetRec(row)->szFirm);
}

std::vector<int> CTraderTable::SelectVisible()
{
    std::vector<int> rows;
    const int rights = RightTable().GetValue(kSnapshotRequest);
    const std::string self = LoggedOnUser();
    const std::string own = OwnFirmCode();
    for (int i = 0; i < GetCount(); ++i) {
        const TraderRec& r = *GetRec(i);
        bool visible = false;
        if ((rights & kAllRows) != 0)
            visible = true;
        else if ((rights & kOwnFirm) != 0)
            visible = !own.empty() && own == r.szFirm;
        else if ((rights & kOnlySelf) != 0)
            visible = SameStripped(r.szCode, self, 12);
        if (visible)
            rows.push_back(i);
    }
    return rows;
}

std::vector<std::string> CTraderTable::FillSelCodes()
{
    std::vector<std::string> out;
    for (int row : SelectVisible())
        out.emplace_back(GetRec(row)->szCode);
    return out;
}

std::vector<std::string> CTraderTable::FillNames()
{
    std::vector<std::string> out;
    for (int i = 0; i < GetCount(); ++i)
        out.emplace_back(GetRec(i)->szName);
    return out;
}

std::vector<std::string> CTraderTable::FillCodes()
{
    std::vector<std::string> out;
    for (int i = 0; i < GetCount(); ++i)
        out.emplace_back(GetRec(i)->szCode);
    return out;
}

std::vector<std::string> CTraderTable::FillNamesOfFirm(const char* firmName)
{
    std::vector<std::string> out;
    CParticipantTable& participants = KvTables().participants;
    const int firm = participants.FindByName(firmName, "BROK");
    if (firm < 0)
        return out;
    const std::string_view code(participants.GetRec(firm)->szCode);
    for (int i = 0; i < GetCount(); ++i) {
        if (code == GetRec(i)->szFirm)
            out.emplace_back(GetRec(i)->szName);
    }
    return out;
}

void CTraderTable::LinkAlerts(const std::function<int(std::string_view code)>& find,
    const std::function<void(int definition, int row)>& link)
{
    LinkRowsToAlerts(*this, 12, find, link);
}
