#include "kv32/dialogs/auction/auction_form.h"

#include <charconv>
#include <cstring>

#include "fw/core/codepage.h"
#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "kv32/res/auction_ids.h"
#include "kv32/shell/permissions.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr KvAuctionTraits kPrimary { 0, 120, 121, true, IDS_AU_PRIMARY_TITLE, kDealSell, 33169, 136 };
constexpr KvAuctionTraits kBuyBack { IDS_AU_BUYBACK_CAPTION, 173, 174, false, IDS_AU_BUYBACK_TITLE, kDealBuy, 33186,
    179 };

constexpr int kSecurityCodeWidth = 17;
constexpr int kAuctionIdWidth = 10;
constexpr int kKeyWidth = 16;
constexpr int kCountWidth = 16;
constexpr int kFigureWidth = 9;

constexpr uint32_t kEdits[] = { IDC_AU_MIN, IDC_AU_MAX, IDC_AU_INCREMENT, IDC_AU_PRICE };
constexpr uint32_t kSizeEdits[] = { IDC_AU_MIN, IDC_AU_MAX, IDC_AU_INCREMENT };

std::string Trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The digits of an edit as a whole number; nullopt beyond the edit's 16 digits.
std::optional<uint64_t> SizeValue(std::string_view text)
{
    if (!IsSoundlyGrouped(text))
        return std::nullopt;
    uint64_t value = 0;
    int digits = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            continue;
        if (++digits > kAuctionSizeDigits)
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

int FindExact(const std::vector<std::string>& items, const std::string& text)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (fw::cp1250EqualNoCase(items[i], text))
            return static_cast<int>(i);
    return -1;
}

// The security of this short name on the named board; -1 none.
int SecurityOnBoard(const std::string& shortName, const std::string& boardName)
{
    CBoardTable& boards = BoardTable();
    const int board = boardName.empty() ? -1 : boards.FindByName(boardName.c_str());
    if (board < 0 || shortName.empty())
        return -1;
    const char* code = boards.GetRec(board)->szCode;
    CSecurityTable& securities = SecurityTable();
    for (int i = 0; i < securities.GetCount(); ++i) {
        const SecurityRec* rec = securities.GetRec(i);
        if (CSecurityTable::CodeHasBoard(rec->szCode, code) && shortName == rec->szShortName)
            return i;
    }
    return -1;
}

} // namespace

const KvAuctionTraits& AuctionTraits(KvAuctionKind kind)
{
    return kind == KvAuctionKind::Primary ? kPrimary : kBuyBack;
}

void KvBindAuctionCommands(fw::CommandMap& map, std::function<void(KvAuctionKind kind)> run)
{
    for (const KvAuctionKind kind : { KvAuctionKind::Primary, KvAuctionKind::BuyBack }) {
        const unsigned id = AuctionTraits(kind).commandId;
        map.onCommand(id, [id, kind, run] {
            if (ps != nullptr && IsCommandAllowed(id) && run)
                run(kind);
        });
        map.onUpdate(id, [id](fw::CmdUI& ui) { ui.enable(ps != nullptr && IsCommandAllowed(id)); });
    }
}

std::string BuildAuctionSummaryKey(std::string_view securityCode)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Text(securityCode, kSecurityCodeWidth);
    return w.Str();
}

std::string BuildAuctionResultKey(const KvAuctionResultRequest& r)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Text(r.securityCode, kSecurityCodeWidth)
        .Unsigned(r.minimum, kAuctionSizeDigits)
        .Unsigned(r.maximum, kAuctionSizeDigits);
    // The key and the auction id are texts filled with '0' on the left.
    if (r.key.size() > static_cast<size_t>(kKeyWidth) || r.auctionId.size() > static_cast<size_t>(kAuctionIdWidth)
        || r.limit.size() != static_cast<size_t>(kAuctionLimitWidth))
        return {};
    w.Raw(std::string(kKeyWidth - r.key.size(), '0') + r.key)
        .Unsigned(r.increment, kAuctionSizeDigits)
        .Raw(r.limit)
        .Char(r.yield ? 'Y' : 'P')
        .Raw(std::string(kAuctionIdWidth - r.auctionId.size(), '0') + r.auctionId);
    return w.Str();
}

std::optional<KvAuctionSummary> DecodeAuctionSummary(CRecordReader& reader)
{
    KvAuctionSummary s;
    reader.Skip(kSecurityCodeWidth);
    s.auctionId = Trimmed(reader.TextNoStrip(kAuctionIdWidth));
    s.orders = reader.Decimal(kCountWidth, 0);
    s.bidQuantity = reader.Decimal(kCountWidth, 0);
    s.marketQuantity = reader.Decimal(kCountWidth, 0);
    if (!reader.Ok())
        return std::nullopt;
    return s;
}

