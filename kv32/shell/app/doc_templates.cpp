#include "kv32/shell/app/doc_templates.h"

#include <vector>

#include "fw/core/msgbox.h"
#include "fw/ui/app.h"
#include "kvcore/app/message_box.h"
#include "kvcore/res/app_ids.h"
#include "kv32/dialogs/market_commands.h"
#include "kv32/dialogs/nd_amend_dlg.h"
#include "kv32/dialogs/order_info_dlg.h"
#include "kv32/dialogs/supervision/acc_info_dlg.h"
#include "kv32/dialogs/supervision/tr_acc_list_dlg.h"
#include "kv32/lists/indices_list.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/last_trades_list.h"
#include "kv32/lists/control_events_list.h"
#include "kv32/lists/firms_list.h"
#include "kv32/lists/alert_defs_list.h"
#include "kv32/lists/audits_list.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/logs_list.h"
#include "kv32/lists/messages_list.h"
#include "kv32/lists/neg_deals_list.h"
#include "kv32/lists/news_list.h"
#include "kv32/lists/ord_count_list.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/position_lists.h"
#include "kv32/lists/private_orders_list.h"
#include "kv32/lists/schedule_list.h"
#include "kv32/lists/boards_list.h"
#include "kv32/lists/market_orders_list.h"
#include "kv32/lists/order_book_list.h"
#include "kv32/lists/sec_boards_list.h"
#include "kv32/lists/securities_list.h"
#include "kv32/lists/summary_list.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/lists/ticker_list.h"
#include "kv32/lists/trades_list.h"
#include "kv32/lists/users_list.h"
#include "kv32/res/cash_positions_strings.h"
#include "kv32/res/audit_window_strings.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/log_window_strings.h"
#include "kv32/res/ord_count_window_strings.h"
#include "kv32/res/schedule_strings.h"
#include "kv32/res/ticker_strings.h"
#include "kv32/windows/indices_view.h"
#include "kv32/windows/cash_positions_view.h"
#include "kv32/windows/last_trades_view.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/windows/control_events_view.h"
#include "kv32/windows/firms_view.h"
#include "kv32/res/msg_news_window_strings.h"
#include "kv32/windows/alert_defs_view.h"
#include "kv32/windows/audits_view.h"
#include "kv32/windows/list_active_row.h"
#include "kv32/windows/list_filter_dialogs.h"
#include "kv32/windows/logs_view.h"
#include "kv32/windows/ord_count_view.h"
#include "kv32/windows/messages_view.h"
#include "kv32/windows/neg_deals_view.h"
#include "kv32/windows/news_view.h"
#include "kv32/windows/orders_view.h"
#include "kv32/windows/position_views.h"
#include "kv32/windows/private_orders_view.h"
#include "kv32/windows/schedule_view.h"
#include "kv32/windows/boards_view.h"
#include "kv32/windows/child_bar_frame.h"
#include "kv32/windows/market_orders_view.h"
#include "kv32/windows/order_book_view.h"
#include "kv32/windows/sec_boards_view.h"
#include "kv32/windows/securities_view.h"
#include "kv32/windows/summary_view.h"
#include "kv32/windows/ticker_view.h"
#include "kv32/windows/trades_view.h"
#include "kv32/windows/users_view.h"

