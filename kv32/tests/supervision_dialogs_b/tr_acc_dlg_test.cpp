// The user's own trading accounts and the firm's account status dialog,
// offscreen over the scripted router.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fw/core/rescheck.h"
#include "kv32/dialogs/supervision/tr_acc_dlg.h"
#include "kv32/dialogs/supervision/tr_acc_list_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/supervision_b_ids.h"
#include "supervision_dialogs_b/account_dialogs_fixture.h"

namespace {

using namespace acctest;

std::vector<std::string> Lines(fw::Dialog& d, uint32_t id)
{
    std::vector<std::string> out;
    for (int i = 0; i < d.itemCount(id); ++i)
        out.push_back(d.itemString(id, i));
    return out;
}

TEST(AccountDialogResources, TemplatesAndTextsAreComplete)
{
    const fw::ResourceSet set { "kv32-account-dialogs-check", Kv32AccountDialogStrings(), Kv32AccountDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

class TrAccDialog : public AccountDialogs {
protected:
    TrAccDialog()
    {
        dir = std::filesystem::temp_directory_path() / ("tra_dlg_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        file = dir / "TRADER01.tra";
    }
    ~TrAccDialog() override { std::filesystem::remove_all(dir); }
    static std::string Read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The next account dialog: the texts it must show preset, then the new ones.
    void Entry(std::string presetAccount, std::string presetComment, std::string account, std::string comment)
    {
        script.expectDialog(IDD_TRACC_ADD, [=](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_TRA_ACCOUNT), presetAccount);
            EXPECT_EQ(d.itemText(IDC_TRA_COMMENT), presetComment);
            d.userType(IDC_TRA_ACCOUNT, account);
            d.userType(IDC_TRA_COMMENT, comment);
            d.userClick(fw::kIdOk);
        });
    }
    std::filesystem::path dir, file;
    CTrAccLocalArray list;
};

TEST_F(TrAccDialog, AddChangeDeleteKeepByteOrderAndOkWritesTheFile)
{
    list.m_entries = { { "A1", "one" } };
    Entry("", "", "a1", "lower");
    Entry("A1", "one", "Z9", "one renamed");
    CTrAccDlg dlg(list, file);
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.curSel(IDC_TRA_LIST), 0);
        EXPECT_EQ(d.itemText(IDC_TRA_COMMENT), "one");
        d.userClick(IDC_TRA_ADD);
        EXPECT_EQ(Lines(d, IDC_TRA_LIST), (std::vector<std::string> { "A1", "a1" }));
        EXPECT_EQ(d.curSel(IDC_TRA_LIST), 1);
        EXPECT_EQ(d.itemText(IDC_TRA_COMMENT), "lower");
        d.userSelect(IDC_TRA_LIST, 0);
        d.userClick(IDC_TRA_CHANGE);
        EXPECT_EQ(Lines(d, IDC_TRA_LIST), (std::vector<std::string> { "Z9", "a1" })) << "Z sorts before a";
        d.userSelect(IDC_TRA_LIST, 1);
        d.userClick(IDC_TRA_DELETE); // confirm-operations is off: no question
        EXPECT_EQ(Lines(d, IDC_TRA_LIST), std::vector<std::string> { "Z9" });
        EXPECT_EQ(d.curSel(IDC_TRA_LIST), 0);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    CTrAccLocalArray back;
    ASSERT_TRUE(back.LoadFile(file));
    EXPECT_EQ(back.m_entries, (std::vector<CTrAccLocal> { { "Z9", "one renamed" } }));
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(TrAccDialog, CancelRestoresTheListWithoutAFileAndEmptyDisablesChange)
{
    Entry("", "", "NEW", "added");
    CTrAccDlg dlg(list, file);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(IDC_TRA_CHANGE));
        EXPECT_FALSE(d.isItemEnabled(IDC_TRA_DELETE));
        d.userClick(IDC_TRA_ADD);
        EXPECT_TRUE(d.isItemEnabled(IDC_TRA_DELETE));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(list.m_entries.empty());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(TrAccDialog, TheThousandAndFirstIsRefusedAndDeleteAsksWhenConfirming)
{
    for (int i = 0; i < kTrAccLimit; ++i)
        list.m_entries.push_back({ "X" + std::to_string(1000 + i), "c" });
    Entry("", "", "Y", "one more");
    session.m_bConfirm = 1;
    script.answerMessageBox(fw::IDOK);
    script.answerMessageBox(fw::IDNO);
    CTrAccDlg dlg(list, file);
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userClick(IDC_TRA_ADD);
        EXPECT_EQ(d.itemCount(IDC_TRA_LIST), kTrAccLimit);
        d.userClick(IDC_TRA_DELETE);
        EXPECT_EQ(d.itemCount(IDC_TRA_LIST), kTrAccLimit) << "No keeps the entry";
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { "Maximum number of trading accounts reached.",
                                          "Press \"Yes\" button to confirm operation." }));
}

