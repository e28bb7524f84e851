// gallery_shell_dialogs <output folder>: renders the workstation's own small dialogs and its quote
// window to PNG, in English and Hungarian, offscreen, over a few sample users, firms, markets,
// boards and one security: the supervisor requests, Go To, the market and board selection, the
// order methods of a board, Bench Setup, About and the quote window.
#include "shot.h"

#include "fw/core/locale.h"
#include "fw/core/resources.h"
#include "fw/ui/app.h"
#include "kv32/dialogs/audit_dlgs.h"
#include "kv32/dialogs/defaults_page.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/dialogs/setup_dlgs.h"
#include "kv32/dialogs/supervisor_dlgs.h"
#include "kv32/shell/app_settings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/windows/quote_wnd.h"
#include "kvcore/values/intl_info.h"

#include <QDir>
#include <cstring>

namespace {

void FillSampleTables()
{
    for (const char* code : { "BRK1T1", "BRK1T2", "BRK2T1" }) {
        TraderRec rec;
        std::strcpy(rec.szCode, code);
        std::strcpy(rec.szName, code);
        TraderTable().AddRec(rec);
    }
    for (const char* code : { "BRK1", "BRK2" }) {
        ParticipantRec rec;
        std::strcpy(rec.szCode, code);
        rec.nYFlag = 1;
        ParticipantTable().AddRec(rec);
    }
    for (const char* name : { "Equities", "Bonds" }) {
        MarketRec m {};
        std::strncpy(m.szCode, name, 2);
        std::strcpy(m.szName, name);
        MarketTable().AddRec(m);
    }
    const char* methods = "11011100011101010110000111110100";
    for (const char* name : { "Main Board", "Odd Lots" }) {
        BoardRec b;
        std::strncpy(b.szCode, name, 4);
        std::strcpy(b.szName, name);
        std::strcpy(b.szText, methods);
        BoardTable().AddRec(b);
    }
    auto rec = std::make_unique<SecurityRec>();
    std::memset(static_cast<void*>(rec.get()), 0, sizeof(SecurityRec));
    std::strcpy(rec->szShortName, "ALFA");
    rec->dBidDepthTotal = CDouble(4200, 0);
    rec->dOffer = CDouble(2774.5, 2);
    rec->dOfferDepthTotal = CDouble(1500, 0);
    rec->dLast = CDouble(2771, 2);
    rec->dHigh = CDouble(2790, 2);
    rec->dLow = CDouble(2750.25, 2);
    SecurityTable().AddRec(*rec);
    KvSetTradingEnd(KvAppSettings(), 16, 30);
    for (const char* code : { "ORD", "TRD" }) {
        AuditGroupRec g {};
        std::strcpy(g.szCode, code);
        std::strcpy(g.szName, std::strcmp(code, "ORD") == 0 ? "Orders" : "Trades");
        AuditGroupTable().AddRec(g);
    }
    for (const char* text : { "Order entered", "Order withdrawn" }) {
        AuditTypeRec t {};
        std::strcpy(t.szGroupCode, "ORD");
        std::strcpy(t.szTypeText, text);
        t.szOverride[0] = 'P';
        AuditEventTypeTable().AddRec(t);
    }
    AuditEventRec ev {};
    ev.time.SetDateTime(2026, 12, 10, 9, 36, 2);
    std::strcpy(ev.szGroupName, "Orders");
    std::strcpy(ev.szTypeText, "Order entered");
    std::strcpy(ev.szUser, "BRK1T1");
    std::strcpy(ev.szFirm, "BRK1");
    std::strcpy(ev.szBoardName, "Main Board");
    std::strcpy(ev.szSecurity, "ALFA");
    std::strcpy(ev.szText, "Order 42: 1500 ALFA at 2774.50");
    AuditTable().AddRec(ev);
    DefSelTable().AddSelection("BR-2026-001");
    DefSelTable().AddSelection("BR-2026-017");
}

bool Shot(fw::Dialog& dlg, const QDir& out, const char* name, const char* lang)
{
    dlg.initialize();
    dlg.adjustSize();
    dlg.show();
    const bool ok = gallery::save(dlg, QStringLiteral("%1/%2-%3.png").arg(out.path(), name, lang));
    dlg.hide();
    return ok;
}

bool Render(const QDir& out, const char* lang)
{
    bool ok = true;
    {
        CAccessDlg dlg;
        dlg.initialize();
        dlg.setItemText(469, "TRADERS");
        dlg.setItemText(588, "DEALER");
        dlg.setCurSel(591, 2);
        ok &= Shot(dlg, out, "shell-access", lang);
    }
    {
        CDefaultRoleDlg dlg("BRK1T1", "DEALER");
        ok &= Shot(dlg, out, "shell-default-role", lang);
    }
    {
        CLogonVerDlg dlg(CLogonVerDlg::kFirmsTable, "BRK1");
        ok &= Shot(dlg, out, "shell-logon-verify", lang);
    }
    {
        CMarketReplayDlg dlg;
        dlg.initialize();
        dlg.checkButton(543, 1);
        dlg.userClick(543);
        dlg.setItemText(544, "25");
        ok &= Shot(dlg, out, "shell-market-replay", lang);
    }
    {
        CNetAddressDlg dlg("BRK1T2");
        dlg.initialize();
        dlg.addString(153, "127.0.0.1\t127.0.0.9");
        dlg.addString(153, "127.0.1.0\t127.0.1.255");
        ok &= Shot(dlg, out, "shell-network-address", lang);
    }
    {
        CUserPassDlg dlg("BRK2T1");
        ok &= Shot(dlg, out, "shell-password", lang);
    }
    {
        CGotoDlg dlg(8);
        dlg.initialize();
        dlg.setItemText(292, "000000000042");
        ok &= Shot(dlg, out, "shell-goto", lang);
    }
    {
        CMktBrd11Dlg dlg;
        ok &= Shot(dlg, out, "shell-market-board", lang);
    }
    {
        CBrdOrMetDlg dlg(0);
        ok &= Shot(dlg, out, "shell-order-methods", lang);
    }
    {
        COptionsDlg dlg;
        ok &= Shot(dlg, out, "shell-bench-setup", lang);
    }
    {
        CAboutDlg dlg;
        ok &= Shot(dlg, out, "shell-about", lang);
    }
    {
        COptionsDefaultsPg page;
        CKvPropertySheet sheet(fw::resourceText("Options", "Beállítások"));
        sheet.addPage(page);
        ok &= Shot(sheet, out, "shell-default-selection", lang);
    }
    {
        CAuditModeDlg dlg(0);
        ok &= Shot(dlg, out, "shell-audit-mode", lang);
    }
    {
        AuditDisplayQueue().fill(-1);
        AuditDisplayQueue()[0] = 0;
        CAuditRecvDlg dlg;
        ok &= Shot(dlg, out, "shell-audit-event", lang);
    }
    {
        CQuoteWnd quote;
        quote.SetSecurity(0);
        quote.resize(quote.sizeHint());
        quote.show();
        ok &= gallery::save(quote, QStringLiteral("%1/shell-quote-%2.png").arg(out.path(), lang));
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
    return gallery::runGallery(argc, argv, "gallery_shell_dialogs", [] { FillSampleTables(); return true; }, render);
}
