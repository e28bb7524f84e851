#pragma once
// Lets a test act only once another thread of this process is really inside a blocking wait,
// instead of sleeping and hoping it got there.
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <sys/syscall.h>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace vorl::test {

inline pid_t CurrentThreadId() { return static_cast<pid_t>(::syscall(SYS_gettid)); }

// True while thread tid sleeps in a futex wait, which is where a plinth event wait blocks.
inline bool SleepsInFutexWait(pid_t tid) {
  const std::string task = "/proc/self/task/" + std::to_string(tid);
  std::string stat;
  std::getline(std::ifstream(task + "/stat"), stat);
  const std::size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos || nameEnd + 2 >= stat.size() || stat[nameEnd + 2] != 'S') return false;
  long number = -1;
  std::ifstream(task + "/syscall") >> number;
  return number == SYS_futex;
}

// Polls condition every millisecond for up to 20 seconds; whether it came true.
inline bool PollUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace vorl::test