TEST_F(TrAccDialog, AFailedWriteKeepsTheDialogAndTheOldFile)
{
    {
        std::ofstream out(file, std::ios::binary);
        out << "old bytes";
    }
    std::filesystem::path blocker = file;
    blocker += ".tmp" + std::to_string(::getpid());
    std::filesystem::create_directories(blocker / "x");
    list.m_entries = { { "A1", "one" } };
    script.answerMessageBox(fw::IDOK);
    CTrAccDlg dlg(list, file);
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(Read(file), "old bytes");
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_NE(script.messageBoxes()[0].find("could not be saved"), std::string::npos);
}

TEST_F(TrAccDialog, EntryOkNeedsBothTexts)
{
    CTrAccAddDlg dlg({}, {});
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_TRA_ACCOUNT, "ACC1");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_TRA_COMMENT, "c");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_TRA_ACCOUNT, "");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdCancel);
    });
}

class TrAccListDialog : public AccountDialogs { };

TEST_F(TrAccListDialog, ThreePagesListEveryAccountAndOkSendsThenReads)
{
    FakeActiveRow firms(17, 1); // Broker Two in the participants window
    router.Reply({ Page88("00000002", false, { "ACC1:A", "ACC2:S" }), End() });
    router.Reply({ Page88("00000004", false, { "ACC3:A", "ACC4:A" }), End() });
    router.Reply({ Page88("00000005", true, { "ACC5:X" }), End() });
    router.Reply({ Accepted("Account suspended.") });
    router.Reply({ Page88("00000001", true, { "ACC1:A", "ACC2:S", "ACC3:S", "ACC4:A", "ACC5:X" }), End() });
    script.answerMessageBox(fw::IDOK);
    CTrAccListDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_STA_FIRM), "Broker Two");
        EXPECT_EQ(Lines(d, IDC_STA_ACCOUNT), (std::vector<std::string> { "ACC1", "ACC2", "ACC3", "ACC4", "ACC5" }));
        EXPECT_EQ(d.itemText(IDC_STA_ACCOUNT), "ACC1");
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_UNSUSPENDED));
        d.userSelect(IDC_STA_ACCOUNT, 4);
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_SUSPENDED)) << "any letter but 'A'";
        d.userSelect(IDC_STA_ACCOUNT, 2);
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_UNSUSPENDED));
        d.userClick(IDC_STA_SUSPENDED);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "stays for the next account";
        EXPECT_EQ(d.itemText(IDC_STA_ACCOUNT), "ACC3") << "the account chosen stays chosen";
        EXPECT_TRUE(d.isButtonChecked(IDC_STA_SUSPENDED)) << "the host's new state";
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(Sent(142), std::vector<std::string> { kUser + '\x26' + "FIRM2       ACC3        Y " });
    const std::vector<std::string> keys = Sent(88);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0], kUser + "00000000FIRM2       ");
    EXPECT_EQ(keys[2], kUser + "00000004FIRM2       ");
    EXPECT_EQ(keys[3], kUser + "00000000FIRM2       ") << "the refresh starts again";
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Account suspended." });
}

TEST_F(TrAccListDialog, OpenedFromTheFirmsCommandWithoutARowAsksNothing)
{
    KvInstallTrAccListDialog();
    const KvCommandDialog* run = KvFindCommandDialog(32893);
    ASSERT_NE(run, nullptr);
    script.expectDialog(IDD_TRACC_LIST, [](fw::Dialog& d) {
        EXPECT_EQ(d.curSel(IDC_STA_FIRM), -1);
        EXPECT_EQ(d.itemCount(IDC_STA_FIRM), 2);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ((*run)(0), fw::IDCANCEL);
    EXPECT_TRUE(Sent(88).empty());
    KvSetCommandDialog(32893, nullptr);
}

} // namespace
