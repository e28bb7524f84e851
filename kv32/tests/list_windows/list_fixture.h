// The list windows offscreen in the application: the tables' reference data,
// a session of TRADER01 with every right the windows ask for, a scripted
// router, and helpers that feed records, open windows, select rows and read
// what was sent.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QImage>
#include <QPixmap>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/childframe.h"
#include "fw/ui/dialog.h"
#include "kv32/dialogs/amend_dlg.h"
#include "kv32/dialogs/order_info_dlg.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/neg_deals_list.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/trades_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/reply_partners.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/trading/active_row.h"
#include "kv32/windows/neg_deals_view.h"
#include "kv32/windows/orders_view.h"
#include "kv32/windows/trades_view.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "support/app_windows_fixture.h"
#include "support/scripted_router.h"
#include "support/security_records.h"
#include "support/trading_records.h"

namespace kv32test {

inline std::string Padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

class ListWindows : public AppWindowsFixture {
protected:
    void SetUp() override
    {
        AppWindowsFixture::SetUp();
        if (HasFatalFailure())
            return;
        Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110"));
        Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
        SecuritySpec alfa;
        alfa.shortName = "ALFA";
        SecurityTable().DecodeSnapshot(SecuritySnapshot(alfa));
        Feed(FlagTable(), 116, "00000001E Y" + Padded("Electronic", 30) + "0");
        Feed(FlagTable(), 116, "00000002N Y" + Padded("Negotiated deal", 30) + "1");
        // The user may use every command of the two windows.
        for (int type : { 47, 49, 133, 134, 135, 138, 139, 151, 155, 160, 161, 162 })
            Grant(type, 0);
        Grant(142, 53);
    }
    void TearDown() override
    {
        AppWindowsFixture::TearDown();
        for (unsigned id : { ID_SUMMARY_TRADING_ACCOUNT, ID_LIST_AMEND })
            KvSetCommandDialog(id, nullptr);
    }
    void FreeTables() override
    {
        AppWindowsFixture::FreeTables();
        for (char* last : { OrderTable().m_szLastOrderNo, TradeTable().m_szLastOrderNo, NegDealTable().m_szLastOrderNo })
            std::memcpy(last, "000000000000", 13);
        OrderTable().m_nMaxOrderNo = 0;
        LocalOrderTable().RemoveAll();
        LocalOrderTable().m_workAreas.clear();
    }
    void Order(OrderSpec s)
    {
        s.seq = ++seq;
        Feed(OrderTable(), COrderTable::kRequest, OrderRecord(s));
    }
    void Order(long long number, char status, char side = 'B')
    {
        OrderSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        s.side = side;
        s.price = 12000 + number;
        Feed(OrderTable(), COrderTable::kRequest, OrderRecord(s));
    }
    void Trade(long long number, char status, long long price = 12345)
    {
        TradeSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        s.price = price;
        s.buyOrder = 100 + number;
        s.sellOrder = 200 + number;
        Feed(TradeTable(), CTradeTable::kRequest, TradeRecord(s));
    }
    void Deal(long long number, char status, char side = 'B')
    {
        DealSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        s.side = side;
        Feed(NegDealTable(), CNegDealTable::kRequest, DealRecord(s));
    }

    long long seq = 0;
};

// Which dialog a command opened; the dialog is closed at once.
template <class Dlg> bool Opens(CListView& view, unsigned id)
{
    bool opened = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        opened = dynamic_cast<Dlg*>(&d) != nullptr;
        d.endDialog(fw::IDCANCEL);
    });
    view.routeCommand(id);
    fw::Dialog::setModalHook({});
    return opened;
}

} // namespace kv32test
