#include "scenario.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

const std::vector<ScenarioStepKind>& ScenarioStepKinds()
{
    static const std::vector<ScenarioStepKind> kinds = {
        { "accounts", 2, 20, "accounts USER ACCOUNT... : the user's local trading accounts file" },
        { "logon", 1, 2, "logon USER [PASSWORD] : logs on (off first when a session runs)" },
        { "logoff", 0, 0, "logoff" },
        { "open", 1, 1, "open TABLE-ID : opens the list window of a table" },
        { "command", 1, 1, "command ID : runs a command as a menu item does; a disabled one fails" },
        { "disabled", 1, 1, "disabled ID : the command is disabled now" },
        { "enabled", 1, 1, "enabled ID : the command is enabled now (without running it)" },
        { "dialog", 1, 1,
            "dialog TEMPLATE-ID : the next modal dialog; the steps up to its closing button run in it" },
        { "allow-dialog", 1, 2,
            "allow-dialog TEMPLATE-ID [BUTTON-ID] : from now on this dialog may pop up by itself (host "
            "events); it is "
            "closed with the button, else cancelled" },
        { "set", 2, 2,
            "set CONTROL-ID VALUE : types into an edit, selects a list or combo item or a tab by its "
            "text (A|B either), sets a time control to HH:MM:SS" },
        { "check", 2, 2, "check CONTROL-ID 0|1 : a check box or radio button" },
        { "press", 1, 1, "press CONTROL-ID|ok|cancel : clicks a button of the dialog" },
        { "answer", 1, 1, "answer ok|cancel|yes|no : the answer of the next message box" },
        { "file", 1, 1, "file PATH|cancel : the answer of the next file dialog" },
        { "print", 1, 1, "print PDF-PATH|cancel : the answer of the next print dialog or preview" },
        { "expect-box", 1, 1, "expect-box TEXT : a message box containing TEXT (A|B either) was shown" },
        { "expect-sent", 1, 3,
            "expect-sent TYPE [OFFSET TEXT] : a record of TYPE was sent (with TEXT at OFFSET)" },
        { "expect-reply", 1, 2, "expect-reply TEXT [TYPE] : a record containing TEXT came from the host" },
        { "expect-row", 1, 10,
            "expect-row TEXT... : the window in front shows a row with these cell texts (TEXT* a beginning, "
            "A|B either)" },
        { "expect-rows", 2, 11,
            "expect-rows COUNT TEXT... : the window in front shows exactly COUNT rows with these cell texts" },
        { "expect-order", 1, 20,
            "expect-order TEXT... : the window in front shows one row for each text, top to bottom, and no other" },
        { "expect-file", 2, 2, "expect-file PATH EXPECTED-PATH : the file holds exactly the bytes of the other" },
        { "expect-opened", 1, 1,
            "expect-opened TEXT : the desktop was asked to open a document whose path ends with TEXT" },
        { "expect-pane", 2, 2,
            "expect-pane INDEX TEXT : a pane of the status bar of the window in front shows TEXT (A|B either)" },
        { "expect-title", 1, 1, "expect-title TEXT : the window in front has a title containing TEXT" },
        { "expect-text", 2, 2, "expect-text CONTROL-ID TEXT : a control of the dialog shows TEXT (A|B either)" },
        { "expect-check", 2, 2,
            "expect-check CONTROL-ID 0|1 : a check box or radio button of the dialog is in this state" },
        { "expect-item", 2, 3,
            "expect-item CONTROL-ID TEXT [0] : a list or combo of the dialog has an item beginning with TEXT "
            "(0: has none)" },
        { "expect-in-file", 1, 10,
            "expect-in-file PATH [TEXT...] : the file exists and holds every TEXT (in Windows-1250)" },
        { "row", 1, 10, "row TEXT... : selects the first row of the window in front with these cell texts" },
        { "also-row", 1, 10, "also-row TEXT... : adds the first row with these cell texts to the selection" },
        { "double-click", 1, 10,
            "double-click TEXT... : selects the first row with these cell texts and double-clicks it" },
        { "shot", 1, 1, "shot NAME : a picture of the dialog, else of the window in front" },
        { "close", 0, 0, "close : closes the window in front" },
    };
    return kinds;
}

std::string ScenarioStep::Text() const
{
    std::string text = kind;
    for (const std::string& a : args)
        text += " " + (a.find(' ') != std::string::npos || a.empty() ? "\"" + a + "\"" : a);
    return text;
}

std::optional<long> ScenarioNumber(const std::string& word)
{
    long value = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (ec != std::errc() || ptr != end || word.empty())
        return std::nullopt;
    return value;
}

namespace {

// The words of a line; false with a reason for an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& why)
{
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        word += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                word += line[i++];
            }
            if (!closed) {
                why = "a quoted text is not closed";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t')
                word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return true;
}

} // namespace

ScenarioParse ParseScenario(const std::string& text, const std::string& file)
{
    ScenarioParse result;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const std::string where = file + ":" + std::to_string(number) + ": ";
        std::vector<std::string> words;
        std::string why;
        if (!SplitWords(line, words, why)) {
            result.error = where + why;
            return result;
        }
        const ScenarioStepKind* kind = nullptr;
        for (const ScenarioStepKind& k : ScenarioStepKinds())
            if (words[0] == k.name)
                kind = &k;
        if (kind == nullptr) {
            result.error = where + "unknown step \"" + words[0] + "\"";
            return result;
        }
        const size_t count = words.size() - 1;
        if (count < kind->minArgs || count > kind->maxArgs) {
            result.error = where + "wrong number of words; the step is: " + kind->help;
            return result;
        }
        ScenarioStep step;
        step.kind = words[0];
        step.args.assign(words.begin() + 1, words.end());
        step.file = file;
        step.line = number;
        result.steps.push_back(std::move(step));
    }
    return result;
}

ScenarioParse LoadScenario(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string name
        = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
    if (!in) {
        ScenarioParse result;
        result.error = path + ": cannot be read";
        return result;
    }
    std::stringstream s;
    s << in.rdbuf();
    return ParseScenario(s.str(), name);
}

bool ExpandEnvironment(std::string& text, std::string& missing)
{
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find("${", at);
        if (open == std::string::npos)
            break;
        const size_t close = text.find('}', open + 2);
        if (close == std::string::npos)
            break;
        const std::string name = text.substr(open + 2, close - open - 2);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value == nullptr) {
            missing = name;
            return false;
        }
        out += text.substr(at, open - at) + value;
        at = close + 1;
    }
    text = out + text.substr(at);
    return true;
}
