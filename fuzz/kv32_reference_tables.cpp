// Arbitrary records through every decoder of the reference, security,
// broadcast, trading event, audit trail, order, trade and deal tables, over
// tables that already hold a few rows (so change reports find rows to change). Input: the first byte picks
// the decoder, the rest is the record; a byte 0xFF splits the input into
// several records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kv32/shell/app_settings.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/print_log.h"
#include "kv32/tables/account_group_tables.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/kv_trace.h"
#include "support/scripted_router.h"
#include "support/security_records.h"
#include "support/ui_recorder.h"

namespace {

class DiscardingPrinter : public CLinePrint {
public:
    bool OpenDefaultPrinter(bool, int) override { return true; }
    bool PrintLine(const std::string&) override { return true; }
};

struct Decoder {
    CVorlTarget* table;
    int type;
};

void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

void FreeAll()
{
    for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
        t->Free();
}

void Preload()
{
    using namespace kv32test;
    Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "01"));
    Feed(StatusTable(), 115, StatusRecord(2, "002", 'S', "Suspended", ""));
    Feed(SectorTable(), 23, SectorRecord(1, "SEC1", "Banks"));
    Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
    Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
    Feed(InstrumentTable(), 21, MarketRecord(1, "INS1", "Shares", 'A'));
    SecuritySpec spec;
    Feed(SecurityTable(), 17, SecuritySnapshot(spec));
    spec.instrument = "INSTR0000002";
    spec.status = 'S';
    spec.distribution = 'P';
    Feed(SecurityTable(), 17, SecuritySnapshot(spec));
    Feed(ParticipantTable(), 19, std::string("00000001FIRM1       First Broker") + std::string(137, ' '));
    Feed(FlagTable(), 116, "00000001XxYContinuous                    1");
    Feed(AuditGroupTable(), 77, "00000001SESSSession events" + std::string(26, ' ') + "1");
    Feed(AuditEventTypeTable(), 76, "00000001SESSLOGNUser logged on" + std::string(26, ' ') + "P1");
    Feed(TraderTable(), 18, std::string("00000001TRADER01    Anna") + std::string(26, ' ') + "FIRM1" + std::string(103, ' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        KvSetTraceSink([](const std::string&) { });
        return true;
    }();
    (void)quiet;
    if (size == 0)
        return 0;
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    FreeAll();
    Preload();
    KvAppSettings().nLastTrades = static_cast<int>(data[0] >> 5); // 0..7
    // Odd lengths run the order table in market-maker overwrite mode; the
    // print-log lines of the trading tables go to a printer that keeps nothing.
    iMMOverWrite = static_cast<int>(size & 1);
    static DiscardingPrinter printer;
    KvPrintLog() = &printer;
    KvAppSettings().bPrintLog = 1;

    CCodeTable60 groups;
    CCodeTable61 groupAccounts;
    CCodeTable62 groupUsers;
    const Decoder decoders[] = {
        { &StatusTable(), 115 },
        { &SectorTable(), 23 },
        { &BoardTable(), 22 },
        { &BoardTable(), 44 },
        { &MarketTable(), 20 },
        { &MarketTable(), 42 },
        { &InstrumentTable(), 21 },
        { &InstrumentTable(), 43 },
        { &SecurityTable(), 25 },
        { &SecurityTable(), 17 },
        { &SecurityTable(), 33 },
        { &ParticipantTable(), 19 },
        { &ParticipantTable(), 41 },
        { &TraderTable(), 18 },
        { &TraderTable(), 40 },
        { &RightTable(), 93 },
        { &LanguageTable(), 65 },
        { &MessageTextTable(), 66 },
        { &FlagTable(), 116 },
        { &ScheduleTable(), 85 },
        { &LastTradeTable(), 118 },
        { &groups, 60 },
        { &groupAccounts, 61 },
        { &groupUsers, 62 },
        { &ExchMessageTable(), 194 },
        { &NewsTable(), 195 },
        { &NewsTypeTable(), 73 },
        { &TradeEventTable(), 64 },
        { &AuditGroupTable(), 77 },
        { &AuditEventTypeTable(), 76 },
        { &AuditTable(), 72 },
        { &OrderTable(), 50 },
        { &TradeTable(), 54 },
        { &NegDealTable(), 52 },
    };
    constexpr size_t kDecoders = sizeof decoders / sizeof decoders[0];
    const Decoder& decoder = decoders[data[0] % kDecoders];
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t start = 0;
    for (int records = 0; start <= rest.size() && records < 64; ++records) {
        const size_t end = rest.find('\xFF', start);
        const size_t stop = end == std::string::npos ? rest.size() : end;
        Feed(*decoder.table, decoder.type, rest.substr(start, stop - start));
        SecurityTable().ApplyPendingChanges();
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    LastTradeTable().OnPostReceive();
    OrderTable().OnPostReceive();
    TradeTable().OnPostReceive();
    NegDealTable().OnPostReceive();
    iMMOverWrite = 0;
    KvPrintLog() = nullptr;
    KvAppSettings().bPrintLog = 0;
    // Touch what the windows read.
    for (int i = 0; i < SecurityTable().GetCount(); ++i)
        (void)SecurityTable().IsSuspended(*SecurityTable().GetRec(i));
    SecurityTable().GetDistinctList();
    FreeAll();
    return 0;
}
