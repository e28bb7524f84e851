// gallery_deal_dialogs <output folder>: renders the negotiated deal input, the order-method
// viewers of an order and of a security, and the work area identifier dialog to PNG, in English
// and Hungarian, offscreen, over the small market of the dialogs' tests.
#include "shot.h"

#include "deal_dialogs/deal_fixture.h"
#include "fw/core/clock.h"
#include "fw/core/resources.h"
#include "kv32/dialogs/neg_deal_dlg.h"
#include "kv32/dialogs/order_method_dlg.h"
#include "kv32/dialogs/wai_dlg.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kvcore/values/intl_info.h"

#include <QDir>
#include <cstring>
#include <ctime>

namespace {

bool Shot(fw::Dialog& dlg, const QDir& out, const char* name, const char* lang)
{
    dlg.adjustSize();
    dlg.show();
    const bool ok = gallery::save(dlg, QStringLiteral("%1/%2-%3.png").arg(out.path(), name, lang));
    dlg.hide();
    return ok;
}

bool Render(const QDir& out, const char* lang)
{
    const bool hu = std::strcmp(lang, "hu") == 0;
    bool ok = true;
    {
        CNegDealDlg dlg(kDealSell);
        dlg.initialize();
        dlg.userSelect(IDC_ND_BOARD, 0);
        dlg.userSelect(IDC_ND_SECURITY, 0);
        dlg.userSelect(IDC_ND_COUNTER_FIRM, 1);
        dlg.userSelect(IDC_ND_COUNTERPARTY, 0);
        dlg.SetPriceText(hu ? "12,50" : "12.50");
        dlg.SetQuantity(1500);
        dlg.setItemText(IDC_ND_REFERENCE, "BR-2026-017");
        dlg.setItemText(IDC_ND_CONFIRM_PERIOD, "30");
        dlg.setItemText(IDC_ND_REMINDER, "5");
        ok &= Shot(dlg, out, "deal-input", lang);
    }
    {
        COrderRec order {};
        std::strcpy(order.szType, "01000000000010010000000000101000");
        order.dtExpiry.SetDateTime(2026, 12, 31, 15, 30, 0);
        std::strcpy(order.szExpiryTime, "153000");
        order.dTriggerPrice = CDouble(11.75, 2);
        COrderMethodDlg dlg(order);
        dlg.initialize();
        ok &= Shot(dlg, out, "deal-order-methods", lang);
    }
    {
        CSecOrMetDlg dlg(dealtest::kAlfa);
        dlg.initialize();
        ok &= Shot(dlg, out, "deal-security-methods", lang);
    }
    {
        CWAIDlg dlg;
        dlg.initialize();
        dlg.userType(IDC_WAI_NAME, fw::resourceText("Bond desk", "Kötvénydeszk"));
        ok &= Shot(dlg, out, "deal-work-area", lang);
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    std::tm day {};
    day.tm_year = 2026 - 1900;
    day.tm_mon = 11;
    day.tm_mday = 10;
    day.tm_hour = 10;
    day.tm_min = 15;
    day.tm_isdst = -1;
    fw::ManualClock clock(0, std::mktime(&day));
    fw::ClockScope scope(clock);
    std::unique_ptr<dealtest::DealSession> session;
    const auto prepare = [&session] {
        dealtest::FillMarket();
        session = std::make_unique<dealtest::DealSession>();
        KvTables().localOrders.AddWorkArea("Bond desk");
        KvTables().localOrders.AddWorkArea("Equities");
        return true;
    };
    const auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo& locale) {
        KvSetIntl(locale);
        return Render(out, lang);
    };
    const int rc = gallery::runGallery(argc, argv, "gallery_deal_dialogs", prepare, render);
    session.reset();
    return rc;
}
