// Reply packets through the program's reply dispatch to every receiver of host
// records: the host data tables (every permanent target), the list windows
// that ask for their own rows, the supervision and auction forms, the price
// and yield conversion and the news text fetch, and the dialogs' own reply
// decoders. The message types are drawn from the types the dispatch registers
// (so a receiver also meets the types it did not ask for) plus the host time,
// the verdicts, the news text and the two broadcasts.
// Input: [receiver][mode] then messages of [type index][length, 2 bytes
// little-endian][bytes]. Mode bit 0 sends a standing request (the poll's road)
// instead of a blocking one; the request code is the first message's type.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/dialogs/auction/auction_form.h"
#include "kv32/dialogs/supervision/acc_info_form.h"
#include "kv32/dialogs/supervision/depo_accounts_form.h"
#include "kv32/dialogs/supervision/schedule_entry_form.h"
#include "kv32/dialogs/supervision/tr_acc_form.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/filters/dialogs/filter_rules.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/market_orders_list.h"
#include "kv32/lists/order_book_list.h"
#include "kv32/lists/position_lists.h"
#include "kv32/lists/summary_list.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/shell/news_form.h"
#include "kv32/shell/price_yield.h"
#include "kv32/shell/reply_dispatch.h"
#include "kv32/tables/account_group_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/info_req.h"
#include "kv32_sample_rows.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

using kv32test::Msg;

// Every type the dispatch hands on, in ascending order.
const std::vector<int>& DispatchTypes()
{
    static const std::vector<int> types = [] {
        std::vector<int> all;
        for (int t = 0; t < 256; ++t) {
            const bool special = t == MSGTYPE_END_OF_REPLY || t == MSGTYPE_HOST_TIME || t == MSGTYPE_NEWS_REQ
                || t == MSGTYPE_REFUSED || t == MSGTYPE_ACCEPTED || t == MSGTYPE_BC_MESSAGE
                || t == MSGTYPE_NEWS_HEAD;
            if (special || IsBlockedDataType(t) || IsPolledDataType(t))
                all.push_back(t);
        }
        return all;
    }();
    return types;
}

std::vector<Msg> Packet(const uint8_t* data, size_t size)
{
    const std::vector<int>& types = DispatchTypes();
    std::vector<Msg> packet;
    size_t pos = 0;
    while (pos < size && packet.size() < 64) {
        const int type = types[data[pos++] % types.size()];
        size_t length = 0;
        if (pos + 2 <= size) {
            length = data[pos] | (static_cast<size_t>(data[pos + 1]) << 8);
            pos += 2;
        }
        length = length < size - pos ? length : size - pos;
        packet.push_back({ type, std::string(reinterpret_cast<const char*>(data + pos), length) });
        pos += length;
    }
    return packet;
}

// The dialogs that read a reply's text themselves, each on every message.
void DialogDecoders(const std::vector<Msg>& packet)
{
    for (const Msg& m : packet) {
        KvTrAccPage page;
        if (DecodeTrAccPage(m.bytes, page) && page.rows.size() > m.bytes.size())
            std::abort();
        KvReplayStatistics stats;
        (void)DecodeReplayStatistics(m.bytes, stats);
        (void)NetAddressLine(m.bytes);
        for (const std::string& name : DecodeTransitions(m.bytes))
            if (name.size() > m.bytes.size())
                std::abort();
        std::string text;
        (void)DecodeNewsTextReply(m.bytes, text);
    }
}

// The rows a list window shows, read as its view would.
template <class TDoc> void TouchRows(const TDoc& rows)
{
    volatile uint8_t sink = 0;
    for (int row = 0; row < rows.GetRowCount() && row < 1000; ++row)
        if (const uint8_t* data = rows.GetRowData(row))
            sink = sink + data[0];
}