std::optional<KvAuctionRowReply> DecodeAuctionRow(CRecordReader& reader, unsigned priceDecimals, unsigned yieldDecimals)
{
    KvAuctionRowReply row;
    reader.Skip(kSecurityCodeWidth);
    const char mark = reader.Char();
    if (!reader.Ok())
        return std::nullopt;
    if (mark != 'Y')
        return row;
    row.valid = true;
    const int pd = static_cast<int>(priceDecimals);
    const int yd = static_cast<int>(yieldDecimals);
    row.key = reader.TextNoStrip(kKeyWidth);
    row.averagePrice = reader.Decimal(kFigureWidth, pd);
    row.averageYield = reader.Decimal(kFigureWidth, yd);
    row.marketSize = reader.Decimal(kCountWidth, 0);
    row.limitSize = reader.Decimal(kCountWidth, 0);
    row.totalValue = reader.Decimal(kCountWidth, 0);
    row.priceReached = reader.Decimal(kFigureWidth, pd);
    row.yieldReached = reader.Decimal(kFigureWidth, yd);
    if (!reader.Ok())
        return std::nullopt;
    return row;
}

KvAuctionRangeCheck CheckAuctionRange(std::string_view minimum, std::string_view maximum, std::string_view increment)
{
    KvAuctionRangeCheck check;
    const auto refuse = [&check](uint32_t focus) {
        check.messageId = IDS_AU_INVALID_VALUE;
        check.focusId = focus;
        return check;
    };
    const std::optional<uint64_t> lo = SizeValue(minimum);
    const std::optional<uint64_t> hi = SizeValue(maximum);
    const std::optional<uint64_t> step = SizeValue(increment);
    if (!lo || !hi || *lo == 0 || *lo > *hi)
        return refuse(IDC_AU_MIN);
    const uint64_t span = *hi - *lo;
    if (!step || *step == 0 || *step > span)
        return refuse(IDC_AU_INCREMENT);
    // More sizes than anyone reads; also bounds the rows and requests.
    if (span / *step >= static_cast<uint64_t>(kAuctionMaxSizes))
        return refuse(IDC_AU_INCREMENT);
    check.range = { *lo, *hi, *step, static_cast<int>(span / *step) + 1 };
    return check;
}

CAuctionForm::CAuctionForm(KvAuctionKind kind)
    : m_kind(kind)
    , m_traits(AuctionTraits(kind))
{
    for (uint32_t id : { IDC_AU_BOARD, IDC_AU_SECURITY, IDC_AU_ORDERS, IDC_AU_BID_QTY, IDC_AU_MKT_QTY,
             IDC_AU_PRICE_LABEL, IDC_AU_CONVERTED_LABEL, IDC_AU_CONVERTED, IDC_AU_MOF, IDC_AU_EXPORT, IDC_AU_CLOSE })
        C(id);
    for (uint32_t id : { IDC_AU_MIN, IDC_AU_MAX, IDC_AU_INCREMENT, IDC_AU_PRICE, IDC_AU_YIELD, IDC_AU_CALCULATE })
        C(id).enabled = false;
    m_cells.Init(kAuctionInitialRows, kAuctionColumns, m_traits.firstTitleId);
}

const KvFormControl& CAuctionForm::Control(uint32_t id) const
{
    static const KvFormControl kNone;
    const auto it = m_controls.find(id);
    return it != m_controls.end() ? it->second : kNone;
}

std::string CAuctionForm::Caption() const
{
    return m_traits.captionId != 0 ? Kv32AuctionString(m_traits.captionId) : std::string();
}

std::string CAuctionForm::Selected(uint32_t id) const
{
    const KvFormControl& c = Control(id);
    return c.sel >= 0 && c.sel < static_cast<int>(c.items.size()) ? c.items[static_cast<size_t>(c.sel)] : std::string();
}

unsigned CAuctionForm::PriceDecimals() const
{
    const SecurityRec* rec = m_nSecurity >= 0 && m_nSecurity < SecurityTable().GetCount()
        ? SecurityTable().GetRec(m_nSecurity)
        : nullptr;
    return rec != nullptr && rec->nPriceDec > 0 ? static_cast<unsigned>(rec->nPriceDec) : 0;
}

unsigned CAuctionForm::YieldDecimals() const
{
    const SecurityRec* rec = m_nSecurity >= 0 && m_nSecurity < SecurityTable().GetCount()
        ? SecurityTable().GetRec(m_nSecurity)
        : nullptr;
    return rec != nullptr && rec->nYieldDec > 0 ? static_cast<unsigned>(rec->nYieldDec) : 0;
}

