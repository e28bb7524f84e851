#include "server_config.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "blocks.h"
#include "plinth/time.h"

namespace pigauge {
namespace {

constexpr int kValueMax = 1024;

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Comma-separated pieces, blanks dropped, empty pieces passed over.
std::vector<std::string> pieces(const std::string& value)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const auto comma = value.find(',', start);
        const std::string piece
            = trim(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!piece.empty())
            out.push_back(piece);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

// A message type: decimal digits only, within the 16 bits a type has.
bool parseType(const std::string& text, int* type)
{
    const std::string t = trim(text);
    if (t.empty() || t.size() > 5
        || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    *type = std::stoi(t);
    return *type <= 0xFFFF;
}

void putName(uint8_t* field, const std::string& name)
{
    std::memset(field, 0, kNameField);
    std::memcpy(field, name.data(), name.size());
}

Config openSection(const PluginHostInfo* info, const std::string& section, int* rc)
{
    Config c = ConfigOpen(section.c_str(), info->configFile);
    if (c == nullptr) {
        std::fprintf(stderr, "InitialiseServerInfo: Error opening config file %s section %s - %s\n",
            info->configFile, section.c_str(), SysErrorString());
        *rc = -1010;
    }
    return c;
}

// FlushInterval and FileName of a described section into its file record.
int readFileRecord(Config c, const std::string& section, bool summary, uint8_t* record)
{
    const int flush = ConfigReadInt(c, "FlushInterval", 10);
    if (flush <= 0) {
        if (summary) {
            std::fprintf(stderr,
                "InitialiseServerInfo: Unable to read summary section FlushInterval in config file\n");
        } else {
            std::fprintf(stderr,
                "InitialiseServerInfo: Unable to read FlushInterval from %s section of config file\n",
                section.c_str());
        }
        return -1027;
    }
    std::string file;
    const int n = ReadValue(c, "FileName", file);
    if (n <= 0) {
        if (summary) {
            std::fprintf(stderr, "InitialiseServerInfo: Unable to read Summary FileName in config file\n");
        } else {
            std::fprintf(stderr, "InitialiseServerInfo: Unable to read FileName for %s in config file\n",
                section.c_str());
        }
        return summary ? -1029 : -1030;
    }
    if (file.size() >= kNameField) {
        std::fprintf(stderr, "InitialiseServerInfo: FileName %s of section %s is longer than %d characters\n",
            file.c_str(), section.c_str(), kNameField - 1);
        return summary ? -1029 : -1030;
    }
    putName(record + kFrSection, section);
    putName(record + kFrName, file);
    plugins::putWord(record + kFrFlushInterval, flush);
    plugins::putWord(record + kFrRowsSinceFlush, 0);
    return 0;
}

bool nameFits(const std::string& section)
{
    if (section.size() < kNameField)
        return true;
    std::fprintf(stderr, "InitialiseServerInfo: Section name %s is longer than %d characters\n",
        section.c_str(), kNameField - 1);
    return false;
}

struct ConfigCloser {
    Config c;
    ~ConfigCloser()
    {
        if (c != nullptr)
            ConfigClose(c);
    }
};

} // namespace

int ReadValue(Config config, const char* key, std::string& out)
{
    char buffer[kValueMax + 2];
    const int n = ConfigReadString(config, key, buffer, sizeof buffer, "");
    if (n < 0 || n > kValueMax)
        return -1;
    out.assign(buffer, static_cast<std::size_t>(n));
    return n;
}

int ParseMsgTypes(const std::string& value, int range, std::vector<MsgSet>& sets)
{
    for (const std::string& piece : pieces(value)) {
        MsgSet set { 0, 0, range };
        const auto dash = piece.find('-');
        const bool ok = dash == std::string::npos
            ? parseType(piece, &set.first) && parseType(piece, &set.last)
            : parseType(piece.substr(0, dash), &set.first) && parseType(piece.substr(dash + 1), &set.last);
        if (!ok) {
            std::fprintf(stderr, "InitialiseMsgSet: Range %s is not a message type or a range of types\n",
                piece.c_str());
            return -1011;
        }
        if (set.last < set.first) {
            std::fprintf(stderr,
                "InitialiseMsgSet: Range %s indicates that the To value %d less than from %d\n",
                piece.c_str(), set.last, set.first);
            return -1012;
        }
        if (sets.size() >= static_cast<std::size_t>(kMaxSets)) {
            std::fprintf(stderr, "InitialiseServerInfo: Max message sets %d exceeded\n", kMaxSets);
            return -1015;
        }
        sets.push_back(set);
    }
    return 0;
}

int InitialiseServerInfo(Config config, const PluginHostInfo* info, uint8_t* block, StatFiles& files)
{
    const int sendInterval = ConfigReadInt(config, "SendInterval", 0);
    if (sendInterval <= 0) {
        std::fprintf(stderr, "InitialiseServerInfo: Unable to read SendInterval in config file\n");
        return -1008;
    }
    plugins::putWord(block + kSbSendInterval, sendInterval);

    std::string summary;
    if (ReadValue(config, "SummarySection", summary) <= 0 || trim(summary).empty()) {
        std::fprintf(stderr, "InitialiseServerInfo: Unable to read SummarySection in config file\n");
        return -1025;
    }
    summary = trim(summary);
    if (!nameFits(summary))
        return -1010;
    int rc = 0;
    {
        ConfigCloser c { openSection(info, summary, &rc) };
        if (c.c == nullptr)
            return rc;
        if ((rc = readFileRecord(c.c, summary, true, block + kSbSummaryFile)) != 0)
            return rc;
    }

    std::string sectionList;
    const std::vector<std::string> sections = ReadValue(config, "PerformanceSections", sectionList) > 0
        ? pieces(sectionList)
        : std::vector<std::string> {};
    if (sections.empty()) {
        std::fprintf(stderr, "InitialiseServerInfo: Unable to read PerformanceSections in config file\n");
        return -1009;
    }
    if (sections.size() > static_cast<std::size_t>(kMaxRanges)) {
        std::fprintf(stderr, "InitialiseServerInfo: Max files %d exceeded\n", kMaxRanges);
        return -1014;
    }
    std::vector<MsgSet> sets;
    for (std::size_t j = 0; j < sections.size(); ++j) {
        const std::string& section = sections[j];
        if (!nameFits(section))
            return -1010;
        ConfigCloser c { openSection(info, section, &rc) };
        if (c.c == nullptr)
            return rc;
        if ((rc = readFileRecord(c.c, section, false, block + kSbRangeFiles + j * kFileRecordSize)) != 0)
            return rc;
        std::string types;
        if (ReadValue(c.c, "MsgTypes", types) <= 0 || pieces(types).empty()) {
            std::fprintf(stderr, "InitialiseServerInfo: Unable to read MsgTypes for %s in config file\n",
                section.c_str());
            return -1011;
        }
        if ((rc = ParseMsgTypes(types, static_cast<int>(j), sets)) != 0) {
            if (rc != -1015)
                std::fprintf(stderr, "InitialiseServerInfo: InitialiseMsgSet failed %d\n", rc);
            return rc;
        }
    }
    plugins::putWord(block + kSbRangeCount, static_cast<int32_t>(sections.size()));

    std::stable_sort(
        sets.begin(), sets.end(), [](const MsgSet& a, const MsgSet& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < sets.size(); ++i) {
        if (sets[i].first <= sets[i - 1].last) {
            std::fprintf(stderr, "InitialiseServerInfo: Overlapping msgtypes %d-%d and %d-%d\n",
                sets[i - 1].first, sets[i - 1].last, sets[i].first, sets[i].last);
            return -1013;
        }
    }
    plugins::putWord(block + kSbSetCount, static_cast<int32_t>(sets.size()));
    for (std::size_t i = 0; i < sets.size(); ++i) {
        uint8_t* s = block + kSbSets + i * kSetSize;
        plugins::putWord(s, sets[i].first);
        plugins::putWord(s + 4, sets[i].last);
        plugins::putWord(s + 8, sets[i].range);
    }

    for (std::size_t f = 0; f <= sections.size(); ++f) {
        const uint8_t* record
            = f == 0 ? block + kSbSummaryFile : block + kSbRangeFiles + (f - 1) * kFileRecordSize;
        const char* name = reinterpret_cast<const char*>(record + kFrName);
        files[f] = std::fopen(name, "w");
        if (files[f] == nullptr) {
            std::fprintf(stderr, "Unable to open file %s errno %d\n", name, errno);
            return -1016;
        }
    }
    return 0;
}

} // namespace pigauge
