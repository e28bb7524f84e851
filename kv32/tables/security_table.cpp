#include "kv32/tables/security_table.h"

#include <cstring>
#include <unordered_set>

#include "fw/core/archive.h"
#include "kv32/res/table_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/message_bytes.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/selection.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/trader_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | (g << 8) | (b << 16);
}
// The system's window colour: the window layer resolves it when it paints.
constexpr uint32_t kSystemWindowColor = 0x80000005u;

// Decimal counts come from the record itself; a count outside what a number
// can carry is read as 0.
int Decimals(int32_t n)
{
    return n >= 0 && n <= 9 ? n : 0;
}

// The fields of a fixed-layout record by offset. The record has been checked
// to hold every offset read, so each field reader is in bounds.
class CFixedFields {
public:
    explicit CFixedFields(std::string_view record)
        : m_record(record)
    {
    }
    CRecordReader At(size_t offset, int width) const
    {
        return CRecordReader(m_record.data() + offset, static_cast<size_t>(width));
    }
    std::string Text(size_t offset, int width) const { return At(offset, width).Text(width); }
    int32_t Int(size_t offset, int width) const { return At(offset, width).Int(width); }
    CDouble Decimal(size_t offset, int width, int decimals) const
    {
        return At(offset, width).Decimal(width, Decimals(decimals));
    }
    CDateTime Date(size_t offset) const { return At(offset, 8).Date8(); }
    char Char(size_t offset) const { return m_record[offset]; }

private:
    std::string_view m_record;
};

bool SessionUsable()
{
    return pvorl != nullptr && !pvorl->IsError();
}

} // namespace

CSecurityTable::CSecurityTable()
    : CHostTable<SecurityRec>(kTableId, 32)
{
    std::memset(m_szListStamp, 0, sizeof m_szListStamp);
}

void CSecurityTable::DefaultColors()
{
    if (!m_aColors.empty())
        return;
    m_aColors = { Rgb(255, 0, 1), Rgb(1, 255, 0), Rgb(1, 0, 255), kSystemWindowColor };
    m_aColorNames = { IDS_NEGATIVE_PRICE_CHANGE, IDS_POSITIVE_PRICE_CHANGE, IDS_ANY_CHANGE, IDS_SUSPENDED_SECURITY };
}

void CSecurityTable::SerializeColors(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeDWordArray(m_aColors);
        return;
    }
    std::vector<uint32_t> colors = ar.readDWordArray();
    if (colors.size() == m_aColorNames.size() || m_aColorNames.empty())
        m_aColors = std::move(colors);
}

int CSecurityTable::Load()
{
    DefaultColors();
    // The list stamp: one request answered by one record.
    const int stamped = RunSnapshotLoop(kListStampRequest, this, nullptr);
    ResetNextKey();
    int result = stamped != 0 ? RunSnapshotLoop(kSnapshotRequest, this, [this](KvFieldWriter& w) {
        AppendNextKey(w);
        w.Text("", 4).Text("", 4);
    })
                              : 0;
    if (SessionUsable())
        WriteDump();
    ResetSeqNum();
    m_bLoaded = true;
    return result;
}

int CSecurityTable::UpdateReq()
{
    if (!m_bLoaded)
        return 0;
    return SendStandingRequest(kChangeRequest, this, [this](KvFieldWriter& w) {
        AppendSeqNum(w);
        w.Text("", kCodeWidth).Text("", 4).Text("", 4);
    });
}

void CSecurityTable::Free()
{
    CHostTable<SecurityRec>::Free();
    m_byCode.clear();
    m_distinct.clear();
    m_pending.clear();
    m_bLoaded = false;
}

int CSecurityTable::StoreDataItem(tagTMSG* message)
{
    DecodeMessageBytes(message, [&](std::string_view bytes) {
        switch (message->nType) {
        case kListStampRequest:
            TakeListStamp(bytes);
            return 1;
        case kSnapshotRequest:
            return DecodeSnapshot(bytes);
        case kChangeRequest:
            return DecodeUpdate(bytes);
        default:
            return 1;
        }
    });
    return 1;
}

