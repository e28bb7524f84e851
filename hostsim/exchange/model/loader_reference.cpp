// Reads the reference tables, the firms, traders, rights and accounts.
#include <algorithm>
#include <sstream>

#include "model/loader_parts.h"

namespace exchange {

namespace {

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::vector<CodeState> codeStates(const std::string& folder, const std::string& name)
{
    std::vector<CodeState> out;
    for (const TableRow& r : TableFile(folder, name))
        out.push_back({ r.text("code", 4), r.text("name", 30), r.letter("state") });
    return out;
}

std::vector<CodeName> codeNames(
    const std::string& folder, const std::string& name, std::size_t codeWidth, std::size_t nameWidth)
{
    std::vector<CodeName> out;
    for (const TableRow& r : TableFile(folder, name))
        out.push_back({ r.text("code", codeWidth), r.text("name", nameWidth) });
    return out;
}

} // namespace

void LoadReference(const std::string& folder, DataSet& d)
{
    for (const TableRow& r : TableFile(folder, "settings.txt")) {
        if (r.text("key") == "trading_date")
            d.tradingDate = r.text("value", 8);
        else if (r.text("key") == "list_stamp")
            d.listStamp = r.text("value", 10);
        else if (r.text("key") == "day_end")
            d.dayEnd = r.text("value", 6);
    }
    if (d.tradingDate.size() != 8)
        throw TableError("settings.txt: trading_date of 8 digits is missing");
    if (d.dayEnd.size() != 6 || d.dayEnd.find_first_not_of("0123456789") != std::string::npos)
        throw TableError("settings.txt: day_end must be a time of 6 digits (HHMMSS)");
    d.markets = codeStates(folder, "markets.txt");
    d.instruments = codeStates(folder, "instruments.txt");
    for (const TableRow& r : TableFile(folder, "boards.txt"))
        d.boards.push_back({ r.text("code", 4), r.text("name", 30), r.letter("status"), r.flags("methods") });
    d.sectors = codeNames(folder, "sectors.txt", 4, 30);
    for (const TableRow& r : TableFile(folder, "statuses.txt"))
        d.statuses.push_back(
            { r.text("code", 3), r.letter("kind"), r.text("name", 40), r.text("transitions", 32) });
    d.languages = codeNames(folder, "languages.txt", 2, 30);
    d.newsTypes = codeNames(folder, "newstypes.txt", 4, 30);
    for (const TableRow& r : TableFile(folder, "drafts.txt"))
        d.drafts.push_back({ r.text("title", 30), r.text("text", 255) });
    for (const TableRow& r : TableFile(folder, "tradesources.txt"))
        d.tradeSources.push_back(
            { r.letter("code"), r.letter("second"), r.letter("enabled"), r.text("name", 30) });
    d.auditGroups = codeNames(folder, "auditgroups.txt", 4, 40);
    for (const TableRow& r : TableFile(folder, "audittypes.txt"))
        d.auditTypes.push_back(
            { r.text("group", 4), r.text("code", 4), r.text("text", 40), r.letter("display") });
    for (const TableRow& r : TableFile(folder, "transitions.txt"))
        d.transitions.push_back(r.text("name", 12));
}

void LoadParties(const std::string& folder, DataSet& d)
{
    for (const TableRow& r : TableFile(folder, "firms.txt")) {
        d.firms.push_back({ r.text("code", 12), r.text("name", 30), r.letter("status"), r.text("type", 4),
            r.text("phone", 30), r.text("note", 50), r.letter("logon_verify") });
    }
    for (const TableRow& r : TableFile(folder, "traders.txt")) {
        Trader t;
        t.user = r.text("user", 12);
        t.name = r.text("name", 30);
        t.firm = r.text("firm", 12);
        t.role = r.text("role", 12);
        t.rights = r.text("rights");
        t.status = r.letter("status");
        t.approve = r.letter("approve");
        t.logonVerify = r.letter("logon_verify");
        t.phone = r.text("phone", 30);
        t.note = r.text("note", 50);
        t.digest = r.text("digest");
        if (t.digest.size() != 64 || t.digest.find_first_not_of("0123456789ABCDEF") != std::string::npos)
            r.fail("digest must be 64 upper-case hex digits");
        t.check = r.text("check");
        if (t.check != "NO" && t.check != "YES" && t.check != "PW")
            r.fail("check must be NO, YES or PW");
        t.securityCode = r.text("security_code", 20);
        d.traders.push_back(std::move(t));
    }
    for (const TableRow& r : TableFile(folder, "rights.txt")) {
        const std::string& set = r.text("set");
        auto it = std::find_if(
            d.rights.begin(), d.rights.end(), [&](const RightsSet& s) { return s.name == set; });
        if (it == d.rights.end())
            it = d.rights.insert(d.rights.end(), RightsSet { set, {} });
        it->rights.push_back({ static_cast<int>(r.number("type")), static_cast<int>(r.number("operator")),
            r.number("value") });
    }
    for (const TableRow& r : TableFile(folder, "accounts.txt")) {
        d.accounts.push_back({ r.text("firm", 12), r.text("code", 12), r.text("name", 30), r.letter("status"),
            r.text("depository", 12) });
    }
    for (const TableRow& r : TableFile(folder, "depositories.txt"))
        d.depositories.push_back({ r.text("user", 12), r.text("code", 12), r.letter("status") });
    for (const TableRow& r : TableFile(folder, "groups.txt")) {
        d.groups.push_back({ r.text("firm", 12), r.text("code", 12), r.text("name", 30),
            words(r.text("accounts")), words(r.text("users")) });
    }
}

} // namespace exchange
