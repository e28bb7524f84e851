// The security table's change reports and the change indication they start.
#include <cstring>

#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/security_table.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"

namespace {

// Header of a change report: sequence 10, row 6, code 17, item count 2.
constexpr size_t kHeaderLength = 35;

enum class Width : uint8_t { Price9, Yield9, Fixed, Value16, Price16 };

struct NumberTag {
    char tag;
    CDouble SecurityRec::*field;
    Width width;
    uint8_t chars; // for Fixed
    uint8_t decimals; // for Fixed
};

constexpr NumberTag kNumberTags[] = {
    { 'c', &SecurityRec::dYield, Width::Yield9, 0, 0 },
    { 'm', &SecurityRec::dEps, Width::Fixed, 9, 2 },
    { 'Y', &SecurityRec::dPrevPrice, Width::Price9, 0, 0 },
    { 'g', &SecurityRec::dValueCum, Width::Price9, 0, 0 },
    { 'f', &SecurityRec::dVolumeCum, Width::Price9, 0, 0 },
    { 'C', &SecurityRec::dBid, Width::Price9, 0, 0 },
    { 'G', &SecurityRec::dOffer, Width::Price9, 0, 0 },
    { 'K', &SecurityRec::dOpen, Width::Price9, 0, 0 },
    { 'L', &SecurityRec::dHigh, Width::Price9, 0, 0 },
    { 'M', &SecurityRec::dLow, Width::Price9, 0, 0 },
    { 'N', &SecurityRec::dLast, Width::Price9, 0, 0 },
    { 'Q', &SecurityRec::dQuantity, Width::Fixed, 16, 0 },
    { 'b', &SecurityRec::dValue, Width::Value16, 0, 0 },
    { 'l', &SecurityRec::dWap, Width::Price9, 0, 0 },
    { 'P', &SecurityRec::dChangeToday, Width::Price9, 0, 0 },
    { 'j', &SecurityRec::dPctChangeToday, Width::Fixed, 6, 2 },
    { 'V', &SecurityRec::dChangeLast, Width::Price9, 0, 0 },
    { 'D', &SecurityRec::dBidDepth, Width::Fixed, 16, 0 },
    { 'E', &SecurityRec::dBidDepthTotal, Width::Fixed, 16, 0 },
    { 'O', &SecurityRec::dLastOffMarket, Width::Price9, 0, 0 },
    { 'F', &SecurityRec::dNumBids, Width::Fixed, 3, 0 },
    { 'J', &SecurityRec::dNumOffers, Width::Fixed, 3, 0 },
    { 'H', &SecurityRec::dOfferDepth, Width::Fixed, 16, 0 },
    { 'I', &SecurityRec::dOfferDepthTotal, Width::Fixed, 16, 0 },
    { 'e', &SecurityRec::dRefPrice, Width::Price9, 0, 0 },
    { 'S', &SecurityRec::dVolumeToday, Width::Fixed, 16, 0 },
    { 'T', &SecurityRec::dValueToday, Width::Fixed, 16, 0 },
    { 'd', &SecurityRec::dQtyOffMarket, Width::Fixed, 16, 0 },
    { 'h', &SecurityRec::dNumTrades, Width::Fixed, 7, 0 },
    { 'i', &SecurityRec::dNumOrders, Width::Fixed, 7, 0 },
    { 'k', &SecurityRec::dOpenOrders, Width::Fixed, 7, 0 },
    { 'v', &SecurityRec::dCircuitCeiling, Width::Price9, 0, 0 },
    { 'w', &SecurityRec::dCircuitFloor, Width::Price9, 0, 0 },
    { 'z', &SecurityRec::dClose, Width::Price9, 0, 0 },
    { 't', &SecurityRec::dUpperLimit, Width::Price16, 0, 0 },
    { 'u', &SecurityRec::dLowerLimit, Width::Price16, 0, 0 },
    { '0', &SecurityRec::dVolOffToday, Width::Fixed, 16, 0 },
    { '1', &SecurityRec::dValOffToday, Width::Price16, 0, 0 },
    { '2', &SecurityRec::dVolOffTraded, Width::Fixed, 16, 0 },
    { '3', &SecurityRec::dValOffTraded, Width::Price16, 0, 0 },
    { '4', &SecurityRec::dOpenYield, Width::Yield9, 0, 0 },
    { '5', &SecurityRec::dHighYield, Width::Yield9, 0, 0 },
    { '6', &SecurityRec::dLowYield, Width::Yield9, 0, 0 },
    { '7', &SecurityRec::dClosedYield, Width::Yield9, 0, 0 },
    { '8', &SecurityRec::dRefYield, Width::Yield9, 0, 0 },
    { '9', &SecurityRec::dChangeYield, Width::Yield9, 0, 0 },
    { 'W', &SecurityRec::dChangeLty, Width::Yield9, 0, 0 },
    { 'Z', &SecurityRec::dLastOffYield, Width::Yield9, 0, 0 },
    { 'x', &SecurityRec::dBidYield, Width::Yield9, 0, 0 },
    { 'y', &SecurityRec::dOfferYield, Width::Yield9, 0, 0 },
    { '!', &SecurityRec::dWaYield, Width::Yield9, 0, 0 },
    { '%', &SecurityRec::dIndicative, Width::Price9, 0, 0 },
};

// The number tags by tag byte, built once.
struct NumberTagIndex {
    const NumberTag* byTag[256] = {};
    NumberTagIndex()
    {
        for (const NumberTag& t : kNumberTags)
            byTag[static_cast<unsigned char>(t.tag)] = &t;
    }
};

const NumberTag* FindNumberTag(char tag)
{
    static const NumberTagIndex index;
    return index.byTag[static_cast<unsigned char>(tag)];
}

int ClampDecimals(int32_t n)
{
    return n >= 0 && n <= 9 ? n : 0;
}

// A value read in its tag's width; a value cut short by its '#' is read as far as it goes.
CDouble ReadNumber(std::string_view value, int width, int decimals)
{
    const int n = static_cast<int>(value.size()) < width ? static_cast<int>(value.size()) : width;
    CRecordReader reader(value.data(), static_cast<size_t>(n));
    return reader.Decimal(n, ClampDecimals(decimals));
}

std::string ReadText(std::string_view value, int width)
{
    const int n = static_cast<int>(value.size()) < width ? static_cast<int>(value.size()) : width;
    CRecordReader reader(value.data(), static_cast<size_t>(n));
    return reader.Text(n);
}

// Dates and times want all their digits; a short value reads as invalid.
template <size_t N> void Padded(std::string_view value, char (&out)[N])
{
    std::memset(out, ' ', N - 1);
    out[N - 1] = '\0';
    std::memcpy(out, value.data(), value.size() < N - 1 ? value.size() : N - 1);
}

void SetDate(CDateTime& dt, std::string_view value)
{
    char text[9];
    Padded(value, text);
    dt.SetDateVORL(text);
}

void SetTime(CDateTime& dt, std::string_view value)
{
    char text[7];
    Padded(value, text);
    dt.SetTimeVORL(text);
}

void ShowInvalidReport()
{
    KvMessageBox(Kv32TableString(IDS_INVALID_MESSAGE_DATA) + " MSGTYPE_SEC_BOARD_CHANGE_REP", fw::MB_ICONEXCLAMATION);
}

} // namespace

