// gallery_order_dialogs <output folder>: renders the order amend, order
// withdraw and order information dialogs to PNG, in English and Hungarian,
// offscreen, over a few sample boards, securities, firms, users, orders and a
// trade.
#include <QDir>
#include <cstring>
#include <functional>

#include "fw/core/locale.h"
#include "fw/ui/app.h"
#include "kv32/dialogs/amend_dlg.h"
#include "kv32/dialogs/order_info_dlg.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/tables/all_tables.h"
#include "kv32/windows/quote_wnd.h"
#include "kvcore/values/intl_info.h"
#include "shot.h"
#include "support/security_records.h"
#include "support/trading_records.h"

namespace {

void Feed(CVorlTarget& table, int type, std::string bytes)
{
    tagTMSG m;
    m.nType = type;
    m.nLength = static_cast<int32_t>(bytes.size());
    m.pText = reinterpret_cast<unsigned char*>(bytes.data());
    table.StoreDataItem(&m);
}

void FillReferenceTables()
{
    using namespace kv32test;
    Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110", true));
    Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
    Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Bonds board", 'A', true));
    Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A', true));
    const char* names[] = { "ALFA", "BETA", "GAMMA" };
    for (int i = 0; i < 3; ++i) {
        SecuritySpec s;
        s.key = i + 1;
        s.board = i == 2 ? "BRD2" : "BRD1";
        s.instrument = "INSTR000000" + std::to_string(i + 1);
        s.shortName = names[i];
        s.last = i == 2;
        SecurityTable().DecodeSnapshot(SecuritySnapshot(s));
        std::strcpy(SecurityTable().GetRec(i)->szMethods, "11000000000100001100000111110000");
    }
    for (const char* firm : { "BRK1", "BRK2" }) {
        ParticipantRec p;
        std::strcpy(p.szCode, firm);
        std::strcpy(p.szName, std::strcmp(firm, "BRK1") == 0 ? "First Broker Ltd." : "Second Broker Ltd.");
        std::strcpy(p.szType, "BROK");
        ParticipantTable().AddRec(p);
    }
    for (const char* user : { "BRK1T1", "BRK1T2", "BRK2T1" }) {
        TraderRec t;
        std::strcpy(t.szCode, user);
        std::strcpy(t.szName, user);
        std::strncpy(t.szFirm, user, 4);
        TraderTable().AddRec(t);
    }
}

// The orders and the trade in the current language (their side letters are).
void FillOrders()
{
    using namespace kv32test;
    KvTables().orders.Free();
    KvTables().orders.m_nMaxOrderNo = 0;
    KvTables().trades.Free();
    for (long long number : { 4711LL, 4712LL }) {
        OrderSpec o;
        o.number = o.seq = number;
        o.side = number == 4711 ? 'B' : 'S';
        o.user = number == 4711 ? "BRK1T1" : "BRK2T1";
        o.firm = number == 4711 ? "BRK1" : "BRK2";
        o.account = number == 4711 ? "BRK1A1" : "BRK2A7";
        o.reference = number == 4711 ? "BR-2026-001" : "BR-2026-017";
        o.flags = std::string(32, '0');
        o.flags[1] = o.flags[17] = o.flags[25] = '1';
        o.price = 277450;
        o.quantity = 1500;
        o.balance = 500;
        o.expiryDate = o.settleDate = "00000000";
        Feed(KvTables().orders, COrderTable::kRequest, OrderRecord(o));
    }
    TradeSpec t;
    t.buyOrder = 4711;
    t.sellOrder = 4712;
    Feed(KvTables().trades, CTradeTable::kRequest, TradeRecord(t));
}

bool Shot(fw::Dialog& dlg, const QDir& out, const char* name, const char* lang, const std::function<void()>& before = {})
{
    dlg.initialize();
    dlg.adjustSize();
    dlg.show();
    if (before)
        before();
    const bool ok = gallery::save(dlg, QStringLiteral("%1/%2-%3.png").arg(out.path(), name, lang));
    dlg.hide();
    return ok;
}

bool Render(const QDir& out, const char* lang)
{
    FillOrders();
    bool ok = true;
    {
        CAmendDlg dlg(KvTables().orders.FindRow(4711));
        // The quote shows only while a price or quantity has the focus.
        ok &= Shot(dlg, out, "order-amend", lang, [&] {
            if (dlg.QuoteWindow() != nullptr)
                dlg.QuoteWindow()->hide();
        });
    }
    {
        CWithdrawDlg dlg(KvTables().orders.FindRow(4712));
        ok &= Shot(dlg, out, "order-withdraw", lang);
    }
    {
        COrderInfoDlg dlg(0);
        ok &= Shot(dlg, out, "order-info", lang);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo& locale) {
        KvSetIntl(locale);
        return Render(out, lang);
    };
    return gallery::runGallery(argc, argv, "gallery_order_dialogs", [] {
        FillReferenceTables();
        return true;
    }, render);
}
