// Arbitrary bytes as a list window's document in a workspace file: its grid
// layout, window placement and title, then what the window keeps of its own
// (a security, a firm, criteria, a market and board). Input: the first byte
// picks the window, the rest is the archive. A load either ends in the
// archive error or gives a document that stores to bytes which load and
// store again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/lists/audits_list.h"
#include "kv32/lists/boards_list.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/control_events_list.h"
#include "kv32/lists/firms_list.h"
#include "kv32/lists/indices_list.h"
#include "kv32/lists/last_trades_list.h"
#include "kv32/lists/logs_list.h"
#include "kv32/lists/market_orders_list.h"
#include "kv32/lists/messages_list.h"
#include "kv32/lists/neg_deals_list.h"
#include "kv32/lists/news_list.h"
#include "kv32/lists/ord_count_list.h"
#include "kv32/lists/order_book_list.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/position_lists.h"
#include "kv32/lists/private_orders_list.h"
#include "kv32/lists/schedule_list.h"
#include "kv32/lists/securities_list.h"
#include "kv32/lists/summary_list.h"
#include "kv32/lists/ticker_list.h"
#include "kv32/lists/trades_list.h"
#include "kv32/lists/users_list.h"
#include "kvcore/doc/ct_doc.h"
#include "kv32_sample_rows.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

using MakeDoc = std::function<std::unique_ptr<CTDoc>()>;

template <class TDoc> MakeDoc Make()
{
    return [] { return std::make_unique<TDoc>(); };
}

const std::vector<MakeDoc>& Documents()
{
    static const std::vector<MakeDoc> documents = { Make<CAuditsDoc>(), Make<CAuditTypesDoc>(), Make<CBoardsDoc>(),
        Make<CMarketsDoc>(), Make<CInstrsDoc>(), Make<CCurPosDoc>(), Make<CSupervisorOperationsDoc>(),
        Make<CRepliesDoc>(), Make<CFirmsDoc>(), Make<CIndicesDoc>(), Make<CLastNDoc>(), Make<CLogsDoc>(),
        Make<CMktOrdDoc>(), Make<CMsgsDoc>(), Make<CNDealsDoc>(), Make<CNewsDoc>(), Make<COrdCountDoc>(),
        Make<COAlertsDoc>(), Make<COrdBkDoc>(), Make<COrdersDoc>(), Make<CCurPosSecsDoc>(), Make<CTrdAccSummDoc>(),
        Make<CTrAccDoc>(), Make<CPrivateOrderDoc>(), Make<CTimesDoc>(), Make<CSecsDoc>(), Make<CSumDoc>(),
        Make<CTickerDoc>(), Make<CTradesDoc>(), Make<CTradersDoc>() };
    return documents;
}

std::vector<uint8_t> Store(CTDoc& doc)
{
    fw::Archive out;
    doc.Serialize(out);
    return out.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv32fuzz::SilenceTrace();
    if (size == 0)
        return 0;
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    kv32fuzz::FreeAll();
    kv32fuzz::PreloadSampleRows();

    const MakeDoc& make = Documents()[data[0] % Documents().size()];
    std::unique_ptr<CTDoc> doc = make();
    fw::Archive in(std::vector<uint8_t>(data + 1, data + size));
    try {
        doc->Serialize(in);
    } catch (const fw::ArchiveError&) {
        kv32fuzz::FreeAll();
        return 0;
    }
    const std::vector<uint8_t> first = Store(*doc);
    std::unique_ptr<CTDoc> again = make();
    fw::Archive reread(first);
    again->Serialize(reread);
    if (Store(*again) != first)
        std::abort();
    kv32fuzz::FreeAll();
    return 0;
}