void CAuctionForm::Refuse(uint32_t messageId, uint32_t focusId)
{
    std::string text = Kv32AuctionString(messageId);
    // A separator out of place is named, not lost in "invalid value".
    if (messageId == IDS_AU_INVALID_VALUE)
        for (uint32_t number : { IDC_AU_MIN, IDC_AU_MAX, IDC_AU_INCREMENT, IDC_AU_PRICE })
            if (number == focusId)
                text = NumberRefusalText(Control(number).text, text);
    KvMessageBox(text, fw::MB_ICONSTOP);
    m_nFocus = focusId;
}

void CAuctionForm::Init()
{
    KvFormControl& boards = C(IDC_AU_BOARD);
    boards.items = BoardTable().FillList();
    boards.data.assign(boards.items.size(), 0);
    boards.sel = -1;
    const KvActiveRow* active = KvActiveListRow();
    if (active != nullptr && active->TableId() == kListSecurities) {
        const int index = active->RecordIndex();
        if (index >= 0 && index < SecurityTable().GetCount()) {
            const SecurityRec* rec = SecurityTable().GetRec(index);
            boards.sel = FindExact(boards.items, rec->szBoardName);
            BoardChanged();
            KvFormControl& securities = C(IDC_AU_SECURITY);
            securities.sel = FindExact(securities.items, rec->szShortName);
        }
    }
    BoardChanged();
}

void CAuctionForm::SelectBoard(int index)
{
    KvFormControl& boards = C(IDC_AU_BOARD);
    boards.sel = index >= 0 && index < static_cast<int>(boards.items.size()) ? index : -1;
    BoardChanged();
}

void CAuctionForm::SelectSecurity(int index)
{
    KvFormControl& securities = C(IDC_AU_SECURITY);
    securities.sel = index >= 0 && index < static_cast<int>(securities.items.size()) ? index : -1;
    SecurityChanged();
}

void CAuctionForm::BoardChanged()
{
    const std::string remembered = Selected(IDC_AU_SECURITY);
    KvFormControl& securities = C(IDC_AU_SECURITY);
    securities.items.clear();
    securities.data.clear();
    securities.sel = -1;
    CBoardTable& boards = BoardTable();
    const std::string boardName = Selected(IDC_AU_BOARD);
    const int board = boardName.empty() ? -1 : boards.FindByName(boardName.c_str());
    if (board >= 0) {
        const std::string code = boards.GetRec(board)->szCode;
        CSecurityTable& table = SecurityTable();
        for (int i = 0; i < table.GetCount(); ++i) {
            const SecurityRec* rec = table.GetRec(i);
            if (CSecurityTable::CodeHasBoard(rec->szCode, code.c_str())) {
                securities.items.emplace_back(rec->szShortName);
                securities.data.push_back(i);
            }
        }
    }
    if (!remembered.empty()) {
        securities.sel = FindExact(securities.items, remembered);
        if (securities.sel >= 0)
            SecurityChanged();
    }
}

void CAuctionForm::SecurityChanged()
{
    const KvFormControl& securities = Control(IDC_AU_SECURITY);
    const int index = securities.sel >= 0 && securities.sel < static_cast<int>(securities.data.size())
        ? securities.data[static_cast<size_t>(securities.sel)]
        : -1;
    if (index == m_nSecurity)
        return;
    Reset();
    m_nSecurity = index;
    if (index < 0 || index >= SecurityTable().GetCount()) {
        m_nSecurity = -1;
        Refuse(IDS_AU_INVALID_SECURITY, IDC_AU_SECURITY);
        return;
    }
    m_sSecurityCode = SecurityTable().GetRec(index)->szCode;
    const std::string key = BuildAuctionSummaryKey(m_sSecurityCode);
    if (!key.empty())
        VORLInfoReq(m_traits.summaryCode, key.data(), static_cast<int>(key.size()), this);
}

void CAuctionForm::Reset()
{
    for (uint32_t id : { IDC_AU_ORDERS, IDC_AU_BID_QTY, IDC_AU_MKT_QTY, IDC_AU_CONVERTED })
        C(id).text.clear();
    for (uint32_t id : kEdits) {
        C(id).text.clear();
        C(id).enabled = false;
    }
    C(IDC_AU_YIELD).checked = false;
    C(IDC_AU_YIELD).enabled = false;
    m_sAuctionId.clear();
    m_cells.ClearValues();
    SizeChanged();
}

