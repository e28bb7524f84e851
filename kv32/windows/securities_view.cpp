#include "kv32/windows/securities_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/dialogs/order_method_dlg.h"
#include "kv32/dialogs/supervision/board_summary_dlg.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/dialogs/supervision/suspend_form.h"
#include "kv32/filters/orders_filter.h"
#include "kv32/filters/trading_filters.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/securities_list.h"
#include "kv32/lists/security_request_doc.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/tables/alert_tables.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/logon.h"
#include "kvcore/frame/app_core.h"

namespace {

const SecurityRec* AsSecurity(const std::uint8_t* record)
{
    return reinterpret_cast<const SecurityRec*>(record);
}

CListView::StateTest Allows(unsigned id)
{
    return [id](const std::uint8_t* current) { return SecurityCommandAllowed(id, AsSecurity(current)); };
}

// Presets the related window's criteria with the securities, when it is a
// window over Rec with criteria Filter.
template <class Filter, class Rec> void Preset(CTDoc* doc, const std::vector<int>& securities)
{
    auto* list = dynamic_cast<CTableIndexDoc*>(doc);
    auto* criteria = list == nullptr ? nullptr : dynamic_cast<CCriteriaOf<Filter, Rec>*>(&list->Filter());
    if (criteria == nullptr || securities.empty())
        return;
    KvPresetSecurities(criteria->Get(), securities);
    list->UpdateDocument(0, nullptr);
}

} // namespace

CTDoc* KvOpenSecurityBook(std::uint32_t tableId, const std::string& securityKey)
{
    if (securityKey.empty())
        return nullptr;
    CTDoc* doc = CListView::OpenListWindow(tableId);
    if (auto* book = dynamic_cast<CSecurityRequestDoc*>(doc))
        book->SetSecurityCode(securityKey);
    return doc;
}

CSecsView::CSecsView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterMarketWindowResources();
    const auto windowExists = [](std::uint32_t table) {
        return [table](const std::uint8_t*) { return KvHasListWindow(table); };
    };
    for (unsigned id : { ID_MW_BUY, ID_MW_SELL, ID_MW_DEAL, ID_MW_MARKET_MAKER })
        MapForwardedCommand(id, KvCommandRule::NeedCurrentRow, Allows(id));
    // The auction dialogs are the main frame's; they start from this window's row.
    for (unsigned id : { ID_MW_PRIMARY_AUCTION, ID_MW_BUYBACK_AUCTION })
        MapForwardedCommand(id, KvCommandRule::NeedCurrentRow, nullptr);
    MapDialogCommand(ID_MW_TICK, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
    MapCommand(ID_MW_SUMMARY_BY_BOARD, KvCommandRule::NeedCurrentRow, nullptr, [] { KvOpenBoardSummary(); });
    MapCommand(ID_MW_ORDER_BOOK, KvCommandRule::NeedCurrentRow, windowExists(11), [this] { OnOrderBook(); });
    MapCommand(ID_MW_MARKET_BY_ORDER, KvCommandRule::NeedCurrentRow, windowExists(12), [this] { OnMarketByOrder(); });
    MapCommand(ID_MW_ALL_BOARDS, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnAllBoards(); });
    for (auto [id, table] : { std::pair { ID_MW_ORDERS, 8u }, std::pair { ID_MW_TRADES, 9u },
             std::pair { ID_MW_LAST_N_TRADES, 30u }, std::pair { ID_MW_NEG_DEALS, 10u } })
        MapCommand(id, KvCommandRule::NeedCurrentRow, windowExists(table), [this, table] { OnRelated(table); });
    MapCommand(ID_MW_SECURITY_METHODS, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnOrderMethods(); });
    // The security alert dialog tests the changed conditions again on OK.
    MapDialogCommand(ID_MW_ALERTS, KvCommandRule::NeedCurrentRow, nullptr, [this] { return CurrentSecurityRow(); });
    MapCommand(ID_MW_ALERTS_VIEW, KvCommandRule::Permitted, windowExists(CSecAlertTable::kWindowId),
        [] { OpenListWindow(CSecAlertTable::kWindowId); });
    // One security goes through the suspension dialog, several through one request each.
    for (auto [id, suspend] : { std::pair { ID_MW_SUSPEND_SECURITY, true }, std::pair { ID_MW_UNSUSPEND_SECURITY, false } })
        MapCommand(id, KvCommandRule::NeedCurrentRow, Allows(id), [this, suspend] { OnSuspend(suspend); });
    for (auto [id, suspend] : { std::pair { ID_MW_SUSPEND_ISSUER, true }, std::pair { ID_MW_UNSUSPEND_ISSUER, false } })
        MapCommand(id, KvCommandRule::NeedCurrentRow, Allows(id), [this, suspend] { OnIssuer(suspend); });
}

