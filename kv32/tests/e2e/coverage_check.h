// The coverage check's rules, without windows: what the program offers (the
// inventory that kv32_scenario --inventory writes from the program's own
// tables), what the scenarios touched (their coverage logs) and what is known
// to be missing (the backlog, which may only shrink).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct CoverageInventory {
    std::set<std::uint32_t> tables;
    std::map<std::uint32_t, std::string> commands; // id -> where it comes from
    std::set<std::uint32_t> never; // commands the permission table never allows
    std::set<std::uint32_t> dialogs;
};
// Lines "table ID", "command ID FROM...", "never ID", "dialog ID"; others are ignored.
CoverageInventory ParseCoverageInventory(const std::string& text);

// The seed's users by the rights set they have (the kind of user): the
// "user" and "rights" columns of the exchange's traders file.
std::map<std::string, std::string> ParseUserKinds(const std::string& tradersText);

// One thing without a step: its key as the backlog names it ("table 12",
// "command 32994", "dialog 116") and what it lacks.
struct CoverageGap {
    std::string key;
    std::string lacks;
};

// Something the check does not ask a step for, and why.
struct CoverageException {
    const char* key;
    const char* reason;
};

// What every thing needs: a list window is opened, has a command run while
// it is in front and is closed; a command is run or seen disabled; a command
// that is never allowed is seen disabled for every kind of user; a dialog is
// shown and one of its buttons pressed.
std::vector<CoverageGap> FindCoverageGaps(const CoverageInventory& inventory, const std::set<std::string>& covered,
    const std::map<std::string, std::string>& userKinds, const std::vector<CoverageException>& exceptions);

// The lines of coverage logs, joined.
void AddCoverageLog(const std::string& text, std::set<std::string>& covered);

struct BacklogComparison {
    std::vector<CoverageGap> unlisted; // missing and not in the backlog
    std::vector<std::string> done; // backlog lines that have their step now (or name nothing that exists)
    std::vector<std::string> errors; // lines of the backlog that cannot be read
    bool Passed() const { return unlisted.empty() && done.empty() && errors.empty(); }
};
// Backlog: one key a line ("table 12"), '#' comments.
BacklogComparison CompareWithBacklog(const std::vector<CoverageGap>& gaps, const std::string& backlogText);
// The backlog that the gaps make, with a header.
std::string CoverageBacklogText(const std::vector<CoverageGap>& gaps);
// What a failed comparison reports.
std::string DescribeComparison(const BacklogComparison& comparison);