int CSecurityTable::LocateReportRow(int row, std::string_view code) const
{
    if (row >= 0 && row < GetCount()
        && std::memcmp(const_cast<CSecurityTable*>(this)->GetRec(row)->szCode, code.data(), kCodeWidth) == 0)
        return row;
    return FindByCode(code);
}

int CSecurityTable::DecodeUpdate(std::string_view report)
{
    if (report.empty() || report[0] == '#' || GetCount() == 0) {
        fLastRec = 1;
        return 1;
    }
    if (report.size() < kHeaderLength)
        return 0;
    CRecordReader header(report.data(), kHeaderLength);
    const std::string seq = header.TextNoStrip(kSeqNumWidth);
    const int rowField = header.Int(6);
    header.Skip(kCodeWidth);
    const int items = header.Int(2);
    TakeSeqNum(seq);

    // A row index that does not hold the report's code is looked up by code;
    // a report for an unknown security changes nothing.
    const int row = LocateReportRow(rowField, report.substr(16, kCodeWidth));
    SecurityRec* rec = row >= 0 ? GetRec(row) : nullptr;

    const size_t limit = report.size() < kReportSearchLimit ? report.size() : kReportSearchLimit;
    size_t pos = kHeaderLength;
    bool statusChange = false;
    bool priceChange = false;
    for (int i = 0; i < items; ++i) {
        // The item: its tag, its value, and the '#' that ends it.
        const size_t hash = pos + 1 < limit ? report.find('#', pos + 1) : std::string_view::npos;
        if (hash == std::string_view::npos || hash >= limit) {
            ShowInvalidReport();
            return 1;
        }
        const char tag = report[pos];
        if (rec != nullptr) {
            const CDouble previousLast = rec->dLast != 0.0 ? rec->dLast : rec->dPrevPrice;
            if (ApplyItem(*rec, tag, report.substr(pos + 1, hash - pos - 1), statusChange, priceChange)
                && rec->nAlertLink >= 0 && m_alertTest)
                RunAlerts(*rec, tag, previousLast);
        }
        pos = hash + 1;
    }
    if (rec == nullptr)
        return 1;

    const CKvTableSettings& settings = KvTableSettings();
    if (settings.nFlashDelay != 0 || statusChange) {
        rec->nFlashTicks = 0;
        rec->nColor = kAnyChange;
    }
    if (rec->nPending == 0 && (settings.nFlashDelay != 0 || statusChange || priceChange)) {
        m_pending.push_back(row);
        rec->nPending = 1;
    }
    return 1;
}

