// Broadcasting end to end across four processes: a host application writes
// numbered messages into the broadcast ring, the broadcaster sends the packets as
// UDP datagrams to 127.255.255.255, the listener places them into the client block,
// and a client process reads them through the library.
//
// UDP broadcasting has no acknowledgement and no resending: a datagram that the
// receiving socket has no room for is lost, and the client can only see the gap in
// the packet sequence numbers. On loopback nothing else loses datagrams, so with the
// broadcaster pacing itself (one datagram a millisecond: the listener's socket
// buffer then covers a stall of well over 100 ms) and the listener queueing what the
// client has not taken yet, the test asserts that every message arrives, in order,
// in packets with consecutive sequence numbers starting at 0.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "plinth/persist.h"

extern char** environ;

namespace {

std::string binDir() {
  const char* dir = std::getenv("KV_BIN_DIR");
  if (dir != nullptr && *dir != '\0') return dir;
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

class Process {
public:
  explicit Process(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
  }
  ~Process() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  bool started() const { return pid_ > 0; }
  // The exit code, or -1 when the process did not end within the limit.
  int wait(std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0) {
      int status = 0;
      const pid_t r = waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (std::chrono::steady_clock::now() > deadline) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
  }
  int stop() {
    if (pid_ > 0) kill(pid_, SIGTERM);
    return wait(std::chrono::seconds(20));
  }

private:
  pid_t pid_ = -1;
};

// A UDP port that nothing uses right now.
int freeUdpPort() {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) != 0) {
    close(s);
    return 0;
  }
  close(s);
  return ntohs(a.sin_port);
}

bool waitForFile(const std::string& path) {
  for (int i = 0; i < 4000; ++i) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

TEST(BroadcastEndToEnd, HundredThousandMessagesArriveInOrder) {
  const std::string ns = "t" + std::to_string(getpid()) + "_e2e_";
  setenv("PLINTH_NAMESPACE", ns.c_str(), 1);
  std::string folder = (std::filesystem::temp_directory_path() / "bce2e.XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  const int port = freeUdpPort();
  ASSERT_NE(port, 0);
  const std::string ini = folder + "/bc.ini";
  std::ofstream(ini) << "[BCServer]\nshmkey=8101\nPort=" << port
                     << "\nAddress=127.255.255.255\nRingSize=1048576\nPacePackets=1\nPaceMicros=1000\n"
                     << "[BCClient]\nshmkey=8201\nPort=" << port << "\nEntries=512\nDataSize=1048576\n";
  const std::string bin = binDir();
  {
    Process listener({bin + "/bclistener", ini, folder + "/listener.ready"});
    Process broadcaster({bin + "/bcbroadcaster", ini, folder + "/broadcaster.ready"});
    ASSERT_TRUE(listener.started() && broadcaster.started());
    ASSERT_TRUE(waitForFile(folder + "/listener.ready"));
    ASSERT_TRUE(waitForFile(folder + "/broadcaster.ready"));

    Process receiver({bin + "/bcreceiver", ini, "100000", "120"});
    Process application({bin + "/bchostapp", ini, "100000", "50", "24"});
    EXPECT_EQ(application.wait(std::chrono::seconds(150)), 0);
    EXPECT_EQ(receiver.wait(std::chrono::seconds(150)), 0);
    EXPECT_EQ(broadcaster.stop(), 0);
    EXPECT_EQ(listener.stop(), 0);
  }
  SysStopPersistServer();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ec)) {
    if (entry.path().filename().string().rfind(ns, 0) == 0) std::filesystem::remove(entry.path(), ec);
  }
}

} // namespace
