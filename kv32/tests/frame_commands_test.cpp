// The main frame's commands without the window: the option files with a
// scripted file dialog, the message and news dialogs, and the alert-log and
// audit notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "kv32/shell/audit_queue.h"
#include "kv32/shell/command_bindings.h"
#include "kv32/shell/option_files.h"
#include "kv32/shell/shell_dialogs.h"
#include "kvcore/app/session_core.h"
#include "support/kv32_fixture.h"
#include "support/scoped_env.h"

namespace {

using namespace kv32test;

class FrameCommands : public Kv32Fixture {
protected:
    FrameCommands()
        : userPath("kv3userpath", "/home/anna/kv")
    {
        CSessionCore::FindSettingsFolder();
        KvBindFrameCommands(map, kLog, kAudit);
        KvShellDialogsPort().run = [this](unsigned id) {
            dialogs.push_back(id);
            return fw::IDOK;
        };
    }
    ~FrameCommands() override
    {
        ps = nullptr;
        KvShellDialogsPort() = CKvShellDialogsPort();
        KvOptionFilesPort() = CKvOptionFilesPort();
        ClearAuditDisplayQueue();
    }
    void Run(unsigned id) { (*map.findCommand(id))(id); }

    static constexpr unsigned kLog = 0xC001, kAudit = 0xC002;
    kvtest::ScopedEnv userPath;
    fw::CommandMap map;
    CSessionCore session;
    std::vector<unsigned> dialogs;
};

TEST_F(FrameCommands, OptionFileDialogsByKind)
{
    struct Case {
        KvOptionKind kind;
        bool save;
        const char* title;
        const char* name;
        const char* ext;
        const char* filterStart;
    };
    const Case cases[] = {
        { KvOptionKind::UserAlerts, true, "Save Users Alerts", "users", "kva", "Alerts Files (*.kva)" },
        { KvOptionKind::FirmAlerts, true, "Save Firms Alerts", "firms", "kva", "Alerts Files (*.kva)" },
        { KvOptionKind::SecurityAlerts, false, "Restore Securities Alerts", "*.kva", "kva", "Alerts Files" },
        { KvOptionKind::OrderCountAlerts, true, "Save Order counting Alerts", "ordcount", "kva", "Alerts Files" },
        { KvOptionKind::AlertLogs, true, "Save Alert Logs", "logs", "kvl", "Alert Logs Files (*.kvl)" },
        { KvOptionKind::AlertLogs, false, "Restore Alert Logs", "*.kvl", "kvl", "Alert Logs Files" },
        { KvOptionKind::DefaultSelections, true, "Save default selections", "", "kvd", "Default Selections Files" },
        { KvOptionKind::DefaultSelections, false, "Restore default selections", "*.kvd", "kvd", "Default Selections" },
    };
    for (const Case& c : cases) {
        const CKvOptionDialog d = KvOptionDialogOf(c.kind, c.save);
        EXPECT_EQ(d.title, c.title);
        EXPECT_EQ(d.defaultName, c.name) << c.title;
        EXPECT_EQ(d.defaultExt, c.ext) << c.title;
        EXPECT_EQ(d.filter.rfind(c.filterStart, 0), 0u) << d.filter;
        EXPECT_EQ(d.save, c.save);
        EXPECT_EQ(d.folder, "/home/anna/kv") << "the settings folder without its separator";
    }
    EXPECT_EQ(KvOptionFileCommands().size(), 12u);
}

TEST_F(FrameCommands, OptionFileCommandReachesTheTableOnlyOnOk)
{
    KvDialogResult answer = KvDialogResult::Ok;
    std::vector<std::string> calls;
    KvOptionFilesPort().fileDialog = [&](const CKvOptionDialog&, std::string& path) {
        path = "/tmp/chosen.kva";
        return answer;
    };
    KvOptionFilesPort().save = [&](KvOptionKind k, const std::string& p) {
        calls.push_back("save " + std::to_string(static_cast<int>(k)) + " " + p);
    };
    KvOptionFilesPort().restore = [&](KvOptionKind k, const std::string& p) {
        calls.push_back("restore " + std::to_string(static_cast<int>(k)) + " " + p);
    };
    Run(33008);
    Run(33014);
    EXPECT_EQ(calls, (std::vector<std::string> { "save 1 /tmp/chosen.kva", "restore 4 /tmp/chosen.kva" }));
    answer = KvDialogResult::Cancel;
    Run(33007);
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_TRUE(ui.boxes.empty());
    answer = KvDialogResult::Failed;
    const std::pair<unsigned, const char*> failures[] = { { 33009, "Alerts Save Options failed" },
        { 33010, "Logs Save Options failed" }, { 33194, "Defaults Save Options failed" },
        { 33013, "Alerts Restore Options failed" }, { 33014, "Logs Restore Options failed" },
        { 33195, "Defaults Restore Options failed" } };
    for (const auto& [id, text] : failures) {
        ui.boxes.clear();
        Run(id);
        ASSERT_EQ(ui.boxes.size(), 1u) << id;
        EXPECT_EQ(ui.boxes[0].text, text);
        EXPECT_EQ(ui.boxes[0].flags, unsigned(fw::MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(calls.size(), 2u) << "nothing is read or written after a failed dialog";
}

TEST_F(FrameCommands, MessageAndNewsDialogsNeedASession)
{
    Run(32802);
    Run(32803);
    Run(113);
    Run(32966);
    EXPECT_EQ(dialogs, std::vector<unsigned> { IDD_NEWS }) << "sending news needs no session";
    ps = &session;
    dialogs.clear();
    Run(32802);
    Run(32803);
    Run(113);
    EXPECT_EQ(dialogs, (std::vector<unsigned> { IDD_SEND_MESSAGE, IDD_RECEIVED_MESSAGE, IDD_RECEIVED_NEWS }));
    fw::CmdUI send(32802, fw::CmdUI::Source::Menu);
    (*map.findUpdate(32802))(send);
    EXPECT_FALSE(send.enabled()) << "sending a message needs type 144";
}

TEST_F(FrameCommands, NotificationsShowTheirDialogs)
{
    EXPECT_EQ((*map.findMessage(kLog))(0, 0), 0) << "no session: no dialog";
    ps = &session;
    EXPECT_EQ((*map.findMessage(kLog))(0, 0), fw::IDOK);
    EXPECT_EQ(dialogs, std::vector<unsigned> { IDD_ALERT_LOG_MESSAGE });

    // Three queued audit events shown one after another by one notification.
    int shown = 0, cleared = 0;
    KvShellDialogsPort().auditDisplay = [&] {
        ++shown;
        for (int32_t& slot : AuditDisplayQueue()) {
            if (slot >= 0) {
                slot = -1;
                break;
            }
        }
    };
    KvShellDialogsPort().clearAuditDialogOpen = [&] { ++cleared; };
    ClearAuditDisplayQueue();
    AuditDisplayQueue()[0] = 5;
    AuditDisplayQueue()[7] = 0;
    AuditDisplayQueue()[99] = 12;
    (*map.findMessage(kAudit))(0, 0);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(cleared, 1);
    // A display that takes nothing off the queue ends the loop.
    KvShellDialogsPort().auditDisplay = [&] { ++shown; };
    AuditDisplayQueue()[3] = 1;
    (*map.findMessage(kAudit))(0, 0);
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(cleared, 2);
}

} // namespace

#include <algorithm>

#include "kv32/res/news_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"

namespace {

TEST(ShellStrings, BothLanguagesAndIdsApartFromTheOtherTexts)
{
    std::vector<std::uint32_t> ids;
    for (const fw::StringEntry& e : Kv32ShellStrings()) {
        EXPECT_TRUE(e.en != nullptr && *e.en != '\0') << e.id;
        EXPECT_TRUE(e.hu != nullptr && *e.hu != '\0') << e.id;
        ids.push_back(e.id);
    }
    for (auto table : { Kv32Strings(), Kv32TableStrings(), Kv32NewsStrings(), Kv32TradingStrings() }) {
        for (const fw::StringEntry& e : table)
            ids.push_back(e.id);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    // Every list window's title, in the language in force.
    EXPECT_EQ(Kv32ShellString(6), "Securities");
    EXPECT_EQ(Kv32ShellString(39), "Trading Account Security Position");
}

} // namespace
