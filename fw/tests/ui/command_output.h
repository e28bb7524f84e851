#pragma once
// Runs a shell command for a test and returns what it wrote on its standard output; nothing when
// it could not run or ended with a failure.
#include <cstdio>
#include <optional>
#include <string>

namespace fwtest {

inline std::optional<std::string> commandOutput(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    if (pclose(pipe) != 0)
        return std::nullopt;
    return out;
}

} // namespace fwtest
