#include <gtest/gtest.h>

#include <set>

#include "fw/core/codepage.h"
#include "fw/core/rescheck.h"
#include "kvcore/app/message_box.h"
#include "kvcore/res/ids.h"
#include "kvcore/res/strings.h"

namespace {

TEST(StringTable, EveryIdIsUniqueAndInBothLanguages)
{
    std::set<unsigned> ids;
    for (const fw::StringEntry& e : KvCoreStrings()) {
        EXPECT_TRUE(ids.insert(e.id).second) << e.id;
        ASSERT_NE(e.en, nullptr);
        ASSERT_NE(e.hu, nullptr) << e.id;
        EXPECT_NE(std::string(e.hu), "") << e.id;
        EXPECT_TRUE(fw::utf8ToCp1250(e.en).ok()) << e.id;
        EXPECT_TRUE(fw::utf8ToCp1250(e.hu).ok()) << e.id;
    }
    for (unsigned used : { IDS_PASSWORD_EXPIRED, IDS_ENTER_OLD_PASSWORD, IDS_ENTER_NEW_PASSWORD,
             IDS_ENTER_PASSWORD_AGAIN, IDS_DOWNLOADING, IDS_STORING_DATA, IDS_ERROR_LOADING_VORL,
             IDS_INCORRECT_PASSWORD, IDS_PASSWORDS_DIFFER, IDS_PASSWORD_RULES, IDS_PASSWORD_TOO_SIMILAR,
             IDS_LOGON_TEXT_TOO_LONG, IDS_VORL_INCOMPLETE }) {
        EXPECT_TRUE(ids.count(used)) << used;
    }
}

// The framework's own check, as every module's tables go through it.
TEST(StringTable, PassesTheResourceCheck)
{
    static constexpr std::uint32_t kUsed[] = { IDS_PASSWORD_EXPIRED, IDS_ENTER_OLD_PASSWORD, IDS_ENTER_NEW_PASSWORD,
        IDS_ENTER_PASSWORD_AGAIN, IDS_DOWNLOADING, IDS_STORING_DATA, IDS_ERROR_LOADING_VORL, IDS_INCORRECT_PASSWORD,
        IDS_PASSWORDS_DIFFER, IDS_PASSWORD_RULES, IDS_PASSWORD_TOO_SIMILAR, IDS_LOGON_TEXT_TOO_LONG,
        IDS_VORL_INCOMPLETE };
    fw::ResourceSet set { "kvcore" };
    set.strings = KvCoreStrings();
    fw::UsedIds used;
    used.strings = kUsed;
    const fw::ResourceReport report = fw::checkResources(set, used);
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST(StringTable, LanguageSwitchGivesWindows1250Bytes)
{
    EXPECT_EQ(KvLoadString(IDS_ERROR_LOADING_VORL), "Error loading VORL.DLL.");
    KvSetLanguage(fw::Language::Hungarian);
    EXPECT_EQ(KvLoadString(IDS_DOWNLOADING), "Let\xf6lt\xe9s");
    EXPECT_EQ(fw::cp1250ToUtf8(KvLoadString(IDS_ERROR_LOADING_VORL)), "Hiba a VORL.DLL betöltésekor.");
    KvSetLanguage(fw::Language::English);
    EXPECT_EQ(KvLoadString(1), "");
}

TEST(MessageBoxHook, ReceivesTextAndFlags)
{
    std::string seen;
    unsigned seenFlags = 0;
    KvSetMessageBoxHook([&](const std::string& text, unsigned flags) {
        seen = text;
        seenFlags = flags;
        return KV_IDYES;
    });
    EXPECT_EQ(KvMessageBoxId(IDS_ERROR_LOADING_VORL, KV_MB_ICONSTOP), KV_IDYES);
    EXPECT_EQ(seen, "Error loading VORL.DLL.");
    EXPECT_EQ(seenFlags, KV_MB_ICONSTOP);
    KvSetMessageBoxHook(nullptr);
}

} // namespace