bool CSecurityTable::ApplyItem(
    SecurityRec& rec, char tag, std::string_view value, bool& statusChange, bool& priceChange)
{
    if (const NumberTag* number = FindNumberTag(tag)) {
        int width = number->chars;
        int decimals = number->decimals;
        switch (number->width) {
        case Width::Price9:
            width = 9;
            decimals = rec.nPriceDec;
            break;
        case Width::Yield9:
            width = 9;
            decimals = rec.nYieldDec;
            break;
        case Width::Value16:
            width = 16;
            decimals = rec.nValueDec;
            break;
        case Width::Price16:
            width = 16;
            decimals = rec.nPriceDec;
            break;
        case Width::Fixed:
            break;
        }
        // A primary distribution keeps its bid.
        if (tag == 'C' && rec.szDistribution[0] != '\0')
            return false;
        const CDouble v = ReadNumber(value, width, decimals);
        rec.*(number->field) = v;
        const bool colourTag = KvTableSettings().nPriceChange == 0 ? tag == 'P' : tag == 'V';
        if (colourTag && v != 0.0) {
            rec.nColor = rec.nChangeColor = v > 0.0 ? kPositive : kNegative;
            rec.nColorTicks = 0;
            priceChange = true;
        }
        return true;
    }
    switch (tag) {
    case 'B':
        TakeStatus(rec, value.empty() ? '\0' : value[0]);
        rec.nFlashTicks = 0;
        rec.nColor = kAnyChange;
        statusChange = true;
        return true;
    case 'A':
        CopyText(rec.szRemarks, ReadText(value, 8));
        return true;
    case 'a':
        CopyText(rec.szSession, ReadText(value, 30));
        return true;
    case 'U':
        TakeMethods(rec, ReadText(value, 32));
        return true;
    case 's':
        CopyText(rec.szAnnouncement, ReadText(value, 1));
        return true;
    case 'n':
        rec.cOneChar = value.empty() ? '\0' : value[0];
        return true;
    case 'X':
        SetDate(rec.dtPrevDate, value);
        return true;
    case 'R':
        SetTime(rec.dtTime, value);
        return true;
    case 'o':
        SetDate(rec.dtSuspension, value);
        return true;
    case 'p':
        SetTime(rec.dtSuspension, value);
        return true;
    case 'q':
        SetDate(rec.dtSecond, value);
        return true;
    case 'r':
        SetTime(rec.dtSecond, value);
        return true;
    default:
        return false;
    }
}

