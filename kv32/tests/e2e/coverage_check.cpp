#include "coverage_check.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

bool ParseId(const std::string& word, std::uint32_t& id)
{
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), id);
    return error == std::errc() && end == word.data() + word.size() && !word.empty();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool Has(const std::set<std::string>& covered, const std::string& line)
{
    return covered.contains(line);
}

// A line of the log that begins with the prefix.
bool HasPrefix(const std::set<std::string>& covered, const std::string& prefix)
{
    const auto it = covered.lower_bound(prefix);
    return it != covered.end() && it->starts_with(prefix);
}

std::string Join(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : ", ") + p;
    return out;
}

} // namespace

CoverageInventory ParseCoverageInventory(const std::string& text)
{
    CoverageInventory inventory;
    for (const std::string& line : Lines(text)) {
        const std::vector<std::string> w = Words(line);
        std::uint32_t id = 0;
        if (w.size() < 2 || !ParseId(w[1], id))
            continue;
        if (w[0] == "table")
            inventory.tables.insert(id);
        else if (w[0] == "never")
            inventory.never.insert(id);
        else if (w[0] == "dialog")
            inventory.dialogs.insert(id);
        else if (w[0] == "command") {
            std::string from;
            for (size_t i = 2; i < w.size(); ++i)
                from += (from.empty() ? "" : " ") + w[i];
            inventory.commands[id] = from;
        }
    }
    return inventory;
}

std::map<std::string, std::string> ParseUserKinds(const std::string& tradersText)
{
    std::map<std::string, std::string> kinds;
    int userColumn = -1;
    int rightsColumn = -1;
    for (const std::string& line : Lines(tradersText)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::string cell;
        for (const char c : line + "|") {
            if (c == '|') {
                cells.push_back(cell);
                cell.clear();
            } else
                cell += c;
        }
        if (userColumn < 0) {
            for (size_t i = 0; i < cells.size(); ++i) {
                if (cells[i] == "user")
                    userColumn = static_cast<int>(i);
                if (cells[i] == "rights")
                    rightsColumn = static_cast<int>(i);
            }
            if (rightsColumn < 0)
                userColumn = -1;
            continue;
        }
        const size_t needed = static_cast<size_t>(std::max(userColumn, rightsColumn));
        if (cells.size() > needed && !cells[static_cast<size_t>(userColumn)].empty())
            kinds[cells[static_cast<size_t>(userColumn)]] = cells[static_cast<size_t>(rightsColumn)];
    }
    return kinds;
}

void AddCoverageLog(const std::string& text, std::set<std::string>& covered)
{
    for (const std::string& line : Lines(text))
        if (!line.empty())
            covered.insert(line);
}

std::vector<CoverageGap> FindCoverageGaps(const CoverageInventory& inventory, const std::set<std::string>& covered,
    const std::map<std::string, std::string>& userKinds, const std::vector<CoverageException>& exceptions)
{
    const auto excepted = [&](const std::string& key) {
        return std::any_of(
            exceptions.begin(), exceptions.end(), [&](const CoverageException& e) { return key == e.key; });
    };
    std::vector<CoverageGap> gaps;
    const auto add = [&](const std::string& key, const std::vector<std::string>& lacks) {
        if (!lacks.empty() && !excepted(key))
            gaps.push_back({ key, Join(lacks) });
    };
    for (const std::uint32_t id : inventory.tables) {
        const std::string key = "table " + std::to_string(id);
        std::vector<std::string> lacks;
        if (!Has(covered, key))
            lacks.push_back("never opened");
        if (!HasPrefix(covered, key + " command "))
            lacks.push_back("no command run in it");
        if (!Has(covered, key + " closed"))
            lacks.push_back("never closed");
        add(key, lacks);
    }
    std::set<std::string> kinds;
    for (const auto& [user, kind] : userKinds)
        kinds.insert(kind);
    for (const auto& [id, from] : inventory.commands) {
        const std::string key = "command " + std::to_string(id);
        std::vector<std::string> lacks;
        if (inventory.never.contains(id)) {
            // Never allowed: each kind of user must see it disabled.
            std::set<std::string> seen;
            for (const auto& [user, kind] : userKinds)
                if (Has(covered, key + " disabled for " + user))
                    seen.insert(kind);
            std::vector<std::string> missing;
            for (const std::string& kind : kinds)
                if (!seen.contains(kind))
                    missing.push_back(kind);
            if (!missing.empty())
                lacks.push_back("not seen disabled for " + Join(missing));
        } else if (!Has(covered, key + " run") && !Has(covered, key + " disabled"))
            lacks.push_back("never run or seen disabled (" + from + ")");
        add(key, lacks);
    }
    for (const std::uint32_t id : inventory.dialogs) {
        const std::string key = "dialog " + std::to_string(id);
        std::vector<std::string> lacks;
        if (!Has(covered, key + " shown"))
            lacks.push_back("never shown");
        if (!HasPrefix(covered, key + " button "))
            lacks.push_back("no button pressed");
        add(key, lacks);
    }
    return gaps;
}

BacklogComparison CompareWithBacklog(const std::vector<CoverageGap>& gaps, const std::string& backlogText)
{
    BacklogComparison result;
    std::set<std::string> listed;
    int number = 0;
    for (std::string line : Lines(backlogText)) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        const std::vector<std::string> w = Words(line);
        if (w.empty())
            continue;
        std::uint32_t id = 0;
        if (w.size() != 2 || (w[0] != "table" && w[0] != "command" && w[0] != "dialog") || !ParseId(w[1], id)) {
            result.errors.push_back("line " + std::to_string(number) + ": \"" + line + "\" is not KIND ID");
            continue;
        }
        listed.insert(w[0] + " " + w[1]);
    }
    std::set<std::string> missing;
    for (const CoverageGap& gap : gaps) {
        missing.insert(gap.key);
        if (!listed.contains(gap.key))
            result.unlisted.push_back(gap);
    }
    for (const std::string& key : listed)
        if (!missing.contains(key))
            result.done.push_back(key);
    return result;
}

std::string CoverageBacklogText(const std::vector<CoverageGap>& gaps)
{
    std::string text = "# What no scenario step touches yet, one a line; the coverage check fails when\n"
                       "# something else lacks its step and when a line here has got its step.\n";
    for (const CoverageGap& gap : gaps)
        text += gap.key + "\n";
    return text;
}

std::string DescribeComparison(const BacklogComparison& comparison)
{
    std::string text;
    for (const CoverageGap& gap : comparison.unlisted)
        text += "no step: " + gap.key + ": " + gap.lacks + "\n";
    for (const std::string& key : comparison.done)
        text += "the backlog lists " + key + ", which has its steps now (or no longer exists): remove the line\n";
    for (const std::string& error : comparison.errors)
        text += "backlog " + error + "\n";
    return text;
}