void CSecurityTable::TakeListStamp(std::string_view reply)
{
    CRecordReader reader(reply.data(), reply.size());
    reader.Skip(120);
    const std::string stamp = reader.TextNoStrip(10);
    if (reader.Ok())
        CopyText(m_szListStamp, stamp);
    // The stamp request has one reply record.
    fLastRec = 1;
}

int CSecurityTable::Decode(CRecordReader& reader)
{
    std::string record;
    record.reserve(reader.Remaining());
    while (reader.Remaining() > 0)
        record.push_back(reader.Char());
    return DecodeSnapshot(record);
}

int CSecurityTable::DecodeSnapshot(std::string_view record)
{
    if (record.size() < kSnapshotLength)
        return 0;
    const CFixedFields f(record);
    TakeNextKey(record.substr(0, kNextKeyWidth));
    fLastRec = f.Char(1101) == '1' ? 1 : 0;
    // Only kind '0' enters the table; the resume key moves on for every kind.
    if (f.Char(8) != '0')
        return 1;

    auto rec = std::make_unique<SecurityRec>();
    SecurityRec& r = *rec;
    r.nAlertLink = -1;
    CopyText(r.szCode, record.substr(8, kCodeWidth));
    CopyText(r.szName, f.Text(25, 40));
    CopyText(r.szRemarks, f.Text(65, 8));
    CopyText(r.szShortName, f.Text(73, 20));
    const char statusLetter = f.Char(93);
    CopyText(r.szSession, f.Text(94, 30));
    CopyText(r.szMarket, f.Text(124, 4));
    CopyText(r.szSector, f.Text(136, 4));
    CopyText(r.szText3, f.Text(140, 3));
    r.nValueDec = Decimals(f.Int(143, 2));
    r.nPriceDec = Decimals(f.Int(348, 2));
    r.nYieldDec = Decimals(f.Int(445, 2));
    const int price = r.nPriceDec;
    r.dIpoPrice = f.Decimal(145, 16, price);
    r.dEarnings = f.Decimal(161, 16, price);
    r.dtPrevDate = f.Date(177);
    r.dPrevPrice = f.Decimal(185, 9, price);
    r.dVolumeCum = f.Decimal(194, 16, 0);
    r.dValueCum = f.Decimal(210, 16, 0);
    r.dYield = f.Decimal(226, 9, r.nYieldDec);
    r.dAccruedInterest = f.Decimal(235, 16, price);
    if (f.Char(251) == 'P')
        CopyText(r.szDistribution, Kv32TableString(IDS_YES));
    r.dOpenOrders = f.Decimal(252, 7, 0);
    r.dPlannedIssueSize = f.Decimal(259, 16, 0);
    r.dAvgVolumeLastMonth = f.Decimal(275, 16, 0);
    r.dNumber316 = f.Decimal(316, 16, 0);
    r.dOneDecimal = f.Decimal(350, 9, 1);
    r.dLot = f.Decimal(351, 16, 0);
    r.nIndexFlag = f.Char(367) == 'Y' ? 1 : 0;
    CopyText(r.szInstrCode, f.Text(368, 12));
    CopyText(r.szE, f.Text(380, 1));
    CopyText(r.szD, f.Text(381, 1));
    CopyText(r.szText10, f.Text(382, 10));
    CopyText(r.szText1, f.Text(392, 1));
    r.dPrice393 = f.Decimal(393, 16, price);
    CopyText(r.szText409, f.Text(409, 12));
    CopyText(r.szIsin, f.Text(421, 12));
    CopyText(r.szText433, f.Text(433, 12));
    r.dtDate447 = f.Date(447);
    r.dtDate455 = f.Date(455);
    r.dtMaturity = f.Date(463);
    CopyText(r.szStrike, f.Text(471, 255));
    CopyText(r.szBarrier, f.Text(726, 255));
    CopyText(r.szUnderlying, f.Text(981, 120));

    TakeStatus(r, statusLetter);
    const int sector = SectorTable().FindByCode(r.szSector);
    if (sector >= 0)
        CopyText(r.szSectorName, SectorTable().GetRec(sector)->szName);
    char board[5];
    CopyText(board, record.substr(9, 4));
    const int boardRow = BoardTable().FindByCode(board);
    if (boardRow >= 0)
        CopyText(r.szBoardName, BoardTable().GetRec(boardRow)->szName);
    r.dRefPrice = CDouble(0.0, 2);
    r.dtTime.SetStatus(CDateTime::invalid);
    r.nColor = r.nChangeColor = kNoColor;
    r.nColorTicks = r.nFlashTicks = kIdleTicks;
    r.nPending = 0;
    r.cSideFlag = 'E';
    r.cOwnFirmFlag = f.Char(392);
    TakeMethods(r, "");
    if (IsSuspended(r))
        r.nColor = kSuspended;
    AddSecurity(r);
    return 1;
}

