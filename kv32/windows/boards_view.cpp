#include "kv32/windows/boards_view.h"

#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/dialogs/supervision/board_summary_dlg.h"
#include "kv32/lists/boards_list.h"
#include "kv32/res/market_window_strings.h"

CStateListView::CStateListView(bool boards, QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterMarketWindowResources();
    // The commands of each kind of window; a window acts on those of its own table.
    const struct {
        unsigned suspend, unsuspend;
    } kinds[] = { { ID_MW_SUSPEND_BOARD, ID_MW_UNSUSPEND_BOARD }, { ID_MW_SUSPEND_MARKET, ID_MW_UNSUSPEND_MARKET },
        { ID_MW_SUSPEND_INSTRUMENT, ID_MW_UNSUSPEND_INSTRUMENT } };
    for (const auto& kind : kinds) {
        for (bool suspend : { true, false }) {
            const unsigned id = suspend ? kind.suspend : kind.unsuspend;
            MapCommand(
                id, KvCommandRule::NeedCurrentRow,
                [this, id, suspend](const std::uint8_t*) {
                    const CStateListDoc* doc = GetStateDoc();
                    if (doc == nullptr)
                        return false;
                    const unsigned own = suspend ? doc->Layout().suspendCommand : doc->Layout().unsuspendCommand;
                    return own == id && StateCommandAllowed(suspend, doc->Status(doc->GetCurrentIndex()));
                },
                [this, suspend] { OnSuspend(suspend); });
        }
    }
    if (boards) {
        MapCommand(ID_MW_BOARD_METHODS, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnBoardMethods(); });
        MapCommand(ID_MW_SUMMARY_BY_BOARD, KvCommandRule::NeedCurrentRow, nullptr, [] { KvOpenBoardSummary(); });
    }
}

CStateListView::~CStateListView() = default;

CStateListDoc* CStateListView::GetStateDoc() const
{
    return dynamic_cast<CStateListDoc*>(GetDocument());
}

void CStateListView::OnSuspend(bool suspend)
{
    const CStateListDoc* doc = GetStateDoc();
    if (doc == nullptr)
        return;
    KvRowAction action;
    action.build = [doc, suspend](unsigned row) {
        return StateSuspendTransaction(*doc, static_cast<int>(row), suspend);
    };
    SendForSelection(action);
}

void CStateListView::OnBoardMethods()
{
    const CStateListDoc* doc = GetStateDoc();
    if (doc == nullptr || doc->GetCurrentIndex() < 0)
        return;
    CBrdOrMetDlg dlg(doc->GetCurrentIndex());
    dlg.doModal();
}
