// Child program for the process tests:
//   args <file> [words...]  writes its program name and arguments, blank-separated, to <file>
//   exit <code>             exits with that code
//   sleep <ms>              sleeps, then exits 0
//   await <go> <done>       waits up to 30 s for the file <go>, then writes "done" to <done>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 100;
    const std::string mode = argv[1];
    if (mode == "args") {
        std::FILE* out = std::fopen(argv[2], "w");
        if (!out)
            return 101;
        for (int i = 0; i < argc; ++i)
            std::fprintf(out, i ? " %s" : "%s", i == 0 ? "prog" : argv[i]);
        std::fclose(out);
        return 0;
    }
    if (mode == "exit")
        return std::atoi(argv[2]);
    if (mode == "sleep") {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
        return 0;
    }
    if (mode == "await" && argc >= 4) {
        for (int i = 0; i < 3000; ++i) {
            if (std::FILE* go = std::fopen(argv[2], "r")) {
                std::fclose(go);
                std::FILE* done = std::fopen(argv[3], "w");
                if (!done)
                    return 101;
                std::fputs("done", done);
                return std::fclose(done) == 0 ? 0 : 101;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 103;
    }
    return 102;
}
