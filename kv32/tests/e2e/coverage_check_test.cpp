// The coverage check: every list window, command and dialog that the
// program's own tables offer has a scenario step, or a line in the backlog
// (kv32/tests/e2e/coverage_backlog.txt), which may only shrink. The scenario
// runs leave their coverage logs in KV32_COVERAGE_DIR; ctest runs them first
// (a fixture), so the check reads the logs of this build's runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "coverage_check.h"

namespace {

namespace fs = std::filesystem;

// Things that no scenario can touch, each with its reason. Kept short: what a
// scenario cannot reach yet belongs in the backlog instead.
const std::vector<CoverageException> kExceptions = {
    { "command 57670", "the empty command that fills a toolbar gap: running it does nothing to see" },
    { "command 57665", "Exit ends the program, which the player does itself after the last step" },
    // The program posts these to itself on an event; what the user meets is
    // the event's dialog or message box, which the dialogs' rule asks for.
    { "command 113", "posted when a news headline arrives (the received news dialog)" },
    { "command 115", "posted when the print log cannot print (a message box)" },
    { "command 32803", "posted when a message arrives (the received message dialog)" },
    { "command 35954", "posted when the host asks the workstation to log off" },
    { "command 35955", "posted after the host logged the user out (a message box)" },
};

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const CoverageInventory kInventory = ParseCoverageInventory("table 8\n"
                                                            "command 32994 handler menu-main permission\n"
                                                            "command 33076 permission\n"
                                                            "never 33076\n"
                                                            "dialog 116\n"
                                                            "something else\n");
const std::map<std::string, std::string> kKinds
    = ParseUserKinds("#encoding=windows-1250\nuser|name|rights|status\nT1|A|trader|A\nM1|B|maker|A\nT2|C|trader|A\n");

std::set<std::string> Covered(const std::string& log)
{
    std::set<std::string> covered;
    AddCoverageLog(log, covered);
    return covered;
}

std::string GapText(const std::vector<CoverageGap>& gaps)
{
    std::string text;
    for (const CoverageGap& g : gaps)
        text += g.key + ": " + g.lacks + "\n";
    return text;
}

TEST(CoverageRules, InventoryAndUsersAreReadFromTheirFiles)
{
    EXPECT_EQ(kInventory.tables, (std::set<std::uint32_t> { 8 }));
    EXPECT_EQ(kInventory.commands.size(), 2u);
    EXPECT_EQ(kInventory.commands.at(32994), "handler menu-main permission");
    EXPECT_EQ(kInventory.never, (std::set<std::uint32_t> { 33076 }));
    EXPECT_EQ(kInventory.dialogs, (std::set<std::uint32_t> { 116 }));
    EXPECT_EQ(kKinds, (std::map<std::string, std::string> { { "T1", "trader" }, { "M1", "maker" }, { "T2", "trader" } }));
}

TEST(CoverageRules, EachThingNamesWhatItLacks)
{
    const std::string full = "table 8\ntable 8 command 32994\ntable 8 closed\ncommand 32994 run\n"
                             "command 33076 disabled for T2\ncommand 33076 disabled for M1\n"
                             "dialog 116 shown\ndialog 116 button 1\n";
    const struct {
        const char* remove; // a line of the full log that a scenario lost
        const char* gaps;
    } cases[] = {
        { "", "" },
        { "table 8\n", "table 8: never opened\n" },
        { "table 8 command 32994\n", "table 8: no command run in it\n" },
        { "table 8 closed\n", "table 8: never closed\n" },
        { "command 32994 run\n", "command 32994: never run or seen disabled (handler menu-main permission)\n" },
        { "command 33076 disabled for M1\n", "command 33076: not seen disabled for maker\n" },
        { "dialog 116 shown\n", "dialog 116: never shown\n" },
        { "dialog 116 button 1\n", "dialog 116: no button pressed\n" },
    };
    for (const auto& c : cases) {
        std::string log = full;
        if (*c.remove != '\0')
            log.erase(log.find(c.remove), std::string(c.remove).size());
        EXPECT_EQ(GapText(FindCoverageGaps(kInventory, Covered(log), kKinds, {})), c.gaps) << c.remove;
    }
    // Seen disabled counts as much as run; an exception needs no step.
    EXPECT_EQ(GapText(FindCoverageGaps(kInventory,
                  Covered("command 32994 disabled\ncommand 33076 disabled for T1\ncommand 33076 disabled for M1\n"),
                  kKinds, { { "table 8", "why" }, { "dialog 116", "why" } })),
        "");
    // A never-allowed command seen disabled without a user is not enough.
    EXPECT_EQ(GapText(FindCoverageGaps(kInventory, Covered("command 33076 disabled\n"), kKinds, { { "table 8", "" },
                  { "dialog 116", "" }, { "command 32994", "" } })),
        "command 33076: not seen disabled for maker, trader\n");
}

TEST(CoverageRules, TheBacklogOnlyShrinks)
{
    const std::vector<CoverageGap> gaps = { { "table 8", "never closed" }, { "dialog 116", "never shown" } };
    BacklogComparison same = CompareWithBacklog(gaps, "# header\ntable 8\ndialog 116  # comment\n\n");
    EXPECT_TRUE(same.Passed()) << DescribeComparison(same);

    BacklogComparison grown = CompareWithBacklog(gaps, "table 8\n");
    EXPECT_FALSE(grown.Passed());
    EXPECT_EQ(DescribeComparison(grown), "no step: dialog 116: never shown\n");

    BacklogComparison shrunk = CompareWithBacklog(gaps, "table 8\ndialog 116\ncommand 32994\n");
    EXPECT_FALSE(shrunk.Passed());
    EXPECT_EQ(shrunk.done, (std::vector<std::string> { "command 32994" }));

    BacklogComparison bad = CompareWithBacklog(gaps, "table 8\ndialog 116\nwindow 3\ncommand x\n");
    EXPECT_EQ(bad.errors.size(), 2u) << DescribeComparison(bad);

    // The written backlog reads back as the same gaps.
    EXPECT_TRUE(CompareWithBacklog(gaps, CoverageBacklogText(gaps)).Passed());
}

// Runs kv32_scenario --inventory in a folder of its own; the program's text, or "" on failure.
std::string ProgramInventory(const fs::path& folder, std::string& log)
{
    fs::create_directories(folder);
    std::ofstream(folder / "kv32.ini") << "[general]\nLogoPeriod=0\n";
    const fs::path out = folder / "inventory.txt";
    const fs::path logPath = folder / "inventory.log";
    const char* bin = std::getenv("KV_BIN_DIR");
    const fs::path program = fs::path(bin != nullptr ? bin : ".") / "kv32_scenario";
    setenv("VEXA_INI_DIR", folder.c_str(), 1);
    setenv("kv3userpath", folder.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    fs::remove(out);
    // The program only starts, writes and ends; the time limit is there all the same.
    const std::string command = "timeout 120 '" + program.string() + "' --inventory '" + out.string() + "' >'"
        + logPath.string() + "' 2>&1";
    if (std::system(command.c_str()) != 0) {
        log = "kv32_scenario --inventory failed:\n" + ReadText(logPath);
        return {};
    }
    return ReadText(out);
}

TEST(CoverageCheck, EveryWindowCommandAndDialogHasAStepOrABacklogLine)
{
    const fs::path work = fs::path(KV32_COVERAGE_DIR) / "check";
    std::string log;
    const std::string inventoryText = ProgramInventory(work, log);
    ASSERT_FALSE(inventoryText.empty()) << log;
    const CoverageInventory inventory = ParseCoverageInventory(inventoryText);
    ASSERT_FALSE(inventory.tables.empty());
    ASSERT_FALSE(inventory.dialogs.empty());

    // The logs of the scenarios that exist; a log of a scenario since removed is left out.
    std::set<std::string> covered;
    int logs = 0;
    for (const auto& entry : fs::directory_iterator(KV32_SCENARIO_DIR)) {
        if (entry.path().extension() != ".txt")
            continue;
        for (const char* language : { "en", "hu" }) {
            const fs::path path
                = fs::path(KV32_COVERAGE_DIR) / (entry.path().stem().string() + "-" + language + ".txt");
            if (!fs::exists(path))
                continue;
            AddCoverageLog(ReadText(path), covered);
            ++logs;
        }
    }
    ASSERT_GT(logs, 0) << "no coverage log in " << KV32_COVERAGE_DIR << ": the scenarios did not run";

    const std::map<std::string, std::string> kinds = ParseUserKinds(ReadText(KV32_SEED_TRADERS));
    ASSERT_FALSE(kinds.empty());
    const std::vector<CoverageGap> gaps = FindCoverageGaps(inventory, covered, kinds, kExceptions);
    const fs::path backlog = fs::path(KV32_E2E_DIR) / "coverage_backlog.txt";
    const BacklogComparison comparison = CompareWithBacklog(gaps, ReadText(backlog));
    // What the backlog would be now, to compare or to copy.
    const fs::path now = fs::path(KV32_COVERAGE_DIR) / "coverage_backlog.txt";
    std::ofstream(now) << CoverageBacklogText(gaps);
    EXPECT_TRUE(comparison.Passed()) << DescribeComparison(comparison) << "(the backlog of this run is " << now
                                     << "; " << logs << " coverage logs read)";
}

} // namespace
