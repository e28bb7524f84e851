#include "plinth/process.h"
#include "plinth/thread.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "scratch_dir.h"

namespace {

std::string childProgram()
{
    const char* dir = std::getenv("KV_BIN_DIR");
    std::string base = dir ? dir : ".";
    if (!dir) {
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        if (n > 0) {
            base.assign(self, static_cast<size_t>(n));
            base = base.substr(0, base.rfind('/'));
        }
    }
    return base + "/plinth_proc_child";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(Process, ArgumentsArriveAsGiven)
{
    ScratchDir dir;
    const std::string out = dir.file("args.txt");
    const std::string child = childProgram();
    ProcessHandle p = ProcessStart(child.c_str(), "args", out.c_str(), "-a", "b", "two words", nullptr);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(ProcessWait(p, PLINTH_WAIT_INFINITE), 1);
    int code = -1;
    EXPECT_EQ(ProcessExitCode(p, &code), 1);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ProcessClose(p), 1);
    // An argument with a blank stays one argument.
    EXPECT_EQ(slurp(out), "prog args " + out + " -a b two words");
}

TEST(Process, ExitCodesWaitsAndKill)
{
    const std::string child = childProgram();
    ProcessHandle exits = ProcessStart(child.c_str(), "exit", "7", nullptr);
    ASSERT_NE(exits, nullptr);
    EXPECT_EQ(ProcessWait(exits, 60000), 1);
    int code = -1;
    EXPECT_EQ(ProcessExitCode(exits, &code), 1);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(ProcessClose(exits), 1);

    ProcessHandle sleeper = ProcessStart(child.c_str(), "sleep", "60000", nullptr);
    ASSERT_NE(sleeper, nullptr);
    EXPECT_EQ(ProcessWait(sleeper, 0), 0);
    EXPECT_EQ(ProcessExitCode(sleeper, &code), 1);
    EXPECT_EQ(code, PLINTH_STILL_ACTIVE);
    EXPECT_EQ(ProcessKill(sleeper), 1);
    EXPECT_EQ(ProcessWait(sleeper, PLINTH_WAIT_INFINITE), 1);
    EXPECT_EQ(ProcessExitCode(sleeper, &code), 1);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ProcessKill(sleeper), 0); // already ended
    EXPECT_EQ(ProcessClose(sleeper), 1);

}

TEST(Process, ClosingTheHandleLeavesTheChildRunning)
{
    // The child waits for a file that appears only after its handle is closed, then answers
    // with a file of its own: the answer proves it ran on.
    ScratchDir dir;
    const std::string go = dir.file("go");
    const std::string done = dir.file("done");
    ProcessHandle running = ProcessStart(childProgram().c_str(), "await", go.c_str(), done.c_str(), nullptr);
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(ProcessClose(running), 1);
    dir.write("go", "");
    for (int i = 0; i < 3000 && slurp(done) != "done"; ++i)
        usleep(10000);
    EXPECT_EQ(slurp(done), "done");
}

TEST(Process, BadStartsFail)
{
    EXPECT_EQ(ProcessStart("/nonexistent/program", nullptr), nullptr);
    EXPECT_EQ(ProcessStart("", nullptr), nullptr);
    const std::string huge(PLINTH_COMMAND_LINE_MAX, 'x');
    errno = 0;
    EXPECT_EQ(ProcessStart(childProgram().c_str(), "exit", huge.c_str(), nullptr), nullptr);
    EXPECT_EQ(errno, E2BIG);
    EXPECT_EQ(ProcessWait(nullptr, 0), 0);
    EXPECT_EQ(ProcessExitCode(nullptr, nullptr), 0);
    EXPECT_EQ(ProcessKill(nullptr), 0);
    EXPECT_EQ(ProcessClose(nullptr), 0);
}

unsigned int blockUntilReleased(void* arg)
{
    auto* release = static_cast<std::atomic<bool>*>(arg);
    for (int i = 0; i < 6000 && !release->load(); ++i)
        usleep(1000);
    return 0;
}

unsigned int sleepForever(void*)
{
    for (int i = 0; i < 600; ++i)
        sleep(1); // a cancellation point
    return 0;
}

TEST(Thread, WaitReportsWhetherTheThreadEnded)
{
    std::atomic<bool> release {false};
    ThreadHandle t = ThreadStart(blockUntilReleased, &release);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(ThreadWait(t, 0), 0);
    release = true;
    EXPECT_EQ(ThreadWait(t, PLINTH_WAIT_INFINITE), 1);
    EXPECT_EQ(ThreadWait(t, 0), 1);
    EXPECT_EQ(ThreadKill(t), 1); // already ended: nothing to do
    EXPECT_EQ(ThreadClose(t), 1);
}

TEST(Thread, KillEndsABlockedThread)
{
    ThreadHandle t = ThreadStart(sleepForever, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(ThreadKill(t), 1);
    EXPECT_EQ(ThreadWait(t, PLINTH_WAIT_INFINITE), 1);
    EXPECT_EQ(ThreadClose(t), 1);
    EXPECT_EQ(ThreadStart(nullptr, nullptr), nullptr);
    EXPECT_EQ(ThreadWait(nullptr, 0), 0);
    EXPECT_EQ(ThreadKill(nullptr), 0);
    EXPECT_EQ(ThreadClose(nullptr), 0);
}

} // namespace
