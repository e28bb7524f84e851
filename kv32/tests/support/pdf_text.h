// The text of a PDF file as pdftotext (poppler-utils) lays it out: one entry
// a line, trailing blanks and form feeds dropped, blank lines left out; empty
// when the file or the tool is missing.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> PdfTextLines(const std::string& path)
{
    std::vector<std::string> lines;
    const std::string command = "pdftotext -layout '" + path + "' - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return lines;
    std::string text;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    pclose(pipe);
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\f'))
            line.pop_back();
        while (!line.empty() && line.front() == '\f')
            line.erase(0, 1);
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}