std::span<const CKvTemplateRow> KvDocTemplateTable()
{
    // One row per list window, by table id.
    static const std::vector<CKvTemplateRow> rows = {
        { 2, [] { return std::make_unique<CBoardsDoc>(); }, [] { return std::make_unique<CStateListView>(true); } },
        { 3, [] { return std::make_unique<CMarketsDoc>(); }, [] { return std::make_unique<CStateListView>(false); } },
        { 5, [] { return std::make_unique<CInstrsDoc>(); }, [] { return std::make_unique<CStateListView>(false); } },
        { 6, [] { return std::make_unique<CSecsDoc>(); }, [] { return std::make_unique<CSecsView>(); } },
        { 7, [] { return std::make_unique<CSumDoc>(); }, [] { return std::make_unique<CSumView>(); } },
        { 8, [] { return std::make_unique<COrdersDoc>(); }, [] { return std::make_unique<COrdersView>(); } },
        { 9, [] { return std::make_unique<CTradesDoc>(); }, [] { return std::make_unique<CTradesView>(); } },
        { 10, [] { return std::make_unique<CNDealsDoc>(); }, [] { return std::make_unique<CNDealsView>(); } },
        { 11, [] { return std::make_unique<COrdBkDoc>(); }, [] { return std::make_unique<COrdBkView>(); },
            [](std::unique_ptr<fw::View> view) { return std::make_unique<CTChildBarFrame>(std::move(view)); } },
        { 12, [] { return std::make_unique<CMktOrdDoc>(); }, [] { return std::make_unique<CMktOrdView>(); } },
        { 13, [] { return std::make_unique<CCurPosDoc>(); }, [] { return std::make_unique<CCurPosView>(); } },
        { 14, [] { return std::make_unique<CCurPosSecsDoc>(); }, [] { return std::make_unique<CCurPosSecsView>(); } },
        { 15, [] { return std::make_unique<CTrAccDoc>(); }, [] { return std::make_unique<CTrAccView>(); } },
        { 18, [] { return std::make_unique<CMsgsDoc>(); }, [] { return std::make_unique<CMsgsView>(); } },
        { 19, [] { return std::make_unique<CNewsDoc>(); }, [] { return std::make_unique<CNewsView>(); } },
        { 33, [] { return std::make_unique<CAuditsDoc>(); }, [] { return std::make_unique<CAuditsView>(); } },
        { 34, [] { return std::make_unique<CAuditTypesDoc>(); }, [] { return std::make_unique<CAuditTypesView>(); } },
        { 22, [] { return std::make_unique<CLogsDoc>(); }, [] { return std::make_unique<CLogsView>(); } },
        { 40, [] { return std::make_unique<COrdCountDoc>(); }, [] { return std::make_unique<COrdCountView>(); } },
        { 41, [] { return std::make_unique<COAlertsDoc>(); }, [] { return std::make_unique<COAlertsView>(); } },
        { 25, [] { return std::make_unique<CFAlertsDoc>(); }, [] { return std::make_unique<CFAlertsView>(); } },
        { 26, [] { return std::make_unique<CSAlertsDoc>(); }, [] { return std::make_unique<CSAlertsView>(); } },
        { 27, [] { return std::make_unique<CTAlertsDoc>(); }, [] { return std::make_unique<CTAlertsView>(); } },
        { 39, [] { return std::make_unique<CTrdAccSummDoc>(); }, [] { return std::make_unique<CTrdAccSummView>(); } },
        { 20, [] { return std::make_unique<CTimesDoc>(); }, [] { return std::make_unique<CTimesView>(); } },
        { 21, [] { return std::make_unique<CSecBrdsDoc>(); }, [] { return std::make_unique<CSecBrdsView>(); } },
        { 23, [] { return std::make_unique<CIndicesDoc>(); }, [] { return std::make_unique<CIndicesView>(); } },
        { 30, [] { return std::make_unique<CLastNDoc>(); }, [] { return std::make_unique<CLastNView>(); } },
        { 38, [] { return std::make_unique<CTickerDoc>(); }, [] { return std::make_unique<CTickerView>(); } },
        { 32, [] { return std::make_unique<CPrivateOrderDoc>(); },
            [] { return std::make_unique<CPrivateOrderView>(); } },
        { 16, [] { return std::make_unique<CTradersDoc>(); }, [] { return std::make_unique<CTradersView>(); } },
        { 17, [] { return std::make_unique<CFirmsDoc>(); }, [] { return std::make_unique<CFirmsView>(); } },
        { 28, [] { return std::make_unique<CSupervisorOperationsDoc>(); },
            [] { return std::make_unique<CSupervisorOperationsView>(); } },
        { 29, [] { return std::make_unique<CRepliesDoc>(); }, [] { return std::make_unique<CTView>(); } },
    };
    static const bool registered = [] {
        // The session makes each table's popup from its menu: they exist before any session.
        Kv32RegisterListWindowResources();
        Kv32RegisterScheduleResources();
        Kv32RegisterPartyWindowResources();
        Kv32RegisterMarketWindowResources();
        Kv32RegisterTickerResources();
        Kv32RegisterCashPositionResources();
        Kv32RegisterMsgNewsWindowResources();
        Kv32RegisterAuditWindowResources();
        Kv32RegisterLogWindowResources();
        Kv32RegisterOrdCountWindowResources();
        // The order and deal forms read the list window in front.
        KvSetActiveRow(&KvFrontListRow());
        KvInstallOrderInfoDialog();
        KvInstallDealAnswerDialogs();
        KvInstallMarketDialogs();
        KvInstallAccountInfoDialog();
        KvInstallTrAccListDialog();
        KvInstallCashPositionsOpeners();
        KvInstallListFilterDialogs();
        KvInstallMessagesFilterDialog();
        KvInstallNewsFilterDialog();
        KvInstallAuditsFilterDialog();
        KvInstallLogsFilterDialog();
        KvInstallOrdCountFilterDialog();
        KvSetListWindowIds([](std::uint32_t id) {
            for (const CKvTemplateRow& row : rows)
                if (row.id == id)
                    return true;
            return false;
        });
        return true;
    }();
    (void)registered;
    return rows;
}

CKvDocTemplate::~CKvDocTemplate() = default;

CTDocTemplate* KvAddDocTemplate(fw::App& app, std::span<const CKvTemplateRow> rows, std::uint32_t id)
{
    for (const CKvTemplateRow& row : rows) {
        if (row.id != id)
            continue;
        auto tmpl = std::make_unique<CKvDocTemplate>(id, row.makeDocument, row.makeView, row.makeFrame);
        return static_cast<CTDocTemplate*>(&app.addDocTemplate(std::move(tmpl)));
    }
    KvMessageBoxId(IDS_LOW_RESOURCES, fw::MB_ICONSTOP);
    return nullptr;
}
