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

// Every code the library returns; the generated row numbers must equal the
// codes, so a misplaced entry in the message source fails the build.
#define CODE(name) {name, #name}
#define ROW(name) static_assert(MSG_##name == name, #name " is not on its own row")
ROW(VORL_OK); ROW(VORL_ERR_NOMEM); ROW(VORL_ERR_NOSLOT); ROW(VORL_ERR_NOTHING_PENDING); ROW(VORL_ERR_PKT_STARTED);
ROW(VORL_ERR_PKT_NOT_STARTED); ROW(VORL_ERR_NO_ROOM); ROW(VORL_ERR_SEND_TRIES); ROW(VORL_ERR_TIMEOUT);
ROW(VORL_ERR_PROTOCOL); ROW(VORL_ERR_BAD_INDEX); ROW(VORL_ERR_SERVICE); ROW(VORL_ERR_NO_BLOCK);
ROW(VORL_ERR_HOST_TYPE); ROW(VORL_ERR_MUTEX); ROW(VORL_ERR_EVENT); ROW(VORL_ERR_MUTEX_NOT_TAKEN);
ROW(VORL_ERR_NO_CLIENT_SLOT); ROW(VORL_ERR_SLOT_EVENT); ROW(VORL_ERR_QUEUE_FULL); ROW(VORL_ERR_INVALID_HANDLE);
ROW(VORL_ERR_CONNECT_TIMEOUT); ROW(VORL_ERR_CONNECT_INFO); ROW(VORL_ERR_READ); ROW(VORL_ERR_LOGON_REFUSED);
ROW(VORL_ERR_SOCKET); ROW(VORL_ERR_CONNECT); ROW(VORL_ERR_BIND); ROW(VORL_ERR_DISCOVERY_READ);
ROW(VORL_ERR_BC_STOPPED); ROW(VORL_ERR_LISTENER); ROW(VORL_ERR_RING); ROW(VORL_ERR_NO_PACKET);
ROW(VORL_ERR_NO_CONFIG); ROW(VORL_ERR_OPTION); ROW(VORL_ERR_OTHER_REQUEST); ROW(VORL_ERR_MSG_ADDRESS);
ROW(VORL_ERR_SOCKOPT); ROW(VORL_ERR_LISTEN); ROW(VORL_ERR_MUST_COPY); ROW(VORL_ERR_BUFFER_SMALL);
ROW(VORL_ERR_PLUGIN_LOAD); ROW(VORL_ERR_PLUGIN); ROW(VORL_ERR_NO_SERVER_ADDRESS); ROW(VORL_ERR_NO_BUFFER);
static_assert(MSG_VORL_ERR_NO_BUFFER == VORL_RESULT_LAST, "the message file ends at the last code");

const struct {
  int code;
  const char* name;
} kCodes[] = {
    CODE(VORL_OK), CODE(VORL_ERR_NOMEM), CODE(VORL_ERR_NOSLOT), CODE(VORL_ERR_NOTHING_PENDING),
    CODE(VORL_ERR_PKT_STARTED), CODE(VORL_ERR_PKT_NOT_STARTED), CODE(VORL_ERR_NO_ROOM), CODE(VORL_ERR_SEND_TRIES),
    CODE(VORL_ERR_TIMEOUT), CODE(VORL_ERR_PROTOCOL), CODE(VORL_ERR_BAD_INDEX), CODE(VORL_ERR_SERVICE),
    CODE(VORL_ERR_NO_BLOCK), CODE(VORL_ERR_HOST_TYPE), CODE(VORL_ERR_MUTEX), CODE(VORL_ERR_EVENT),
    CODE(VORL_ERR_MUTEX_NOT_TAKEN), CODE(VORL_ERR_NO_CLIENT_SLOT), CODE(VORL_ERR_SLOT_EVENT),
    CODE(VORL_ERR_QUEUE_FULL), CODE(VORL_ERR_INVALID_HANDLE), CODE(VORL_ERR_CONNECT_TIMEOUT),
    CODE(VORL_ERR_CONNECT_INFO), CODE(VORL_ERR_READ), CODE(VORL_ERR_LOGON_REFUSED), CODE(VORL_ERR_SOCKET),
    CODE(VORL_ERR_CONNECT), CODE(VORL_ERR_BIND), CODE(VORL_ERR_DISCOVERY_READ), CODE(VORL_ERR_BC_STOPPED),
    CODE(VORL_ERR_LISTENER), CODE(VORL_ERR_RING), CODE(VORL_ERR_NO_PACKET), CODE(VORL_ERR_NO_CONFIG),
    CODE(VORL_ERR_OPTION), CODE(VORL_ERR_OTHER_REQUEST), CODE(VORL_ERR_MSG_ADDRESS), CODE(VORL_ERR_SOCKOPT),
    CODE(VORL_ERR_LISTEN), CODE(VORL_ERR_MUST_COPY), CODE(VORL_ERR_BUFFER_SMALL), CODE(VORL_ERR_PLUGIN_LOAD),
    CODE(VORL_ERR_PLUGIN), CODE(VORL_ERR_NO_SERVER_ADDRESS), CODE(VORL_ERR_NO_BUFFER),
};

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