CSecsView::~CSecsView() = default;

CSecsDoc* CSecsView::GetSecsDoc() const
{
    return dynamic_cast<CSecsDoc*>(GetDocument());
}

int CSecsView::CurrentSecurityRow() const
{
    const CSecsDoc* doc = GetSecsDoc();
    return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
}

void CSecsView::OpenBook(std::uint32_t tableId)
{
    const int row = CurrentSecurityRow();
    if (row >= 0)
        KvOpenSecurityBook(tableId, SecurityKey(*SecurityTable().GetRec(row)));
}

void CSecsView::OnAllBoards()
{
    const int row = CurrentSecurityRow();
    if (row < 0)
        return;
    std::vector<int> rows = SecurityOnAllBoards(*SecurityTable().GetRec(row));
    if (auto* doc = dynamic_cast<CSecsDoc*>(OpenListWindow(CSecsDoc::kTableId)))
        doc->SetRows(std::move(rows));
}

void CSecsView::OnRelated(std::uint32_t tableId)
{
    const CSecsDoc* doc = GetSecsDoc();
    if (doc == nullptr)
        return;
    std::vector<int> securities;
    for (unsigned row : KvSortedSelection(SelectedRows())) {
        const int index = doc->HostIndexOfRow(static_cast<int>(row));
        if (index >= 0)
            securities.push_back(index);
    }
    CTDoc* related = OpenListWindow(tableId);
    switch (tableId) {
    case 8: Preset<COrdersFilter, COrderRec>(related, securities); break;
    case 9: Preset<CTradesFilter, CTradeRec>(related, securities); break;
    case 10: Preset<CNDealsFilter, CNegDealRec>(related, securities); break;
    case 30: Preset<CLastNFilter, LastTradeRec>(related, securities); break;
    default: break;
    }
}

void CSecsView::OnOrderMethods()
{
    const int row = CurrentSecurityRow();
    if (row < 0)
        return;
    CSecOrMetDlg dlg(row);
    dlg.doModal();
}

void CSecsView::OnSuspend(bool suspend)
{
    const std::vector<unsigned> rows = KvSortedSelection(SelectedRows());
    if (rows.size() == 1) {
        const int row = CurrentSecurityRow();
        if (row >= 0) {
            const SecurityRec& s = *SecurityTable().GetRec(row);
            KvRunSuspend(suspend ? kSuspendSecurity : kUnsuspendSecurity, s.szShortName, SecurityKey(s));
        }
        return;
    }
    const CSecsDoc* doc = GetSecsDoc();
    if (doc == nullptr)
        return;
    KvRowAction action;
    action.build = [doc, suspend](unsigned row) -> std::optional<KvRowTransaction> {
        const SecurityRec* s = doc->GetRowRecord(static_cast<int>(row));
        if (s == nullptr)
            return std::nullopt;
        return SecuritySuspendTransaction(suspend, *s);
    };
    SendForSelection(action);
}

void CSecsView::OnIssuer(bool suspend)
{
    const int row = CurrentSecurityRow();
    if (row < 0)
        return;
    // The dialog names the issuer when the participant table knows it.
    const int issuer = SecurityIssuerRow(*SecurityTable().GetRec(row));
    const ParticipantRec* p = issuer < 0 ? nullptr : ParticipantTable().GetRec(issuer);
    KvRunSuspend(suspend ? kSuspendIssuer : kUnsuspendIssuer, p == nullptr ? std::string() : p->szName,
        p == nullptr ? std::string() : p->szCode);
}

bool CSecsView::HasFilterDialog() const
{
    return GetSecsDoc() != nullptr;
}

void CSecsView::OnFilter()
{
    CSecsDoc* doc = GetSecsDoc();
    if (doc == nullptr)
        return;
    std::vector<std::uint32_t> indices(doc->m_aRows.begin(), doc->m_aRows.end());
    if (KvRunAlertSelectDialog(indices) != fw::IDOK)
        return;
    KvWaitCursor wait;
    doc->SetRows(std::vector<int>(indices.begin(), indices.end()));
}

int CSecsView::FindRowOfText(const std::string& text) const
{
    const CSecsDoc* doc = GetSecsDoc();
    return doc == nullptr ? -1 : doc->FindRowOfShortName(text);
}

void CSecsView::onCellDoubleClicked(int row, int col)
{
    if (row > 0)
        OnOrderBook();
    CListView::onCellDoubleClicked(row, col);
}
