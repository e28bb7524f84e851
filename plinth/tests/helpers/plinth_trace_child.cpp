// Child program for the trace tests: the first use of the facility in a fresh
// process, from several threads at once.
//   lazy <folder> <threads>  enters <folder> (which holds "trace.ini"), lets the
//                            threads ask for the mask of "worker" together, and
//                            has each write one line; exits 0 when every thread
//                            saw the mask 5 and one trace stream was opened.
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "plinth/trace.h"

namespace {

int openDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || std::string(argv[1]) != "lazy" || chdir(argv[2]) != 0)
        return 100;
    const int threads = std::atoi(argv[3]);
    if (threads < 1 || threads > 64)
        return 100;
    const int before = openDescriptors();
    std::atomic<int> ready { 0 };
    std::atomic<int> wrong { 0 };
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            ++ready;
            for (int spin = 0; spin < 1000000 && ready.load() < threads; ++spin)
                std::this_thread::yield();
            const unsigned int* mask = TraceModuleMask("worker");
            if (mask == nullptr || *mask != 5u)
                ++wrong;
            TraceWrite("thread %d", t);
        });
    }
    for (auto& worker : workers)
        worker.join();
    if (wrong.load() != 0)
        return 1;
    return openDescriptors() == before + 1 ? 0 : 2;
}
