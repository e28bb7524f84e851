// gallery_order_entry <output folder>: renders the order entry dialog in its regular and
// primary-distribution layouts to PNG, in English and Hungarian, offscreen, over one board,
// two securities and a logged-on trader with two trading accounts.
#include "shot.h"

#include "fw/ui/app.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/values/intl_info.h"

#include <QDir>
#include <cstring>
#include <memory>

namespace {

CSession* g_session = nullptr;

void AddSecurity(const char* code, const char* shortName, const char* name, const char* methods)
{
    auto rec = std::make_unique<SecurityRec>();
    std::memset(static_cast<void*>(rec.get()), 0, sizeof(SecurityRec));
    std::strcpy(rec->szCode, code);
    std::strcpy(rec->szShortName, shortName);
    std::strcpy(rec->szName, name);
    std::strcpy(rec->szBoardName, "Main Board");
    rec->nPriceDec = 2;
    rec->nYieldDec = 3;
    rec->nAlertLink = -1;
    rec->dBid = CDouble(2771, 2);
    rec->dOffer = CDouble(2774.5, 2);
    CSecurityTable::TakeMethods(*rec, methods);
    SecurityTable().AddRec(*rec);
}

bool Prepare()
{
    BoardRec b;
    std::strcpy(b.szCode, "MAIN");
    std::strcpy(b.szName, "Main Board");
    BoardTable().AddRec(b);
    AddSecurity("0MAINALFA00000001", "ALFA", "Alfa Industries Plc.", "11000000000111011100000111111000");
    AddSecurity("0MAINBETA00000002", "BETA", "Beta Bank Plc.", "01000000001000000100000001000000");
    static CSession session("BRK1T1");
    session.m_sUser = "BRK1T1";
    session.m_settings.options.orderColor = 0;
    session.GetTrAccLocal()->m_entries = { { "BRK1A1", "Main account" }, { "BRK1A2", "Second account" } };
    g_session = &session;
    ps = &session;
    DefSelTable().AddSelection("BR-2026-001");
    return true;
}

bool Shot(COrderEntryDlg& dlg, const QDir& out, const char* name, const char* lang)
{
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
        COrderEntryDlg dlg(1, 0);
        dlg.Form().convert = nullptr;
        dlg.initialize();
        dlg.userSelect(IDC_OE_BOARD, 0);
        dlg.userSelect(IDC_OE_SECURITY, 0);
        dlg.userSelect(IDC_OE_ACCOUNT, 0);
        dlg.userType(IDC_OE_PRICE, "2774.50");
        dlg.userType(IDC_OE_QUANTITY, "100");
        dlg.userType(IDC_OE_REFERENCE, "BR-2026-001");
        dlg.show();
        dlg.gotoItem(IDC_OE_QUANTITY); // the quote window shows below the fields
        ok &= Shot(dlg, out, "order-entry", lang);
    }
    {
        COrderEntryDlg dlg(2, 1);
        dlg.initialize();
        dlg.show();
        dlg.userSelect(IDC_OE_BOARD, 0);
        dlg.userSelect(IDC_OE_SECURITY, 1);
        dlg.userClick(IDC_OE_LIMIT);
        dlg.userClick(IDC_OE_DAY);
        dlg.userType(IDC_OE_PRICE, "98.75");
        dlg.userType(IDC_OE_QUANTITY, "5000");
        dlg.gotoItem(IDC_OE_REFERENCE_PD);
        ok &= Shot(dlg, out, "order-entry-primary", lang);
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
    const int rc = gallery::runGallery(argc, argv, "gallery_order_entry", Prepare, render);
    ps = nullptr;
    return rc;
}
