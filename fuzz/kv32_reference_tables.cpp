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
#include "kv32_sample_rows.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

using kv32fuzz::Feed;
using kv32fuzz::FreeAll;

class DiscardingPrinter : public CLinePrint {
public:
    bool OpenDefaultPrinter(bool, int) override { return true; }
    bool PrintLine(const std::string&) override { return true; }
};

struct Decoder {
    CVorlTarget* table;
    int type;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv32fuzz::SilenceTrace();
    if (size == 0)
        return 0;
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    FreeAll();
    kv32fuzz::PreloadSampleRows();
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
