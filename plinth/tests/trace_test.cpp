#include "plinth/trace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "../src/trace_mask.h"
#include "plinth/process.h"
#include "scratch_dir.h"

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Trace : public ::testing::Test {
protected:
    // A settings file in the scratch folder whose trace file lies beside it. The integer
    // settings carry over from one initialisation to the next, so all are given; the
    // first of two equal keys wins.
    std::string settings(const std::string& settingsLines, const std::string& modules = "")
    {
        return dir.write("trace.ini",
            "[Settings]\nFile=" + traceFile() + "\n" + settingsLines
                + "\nIndent=0\nDate=0\nTime=0\nThreadId=0\n[Modules]\n" + modules);
    }
    std::string traceFile() const { return dir.file("trace.txt"); }

    void TearDown() override
    {
        // Leaves the facility without a trace file, so later tests start clean.
        const std::string none
            = dir.write("none.ini", "[Settings]\nFile=" + dir.file("no/such/dir/x") + "\n");
        EXPECT_EQ(TraceInit(none.c_str()), 0);
        EXPECT_EQ(TraceGetFilePtr(), nullptr);
        TraceSetFuncName(nullptr);
    }

    ScratchDir dir;
};

TEST(TraceMask, TextsGiveTheirBits)
{
    const struct {
        const char* text;
        unsigned int mask;
    } cases[] = {
        { "1, 4-6", 57u },
        { "0-3", 7u },
        { "1-3", 7u },
        { "5-40", 0xFFFFFFF0u },
        { "33", 0u },
        { "7-3", 0u },
        { "0", 0u },
        { "32", 0x80000000u },
        { "1-32", 0xFFFFFFFFu },
        { "2,3\t5", 0x16u },
        { "x, 4a, -2, 3-0, 2", 0x2u },
        { "", 0u },
    };
    for (const auto& c : cases)
        EXPECT_EQ(plinth::ParseTraceMask(c.text), c.mask) << '"' << c.text << '"';
}

TEST_F(Trace, ModuleMasksAreFoundInAnyOrderAndOthersGetTheDefault)
{
    const std::string ini = settings("DefaultMask=2", "zeta=1\nAlpha=3\nmid=1-2\n");
    ASSERT_EQ(TraceInit(ini.c_str()), 1);
    EXPECT_EQ(*TraceModuleMask("zeta"), 1u);
    EXPECT_EQ(*TraceModuleMask("Alpha"), 4u);
    EXPECT_EQ(*TraceModuleMask("mid"), 3u);
    const unsigned int* unknown = TraceModuleMask("alpha"); // names compare byte by byte
    EXPECT_EQ(*unknown, 2u);
    EXPECT_EQ(TraceModuleMask("other"), unknown);

    // A second initialisation replaces the table; an old pointer stays readable.
    const unsigned int* oldZeta = TraceModuleMask("zeta");
    const std::string again = settings("", "beta=5\n");
    ASSERT_EQ(TraceInit(again.c_str()), 1);
    EXPECT_EQ(*TraceModuleMask("beta"), 16u);
    EXPECT_EQ(*TraceModuleMask("zeta"), 0u);
    EXPECT_EQ(*oldZeta, 1u);
}

TEST_F(Trace, PlainLineIsTheTextAndANewline)
{
    ASSERT_EQ(TraceInit(settings("Indent=0\nDate=0\nTime=0\nThreadId=0").c_str()), 1);
    EXPECT_EQ(TraceWrite("%d", 42), 1);
    EXPECT_EQ(readAll(traceFile()), "42\n");
}

TEST_F(Trace, EntryAndExitIndentTheLinesBetween)
{
    ASSERT_EQ(TraceInit(settings("Indent=2").c_str()), 1);
    TraceEntry("Outer");
    TraceWrite("inside %s", "outer");
    TraceEntry("Inner");
    TraceSetFuncName("Inner");
    TraceWrite("deep");
    TraceSetFuncName(nullptr);
    TraceExit("Inner");
    TraceExit("Outer");
    TraceExit("Stray"); // an unmatched exit stays at the margin
    TraceWrite("after");
    EXPECT_EQ(readAll(traceFile()),
        "Entry: Outer\n"
        "  inside outer\n"
        "  Entry: Inner\n"
        "    Inner: deep\n"
        "  Exit: Inner\n"
        "Exit: Outer\n"
        "Exit: Stray\n"
        "after\n");
}

