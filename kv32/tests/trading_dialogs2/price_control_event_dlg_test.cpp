// The price control event viewer: what it shows of reference price and price
// limit changes, of a security that is gone, and which events it leaves alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/price_control_event_dlg.h"
#include "kv32/res/market_dialogs_ids.h"
#include "support/kv32_fixture.h"

namespace {

using namespace dealtest;

class PriceControlEventViewer : public kv32test::Kv32Fixture {
protected:
    PriceControlEventViewer()
    {
        FillMarket();
        ExchMessageRec m {};
        std::strcpy(m.szKey, "00000042");
        std::strcpy(m.szReceived, "Limits widened after the auction.");
        ExchMessageTable().AddRec(m);
    }
    ~PriceControlEventViewer() override
    {
        TradeEventTable().Free();
        ExchMessageTable().Free();
        ClearMarket();
    }
    static int AddEvent(char type, const char* security, const char* key)
    {
        TradeEventRec e;
        e.cEventType = type;
        std::strcpy(e.szObjectCode, security);
        std::strcpy(e.szMessageKey, key);
        e.dRefPrice = CDouble(12.75, 2);
        e.dUpperLimit = CDouble(10.0, 3);
        e.dLowerLimit = CDouble(7.5, 3);
        TradeEventTable().AddRec(e);
        return TradeEventTable().GetCount() - 1;
    }
};

TEST_F(PriceControlEventViewer, ShowsTheValuesOfItsKind)
{
    struct Case {
        const char* name;
        char type;
        const char* security;
        const char* key;
        std::string title, board, shortName, reference, lower, upper, message;
    };
    const Case cases[] = {
        { "reference price", 'G', "BETA", "00000042", "Change Reference Price", "Main Board", "BETA", "12.75", "", "",
            "Limits widened after the auction." },
        { "price limits", 'H', "GOVT", "00000042", "Change Price Limit", "Bond Board", "GOVT", "", "7.500", "10.000",
            "Limits widened after the auction." },
        { "a security that is gone", 'H', "GONE", "00000099", "Change Price Limit", "", "", "", "7.500", "10.000",
            "No Message was found" },
    };
    for (const Case& c : cases) {
        const int row = AddEvent(c.type, c.security, c.key);
        fw::test::Script script;
        script.expectDialog(IDD_PRICE_CONTROL_EVENT, [&](fw::Dialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), c.title) << c.name;
            EXPECT_EQ(d.itemText(IDC_PC_BOARD), c.board) << c.name;
            EXPECT_EQ(d.itemText(IDC_PC_SECURITY), c.shortName) << c.name;
            EXPECT_EQ(d.itemText(IDC_PC_REFERENCE), c.reference) << c.name;
            EXPECT_EQ(d.itemText(IDC_PC_LOWER), c.lower) << c.name;
            EXPECT_EQ(d.itemText(IDC_PC_UPPER), c.upper) << c.name;
            EXPECT_EQ(d.itemText(IDC_PC_MESSAGE), c.message) << c.name;
            EXPECT_EQ(d.focusId(), fw::kIdOk) << c.name;
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(KvShowPriceControlEvent(row), fw::IDOK) << c.name;
    }
}

TEST_F(PriceControlEventViewer, OtherEventsAndMissingRowsOpenNothing)
{
    const int suspend = AddEvent('A', "BETA", "00000042");
    fw::test::Script script; // a dialog opened without a script fails the test
    EXPECT_EQ(KvShowPriceControlEvent(suspend), fw::IDCANCEL);
    EXPECT_EQ(KvShowPriceControlEvent(-1), fw::IDCANCEL);
    EXPECT_EQ(KvShowPriceControlEvent(suspend + 1), fw::IDCANCEL);
    EXPECT_TRUE(script.dialogsShown().empty());
}

} // namespace
