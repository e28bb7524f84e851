// vorlrouter [config[,section]]: the host's router process stand-in. Without
// an argument the configuration comes from "VORLCONFIG" (section
// "VORLRouter"). "vorlrouter --stop-persist" stops the persist server of the
// current object namespace and exits.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plinth/persist.h"
#include "router.h"

namespace {

std::atomic<vorlrouter::Router*> running { nullptr };

void onSignal(int)
{
    if (vorlrouter::Router* r = running.load())
        r->requestStop();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--stop-persist") == 0)
        return SysStopPersistServer() == 1 ? 0 : 1;
    const char* text = argc > 1 ? argv[1] : std::getenv("VORLCONFIG");
    if (text == nullptr || *text == '\0') {
        std::fprintf(stderr, "usage: vorlrouter config-file[,section]  (or set VORLCONFIG)\n");
        return 2;
    }
    vorlrouter::RouterConfig config;
    if (std::string why = vorlrouter::ReadConfig(text, config); !why.empty()) {
        std::fprintf(stderr, "vorlrouter: %s\n", why.c_str());
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    struct sigaction sa { };
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    vorlrouter::Router router(config);
    if (std::string why = router.start(); !why.empty()) {
        std::fprintf(stderr, "vorlrouter: %s\n", why.c_str());
        return 1;
    }
    running.store(&router);
    std::printf("vorlrouter: ready on %s:%u, host type \"%s\", block key %d\n", config.listenAddress.c_str(),
        config.port, config.hostType.c_str(), config.key);
    std::fflush(stdout);
    router.run();
    running.store(nullptr);
    std::printf("vorlrouter: stopped\n");
    return 0;
}