void CAuctionForm::SizeChanged()
{
    bool filled = true;
    for (uint32_t id : kSizeEdits)
        filled = filled && !Control(id).text.empty();
    C(IDC_AU_CALCULATE).enabled = filled;
    C(IDC_AU_MOF).enabled = filled;
    if (!filled)
        m_cells.ClearValues();
}

void CAuctionForm::Type(uint32_t id, const std::string& text)
{
    if (m_controls.count(id) == 0)
        return;
    C(id).text = text;
    if (id == IDC_AU_MIN || id == IDC_AU_MAX || id == IDC_AU_INCREMENT) {
        SizeChanged();
    } else if (id == IDC_AU_PRICE) {
        SizeChanged();
        C(IDC_AU_CONVERTED).text.clear();
    }
}

void CAuctionForm::Leave(uint32_t id)
{
    if (id == IDC_AU_PRICE)
        Convert();
}

void CAuctionForm::Click(uint32_t id)
{
    if (id == IDC_AU_YIELD && Control(id).enabled) {
        C(id).checked = !C(id).checked;
        YieldSwitch();
    } else if (id == IDC_AU_CALCULATE && Control(id).enabled) {
        Calculate();
    }
}

void CAuctionForm::ShowSummary(const KvAuctionSummary& s)
{
    m_sAuctionId = s.auctionId;
    C(IDC_AU_ORDERS).text = s.orders.Format(0, 0);
    C(IDC_AU_BID_QTY).text = s.bidQuantity.Format(0, 0);
    C(IDC_AU_MKT_QTY).text = s.marketQuantity.Format(0, 0);
    for (uint32_t id : kEdits)
        C(id).enabled = true;
    const bool yield = m_nSecurity >= 0 && SecurityTable().GetRec(m_nSecurity)->cYieldFlag == '1';
    C(IDC_AU_YIELD).enabled = yield;
    C(IDC_AU_YIELD).checked = yield;
    YieldSwitch();
}

void CAuctionForm::YieldSwitch()
{
    const bool yield = Control(IDC_AU_YIELD).checked;
    const std::string price = Kv32AuctionString(IDS_AU_PRICE) + ":";
    const std::string yieldText = Kv32AuctionString(IDS_AU_YIELD) + ":";
    C(IDC_AU_PRICE_LABEL).text = yield ? yieldText : price;
    C(IDC_AU_CONVERTED_LABEL).text = yield ? price : yieldText;
    C(IDC_AU_PRICE).text = m_swap.Toggle(yield, Control(IDC_AU_PRICE).text, Control(IDC_AU_CONVERTED).text);
    SizeChanged();
    Convert();
}

void CAuctionForm::Convert()
{
    if (!Control(IDC_AU_YIELD).enabled)
        return;
    C(IDC_AU_CONVERTED).text.clear();
    const std::string text = Control(IDC_AU_PRICE).text;
    if (text.empty())
        return;
    const int security = SecurityOnBoard(Selected(IDC_AU_SECURITY), Selected(IDC_AU_BOARD));
    if (security < 0) {
        Refuse(IDS_AU_INVALID_SECURITY, IDC_AU_SECURITY);
        return;
    }
    const SecurityRec* rec = SecurityTable().GetRec(security);
    const bool yield = Control(IDC_AU_YIELD).checked;
    const unsigned priceDecimals = rec->nPriceDec > 0 ? static_cast<unsigned>(rec->nPriceDec) : 0;
    const unsigned yieldDecimals = rec->nYieldDec > 0 ? static_cast<unsigned>(rec->nYieldDec) : 0;
    const unsigned decimals = yield ? yieldDecimals : priceDecimals;
    const std::optional<std::string> wire = Cur2Str(text, kAuctionLimitWidth, static_cast<int>(decimals));
    int64_t units = 0;
    if (!wire || std::from_chars(wire->data(), wire->data() + wire->size(), units).ec != std::errc()
        || (!m_traits.signedPrice && units < 0)) {
        Refuse(IDS_AU_INVALID_VALUE, IDC_AU_PRICE);
        return;
    }
    PriceYieldInput input;
    input.yieldEntered = yield;
    input.securityKey = rec->szCode;
    input.board = Selected(IDC_AU_BOARD);
    input.value = CDouble(static_cast<double>(units) / CDouble::Multiplier(decimals), decimals);
    input.priceDecimals = priceDecimals;
    input.yieldDecimals = yieldDecimals;
    CDouble converted;
    // The routine skips a repeated question; the dialog always asks, as it emptied the value.
    ResetPriceYieldConversion();
    if (convert && convert(input, converted) == PriceYieldResult::Converted)
        C(IDC_AU_CONVERTED).text = converted.Format(1, 0);
}