struct Receivers {
    CCurPosDoc cashPositions;
    CCurPosSecsDoc firmHoldings;
    CTrdAccSummDoc accountPositions;
    CTrAccDoc tradingAccounts;
    CSumDoc summary;
    COrdBkDoc orderBook;
    CMktOrdDoc marketOrders;
    CAccountInfo accountInfo;
    CTrAccHostList hostAccounts;
    CDepoAccountList depoAccounts;
    CAuctionForm primaryAuction { KvAuctionKind::Primary };
    CAuctionForm buyBackAuction { KvAuctionKind::BuyBack };
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv32fuzz::SilenceTrace();
    if (size < 2)
        return 0;
    // The account groups join the permanent targets once, after the program's tables.
    static CCodeTable60 groups;
    static CCodeTable61 groupAccounts;
    static CCodeTable62 groupUsers;

    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    fMulti = 0;
    nMultiCount = 0;
    fErrorCheckEx = 1;
    fLastRec = fPacket = fTrPacket = 0;
    aInfoReq.RemoveAll();
    kv32fuzz::FreeAll();
    kv32fuzz::PreloadSampleRows();
    ResetPriceYieldConversion();

    // Requests made while the receivers get ready are answered empty.
    router.AnswerWith([](const std::vector<Msg>&) { return std::vector<Msg> { kv32test::End() }; });
    auto own = std::make_unique<Receivers>();
    const std::string security = kv32test::SecurityCode(kv32test::SecuritySpec());
    own->orderBook.SetSecurityCode(security);
    own->marketOrders.SetSecurityCode(security);
    own->tradingAccounts.SetSecurity(security);
    own->firmHoldings.SetFirm("FIRM1");
    for (CAuctionForm* form : { &own->primaryAuction, &own->buyBackAuction }) {
        form->Init();
        form->SelectBoard(0);
        form->SelectSecurity(0);
    }

    const std::vector<Msg> packet = Packet(data + 2, size - 2);
    const bool polled = (data[1] & 1) != 0;
    const int code = packet.empty() ? 0 : packet.front().type;
    // The fuzzed packet answers the first request; any later one gets an empty reply.
    auto answered = std::make_shared<bool>(false);
    router.AnswerWith([packet, answered](const std::vector<Msg>&) {
        if (*answered)
            return std::vector<Msg> { kv32test::End() };
        *answered = true;
        return packet;
    });

    std::vector<CVorlTarget*> targets(CVorlPermTarget::apPermTargets.begin(), CVorlPermTarget::apPermTargets.end());
    for (CVorlTarget* t : std::initializer_list<CVorlTarget*> { &own->cashPositions, &own->firmHoldings,
             &own->accountPositions, &own->tradingAccounts, &own->summary, &own->orderBook, &own->marketOrders,
             &own->accountInfo, &own->hostAccounts, &own->depoAccounts, &own->primaryAuction,
             &own->buyBackAuction })
        targets.push_back(t);
    // The receivers reached only through the functions that make their requests.
    const std::vector<std::function<void()>> requests = {
        [&] { own->accountInfo.Request({ "ACC000000001", "", security }); },
        [&] { own->hostAccounts.Request("FIRM1"); },
        [&] { own->depoAccounts.Request(); },
        [&] {
            PriceYieldInput input;
            input.yieldEntered = (data[1] & 2) != 0;
            input.securityKey = security;
            input.board = "BRD1";
            input.value = CDouble(12345, 2);
            input.priceDecimals = 2;
            input.yieldDecimals = 3;
            CDouble converted;
            (void)PriceYieldConversion(input, converted);
        },
        [&] { (void)KvFetchNewsText(0); },
        [&] { DialogDecoders(packet); },
    };

    const size_t choice = data[0] % (targets.size() + requests.size());
    if (choice < targets.size()) {
        CVorlTarget* target = targets[choice];
        const char key[] = "TRADER01  ";
        if (polled) {
            VORLInfoReqAdd(code, key, static_cast<int>(sizeof key - 1), target);
            aInfoReq.Add(INFOREQ_PERMANENT, code, target);
            VORLInfoReqEnd();
            app.DoReceive();
        } else {
            VORLInfoReq(code, key, static_cast<int>(sizeof key - 1), target);
            target->OnPostReceive();
        }
    } else {
        requests[choice - targets.size()]();
    }
    kvtest::Fake().outstanding = 0;

    TouchRows(own->cashPositions);
    TouchRows(own->firmHoldings);
    TouchRows(own->accountPositions);
    TouchRows(own->tradingAccounts);
    TouchRows(own->summary);
    TouchRows(own->orderBook);
    TouchRows(own->marketOrders);
    own.reset();
    aInfoReq.RemoveAll();
    fLastRec = fPacket = fTrPacket = 0;
    kv32fuzz::FreeAll();
    return 0;
}
