// The permission dialog offscreen over the scripted router: the operator
// action records of setting and deleting, each scope's field, and the
// presets the users window hands over.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/permission_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/trading/permission_form.h"
#include "support/kv32_fixture.h"

namespace {

using namespace dealtest;
using kv32test::Msg;

const std::string kUser = "TRADER01    ";

std::string Pad(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

class PermissionDialog : public kv32test::Kv32Fixture {
protected:
    PermissionDialog()
    {
        FillMarket();
        for (const auto& [code, name] : { std::pair { "EQ", "Equities" }, std::pair { "FI", "Fixed income" } }) {
            MarketRec m {};
            std::strcpy(m.szCode, code);
            std::strcpy(m.szName, name);
            MarketTable().AddRec(m);
            std::strcpy(m.szName, (std::string(name) + " instrument").c_str());
            InstrumentTable().AddRec(m);
        }
        SectorRec sector {};
        std::strcpy(sector.szCode, "BANK");
        std::strcpy(sector.szName, "Banks");
        SectorTable().AddRec(sector);
        std::strcpy(TraderTable().GetRec(TraderTable().FindByCode("BRK2T1"))->szRole, "DEALER");
    }
    ~PermissionDialog() override
    {
        MarketTable().Free();
        InstrumentTable().Free();
        SectorTable().Free();
        ClearMarket();
    }
    std::vector<std::string> Sent() const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == kPermissionTransaction)
                sent.push_back(m.bytes);
        return sent;
    }
    DealSession deal;
};

TEST(PermissionRules, EachScopeFillsItsOwnField)
{
    struct Case {
        int scope;
        std::string code;
        std::string fields; // board, market, instrument, industry, sector, security
    };
    const Case cases[] = {
        { kScopeBoard, "MAIN", "MAIN" + std::string(16, ' ') + std::string(12, ' ') },
        { kScopeMarket, "EQ", "    EQ  " + std::string(12, ' ') + std::string(12, ' ') },
        { kScopeInstrument, "FI", std::string(8, ' ') + "FI  " + std::string(8, ' ') + std::string(12, ' ') },
        { kScopeIndustry, "TELECOM", std::string(12, ' ') + "TELE" + std::string(4, ' ') + std::string(12, ' ') },
        { kScopeSector, "BANK", std::string(16, ' ') + "BANK" + std::string(12, ' ') },
        { kScopeSecurity, "GOVT00000001", std::string(20, ' ') + "GOVT00000001" },
    };
    for (const Case& c : cases) {
        KvPermissionInput in;
        in.user = "SUPER1";
        in.firm = "BRK2";
        in.userText = "BRK2T1";
        in.scope = c.scope;
        in.code = c.code;
        in.role = "7";
        const KvPermissionRecord r = BuildPermissionRecord(in);
        ASSERT_EQ(r.failed, KvPermissionField::None) << c.scope;
        EXPECT_EQ(r.text.substr(37, 32), c.fields) << c.scope;
        EXPECT_EQ(r.text.substr(82), "07") << c.scope;
    }
    KvPermissionInput bad;
    bad.scope = kScopeBoard;
    bad.role = "123";
    EXPECT_EQ(BuildPermissionRecord(bad).failed, KvPermissionField::Role);
    bad.role = "";
    bad.priority = std::string(13, 'P');
    EXPECT_EQ(BuildPermissionRecord(bad).failed, KvPermissionField::Priority) << "too long: refused, not cut";
}