void CAuctionForm::Calculate()
{
    const bool yield = Control(IDC_AU_YIELD).checked;
    const std::string& price = Control(IDC_AU_PRICE).text;
    const std::optional<std::string> limit = Cur2Str(price.empty() ? std::string("0") : price, kAuctionLimitWidth,
        static_cast<int>(yield ? YieldDecimals() : PriceDecimals()));
    if (!limit || (!m_traits.signedPrice && limit->find('-') != std::string::npos)) {
        Refuse(IDS_AU_INVALID_VALUE, IDC_AU_PRICE);
        return;
    }
    const KvAuctionRangeCheck check
        = CheckAuctionRange(Control(IDC_AU_MIN).text, Control(IDC_AU_MAX).text, Control(IDC_AU_INCREMENT).text);
    if (check.messageId != 0) {
        Refuse(check.messageId, check.focusId);
        return;
    }
    m_range = check.range;
    m_cells.SetRowCount(m_range.sizes + 1);
    m_sKey.assign(kKeyWidth, '0');
    fLastRec = 0;
    m_nRows = 0;
    m_bMarketChanged = false;
    m_bStop = false;
    m_cells.ClearValues();
    // Each request brings at least one new row or ends the loop, so the range bounds it.
    for (int round = 0; round <= m_range.sizes && fLastRec == 0; ++round) {
        if (m_bMarketChanged || (pvorl != nullptr && pvorl->IsError()))
            break;
        const std::string key = BuildAuctionResultKey({ m_sSecurityCode, m_range.minimum, m_range.maximum, m_sKey,
            m_range.increment, *limit, yield, m_sAuctionId });
        if (key.empty())
            break;
        const int before = m_nRows;
        if (!VORLInfoReq(m_traits.resultCode, key.data(), static_cast<int>(key.size()), this))
            break;
        if (m_bStop || (m_nRows == before && !m_bMarketChanged) || m_nRows >= m_range.sizes)
            break;
    }
    if (m_bMarketChanged)
        MarketChanged();
}

void CAuctionForm::TakeRow(const KvAuctionRowReply& row)
{
    if (m_nRows >= m_range.sizes || row.key == m_sKey) {
        m_bStop = true;
        return;
    }
    m_sKey = row.key;
    const double size = static_cast<double>(m_range.minimum + m_range.increment * static_cast<uint64_t>(m_nRows));
    const double limit = row.limitSize;
    const double market = row.marketSize;
    const double sum = limit + market;
    const KvAuctionValues values { CDouble(size, 0), row.averagePrice, row.averageYield, row.priceReached,
        row.yieldReached, row.totalValue, row.limitSize, row.marketSize,
        sum == 0 ? AuctionNoValue(2) : CDouble(limit / sum * 100.0, 2),
        sum == 0 ? AuctionNoValue(2) : CDouble(market / sum * 100.0, 2) };
    ++m_nRows;
    m_cells.SetRow(m_nRows, values);
}

void CAuctionForm::MarketChanged()
{
    KvMessageBox(Kv32AuctionString(IDS_AU_MARKET_CHANGED), fw::MB_OK);
    m_nSecurity = -1;
    m_bMarketChanged = false;
    std::map<uint32_t, std::string> saved;
    for (uint32_t id : kEdits)
        saved[id] = Control(id).text;
    SecurityChanged();
    for (uint32_t id : kEdits)
        Type(id, saved[id]);
}

std::optional<KvAuctionOrderPreset> CAuctionForm::RowOrder(int row) const
{
    return AuctionRowOrder(m_cells, row, Selected(IDC_AU_BOARD), Selected(IDC_AU_SECURITY),
        Control(IDC_AU_YIELD).checked);
}

int CAuctionForm::StoreDataItem(tagTMSG* message)
{
    m_nType = message != nullptr ? message->nType : 0;
    CVorlTarget::StoreDataItem(message);
    return 1;
}

int CAuctionForm::Decode(CRecordReader& reader)
{
    if (m_nType == m_traits.summaryCode) {
        const std::optional<KvAuctionSummary> summary = DecodeAuctionSummary(reader);
        if (!summary)
            return 0;
        ShowSummary(*summary);
        return 1;
    }
    if (m_nType == m_traits.resultCode) {
        const std::optional<KvAuctionRowReply> row = DecodeAuctionRow(reader, PriceDecimals(), YieldDecimals());
        if (!row)
            return 0;
        if (!row->valid)
            m_bMarketChanged = true;
        else
            TakeRow(*row);
        return 1;
    }
    return 0;
}
