// Arbitrary bytes as the stored criteria of a list window. Input: the first
// byte picks the criteria class, the rest is the archive. A load either
// throws the archive error and leaves the criteria as they were, or gives
// criteria that store, load and store again to the same bytes; loaded
// criteria then match a record and describe themselves without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/filters/all_filters.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/router/kv_trace.h"
#include "support/security_records.h"

namespace {

void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

// Two boards and a security on each, so that stored selections resolve.
void Preload()
{
    using namespace kv32test;
    Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
    Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'A', true));
    SecuritySpec first;
    SecurityTable().DecodeSnapshot(SecuritySnapshot(first));
    SecuritySpec second;
    second.key = 2;
    second.board = "BRD2";
    second.instrument = "INSTR0000002";
    second.shortName = "SEC2";
    SecurityTable().DecodeSnapshot(SecuritySnapshot(second));
}

template <class T> std::vector<uint8_t> Stored(T& criteria)
{
    fw::Archive ar;
    criteria.Serialize(ar);
    return ar.bytes();
}

template <class T, class TRecord>
void LoadAndRoundTrip(const std::vector<uint8_t>& bytes, const TRecord& record)
{
    T criteria;
    const std::vector<uint8_t> before = Stored(criteria);
    try {
        fw::Archive in(bytes);
        criteria.Serialize(in);
    } catch (const fw::ArchiveError&) {
        if (Stored(criteria) != before)
            std::abort(); // a refused load changed the criteria
        return;
    }
    const std::vector<uint8_t> once = Stored(criteria);
    T again;
    fw::Archive in(once);
    again.Serialize(in);
    if (Stored(again) != once)
        std::abort();
    if constexpr (!std::is_same_v<TRecord, std::nullptr_t>)
        (void)criteria.Match(record);
    std::string title = "T";
    criteria.GetDescription(title);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        KvSetTraceSink([](const std::string&) {});
        Preload();
        return true;
    }();
    (void)ready;
    if (size == 0)
        return 0;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    switch (data[0] % 10) {
    case 0:
        LoadAndRoundTrip<COrdersFilter>(bytes, COrderRec {});
        break;
    case 1:
        LoadAndRoundTrip<CAuditsFilter>(bytes, AuditEventRec {});
        break;
    case 2:
        LoadAndRoundTrip<CLogsFilter>(bytes, CLogEntry {});
        break;
    case 3:
        LoadAndRoundTrip<CNDealsFilter>(bytes, CNegDealRec {});
        break;
    case 4:
        LoadAndRoundTrip<CTradesFilter>(bytes, CTradeRec {});
        break;
    case 5:
        LoadAndRoundTrip<CPrivateOrderFilter>(bytes, CLocalOrderRec {});
        break;
    case 6:
        LoadAndRoundTrip<CLastNFilter>(bytes, LastTradeRec {});
        break;
    case 7:
        LoadAndRoundTrip<COrdCountFilter>(bytes, COrdCountRec {});
        break;
    case 8:
        LoadAndRoundTrip<CFirmsFilter>(bytes, ParticipantRec {});
        break;
    case 9:
        if (data[0] % 20 < 10)
            LoadAndRoundTrip<CTradersFilter>(bytes, TraderRec {});
        else
            LoadAndRoundTrip<CCurPosFilter>(bytes, nullptr);
        break;
    }
    return 0;
}
