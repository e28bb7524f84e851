// Every reader of untrusted bytes has a fuzz target that reaches it: the
// message types the reply dispatch registers, every class of the program that
// decodes host records (found in the source, so a new one without a target
// fails here), and the files the program reads. A target counts when
// fuzz/<module>.cmake adds it, its seed corpus is not empty and its source
// names what it reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "kv32/shell/msgtypes.h"
#include "kv32/shell/reply_dispatch.h"

namespace {

namespace fs = std::filesystem;

fs::path SourceDir()
{
    const char* dir = std::getenv("KV_SOURCE_DIR");
    return dir != nullptr ? fs::path(dir) : fs::path(KV_FUZZ_SOURCE_DIR);
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fuzz target as fuzz/ declares it: its source and its corpus folder.
struct FuzzTarget {
    std::string source;
    fs::path corpus;
};

std::map<std::string, FuzzTarget> DeclaredTargets()
{
    std::map<std::string, FuzzTarget> targets;
    const fs::path fuzz = SourceDir() / "fuzz";
    const std::regex add(R"(kv_add_fuzz\((\w+)\s+SOURCES\s+\$\{CMAKE_CURRENT_SOURCE_DIR\}/(\w+\.cpp)[^)]*CORPUS\s+\$\{CMAKE_CURRENT_SOURCE_DIR\}/([\w/]+))");
    const std::regex loop(R"(foreach\(target\s+([\w ]+)\))");
    for (const auto& entry : fs::directory_iterator(fuzz)) {
        if (entry.path().extension() != ".cmake")
            continue;
        const std::string text = ReadText(entry.path());
        for (std::sregex_iterator m(text.begin(), text.end(), add), end; m != end; ++m)
            targets[(*m)[1]] = { ReadText(fuzz / (*m)[2].str()), fuzz / (*m)[3].str() };
        // A fragment that adds several targets from one loop names each target's source and corpus after it.
        std::smatch names;
        if (std::regex_search(text, names, loop)) {
            std::istringstream list(names[1].str());
            for (std::string name; list >> name;)
                targets[name] = { ReadText(fuzz / (name + ".cpp")), fuzz / "corpus" / name };
        }
    }
    return targets;
}

bool HasSeeds(const fs::path& corpus)
{
    if (!fs::is_directory(corpus))
        return false;
    for (const auto& entry : fs::recursive_directory_iterator(corpus))
        if (entry.is_regular_file())
            return true;
    return false;
}

// What fails for a reader and its target: empty when the target exists, has
// seeds and names `reach` in its source.
std::string TargetFault(const std::map<std::string, FuzzTarget>& targets, const std::string& target,
    const std::string& reach)
{
    const auto it = targets.find(target);
    if (it == targets.end())
        return "no fuzz target " + target + " in fuzz/*.cmake";
    if (!HasSeeds(it->second.corpus))
        return "fuzz target " + target + " has no seeds in " + it->second.corpus.string();
    if (it->second.source.find(reach) == std::string::npos)
        return "fuzz target " + target + " does not reach " + reach;
    return {};
}

// The source of kvcore, kv32, fw and plinth (tests aside), to find a reader's name in.
const std::string& ProgramSource()
{
    static const std::string all = [] {
        std::string text;
        for (const char* module : { "kvcore", "kv32", "fw", "plinth" }) {
            for (const auto& item : fs::recursive_directory_iterator(SourceDir() / module)) {
                const fs::path& path = item.path();
                if (item.is_regular_file() && path.string().find("/tests/") == std::string::npos
                    && (path.extension() == ".cpp" || path.extension() == ".h"))
                    text += ReadText(path);
            }
        }
        return text;
    }();
    return all;
}

// ---------------------------------------------------------------------------
// Host records.

// The program's receivers of host records and how a fuzz target reaches each:
// by the class's own name, by the function that makes its request, by the
// decoder its dialog calls, or (the host data tables and their bases) through
// every permanent target the program registers.
struct Receiver {
    const char* className;
    const char* target;
    const char* reach;
};

constexpr const char* kEveryTable = "apPermTargets";

constexpr Receiver kReceivers[] = {
    // The router target and the table families every host data table is built on.
    { "CVorlTarget", "kvcore_record_reader", "StoreDataItem" },
    { "CHostTarget", "kv32_dispatch_types", kEveryTable },
    { "CSnapshotTable", "kv32_dispatch_types", kEveryTable },
    { "CSubscribedTable", "kv32_dispatch_types", kEveryTable },
    { "CCodeNameTable", "kv32_dispatch_types", kEveryTable },
    { "CCodeNameStateTable", "kv32_dispatch_types", kEveryTable },
    { "CCodeTableBase", "kv32_dispatch_types", "CCodeTable60" },
    // The host data tables.
    { "CAuditEventTypeTable", "kv32_dispatch_types", kEveryTable },
    { "CAuditGroupTable", "kv32_dispatch_types", kEveryTable },
    { "CAuditTable", "kv32_dispatch_types", kEveryTable },
    { "CBoardTable", "kv32_dispatch_types", kEveryTable },
    { "CCodeTable60", "kv32_dispatch_types", "CCodeTable60" },
    { "CCodeTable61", "kv32_dispatch_types", "CCodeTable61" },
    { "CCodeTable62", "kv32_dispatch_types", "CCodeTable62" },
    { "CExchMessageTable", "kv32_dispatch_types", kEveryTable },
    { "CFlagTable", "kv32_dispatch_types", kEveryTable },
    { "CFlagTable2", "kv32_dispatch_types", kEveryTable },
    { "CMessageTextTable", "kv32_dispatch_types", kEveryTable },
    { "CNegDealTable", "kv32_dispatch_types", kEveryTable },
    { "CNewsTable", "kv32_dispatch_types", kEveryTable },
    { "COrderTable", "kv32_dispatch_types", kEveryTable },
    { "CParticipantTable", "kv32_dispatch_types", kEveryTable },
    { "CRightTable", "kv32_dispatch_types", kEveryTable },
    { "CSectorTable", "kv32_dispatch_types", kEveryTable },
    { "CSecurityTable", "kv32_dispatch_types", kEveryTable },
    { "CStatusTable", "kv32_dispatch_types", kEveryTable },
    { "CTable118", "kv32_dispatch_types", kEveryTable },
    { "CTradeEventTable", "kv32_dispatch_types", kEveryTable },
    { "CTradeTable", "kv32_dispatch_types", kEveryTable },
    { "CTraderTable", "kv32_dispatch_types", kEveryTable },
    // List windows that ask for their own rows.
    { "CRequestDoc", "kv32_dispatch_types", "CCurPosDoc" },
    { "CCurPosDoc", "kv32_dispatch_types", "CCurPosDoc" },
    { "CCurPosSecsDoc", "kv32_dispatch_types", "CCurPosSecsDoc" },
    { "CTrdAccSummDoc", "kv32_dispatch_types", "CTrdAccSummDoc" },
    { "CTrAccDoc", "kv32_dispatch_types", "CTrAccDoc" },
    { "CSumDoc", "kv32_dispatch_types", "CSumDoc" },
    { "CSecurityRequestDoc", "kv32_dispatch_types", "COrdBkDoc" },
    { "COrdBkDoc", "kv32_dispatch_types", "COrdBkDoc" },
    { "CMktOrdDoc", "kv32_dispatch_types", "CMktOrdDoc" },
    // Forms and the targets of single requests.
    { "CAccountInfo", "kv32_dispatch_types", "CAccountInfo" },
    { "CTrAccHostList", "kv32_dispatch_types", "CTrAccHostList" },
    { "CDepoAccountList", "kv32_dispatch_types", "CDepoAccountList" },
    { "CAuctionForm", "kv32_dispatch_types", "CAuctionForm" },
    { "CConversionTarget", "kv32_dispatch_types", "PriceYieldConversion" },
    { "CNewsTextTarget", "kv32_dispatch_types", "KvFetchNewsText" },
    // Dialogs that read their replies with a decoder of their own.
    { "CFilterSecPosDlg", "kv32_dispatch_types", "DecodeTrAccPage" },
    { "CMarketReplayDlg", "kv32_dispatch_types", "DecodeReplayStatistics" },
    { "CNetAddressDlg", "kv32_dispatch_types", "NetAddressLine" },
    { "CScheduleEntryDlg", "kv32_dispatch_types", "DecodeTransitions" },
};

const Receiver* FindReceiver(const std::string& className)
{
    for (const Receiver& r : kReceivers)
        if (className == r.className)
            return &r;
    return nullptr;
}

// A class that takes host records, as the source shows it.
struct FoundReceiver {
    fs::path file; // where it reads the records
    std::string body; // that file's text
};

bool IsStub(const std::string& text, size_t bodyStart)
{
    static const std::regex stub(R"(^\{\s*return 0;\s*(//[^\n]*)?\s*\})");
    const std::string head = text.substr(bodyStart, 120);
    return std::regex_search(head, stub);
}

// Every class of kvcore and kv32 (tests aside) that defines one of the entry
// points of host records with a body that reads something.
std::map<std::string, FoundReceiver> ReceiversInSource()
{
    const std::string entry
        = R"((StoreDataItem|Decode|DecodeRecord|TakeRecord|TakeReply|DecodeReply)\s*\(\s*(tagTMSG|CRecordReader|std::string_view|int type))";
    const std::regex outOfClass(R"(\b(\w+)::)" + entry + R"([^)]*\)\s*(const\s*)?\{)");
    const std::regex inClass(R"(\b(int|void)\s+)" + entry + R"([^)]*\)\s*(const\s*)?(override\s*)?\{)");
    const std::regex classHead(R"(\b(class|struct)\s+(KVCORE_API\s+)?(\w+)\s*(final\s*)?[:{])");
    std::map<std::string, FoundReceiver> found;
    for (const char* module : { "kvcore", "kv32" }) {
        for (const auto& item : fs::recursive_directory_iterator(SourceDir() / module)) {
            const fs::path& path = item.path();
            if (!item.is_regular_file() || path.string().find("/tests/") != std::string::npos)
                continue;
            if (path.extension() != ".cpp" && path.extension() != ".h")
                continue;
            const std::string text = ReadText(path);
            for (std::sregex_iterator m(text.begin(), text.end(), outOfClass), end; m != end; ++m) {
                const size_t open = static_cast<size_t>(m->position() + m->length() - 1);
                if (!IsStub(text, open))
                    found.emplace((*m)[1].str(), FoundReceiver { path, text });
            }
            for (std::sregex_iterator m(text.begin(), text.end(), inClass), end; m != end; ++m) {
                const size_t at = static_cast<size_t>(m->position());
                if (at >= 2 && text.compare(at - 2, 2, "::") == 0)
                    continue;
                const size_t open = static_cast<size_t>(m->position() + m->length() - 1);
                if (IsStub(text, open))
                    continue;
                std::string owner;
                const std::string before = text.substr(0, at);
                for (std::sregex_iterator c(before.begin(), before.end(), classHead), cend; c != cend; ++c)
                    owner = (*c)[3].str();
                if (!owner.empty())
                    found.emplace(owner, FoundReceiver { path, text });
            }
        }
    }
    return found;
}

TEST(FuzzCoverage, EveryReceiverOfHostRecordsHasATarget)
{
    const auto targets = DeclaredTargets();
    const auto found = ReceiversInSource();
    ASSERT_GT(found.size(), 30U) << "the source scan found too few receivers";
    const std::string tables = ReadText(SourceDir() / "kv32/tables/all_tables.h");
    for (const auto& [name, where] : found) {
        const Receiver* receiver = FindReceiver(name);
        if (receiver == nullptr) {
            ADD_FAILURE() << name << " (" << where.file.string()
                          << ") decodes host records but has no fuzz target in fuzz_coverage_test.cpp";
            continue;
        }
        EXPECT_EQ(TargetFault(targets, receiver->target, receiver->reach), "") << name;
        const std::string reach = receiver->reach;
        if (reach == kEveryTable) {
            // Reached as a registered table: it is one of the program's tables or a table family.
            const bool tableFamily = where.file.string().find("/kv32/tables/") != std::string::npos;
            EXPECT_TRUE(tables.find(name) != std::string::npos || tableFamily)
                << name << " is not a table that the program registers";
        } else if (reach != name) {
            // Reached through a function its own file uses, or through a class built on it.
            const std::regex derived("class\\s+" + reach + "\\s*:\\s*public\\s+" + name + "\\b");
            EXPECT_TRUE(where.body.find(reach) != std::string::npos || std::regex_search(ProgramSource(), derived))
                << name << " is said to be reached through " << reach << ", which neither its file uses nor builds on it";
        }
    }
    // A receiver that went away leaves no entry behind.
    for (const Receiver& r : kReceivers)
        EXPECT_TRUE(found.count(r.className)) << r.className << " no longer decodes host records";
}

// Every message type the reply dispatch hands on, with the receivers that
// asked for it. A type nobody asks for still reaches whichever target waits
// at its place in the reply; the dispatch target feeds every type to every receiver.
struct DispatchType {
    int type;
    std::vector<const char*> receivers;
};

const std::vector<DispatchType>& DispatchTypes()
{
    static const std::vector<DispatchType> types = {
        { MSGTYPE_END_OF_REPLY, {} },
        { 17, { "CSecurityTable" } },
        { 18, { "CTraderTable" } },
        { 19, { "CParticipantTable" } },
        { 20, { "CCodeNameStateTable" } },
        { 21, { "CCodeNameStateTable" } },
        { 22, { "CBoardTable" } },
        { 23, { "CSectorTable" } },
        { 25, { "CSecurityTable", "CMarketReplayDlg" } },
        { 26, { "CFlagTable2" } },
        { 27, { "CSumDoc" } },
        { 30, {} },
        { 31, {} },
        { MSGTYPE_HOST_TIME, {} },
        { 33, { "CSecurityTable" } },
        { 35, {} },
        { 36, { "COrdBkDoc" } },
        { 39, { "CNetAddressDlg" } },
        { 40, { "CTraderTable" } },
        { 41, { "CParticipantTable" } },
        { 42, { "CCodeNameStateTable" } },
        { 43, { "CCodeNameStateTable" } },
        { 44, { "CBoardTable" } },
        { 45, { "CCurPosSecsDoc" } },
        { 46, { "CCurPosDoc" } },
        { 47, { "CTrAccDoc", "CAccountInfo" } },
        { 50, { "COrderTable" } },
        { 52, { "CNegDealTable" } },
        { 54, { "CTradeTable" } },
        { 57, {} },
        { 58, {} },
        { 59, {} },
        { 60, { "CCodeTable60" } },
        { 61, { "CCodeTable61" } },
        { 62, { "CCodeTable62" } },
        { 64, { "CTradeEventTable" } },
        { 65, { "CCodeNameTable" } },
        { 66, { "CMessageTextTable" } },
        { 67, {} },
        { MSGTYPE_NEWS_REQ, { "CNewsTextTarget" } },
        { 70, { "CMktOrdDoc" } },
        { 72, { "CAuditTable" } },
        { 73, { "CCodeNameTable" } },
        { 76, { "CAuditEventTypeTable" } },
        { 77, { "CAuditGroupTable" } },
        { 85, { "CFlagTable2" } },
        { 86, { "CCurPosDoc" } },
        { 87, {} },
        { 88, { "CTrAccHostList", "CFilterSecPosDlg" } },
        { 89, { "CDepoAccountList" } },
        { 90, { "CCurPosDoc" } },
        { 91, { "CScheduleEntryDlg", "CFlagTable2" } },
        { 93, { "CRightTable" } },
        { 94, { "CConversionTarget" } },
        { 95, { "CConversionTarget" } },
        { 115, { "CStatusTable" } },
        { 116, { "CFlagTable" } },
        { 118, { "CTable118" } },
        { 120, { "CAuctionForm" } },
        { 121, { "CAuctionForm" } },
        { 126, { "CTrdAccSummDoc" } },
        { 173, { "CAuctionForm" } },
        { 174, { "CAuctionForm" } },
        { MSGTYPE_REFUSED, {} },
        { MSGTYPE_ACCEPTED, {} },
        { MSGTYPE_BC_MESSAGE, { "CExchMessageTable" } },
        { MSGTYPE_NEWS_HEAD, { "CNewsTable" } },
    };
    return types;
}

TEST(FuzzCoverage, EveryTypeOfTheReplyDispatchHasATarget)
{
    const auto targets = DeclaredTargets();
    // The dispatch target draws its types from the dispatch's own registration.
    EXPECT_EQ(TargetFault(targets, "kv32_dispatch_types", "IsBlockedDataType"), "");
    EXPECT_EQ(TargetFault(targets, "kv32_dispatch_types", "IsPolledDataType"), "");
    EXPECT_EQ(TargetFault(targets, "kv32_reply_dispatch", "VORLTransaction"), "");

    std::set<int> listed;
    for (const DispatchType& t : DispatchTypes()) {
        listed.insert(t.type);
        for (const char* name : t.receivers) {
            const Receiver* receiver = FindReceiver(name);
            ASSERT_NE(receiver, nullptr) << "type " << t.type << ": " << name << " is no receiver";
            EXPECT_EQ(TargetFault(targets, receiver->target, receiver->reach), "") << "type " << t.type;
        }
    }
    for (int type = 0; type < 256; ++type) {
        if (IsBlockedDataType(type) || IsPolledDataType(type)) {
            EXPECT_TRUE(listed.count(type)) << "the reply dispatch hands on type " << type
                                            << ", which fuzz_coverage_test.cpp does not list";
        }
    }
}

// ---------------------------------------------------------------------------
// Files.

// A file the program reads, the function or class that reads it (which must
// exist in the source), and the fuzz target that feeds it arbitrary bytes.
struct FileReader {
    const char* file;
    const char* reader;
    const char* target;
};

constexpr FileReader kFileReaders[] = {
    { "settings file", "ReadSettingsRecord", "kvcore_session_files" },
    { "settings file, the program's tail", "ReadSessionTail", "kv32_session_files" },
    { "workspace file, window layouts", "ReadWorkspaceLayouts", "kvcore_session_files" },
    { "workspace file, list window documents", "CTDoc", "kv32_document_archives" },
    { "firm alerts", "firmAlerts", "kv32_alert_files" },
    { "user alerts", "userAlerts", "kv32_alert_files" },
    { "security alerts", "secAlerts", "kv32_alert_files" },
    { "alert log", "alertLog", "kv32_alert_files" },
    { "order counting limits", "ordCountAlerts", "kv32_alert_files" },
    { "default selections", "defSel", "kv32_alert_files" },
    { "private order book", "ReadLocalOrderFile", "kv32_local_files" },
    { "trading accounts", "CTrAccLocalArray", "kv32_session_files" },
    { "order list import", "ImportPrivateOrders", "kv32_order_list" },
    { "audit letters (audit display modes)", "ReadAuditOverrides", "kv32_local_files" },
    { "English board names", "EnglishBoardName", "kv32_text_files" },
    { "news attachment header", "KvReadNewsHeader", "kv32_text_files" },
    { "component version records", "GetVersionInfo", "kv32_text_files" },
    { "drag payloads", "ReadRowPayload", "kvcore_row_payload" },
    { "filter archives", "Serialize", "kv32_filters" },
    { "document archives", "fw::Archive", "fw_archive" },
    { "configuration files", "findValue", "plinth_config_ini" },
    { "profile files", "Profile", "fw_profile" },
    { "compiled language files", "lang::decode", "plinth_lang_compiled" },
    { "language string sources", "compileSource", "plinth_lang_source" },
};

TEST(FuzzCoverage, EveryFileReaderHasATarget)
{
    const auto targets = DeclaredTargets();
    for (const FileReader& r : kFileReaders) {
        EXPECT_NE(ProgramSource().find(r.reader), std::string::npos) << r.file << ": no " << r.reader << " in the source";
        EXPECT_EQ(TargetFault(targets, r.target, r.reader), "") << r.file;
    }
}

} // namespace