void CSecurityTable::RunAlerts(const SecurityRec& rec, char tag, const CDouble& previousLast)
{
    auto test = [&](int figure, const CDouble& value) { m_alertTest(rec.nAlertLink, figure, value); };
    switch (tag) {
    case 'C':
        test(0, rec.dBid);
        test(12, rec.dBid);
        break;
    case 'G':
        test(1, rec.dOffer);
        test(12, rec.dOffer);
        break;
    case 'N':
        test(2, rec.dLast);
        test(13, previousLast);
        break;
    case 'L':
        test(3, rec.dHigh);
        test(11, rec.dHigh);
        break;
    case 'M':
        test(4, rec.dLow);
        test(11, rec.dLow);
        break;
    case 'K':
        test(5, rec.dOpen);
        break;
    case 'Q':
        test(6, rec.dQuantity);
        break;
    case 'b':
        test(7, rec.dValue);
        break;
    case 'S':
        test(8, rec.dVolumeToday);
        test(9, rec.dVolumeToday);
        break;
    case 'T':
        test(10, rec.dValueToday);
        break;
    case 'i':
        test(14, rec.dNumOrders);
        break;
    default:
        break;
    }
}

bool CSecurityTable::RowStep(SecurityRec& rec, bool& repaint) const
{
    if (IsSuspended(rec)) {
        rec.nColor = kSuspended;
        repaint = true;
        return true;
    }
    const CKvTableSettings& settings = KvTableSettings();
    const int flashDelay = settings.nFlashDelay;
    const int colorDelay = settings.nColorDelay;
    repaint = rec.nFlashTicks == 0 || rec.nColorTicks == 0;

    if (colorDelay == -1) {
        // The price colour is held until the next change.
        if (rec.nColorTicks == 0)
            rec.nColorTicks = 1;
        if (rec.nFlashTicks < flashDelay) {
            ++rec.nFlashTicks;
            return false;
        }
        if (rec.nFlashTicks == flashDelay) {
            ++rec.nFlashTicks;
            rec.nColor = rec.nChangeColor;
            repaint = true;
        }
        return true;
    }

    if (rec.nFlashTicks < flashDelay) {
        ++rec.nFlashTicks;
        if (rec.nColorTicks <= colorDelay)
            ++rec.nColorTicks;
        return false;
    }
    if (rec.nFlashTicks == flashDelay) {
        ++rec.nFlashTicks;
        repaint = true;
        if (rec.nColorTicks < colorDelay) {
            ++rec.nColorTicks;
            rec.nColor = rec.nChangeColor;
            return false;
        }
        if (rec.nColorTicks == colorDelay)
            ++rec.nColorTicks;
        rec.nColor = kNoColor;
        return true;
    }
    if (rec.nColorTicks < colorDelay) {
        ++rec.nColorTicks;
        return false;
    }
    if (rec.nColorTicks == colorDelay) {
        ++rec.nColorTicks;
        rec.nColor = kNoColor;
        repaint = true;
    }
    // Past both delays nothing is left to show.
    return true;
}

void CSecurityTable::ApplyPendingChanges()
{
    if (m_pending.empty())
        return;
    fw::RowHint hint(GetCount());
    size_t kept = 0;
    for (const int row : m_pending) {
        SecurityRec& rec = *GetRec(row);
        bool repaint = false;
        const bool done = RowStep(rec, repaint);
        if (repaint)
            hint.AddRow(row);
        if (done)
            rec.nPending = 0;
        else
            m_pending[kept++] = row;
    }
    m_pending.resize(kept);
    UpdateLinkedDocuments(&hint);
}