namespace {
// The kind letter of the status that a record's status text names; the text
// holds the first 32 characters of the name.
char StatusKind(const SecurityRec& rec)
{
    if (rec.szStatus[0] == '\0')
        return '\0';
    CStatusTable& statuses = StatusTable();
    for (int i = 0; i < statuses.GetCount(); ++i) {
        const StatusRec* s = statuses.GetRec(i);
        if (std::strncmp(s->szName, rec.szStatus, sizeof rec.szStatus - 1) == 0)
            return s->cKind;
    }
    return '\0';
}
} // namespace

void CSecurityTable::TakeStatus(SecurityRec& rec, char statusLetter) const
{
    const int status = StatusTable().FindByKind(statusLetter);
    const char* name = status >= 0 ? StatusTable().GetRec(status)->szName : "";
    // The record keeps 32 characters of the name; the state key keeps it whole.
    CopyText(rec.szStatus, name);
    CopyText(rec.szStateKey, name);
    rec.cStatusKind = StatusKind(rec);
}

void CSecurityTable::TakeMethods(SecurityRec& rec, std::string_view methods)
{
    CopyText(rec.szMethods, methods);
    auto at = [&](size_t i) { return i < methods.size() ? methods[i] : '0'; };
    rec.cNegDealFlag = at(3);
    rec.cYieldFlag = at(10);
    rec.cTopUpFlag = at(11);
    rec.cSettleDateFlag = at(13);
    rec.cTrdAccFlag = at(14);
    rec.cSessionOrderFlag = at(24);
    rec.cDayOrderFlag = at(25);
}

void CSecurityTable::AddSecurity(const SecurityRec& rec)
{
    const int row = AddRec(rec);
    m_byCode.emplace(std::string(rec.szCode), row);
    m_distinct.clear();
}

int CSecurityTable::FindByCode(std::string_view code) const
{
    code = code.substr(0, std::min(code.find('\0'), kCodeWidth));
    const auto it = m_byCode.find(std::string(code));
    return it == m_byCode.end() ? -1 : it->second;
}

int CSecurityTable::FindByName(std::string_view shortName) const
{
    return FindFirstRow(
        *const_cast<CSecurityTable*>(this), [&](const SecurityRec& r) { return SameStripped(r.szShortName, shortName, 20); });
}

int CSecurityTable::FindByInstrument(std::string_view instrumentId) const
{
    // The codes keep the host's blanks, the replies' ids often lose them: both sides go without.
    const auto unpadded = [](std::string_view id) {
        id = id.substr(0, std::min(id.find('\0'), size_t { 12 }));
        while (!id.empty() && id.back() == ' ')
            id.remove_suffix(1);
        return id;
    };
    instrumentId = unpadded(instrumentId);
    return FindFirstRow(*const_cast<CSecurityTable*>(this),
        [&](const SecurityRec& r) { return unpadded(std::string_view(r.szCode + 5, strnlen(r.szCode + 5, 12))) == instrumentId; });
}

namespace {
// The code of a row moved to the named board, then looked up; -1 when either is unknown.
int OnNamedBoard(const CSecurityTable& table, const SecurityRec* rec, const char* boardName)
{
    const int board = BoardTable().FindByName(boardName);
    if (rec == nullptr || board < 0)
        return -1;
    char code[CSecurityTable::kCodeWidth + 1];
    std::memcpy(code, rec->szCode, sizeof code);
    CSecurityTable::SetBoardInCode(code, BoardTable().GetRec(board)->szCode);
    return table.FindByCode(code);
}
} // namespace

