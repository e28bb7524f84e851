#include "kv32/dialogs/price_control_event_dlg.h"

#include "fw/core/msgbox.h"
#include "fw/ui/text.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/tables/all_tables.h"

int KvShowPriceControlEvent(int eventRow)
{
    CTradeEventTable& events = TradeEventTable();
    if (eventRow < 0 || eventRow >= events.GetCount())
        return fw::IDCANCEL;
    const TradeEventRec& event = *events.GetRec(eventRow);
    if (event.cEventType != 'G' && event.cEventType != 'H')
        return fw::IDCANCEL;
    CPriceControlEventDlg dlg(event);
    return dlg.doModal();
}

CPriceControlEventDlg::CPriceControlEventDlg(const TradeEventRec& event, QWidget* parent)
    : CKvDialog(Kv32MarketDialog(IDD_PRICE_CONTROL_EVENT), parent)
    , m_view(ControlEventView(event))
{
}

CPriceControlEventDlg::~CPriceControlEventDlg() = default;

bool CPriceControlEventDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    if (!m_view.title.empty())
        setWindowTitle(fw::toQt(m_view.title));
    setItemText(IDC_PC_BOARD, m_view.board);
    setItemText(IDC_PC_SECURITY, m_view.security);
    setItemText(IDC_PC_REFERENCE, m_view.referencePrice);
    setItemText(IDC_PC_LOWER, m_view.lowerLimit);
    setItemText(IDC_PC_UPPER, m_view.upperLimit);
    setItemText(IDC_PC_MESSAGE, m_view.message);
    gotoItem(fw::kIdOk);
    return true;
}
