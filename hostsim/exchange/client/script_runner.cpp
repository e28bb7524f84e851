#include "client/script_runner.h"

#include <chrono>
#include <istream>
#include <ostream>
#include <thread>

namespace exchange::client {

namespace {

bool isNumber(const std::string& s)
{
    return !s.empty() && s.size() <= 9 && s.find_first_not_of("0123456789") == std::string::npos;
}

// A record for the listing: its printable start.
std::string shown(const std::string& record)
{
    std::string out;
    for (const char c : record.substr(0, 100))
        out += static_cast<unsigned char>(c) < 0x20 ? '.' : c;
    return record.size() > 100 ? out + "..." : out;
}

// The verdict text (up to the NUL) and, for a refusal, its error number.
std::string verdictText(const Message& m)
{
    const std::size_t nul = m.data.find('\0');
    std::string text = m.data.substr(0, nul);
    if (m.type == 192 && nul != std::string::npos)
        text += " (error " + m.data.substr(nul + 1, m.data.find('\0', nul + 1) - nul - 1) + ")";
    return text;
}

std::string errorNumber(const Message& m)
{
    const std::size_t nul = m.data.find('\0');
    return nul == std::string::npos ? std::string()
                                    : m.data.substr(nul + 1, m.data.find('\0', nul + 1) - nul - 1);
}

} // namespace

ScriptRunner::ScriptRunner(std::string config, std::ostream& out, bool quiet)
    : config_(std::move(config))
    , out_(out)
    , quiet_(quiet)
{
}

ScriptRunner::~ScriptRunner() = default;

ScriptedClient* ScriptRunner::current()
{
    const auto it = clients_.find(currentUser_);
    return it == clients_.end() ? nullptr : it->second.get();
}

int ScriptRunner::run(std::istream& script)
{
    int failures = 0;
    std::string text;
    for (int number = 1; std::getline(script, text); ++number) {
        std::string error;
        const auto line = ParseScriptLine(text, error);
        if (!line) {
            out_ << "line " << number << ": " << error << "\n";
            return failures + 1;
        }
        if (line->command.empty())
            continue;
        if (line->command == "repeat") {
            if (line->tokens.size() < 2 || !isNumber(line->tokens[0].text) || line->tokens[0].width >= 0) {
                out_ << "line " << number << ": repeat N COMMAND ...\n";
                return failures + 1;
            }
            ScriptLine inner { line->tokens[1].text, { line->tokens.begin() + 2, line->tokens.end() } };
            const int times = std::stoi(line->tokens[0].text);
            int failed = 0;
            for (int pass = 1; pass <= times; ++pass)
                failed += execute(inner, pass) ? 0 : 1;
            out_ << "repeat " << times << " " << inner.command << ": " << times - failed << " done, "
                 << failed << " failed\n";
            failures += failed;
            continue;
        }
        if (!execute(*line, 0)) {
            ++failures;
            if (line->command != "expect" && line->command != "transaction" && line->command != "request"
                && line->command != "snapshot")
                out_ << "line " << number << ": " << text << "\n";
        }
    }
    return failures;
}

bool ScriptRunner::logon(const ScriptLine& line)
{
    if (line.tokens.size() != 2)
        return false;
    const std::string& user = line.tokens[0].text;
    auto client = std::make_unique<ScriptedClient>(config_, user, line.tokens[1].text);
    const bool ok = client->ok();
    out_ << "logon " << user << ": " << (ok ? "accepted" : "refused") << "\n";
    if (ok) {
        clients_[user] = std::move(client);
        currentUser_ = user;
    }
    return ok;
}

bool ScriptRunner::expect(const ScriptLine& line)
{
    const auto& t = line.tokens;
    bool held = false;
    if (t.size() == 2 && t[0].text == "records" && isNumber(t[1].text)) {
        held = lastRecords_ == std::stol(t[1].text);
    } else if (!t.empty() && (t[0].text == "accepted" || t[0].text == "refused") && t.size() <= 2) {
        held = lastVerdict_.type == (t[0].text == "accepted" ? 193 : 192)
            && (t.size() == 1 || errorNumber(lastVerdict_) == t[1].text);
    } else {
        out_ << "expect accepted|refused [ERROR] or expect records N\n";
        return false;
    }
    if (!held)
        out_ << "expectation failed: last verdict " << lastVerdict_.type << " " << verdictText(lastVerdict_)
             << ", last records " << lastRecords_ << "\n";
    return held;
}

bool ScriptRunner::execute(const ScriptLine& line, int pass)
{
    ++commands_;
    const std::string& c = line.command;
    if (c == "logon")
        return logon(line);
    if (c == "expect")
        return expect(line);
    if (c == "echo") {
        for (const ScriptToken& t : line.tokens)
            out_ << t.text << " ";
        out_ << "\n";
        return true;
    }
    if (c == "sleep") {
        if (line.tokens.size() != 1 || !isNumber(line.tokens[0].text)
            || std::stol(line.tokens[0].text) > 60000)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stol(line.tokens[0].text)));
        return true;
    }
    if (c == "use") {
        if (line.tokens.size() != 1 || clients_.count(line.tokens[0].text) == 0)
            return false;
        currentUser_ = line.tokens[0].text;
        return true;
    }
    if (c != "transaction" && c != "request" && c != "snapshot") {
        out_ << "unknown command " << c << "\n";
        return false;
    }
    ScriptedClient* client = current();
    if (client == nullptr || line.tokens.empty() || !isNumber(line.tokens[0].text)) {
        out_ << c << ": no user logged on, or no message code\n";
        return false;
    }
    const int code = std::stoi(line.tokens[0].text);
    std::string error;
    const auto fields = BuildFields(WithPass({ line.tokens.begin() + 1, line.tokens.end() }, pass), error);
    if (!fields) {
        out_ << c << " " << code << ": " << error << "\n";
        return false;
    }
    if (c == "transaction") {
        lastVerdict_ = client->transaction(code, *fields);
        if (!quiet_ || lastVerdict_.type != 193)
            out_ << "transaction " << code << ": " << lastVerdict_.type << " " << verdictText(lastVerdict_)
                 << "\n";
        return lastVerdict_.type == 193 || lastVerdict_.type == 192;
    }
    const std::vector<std::string> records
        = c == "request" ? client->request(code, *fields) : client->snapshot(code, *fields);
    lastRecords_ = static_cast<long>(records.size());
    out_ << c << " " << code << ": " << records.size() << " records\n";
    if (c == "request" && !quiet_) {
        for (const std::string& r : records)
            out_ << "  " << shown(r) << "\n";
    }
    return true;
}

} // namespace exchange::client
