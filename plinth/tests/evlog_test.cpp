#include "plinth/evlog.h"
#include "plinth/exception.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "scratch_dir.h"

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string kStamp = R"([A-Z][a-z]{2} [A-Z][a-z]{2} [ \d]\d \d\d:\d\d:\d\d \d{4})";

TEST(Evlog, LinesCarryTypeLetterDateAndText)
{
    ScratchDir dir;
    const std::string path = dir.file("server.log");
    Evlog log = EvlogOpen(path.c_str(), 0);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(EvlogWrite(log, EVLOG_ERROR, "code %d", 7), 0);
    EXPECT_EQ(EvlogWrite(log, EVLOG_WARNING, "%s", "careful"), 0);
    EXPECT_EQ(EvlogWrite(log, EVLOG_INFORMATION, "fine"), 0);
    EXPECT_EQ(EvlogWrite(log, 9, "odd type"), 0);
    EXPECT_EQ(EvlogClose(log), 1);
    const std::regex expected("E " + kStamp + " - code 7\nW " + kStamp + " - careful\nI " + kStamp
        + " - fine\n  " + kStamp + " - odd type\n");
    const std::string text = readAll(path);
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST(Evlog, AppendingKeepsEarlierLinesAndRewritingDropsThem)
{
    ScratchDir dir;
    const std::string path = dir.write("keep.log", "earlier line\n");
    Evlog log = EvlogOpen(path.c_str(), 1);
    ASSERT_NE(log, nullptr);
    EvlogWrite(log, EVLOG_INFORMATION, "added");
    EvlogClose(log);
    std::string text = readAll(path);
    EXPECT_EQ(text.rfind("earlier line\nI ", 0), 0u) << text;
    EXPECT_NE(text.find(" - added\n"), std::string::npos);

    log = EvlogOpen(path.c_str(), 0);
    ASSERT_NE(log, nullptr);
    EvlogWrite(log, EVLOG_INFORMATION, "fresh");
    EvlogClose(log);
    text = readAll(path);
    EXPECT_EQ(text.find("earlier"), std::string::npos);
    EXPECT_NE(text.find(" - fresh\n"), std::string::npos);
}

TEST(Evlog, LongTextIsCutAndBadArgumentsRefused)
{
    ScratchDir dir;
    const std::string path = dir.file("long.log");
    Evlog log = EvlogOpen(path.c_str(), 0);
    ASSERT_NE(log, nullptr);
    const std::string big(1000, 'x');
    EXPECT_EQ(EvlogWrite(log, EVLOG_ERROR, "%s", big.c_str()), 0);
    EXPECT_NE(EvlogWrite(log, EVLOG_ERROR, nullptr), 0);
    EvlogClose(log);
    const std::string text = readAll(path);
    EXPECT_NE(text.find(" - " + std::string(255, 'x') + "\n"), std::string::npos);
    EXPECT_EQ(text.find(std::string(256, 'x')), std::string::npos);

    EXPECT_EQ(EvlogOpen(dir.file("no/such/folder.log").c_str(), 1), nullptr);
    EXPECT_EQ(EvlogOpen(nullptr, 1), nullptr);
    EXPECT_NE(EvlogWrite(nullptr, EVLOG_ERROR, "x"), 0);
    EXPECT_EQ(EvlogClose(nullptr), 0);
}

int lastCode = 0;
int recordingHandler(int code, const char* text)
{
    lastCode = code;
    return static_cast<int>(std::string(text).size());
}

TEST(Exception, HandlerHookAndDefaultHandlerLog)
{
    EXPECT_EQ(ExceptionInvokeHandler(3, "nobody"), 0);
    EXPECT_EQ(ExceptionSetHandler(recordingHandler), nullptr);
    EXPECT_EQ(ExceptionInvokeHandler(5, "four"), 4);
    EXPECT_EQ(lastCode, 5);
    EXPECT_EQ(ExceptionSetHandler(nullptr), recordingHandler);

    ScratchDir dir;
    const std::string path = dir.file("exceptions.log");
    Evlog log = EvlogOpen(path.c_str(), 0);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(ExceptionSetLog(log), nullptr);
    EXPECT_EQ(ExceptionGetLog(), log);
    EXPECT_EQ(ExceptionDefaultHandler(0, "100% sure"), 0); // the text is not a format
    EXPECT_EQ(ExceptionDefaultHandler(2, "minor"), 0);
    EXPECT_EQ(ExceptionSetLog(nullptr), log);
    EvlogClose(log);
    const std::regex expected("E " + kStamp + " - 100% sure\nW " + kStamp + " - minor\n");
    const std::string text = readAll(path);
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST(Exception, DefaultHandlerOpensItsOwnLogInTheCurrentFolder)
{
    ScratchDir dir;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    ExceptionSetLog(nullptr);
    EXPECT_EQ(ExceptionDefaultHandler(1, "first"), 0);
    Evlog own = ExceptionGetLog();
    EXPECT_NE(own, nullptr);
    EXPECT_EQ(ExceptionSetLog(nullptr), own);
    EvlogClose(own);
    EXPECT_EQ(chdir(previous), 0);
    EXPECT_NE(readAll(dir.file("plinth_default")).find("W "), std::string::npos);
    EXPECT_EQ(SysDaemonise(), 1);
}

} // namespace
