// A line printer that keeps the lines it is given, for tests of the print log.
#pragma once

#include <string>
#include <vector>

#include "kv32/shell/print_log.h"

namespace kv32test {

class RecordingPrinter : public CLinePrint {
public:
    bool OpenDefaultPrinter(bool, int) override { return true; }
    bool PrintLine(const std::string& line) override
    {
        lines.push_back(line);
        return works;
    }
    void EndDocument() override { ++ends; }
    std::vector<std::string> lines;
    bool works = true; // false: every line fails, as on a printer that went away
    int ends = 0;
};

} // namespace kv32test
