// Pictures of every account dialog in English and Hungarian, written to
// $KV32_SHOT_DIR when it is set.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/acc_groups_dlg.h"
#include "kv32/dialogs/supervision/acc_info_dlg.h"
#include "kv32/dialogs/supervision/depo_accounts_dlg.h"
#include "kv32/dialogs/supervision/tr_acc_dlg.h"
#include "kv32/dialogs/supervision/tr_acc_list_dlg.h"
#include "kv32/res/supervision_b_ids.h"
#include "security_test_fixture.h"
#include "supervision_dialogs_b/account_dialogs_fixture.h"
#include "support/trading_records.h"

namespace {

using namespace acctest;

class AccountPictures : public AccountDialogs {
protected:
    AccountPictures()
    {
        kv32test::OrderSpec o;
        o.account = "ACC1";
        o.code = "0BRD1INSTR0000001";
        kv32test::Feed(OrderTable(), COrderTable::kRequest, kv32test::OrderRecord(o));
    }
    ~AccountPictures() override { OrderTable().Free(); }

    void Picture(fw::Dialog& dlg, const std::string& name, const char* suffix, const std::function<void(fw::Dialog&)>& more = {})
    {
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            if (more)
                more(d);
            Shoot(d, ("accounts-" + name + "-" + suffix + ".png").c_str());
            d.endDialog(fw::IDCANCEL);
        });
    }
};

TEST_F(AccountPictures, EveryDialogInBothLanguages)
{
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        const bool english = language == fw::Language::English;

        CTrAccLocalArray list;
        list.m_entries = { { "ACC1", "Main account" }, { "ACC2", "Pension savings" }, { "B-770", "Family" } };
        CTrAccDlg user(list, "/nonexistent/never-written.tra");
        Picture(user, "user", suffix);
        EXPECT_EQ(user.windowTitle().toStdString(), english ? "Trading Accounts" : "Kereskedési számlák");

        CTrAccAddDlg entry("ACC2", "Pension savings");
        Picture(entry, "entry", suffix);

        {
            FakeActiveRow firms(17, 0);
            router.Reply({ Page88("00000001", true, { "ACC1:A", "ACC2:S", "B-770:A" }), End() });
            CTrAccListDlg firm;
            Picture(firm, "firm", suffix);
        }

        router.Reply({ { 89, "000002" + Pad("DEPO-0001", 12) + "A" + Pad("DEPO-0002", 12) + "S" }, End() });
        CDepoAccountsDlg depository;
        Picture(depository, "depository", suffix);

        {
            FakeActiveRow orders(kListOrders, 0);
            router.Reply({ { 47,
                               std::string(10, ' ') + Pad("ACC1", 12) + std::string(12, ' ') + Pad("DEPO-0001", 12)
                                   + std::string(12, ' ') + "00001500000" + "00001234567" + "0000030000"
                                   + "0000004000" },
                End() });
            CTrAccInfoDlg info;
            Picture(info, "info", suffix);
        }

        for (int tab : { kGroupUsers, kGroupAccounts }) {
            router.Reply({ { 60,
                               "00000001" + Pad("FIRM1", 12) + "1" + Digits(2, 8) + Pad("GRP1", 12) + Pad("Clients", 30)
                                   + Pad("GRP2", 12) + Pad("House", 30) },
                End() });
            router.Reply({ { 62, "00000001" + std::string(24, ' ') + "1" + Digits(1, 8) + Pad("TRADER01", 12) + "A" },
                End() });
            router.Reply({ { 61,
                               "00000001" + std::string(24, ' ') + "1" + Digits(1, 8) + Pad("ACC1", 12)
                                   + Pad("Main account", 30) },
                End() });
            router.Reply({ Page88("00000001", true, { "ACC1:A", "ACC2:A", "B-770:A" }), End() });
            CTrdAccGroupsDlg groups;
            Picture(groups, tab == kGroupUsers ? "groups-users" : "groups-accounts", suffix, [&](fw::Dialog&) {
                groups.SelectTab(tab);
            });
        }

        CTrdAccGroups_NewGroup newGroup;
        Picture(newGroup, "new-group", suffix, [](fw::Dialog& d) { d.userType(IDC_GRP_NAME, "DESK-A"); });
    }
}

} // namespace
