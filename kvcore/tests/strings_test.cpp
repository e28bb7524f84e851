#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/core/rescheck.h"
#include "fw/core/strings.h"
#include "kvcore/app/message_box.h"
#include "kvcore/res/ids.h"
#include "kvcore/res/strings.h"

namespace {

// Every id the library's code uses.
constexpr std::uint32_t kUsedIds[] = { IDS_PASSWORD_EXPIRED, IDS_ENTER_OLD_PASSWORD, IDS_ENTER_NEW_PASSWORD,
    IDS_ENTER_PASSWORD_AGAIN, IDS_DOWNLOADING, IDS_STORING_DATA, IDS_ERROR_LOADING_VORL, IDS_INCORRECT_PASSWORD,
    IDS_PASSWORDS_DIFFER, IDS_PASSWORD_RULES, IDS_PASSWORD_TOO_SIMILAR, IDS_LOGON_TEXT_TOO_LONG,
    IDS_VORL_INCOMPLETE };

TEST(StringTable, EveryUsedIdIsThereInBothLanguages)
{
    std::set<std::uint32_t> ids;
    for (const fw::StringEntry& e : KvCoreResources().strings) {
        ASSERT_NE(e.hu, nullptr) << e.id;
        EXPECT_NE(std::string(e.hu), "") << e.id;
        ids.insert(e.id);
    }
    for (std::uint32_t used : kUsedIds)
        EXPECT_TRUE(ids.count(used)) << used;
}

// The framework's own check, as every module's tables go through it.
TEST(StringTable, PassesTheResourceCheck)
{
    fw::UsedIds used;
    used.strings = kUsedIds;
    const fw::ResourceReport report = fw::checkResources(KvCoreResources(), used);
    EXPECT_TRUE(report.ok()) << report.text();
}

// The library registers its table in the framework's one table when it loads;
// the program sets the language once, and the library's own texts follow it.
TEST(StringTable, TheLibraryFollowsTheLanguageTheProgramSets)
{
    std::string shown;
    fw::setMessageBoxHook([&](const std::string& text, std::uint32_t) {
        shown = text;
        return fw::IDOK;
    });
    EXPECT_EQ(fw::loadString(IDS_ERROR_LOADING_VORL), "Error loading VORL.DLL.");
    KvMessageBoxId(IDS_DOWNLOADING, fw::MB_OK);
    EXPECT_EQ(shown, "Downloading");

    fw::setLanguage(fw::Language::Hungarian);
    KvMessageBoxId(IDS_DOWNLOADING, fw::MB_OK);
    EXPECT_EQ(shown, "Let\xf6lt\xe9s"); // Windows-1250 bytes
    KvMessageBoxId(IDS_ERROR_LOADING_VORL, fw::MB_OK);
    EXPECT_EQ(fw::cp1250ToUtf8(shown), "Hiba a VORL.DLL betöltésekor.");

    fw::setLanguage(fw::Language::English);
    KvMessageBoxId(IDS_DOWNLOADING, fw::MB_OK);
    EXPECT_EQ(shown, "Downloading");
    fw::setMessageBoxHook(nullptr);
}

TEST(MessageBox, TheTestHookReceivesTextAndFlagsAndAnswers)
{
    std::string seen;
    std::uint32_t seenFlags = 0;
    fw::setMessageBoxHook([&](const std::string& text, std::uint32_t flags) {
        seen = text;
        seenFlags = flags;
        return fw::IDYES;
    });
    EXPECT_EQ(KvMessageBoxId(IDS_ERROR_LOADING_VORL, fw::MB_YESNO | fw::MB_ICONSTOP), fw::IDYES);
    EXPECT_EQ(seen, "Error loading VORL.DLL.");
    EXPECT_EQ(seenFlags, fw::MB_YESNO | fw::MB_ICONSTOP);
    fw::setMessageBoxHook(nullptr);
}

// With neither an application nor a hook nobody sees the box: the answer is the
// one that changes nothing.
TEST(MessageBox, AnUnseenBoxAnswersWhatChangesNothing)
{
    struct Case {
        std::uint32_t type;
        int answer;
    };
    for (const Case& c : { Case { fw::MB_OK, fw::IDOK }, Case { fw::MB_YESNO, fw::IDNO },
             Case { fw::MB_OKCANCEL, fw::IDCANCEL }, Case { fw::MB_YESNOCANCEL | fw::MB_DEFBUTTON2, fw::IDCANCEL } })
        EXPECT_EQ(KvMessageBox("unseen", c.type), c.answer) << c.type;
}

} // namespace