TEST_F(Trace, DateTimeAndThreadIdColumns)
{
    ASSERT_EQ(TraceInit(settings("Date=1\nTime=1\nThreadId=1\nIndent=3").c_str()), 1);
    TraceEntry("F");
    TraceWrite("x");
    TraceExit("F");
    char id[32];
    std::snprintf(id, sizeof id, "%-8.4x ", static_cast<unsigned int>(gettid()));
    // "%x " and "%X " of the C locale, each in "%-8s ".
    const std::string stamp = R"(\d\d/\d\d/\d\d  \d\d:\d\d:\d\d  )";
    const std::regex expected(stamp + std::string(id) + "Entry: F\n" + stamp + std::string(id) + "   x\n"
        + stamp + std::string(id) + "Exit: F\n");
    const std::string text = readAll(traceFile());
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(Trace, IntegerSettingsCarryOverToTheNextInitialisation)
{
    ASSERT_EQ(TraceInit(settings("Indent=4").c_str()), 1);
    const std::string bare = dir.write("bare.ini", "[Settings]\nFile=" + traceFile() + "\n");
    ASSERT_EQ(TraceInit(bare.c_str()), 1);
    TraceEntry("F");
    TraceWrite("x");
    TraceExit("F");
    EXPECT_EQ(readAll(traceFile()), "Entry: F\n    x\nExit: F\n");
}

TEST_F(Trace, NothingIsWrittenWithoutATraceFile)
{
    const std::string ini = dir.write("bad.ini", "[Settings]\nFile=" + dir.file("missing/t.txt") + "\n");
    EXPECT_EQ(TraceInit(ini.c_str()), 0);
    EXPECT_EQ(TraceWrite("lost"), 1);
    EXPECT_STREQ(TraceEntry("F"), "F");
    TraceExit("F");
    EXPECT_EQ(TraceGetFilePtr(), nullptr);
}

TEST_F(Trace, LinesOfThreadsNeverMix)
{
    ASSERT_EQ(TraceInit(settings("Indent=1").c_str()), 1);
    constexpr int kThreads = 4;
    constexpr int kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            TraceEntry("worker");
            for (int i = 0; i < kLines; ++i)
                TraceWrite("thread %d line %d of a reasonably long text", t, i);
            TraceExit("worker");
        });
    }
    for (auto& thread : threads)
        thread.join();
    // Held lock: a caller's own lines through the stream stay together.
    TraceMutexGet();
    std::fputs("held-1\n", TraceGetFilePtr());
    TraceWrite("held-2");
    TraceMutexRelease();

    std::istringstream lines(readAll(traceFile()));
    std::string line;
    int count = 0;
    const std::regex shape(
        R"( thread \d line \d+ of a reasonably long text|Entry: worker|Exit: worker|held-1|held-2)");
    while (std::getline(lines, line)) {
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
        ++count;
    }
    EXPECT_EQ(count, kThreads * (kLines + 2) + 2);
}

int openDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

TEST_F(Trace, ReinitialisingClosesTheStreamItReplacesWhileOthersWrite)
{
    auto settingsFor = [this](const char* name) {
        return dir.write(std::string(name) + ".ini",
            "[Settings]\nFile=" + dir.file(std::string(name) + ".txt")
                + "\nIndent=0\nDate=0\nTime=0\nThreadId=0\n");
    };
    const std::string a = settingsFor("a");
    const std::string b = settingsFor("b");
    ASSERT_EQ(TraceInit(a.c_str()), 1);
    ASSERT_EQ(TraceWrite("first"), 1);
    const int held = openDescriptors();

    constexpr int kThreads = 2;
    constexpr int kLines = 300;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < kLines; ++i)
                TraceWrite("writer %d line %d", t, i);
        });
    }
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(TraceInit((i % 2 == 0 ? b : a).c_str()), 1);
    for (auto& writer : writers)
        writer.join();
    // Forty re-initialisations later only the last stream is open.
    EXPECT_EQ(openDescriptors(), held);

    // The stream in use is the last one opened: new lines go there alone.
    const std::string beforeB = readAll(dir.file("b.txt"));
    ASSERT_EQ(TraceWrite("last"), 1);
    EXPECT_EQ(readAll(dir.file("b.txt")), beforeB);
    const std::string textA = readAll(dir.file("a.txt"));
    ASSERT_GE(textA.size(), 5u);
    EXPECT_EQ(textA.substr(textA.size() - 5), "last\n");
    EXPECT_EQ(textA.substr(0, 6), "first\n");

    // A line lost while a stream is swapped is allowed; a torn line is not.
    const std::regex shape(R"(first|last|writer \d line \d+)");
    for (const std::string& text : { textA, beforeB }) {
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line))
            EXPECT_TRUE(std::regex_match(line, shape)) << line;
    }
}

TEST_F(Trace, FirstUseFromManyThreadsInitialisesOnce)
{
    dir.write("trace.ini",
        "[Settings]\nFile=" + traceFile() + "\nIndent=0\nDate=0\nTime=0\nThreadId=0\n[Modules]\nworker=1,3\n");
    const char* bin = std::getenv("KV_BIN_DIR");
    const std::string child = std::string(bin != nullptr ? bin : ".") + "/plinth_trace_child";
    constexpr int kThreads = 8;
    ProcessHandle p = ProcessStart(child.c_str(), "lazy", dir.path().c_str(), std::to_string(kThreads).c_str(), nullptr);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(ProcessWait(p, 60000), 1);
    int code = -1;
    ASSERT_EQ(ProcessExitCode(p, &code), 1);
    ProcessClose(p);
    EXPECT_EQ(code, 0) << "1: a thread saw a wrong mask, 2: more than one stream was opened";

    std::istringstream lines(readAll(traceFile()));
    std::string line;
    std::vector<bool> seen(kThreads, false);
    while (std::getline(lines, line)) {
        int t = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "thread %d", &t), 1) << line;
        ASSERT_TRUE(t >= 0 && t < kThreads) << line;
        EXPECT_FALSE(seen[static_cast<std::size_t>(t)]) << line;
        seen[static_cast<std::size_t>(t)] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), kThreads);
}

} // namespace