int CSecurityTable::FindOnBoard(std::string_view shortName, const char* boardName) const
{
    const int row = FindByName(shortName);
    return OnNamedBoard(*this, row < 0 ? nullptr : const_cast<CSecurityTable*>(this)->GetRec(row), boardName);
}

int CSecurityTable::FindOnBoardOrInstrument(std::string_view text, const char* boardName) const
{
    const int found = FindOnBoard(text, boardName);
    if (found >= 0)
        return found;
    const int row = FindByInstrument(text);
    return OnNamedBoard(*this, row < 0 ? nullptr : const_cast<CSecurityTable*>(this)->GetRec(row), boardName);
}

void CSecurityTable::SetBoardInCode(char* code, const char* boardCode)
{
    std::memset(code + 1, ' ', 4);
    std::memcpy(code + 1, boardCode, strnlen(boardCode, 4));
}

bool CSecurityTable::CodeHasBoard(const char* code, const char* boardCode)
{
    if (strnlen(code, 5) < 5)
        return false;
    return SameStripped(boardCode, std::string_view(code + 1, 4), 4);
}

int CSecurityTable::StepPrice(std::string& priceText, int row, bool up) const
{
    if (row < 0 || row >= GetCount())
        return 0;
    const int decimals = const_cast<CSecurityTable*>(this)->GetRec(row)->nPriceDec;
    const double value = Str2Dbl(priceText.c_str(), 0) + (up ? 0.1 : -0.1);
    // A step down from below 0.1 lands under zero (a rounding hair below counts as zero).
    if (value < -1e-9)
        return 0;
    priceText = Dbl2Cur(value < 0 ? 0.0 : value, decimals);
    return 1;
}

void CSecurityTable::ListOnCurrentBoard(std::vector<std::string>& names, std::vector<int>& rows)
{
    names.clear();
    rows.clear();
    CBoardTable& boards = BoardTable();
    CTable20& markets = MarketTable();
    if (boards.m_nCurrent < 0 || boards.m_nCurrent >= boards.GetCount() || markets.m_nCurrent < 0
        || markets.m_nCurrent >= markets.GetCount())
        return;
    const char* board = boards.GetRec(boards.m_nCurrent)->szCode;
    const char* market = markets.GetRec(markets.m_nCurrent)->szCode;
    for (int i = 0; i < GetCount(); ++i) {
        const SecurityRec* rec = GetRec(i);
        if (CodeHasBoard(rec->szCode, board) && std::strcmp(rec->szMarket, market) == 0) {
            names.emplace_back(rec->szShortName);
            rows.push_back(i);
        }
    }
}

const std::vector<int>& CSecurityTable::GetDistinctList()
{
    if (m_distinct.empty()) {
        std::unordered_set<std::string_view> seen;
        for (int i = 0; i < GetCount(); ++i) {
            if (seen.insert(GetRec(i)->szShortName).second)
                m_distinct.push_back(i);
        }
    }
    return m_distinct;
}


// The status table is loaded before the securities and does not change while
// they are held, so each record keeps the kind of its status.
bool CSecurityTable::IsActive(const SecurityRec& rec) const
{
    return rec.cStatusKind == 'A';
}

bool CSecurityTable::IsSuspended(const SecurityRec& rec) const
{
    return rec.cStatusKind == 'S';
}

std::string CSecurityTable::StatusText(char statusLetter) const
{
    const int status = StatusTable().FindByKind(statusLetter);
    return status < 0 ? std::string() : std::string(StatusTable().GetRec(status)->szName);
}

int CSecurityTable::SerializeSelection(fw::Archive& ar, std::vector<int>& selection)
{
    SelectionCodes codes;
    codes.rowCount = GetCount();
    codes.withIndex = true;
    codes.codeOf = [this](int row) { return std::string(GetRec(row)->szCode); };
    codes.findByCode = [this](const std::string& code) { return FindByCode(code); };
    return ::SerializeSelection(ar, selection, codes);
}

CSecurityTable& SecurityTable()
{
    return KvTables().securities;
}

void CSecurityTable::LinkAlerts(
    const std::function<int(std::string_view code)>& find, const std::function<void(int definition, int row)>& link)
{
    // Security codes are compared whole, blanks included.
    LinkRowsToAlerts(*this, kCodeWidth, find, link);
}
