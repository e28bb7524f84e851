// A scenario: what one user does at the workstation, one step a line, read
// from a plain text file (UTF-8). Words are separated by blanks; a word in
// double quotes may hold blanks ("" inside stands for one quote). A line that
// starts with '#' is a comment.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ScenarioStep {
    std::string kind;
    std::vector<std::string> args;
    std::string file;
    int line = 0;
    std::string Where() const { return file + ":" + std::to_string(line); }
    std::string Text() const;
};

// The steps and what each needs; a step outside the table or with the wrong
// number of words is an error naming its line.
struct ScenarioStepKind {
    const char* name;
    size_t minArgs;
    size_t maxArgs;
    const char* help;
};
const std::vector<ScenarioStepKind>& ScenarioStepKinds();

struct ScenarioParse {
    std::vector<ScenarioStep> steps;
    std::string error; // "file:line: what", empty when the whole text was read
};
ScenarioParse ParseScenario(const std::string& text, const std::string& file);
ScenarioParse LoadScenario(const std::string& path);

// Replaces every ${NAME} of a step's word with the environment's value (test
// folders, ports); false with the name when one is not set.
bool ExpandEnvironment(std::string& text, std::string& missing);

// A number word of a step (ids, types, offsets); nullopt when it is not one.
std::optional<long> ScenarioNumber(const std::string& word);
