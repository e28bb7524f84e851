// Pictures of the deal amendment and confirmation, the market maker form,
// the tick and permission dialogs and the price control event viewer in
// English and Hungarian, saved as PNG files when KV32_SHOT_DIR names a folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "deal_dialogs/deal_fixture.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/mm_order_dlg.h"
#include "kv32/dialogs/mm_tick_dlg.h"
#include "kv32/dialogs/nd_amend_dlg.h"
#include "kv32/dialogs/nd_conf_dlg.h"
#include "kv32/dialogs/permission_dlg.h"
#include "kv32/dialogs/price_control_event_dlg.h"
#include "kv32/res/market_dialogs_ids.h"
#include "support/kv32_fixture.h"
#include "support/trading_records.h"

namespace {

using namespace dealtest;

class MarketDialogPictures : public kv32test::Kv32Fixture {
protected:
    MarketDialogPictures()
    {
        FillMarket();
        SecurityRec* alfa = SecurityTable().GetRec(kAlfa);
        alfa->cTopUpFlag = '1';
        alfa->cSessionOrderFlag = '1';
        alfa->cDayOrderFlag = '1';
        alfa->dLot = CDouble(100, 0);
        ExchMessageRec m {};
        std::strcpy(m.szKey, "00000042");
        std::strcpy(m.szReceived, "Price limits of BETA set after the opening auction.");
        ExchMessageTable().AddRec(m);
    }
    ~MarketDialogPictures() override
    {
        NegDealTable().Free();
        TradeEventTable().Free();
        ExchMessageTable().Free();
        ClearMarket();
        fw::setLanguage(fw::Language::English);
    }
    int AddDeal(long long number, char status)
    {
        kv32test::DealSpec s;
        s.number = number;
        s.status = status;
        s.side = 'S';
        s.code = "0MAINALFA00000001";
        s.price = 1234;
        s.quantity = 1500;
        s.counterUser = "BRK2T1";
        s.account = "ACC2";
        s.reference = "REF-77";
        s.text[13] = '1';
        std::string bytes = kv32test::DealRecord(s);
        tagTMSG msg;
        msg.nType = CNegDealTable::kRequest;
        msg.nLength = static_cast<int32_t>(bytes.size());
        msg.pText = reinterpret_cast<unsigned char*>(bytes.data());
        NegDealTable().StoreDataItem(&msg);
        return NegDealTable().FindRowByNumber(static_cast<uint32_t>(number));
    }
    static int AddEvent(char type, const char* security)
    {
        TradeEventRec e;
        e.cEventType = type;
        std::strcpy(e.szObjectCode, security);
        std::strcpy(e.szMessageKey, "00000042");
        e.dRefPrice = CDouble(12.75, 2);
        e.dUpperLimit = CDouble(10.0, 3);
        e.dLowerLimit = CDouble(7.5, 3);
        TradeEventTable().AddRec(e);
        return TradeEventTable().GetCount() - 1;
    }
    // Runs the dialog, lets `prepare` fill it, and keeps its picture.
    void Shoot(fw::Dialog& dlg, const char* name, const char* suffix, std::function<void(fw::Dialog&)> prepare = {})
    {
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            if (prepare)
                prepare(d);
            d.adjustSize();
            const QImage image = d.grab().toImage();
            EXPECT_FALSE(image.isNull()) << name;
            if (const char* dir = std::getenv("KV32_SHOT_DIR"))
                image.save(QDir(dir).filePath(QStringLiteral("%1-%2.png").arg(name, suffix)));
            d.userClick(fw::kIdCancel);
        });
    }
    DealSession deal;
};

TEST_F(MarketDialogPictures, PicturesInBothLanguages)
{
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        NegDealTable().Free();
        TradeEventTable().Free();
        const int open = AddDeal(77, 'O');
        const int matched = AddDeal(78, 'M');
        {
            CNDAmendDlg dlg(false, open);
            Shoot(dlg, "deal-amend", suffix);
        }
        {
            CNDAmendDlg dlg(true, matched);
            Shoot(dlg, "deal-amend-matched", suffix);
        }
        {
            CNDConfDlg dlg(open);
            Shoot(dlg, "deal-confirm", suffix);
        }
        {
            CMMkrOrder dlg;
            Shoot(dlg, "market-maker", suffix, [](fw::Dialog& d) {
                auto& f = static_cast<CMMkrOrder&>(d);
                d.userSelect(IDC_MM_BOARD, d.findStringExact(IDC_MM_BOARD, -1, "Main Board"));
                d.userSelect(IDC_MM_SECURITY, d.findStringExact(IDC_MM_SECURITY, -1, "ALFA"));
                f.SetPriceText(true, "12.50");
                f.SetQuantity(true, 1000);
                f.SetTopUp(true, 500);
                f.SetPriceText(false, "12.60");
                f.SetQuantity(false, 2000);
                d.userClick(IDC_MM_SELL_USE_TOPUP);
                d.userType(IDC_MM_BUY_REFERENCE, "MMB");
                d.userType(IDC_MM_SELL_REFERENCE, "MMS");
            });
        }
        {
            CMMkrTickDlg dlg;
            Shoot(dlg, "market-tick", suffix, [](fw::Dialog& d) {
                d.userSelect(IDC_TK_BOARD, d.findStringExact(IDC_TK_BOARD, -1, "Main Board"));
                d.userSelect(IDC_TK_SECURITY, d.findStringExact(IDC_TK_SECURITY, -1, "ALFA"));
                d.userClick(IDC_TK_DOWN);
                d.userType(IDC_TK_TICKS, "3");
            });
        }
        for (bool deleteMode : { false, true }) {
            CPermissionDlg dlg;
            dlg.SetFirm("BRK2");
            dlg.SetUser("BRK2T1");
            dlg.SetPriority("DEALER");
            dlg.SetDeleteMode(deleteMode);
            Shoot(dlg, deleteMode ? "permission-delete" : "permission-set", suffix, [](fw::Dialog& d) {
                d.userClick(IDC_PM_SECURITY);
                d.userSelect(IDC_PM_ITEMS, d.findStringExact(IDC_PM_ITEMS, -1, "GOVT"));
                d.userType(IDC_PM_ROLE, "5");
            });
        }
        for (const auto& [type, name] : { std::pair { 'G', "control-event-reference" },
                 std::pair { 'H', "control-event-limits" } }) {
            CPriceControlEventDlg dlg(*TradeEventTable().GetRec(AddEvent(type, "BETA")));
            Shoot(dlg, name, suffix);
        }
    }
}

} // namespace
