#include <gtest/gtest.h>

#include <set>

#include "kvcore/app/message_box.h"
#include "kvcore/res/ids.h"
#include "kvcore/res/strings.h"
#include "kvcore/values/cp1250.h"

namespace {

TEST(StringTable, EveryIdIsUniqueAndInBothLanguages) {
  size_t count = 0;
  const KvStringEntry* table = KvCoreStringTable(&count);
  std::set<unsigned> ids;
  for (size_t i = 0; i < count; ++i) {
    EXPECT_TRUE(ids.insert(table[i].id).second) << table[i].id;
    ASSERT_NE(table[i].english, nullptr);
    ASSERT_NE(table[i].hungarian, nullptr);
    EXPECT_NE(std::string(table[i].hungarian), "") << table[i].id;
    EXPECT_TRUE(Utf8ToCp1250(table[i].english).has_value()) << table[i].id;
    EXPECT_TRUE(Utf8ToCp1250(table[i].hungarian).has_value()) << table[i].id;
  }
  for (unsigned used : {IDS_ERROR_LOADING_VORL, IDS_DOWNLOADING, IDS_STORING_DATA, IDS_PASSWORD_RULES}) {
    EXPECT_TRUE(ids.count(used)) << used;
  }
}

TEST(StringTable, LanguageSwitchGivesWindows1250Bytes) {
  EXPECT_EQ(KvLoadString(IDS_ERROR_LOADING_VORL), "Error loading VORL.DLL.");
  KvSetLanguage(KvLanguage::Hungarian);
  EXPECT_EQ(KvLoadString(IDS_DOWNLOADING), "Let\xf6lt\xe9s");
  EXPECT_EQ(Cp1250ToUtf8(KvLoadString(IDS_ERROR_LOADING_VORL)), "Hiba a VORL.DLL betöltésekor.");
  KvSetLanguage(KvLanguage::English);
  EXPECT_EQ(KvLoadString(1), "");
}

TEST(Cp1250, RoundTripsAndRefusesWhatItCannotCarry) {
  const std::string hungarian = "ÁÉÍÓÖŐÚÜŰáéíóöőúüű€";
  const auto bytes = Utf8ToCp1250(hungarian);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), 19u);
  EXPECT_EQ(Cp1250ToUtf8(*bytes), hungarian);
  EXPECT_FALSE(Utf8ToCp1250("日本").has_value());
  EXPECT_FALSE(Utf8ToCp1250("\xc3").has_value());      // cut sequence
  EXPECT_FALSE(Utf8ToCp1250("\xc0\xaf").has_value());  // overlong
  EXPECT_EQ(Cp1250ToUtf8("\x81"), "\xef\xbf\xbd");
}

TEST(MessageBoxHook, ReceivesTextAndFlags) {
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

}  // namespace
