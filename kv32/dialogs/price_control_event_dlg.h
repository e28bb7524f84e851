// Shows one reference price or price limit change of the supervisor
// operations window, read-only.
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/trading/control_event_view.h"

class CPriceControlEventDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CPriceControlEventDlg(const TradeEventRec& event, QWidget* parent = nullptr);
    ~CPriceControlEventDlg() override;

    bool onInitDialog() override;

private:
    KvControlEventView m_view;
};

// Runs the viewer for the trading event table's record `eventRow` when its
// kind is 'G' or 'H'; IDCANCEL without showing anything otherwise.
int KvShowPriceControlEvent(int eventRow);
