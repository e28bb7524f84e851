// plinth_o: puts the persist server of this PLINTH_NAMESPACE in the background
// and exits once it answers, so whoever started it knows the server is there.
// Exits with 183 when a server already runs.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "plinth/persist.h"

namespace {

constexpr int kAlreadyRunning = 183;
constexpr auto kStartWait = std::chrono::seconds(10);

bool server_answers()
{
    int count = 0;
    return SysQueryPersistServer(nullptr, 0, &count) == 1;
}

} // namespace

int main()
{
    // Whatever descriptors the starting program let us inherit (sockets, pipes)
    // would otherwise stay open for the whole life of the server.
    if (close_range(3, ~0u, 0) != 0) {
        for (int fd = 3; fd < 1024; ++fd)
            close(fd);
    }
    if (server_answers())
        return kAlreadyRunning;
    pid_t server = fork();
    if (server < 0) {
        std::perror("plinth_o: fork");
        return 1;
    }
    if (server == 0) {
        // The server outlives the program that started it, away from its terminal.
        setsid();
        if (chdir("/") != 0)
            _exit(1);
        _exit(SysRunPersistServer());
    }
    auto deadline = std::chrono::steady_clock::now() + kStartWait;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(server, &status, WNOHANG) == server) {
            // Lost the race to another server (183), or could not set up.
            return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
        }
        if (server_answers())
            return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "plinth_o: the server did not come up\n");
    return 1;
}
