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
#include "support/scratch_settings.h"
#include "support/scripted_router.h"
#include "support/security_records.h"
#include "support/trading_records.h"

namespace kv32test {


inline void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

inline std::string Padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

inline std::string WithZero(const std::string& text)
{
    return text + std::string(1, '\0') + "0";
}

class ListWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, uint32_t) {
            boxes.push_back(fw::cp1250ToUtf8(text));
            return fw::IDYES;
        });
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        app = std::make_unique<CKvApp>();
        app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        ASSERT_TRUE(app->start());
        session.OnNewDocument();
        ps = &session;
        router = std::make_unique<ScriptedRouter>("TRADER01");
        KvSetReplyPartners(nullptr);
        FreeTables();
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
    static void Grant(int type, int code)
    {
        RightRec rec { RightTable().GetCount(), type, code, 0 };
        RightTable().AddRec(rec);
    }
    void TearDown() override
    {
        router->AnswerWith(nullptr);
        app->CloseAllDocuments();
        FreeTables();
        router.reset();
        ps = nullptr;
        app->finish();
        app.reset();
        fw::setMessageBoxHook({});
        fw::Dialog::setModalHook({});
        KvAppSettings() = CKvAppSettings();
        fw::setLanguage(fw::Language::English);
        for (unsigned id : { ID_SUMMARY_TRADING_ACCOUNT, ID_LIST_AMEND })
            KvSetCommandDialog(id, nullptr);
    }
    static void FreeTables()
    {
        for (CVorlPermTarget* t : CVorlPermTarget::apPermTargets)
            t->Free();
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
    template <class View> View* Open(std::uint32_t id)
    {
        CTDoc* doc = app->OpenTable(id, true, true, nullptr);
        if (doc == nullptr)
            return nullptr;
        auto* view = dynamic_cast<View*>(doc->firstView());
        if (view != nullptr)
            view->parentFrame()->resize(900, 260);
        return view;
    }
    static bool Enabled(CListView& view, unsigned id)
    {
        fw::CmdUI ui(id);
        view.routeUpdate(ui);
        return ui.enabled();
    }
    static void Select(CListView& view, std::initializer_list<int> rows)
    {
        view.clearSelection();
        bool add = false;
        for (int row : rows) {
            view.selectRange({ row + 1, 1, row + 1, 1 }, add);
            add = true;
        }
        view.setCurrentCell(*rows.begin() + 1, 1);
    }
    std::vector<std::string> Sent(int code) const
    {
        std::vector<std::string> texts;
        for (const Msg& m : router->Requests())
            if (m.type == code)
                texts.push_back(m.bytes);
        return texts;
    }

    ScratchSettingsDir dir;
    fw::test::ManualClock clock;
    CSessionCore session;
    std::unique_ptr<CKvApp> app;
    std::unique_ptr<ScriptedRouter> router;
    std::vector<std::string> boxes;
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
