// The golden files of the program's tests, read whole (empty when missing).
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace kv32test {

inline std::string ReadFixture(const std::string& name)
{
    std::ifstream in(std::string(KV32_TEST_DATA_DIR "/") + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

} // namespace kv32test