TEST_F(PermissionDialog, SetAndDeleteSendTheirOperatorRecords)
{
    KvInstallPermissionDialog();
    const int user = TraderTable().FindByCode("BRK2T1");
    struct Case {
        const char* name;
        unsigned command;
        std::function<void(fw::Dialog&)> fill;
        std::string golden;
    };
    const Case cases[] = {
        { "set for a security, role 5", 33182,
            [](fw::Dialog& d) {
                EXPECT_EQ(d.windowTitle().toStdString(), "Permission");
                EXPECT_EQ(d.itemText(fw::kIdOk), "Set");
                d.userClick(IDC_PM_SECURITY);
                d.userSelect(IDC_PM_ITEMS, d.findStringExact(IDC_PM_ITEMS, -1, "GOVT"));
                d.userType(IDC_PM_ROLE, "5");
            },
            kUser + '\x1b' + Pad("BRK2", 12) + Pad("BRK2T1", 12) + std::string(20, ' ') + "GOVT00000001" + "N"
                + Pad("DEALER", 12) + "05" },
        { "delete for an empty industry", 33183,
            [](fw::Dialog& d) {
                EXPECT_EQ(d.windowTitle().toStdString(), "Delete Permission");
                EXPECT_EQ(d.itemText(fw::kIdOk), "Delete");
                d.userClick(IDC_PM_INDUSTRY);
                EXPECT_FALSE(d.item(IDC_PM_ITEMS)->isVisibleTo(&d));
                EXPECT_TRUE(d.item(IDC_PM_INDUSTRY_CODE)->isVisibleTo(&d));
                d.userClick(IDC_PM_NOT);
            },
            kUser + '\x1c' + Pad("BRK2", 12) + Pad("BRK2T1", 12) + std::string(32, ' ') + "Y" + Pad("DEALER", 12)
                + "00" },
    };
    for (const Case& c : cases) {
        router.Reply({ { 193, std::string("Permission changed.") + '\0' } });
        fw::test::Script script;
        script.answerMessageBox(fw::IDOK);
        script.expectDialog(IDD_PERMISSION, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_PM_FIRM), "BRK2") << c.name;
            EXPECT_EQ(d.itemText(IDC_PM_USER), "BRK2T1") << c.name;
            EXPECT_EQ(d.itemText(IDC_PM_PRIORITY), "DEALER") << c.name;
            c.fill(d);
            d.userClick(fw::kIdOk);
        });
        const size_t before = Sent().size();
        EXPECT_EQ((*KvFindCommandDialog(c.command))(user), fw::IDOK) << c.name;
        ASSERT_EQ(Sent().size(), before + 1) << c.name;
        EXPECT_EQ(Sent().back(), c.golden) << c.name;
        EXPECT_EQ(Sent().back().size(), kPermissionLength) << c.name;
    }
    EXPECT_EQ(KvOpenPermissionDlgForUser(-1, false), fw::IDCANCEL) << "no user: nothing opens";
    KvSetCommandDialog(33182, nullptr);
    KvSetCommandDialog(33183, nullptr);
}

TEST_F(PermissionDialog, ScopesListTheirTablesAndNothingGoesWithoutAChoice)
{
    CPermissionDlg dlg;
    fw::test::runModal(dlg, [this](fw::Dialog& d) {
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "no scope chosen";
        EXPECT_EQ(d.focusId(), IDC_PM_ITEMS);
        const struct {
            uint32_t radio;
            std::vector<std::string> items;
        } scopes[] = {
            { IDC_PM_BOARD, { "Main Board", "Bond Board" } },
            { IDC_PM_MARKET, { "Equities", "Fixed income" } },
            { IDC_PM_INSTRUMENT, { "Equities instrument", "Fixed income instrument" } },
            { IDC_PM_SECTOR, { "Banks" } },
            { IDC_PM_SECURITY, { "ALFA", "BETA", "GOVT", "OWNS", "PRIM", "SELLONLY" } },
        };
        for (const auto& s : scopes) {
            d.userClick(s.radio);
            std::vector<std::string> shown;
            for (int i = 0; i < d.itemCount(IDC_PM_ITEMS); ++i)
                shown.push_back(d.itemString(IDC_PM_ITEMS, i));
            EXPECT_EQ(shown, s.items) << s.radio;
            EXPECT_EQ(d.curSel(IDC_PM_ITEMS), -1) << s.radio;
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << s.radio << ": no item chosen";
        }
        EXPECT_TRUE(Sent().empty());
        d.userClick(fw::kIdCancel);
    });
}

} // namespace
