#include <algorithm>

#include "model/loader_parts.h"

namespace exchange {

bool LoadDataSet(const std::string& folder, DataSet& out, std::string& error)
{
    DataSet d;
    try {
        LoadReference(folder, d);
        LoadParties(folder, d);
        LoadMarket(folder, d);
        LoadBulletins(folder, d);
    } catch (const TableError& e) {
        error = e.what();
        return false;
    }
    // Rights travel in (type, operator code) order: the request's keys resume by them.
    for (RightsSet& set : d.rights) {
        std::sort(set.rights.begin(), set.rights.end(), [](const Right& a, const Right& b) {
            return a.type != b.type ? a.type < b.type : a.operatorCode < b.operatorCode;
        });
    }
    const std::vector<std::string> problems = CheckConsistency(d);
    if (!problems.empty()) {
        error = problems.front();
        if (problems.size() > 1)
            error += " (and " + std::to_string(problems.size() - 1) + " more)";
        return false;
    }
    out = std::move(d);
    return true;
}

} // namespace exchange
