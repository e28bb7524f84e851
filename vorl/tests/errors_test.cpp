// Texts of the result codes from the compiled message file.
#include <gtest/gtest.h>

#include <string>

#include "errors_internal.h"
#include "plinth/lang.h"
#include "test_env.h"
#include "vorl/errors.h"
#include "vorl/result.h"
#include "vorl_msg_ids.h"

namespace {

using vorl::test::EnvVar;
using vorl::test::ScratchDir;

constexpr const char* kNoText = "No error text available";
constexpr const char* kNoFile = "Unable to open VORL message file";

// Every code the library returns, listed once. The generated row numbers must equal the codes,
// so a misplaced entry in the message source fails the build.
#define EVERY_RESULT_CODE(X) X(VORL_OK) X(VORL_ERR_NOMEM) X(VORL_ERR_NOSLOT) X(VORL_ERR_NOTHING_PENDING) \
    X(VORL_ERR_PKT_STARTED) X(VORL_ERR_PKT_NOT_STARTED) X(VORL_ERR_NO_ROOM) X(VORL_ERR_SEND_TRIES) \
    X(VORL_ERR_TIMEOUT) X(VORL_ERR_PROTOCOL) X(VORL_ERR_BAD_INDEX) X(VORL_ERR_SERVICE) X(VORL_ERR_NO_BLOCK) \
    X(VORL_ERR_HOST_TYPE) X(VORL_ERR_MUTEX) X(VORL_ERR_EVENT) X(VORL_ERR_MUTEX_NOT_TAKEN) \
    X(VORL_ERR_NO_CLIENT_SLOT) X(VORL_ERR_SLOT_EVENT) X(VORL_ERR_QUEUE_FULL) X(VORL_ERR_INVALID_HANDLE) \
    X(VORL_ERR_CONNECT_TIMEOUT) X(VORL_ERR_CONNECT_INFO) X(VORL_ERR_READ) X(VORL_ERR_LOGON_REFUSED) \
    X(VORL_ERR_SOCKET) X(VORL_ERR_CONNECT) X(VORL_ERR_BIND) X(VORL_ERR_DISCOVERY_READ) \
    X(VORL_ERR_BC_STOPPED) X(VORL_ERR_LISTENER) X(VORL_ERR_RING) X(VORL_ERR_NO_PACKET) X(VORL_ERR_NO_CONFIG) \
    X(VORL_ERR_OPTION) X(VORL_ERR_OTHER_REQUEST) X(VORL_ERR_MSG_ADDRESS) X(VORL_ERR_SOCKOPT) \
    X(VORL_ERR_LISTEN) X(VORL_ERR_MUST_COPY) X(VORL_ERR_BUFFER_SMALL) X(VORL_ERR_PLUGIN_LOAD) \
    X(VORL_ERR_PLUGIN) X(VORL_ERR_NO_SERVER_ADDRESS) X(VORL_ERR_NO_BUFFER)

#define ON_ITS_OWN_ROW(name) static_assert(MSG_##name == name, #name " is not on its own row");
EVERY_RESULT_CODE(ON_ITS_OWN_ROW)
static_assert(MSG_VORL_ERR_NO_BUFFER == VORL_RESULT_LAST, "the message file ends at the last code");

#define CODE_AND_NAME(name) {name, #name},
const struct {
  int code;
  const char* name;
} kCodes[] = {EVERY_RESULT_CODE(CODE_AND_NAME)};

class ErrorTexts : public ::testing::Test {
protected:
  void SetUp() override { vorl::ResetErrorTexts(); }
  void TearDown() override { vorl::ResetErrorTexts(); }
  const std::string shipped = vorl::test::messageFile();
};

TEST_F(ErrorTexts, EveryReturnedCodeHasEnglishAndHungarianText) {
  EnvVar file("VORLMSGFILE", shipped.c_str());
  EnvVar language("VORLLANGUAGE", nullptr);
  std::string english[VORL_RESULT_LAST + 1];
  for (const auto& c : kCodes) {
    const std::string text = VORLGetError(c.code);
    EXPECT_NE(text, kNoText) << c.name;
    EXPECT_NE(text, kNoFile) << c.name;
    EXPECT_FALSE(text.empty()) << c.name;
    english[c.code] = text;
  }
  EXPECT_EQ(english[VORL_ERR_INVALID_HANDLE], "Invalid handle");
  EXPECT_EQ(std::string(VORLGetError(8)), kNoText);   // a code nothing returns
  EXPECT_EQ(std::string(VORLGetError(55)), kNoText);  // beyond the file
  EXPECT_EQ(std::string(VORLGetError(-1)), kNoText);

  vorl::ResetErrorTexts();
  EnvVar hungarian("VORLLANGUAGE", "Hungarian");
  for (const auto& c : kCodes) {
    const std::string text = VORLGetError(c.code);
    EXPECT_NE(text, english[c.code]) << c.name << " has no Hungarian text";
    EXPECT_NE(text, kNoText) << c.name;
  }
  // The file holds Windows-1250: "Érvénytelen leíró".
  EXPECT_EQ(std::string(VORLGetError(VORL_ERR_INVALID_HANDLE)), "\xC9rv\xE9nytelen le\xEDr\xF3");
}

TEST_F(ErrorTexts, MissingFileIsReportedOnceAndNeverRetried) {
  ScratchDir dir;
  EnvVar file("VORLMSGFILE", (dir.path() + "/none.msg").c_str());
  EXPECT_STREQ(VORLGetError(VORL_ERR_NOMEM), kNoFile);
  EXPECT_STREQ(VORLGetError(VORL_ERR_NOMEM), kNoText);
  EnvVar now("VORLMSGFILE", shipped.c_str());
  EXPECT_STREQ(VORLGetError(VORL_ERR_NOMEM), kNoText);
}

TEST_F(ErrorTexts, DefaultNameIsInTheWorkingFolder) {
  ScratchDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EnvVar file("VORLMSGFILE", nullptr);
  EXPECT_STREQ(VORLGetError(1), kNoFile);
  vorl::ResetErrorTexts();
  std::filesystem::copy_file(shipped, dir.path() + "/vorl.msg");
  EXPECT_STREQ(VORLGetError(VORL_ERR_INVALID_HANDLE), "Invalid handle");
  std::filesystem::current_path(old);
}

TEST_F(ErrorTexts, LanguageFallsBackToTheDefaultColumn) {
  ScratchDir dir;
  const std::string source = dir.write("t.txt",
                                       "ROW0 { English | \"zero\" Hungarian | \"nulla\" }\n"
                                       "ROW1 { English | \"one\" }\n"
                                       "ROW2 { Hungarian | \"kettő\" }\n");
  const std::string compiled = dir.path() + "/t.msg";
  ASSERT_EQ(LangCompileStrings(source.c_str(), compiled.c_str(), (dir.path() + "/t.h").c_str(), nullptr), 0);
  EnvVar file("VORLMSGFILE", compiled.c_str());
  const struct {
    const char* language;
    int code;
    const char* text;
  } cases[] = {
      {"Hungarian", 0, "nulla"}, {"Hungarian", 1, "one"}, {"Hungarian", 2, "kettő"},
      {"Klingon", 0, "zero"},     {"hungarian", 0, "zero"}, {nullptr, 1, "one"},
      {nullptr, 2, kNoText},      {"Hungarian", 3, kNoText},
  };
  for (const auto& c : cases) {
    vorl::ResetErrorTexts();
    EnvVar language("VORLLANGUAGE", c.language);
    EXPECT_STREQ(VORLGetError(c.code), c.text) << (c.language ? c.language : "(none)") << " " << c.code;
  }
}

} // namespace
