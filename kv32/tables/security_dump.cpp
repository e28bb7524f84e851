// The dump of the security table written after each snapshot: the list
// stamp, the record count, then every record's fields in a fixed order.
// Nothing in the system reads it; it is there for looking at a session's data.
#include <type_traits>

#include "fw/core/archive.h"
#include "kv32/tables/security_table.h"
#include "kv32/tables/table_settings.h"

namespace {

void Put(fw::Archive& ar, int32_t v)
{
    ar.writeLong(v);
}

void Put(fw::Archive& ar, char v)
{
    ar.writeByte(static_cast<uint8_t>(v));
}

template <size_t N> void Put(fw::Archive& ar, const char (&text)[N])
{
    ar.writeBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text), N));
}

void Put(fw::Archive& ar, const CDouble& v)
{
    ar.writeDouble(static_cast<double>(v));
    ar.writeDWord(v.GetDecimal());
}

void Put(fw::Archive& ar, const CDateTime& v)
{
    ar.writeLong(static_cast<int32_t>(v.GetStatus()));
    const bool valid = v.IsValid();
    for (int part : { valid ? v.GetYear() : 0, valid ? v.GetMonth() : 0, valid ? v.GetDay() : 0,
             valid ? v.GetHour() : 0, valid ? v.GetMinute() : 0, valid ? v.GetSecond() : 0 })
        ar.writeWord(static_cast<uint16_t>(part));
}

template <class... T> void PutAll(fw::Archive& ar, const T&... fields)
{
    (Put(ar, fields), ...);
}

void PutRecord(fw::Archive& ar, const SecurityRec& r)
{
    PutAll(ar, r.nAlertLink, r.szCode, r.szDistribution, r.szShortName, r.dAccruedInterest, r.dYield, r.szStatus,
        r.szBoardName, r.szName, r.szRemarks, r.szSession, r.dIpoPrice, r.dEarnings, r.dEps, r.dtPrevDate,
        r.dPrevPrice, r.dValueCum, r.dVolumeCum, r.dOneDecimal, r.nPriceDec, r.dBid, r.dOffer, r.dOpen, r.dHigh,
        r.dLow, r.dLast, r.dQuantity, r.dValue, r.dWap, r.dChangeToday, r.dPctChangeToday, r.dChangeLast,
        r.dBidDepth, r.dBidDepthTotal, r.dLastOffMarket, r.dNumBids, r.dNumOffers, r.dOfferDepth,
        r.dOfferDepthTotal, r.dRefPrice, r.dtTime, r.dVolumeToday, r.dValueToday, r.dQtyOffMarket, r.szMarket,
        r.szSector, r.dNumTrades, r.dNumOrders, r.dOpenOrders, r.szText3, r.nValueDec, r.szMethods, r.cOneChar,
        r.dAvgVolumeLastMonth, r.dPlannedIssueSize, r.dNumber316, r.nYieldDec, r.dCircuitCeiling, r.dCircuitFloor,
        r.dClose, r.szInstrCode, r.szE, r.szD, r.szText10, r.szText1, r.dPrice393, r.nIndexFlag, r.szText409,
        r.szIsin, r.szText433, r.dtDate447, r.dtDate455, r.dtMaturity, r.szStrike, r.szBarrier, r.szUnderlying,
        r.szAnnouncement, r.dLot, r.szSectorName, r.dTheoreticalPrice);
}

} // namespace

void CSecurityTable::WriteDump() const
{
    const std::filesystem::path& folder = KvTableSettings().settingsPath;
    if (folder.empty())
        return;
    fw::Archive ar;
    ar.writeString(m_szListStamp);
    ar.writeCount(static_cast<uint32_t>(GetCount()));
    auto* self = const_cast<CSecurityTable*>(this);
    for (int i = 0; i < GetCount(); ++i)
        PutRecord(ar, *self->GetRec(i));
    // A dump that cannot be written is no loss: nothing reads it.
    (void)ar.saveFile(folder / kDumpFile);
}
