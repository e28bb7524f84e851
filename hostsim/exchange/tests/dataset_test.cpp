// The seed data set: its sizes, its consistency, its Windows-1250 names, the
// loader's errors on bad lines, and the generator writing the same files again.
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "exchange_fixture.h"
#include "model/table_file.h"
#include "tools/datagen.h"

namespace exchange::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "exchange_data.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string path;
};

TEST(SeedData, HasTheSizesAndKindsOfUsersTheWorkstationNeeds)
{
    const DataSet& d = SeedData();
    EXPECT_EQ(d.markets.size(), 3u);
    EXPECT_EQ(d.boards.size(), 6u);
    EXPECT_EQ(d.securities.size(), 200u);
    EXPECT_EQ(d.firms.size(), 20u);
    EXPECT_EQ(d.traders.size(), 60u);
    EXPECT_EQ(d.orders.size(), 1000u);
    EXPECT_FALSE(d.trades.empty());
    EXPECT_FALSE(d.deals.empty());
    EXPECT_FALSE(d.news.empty());
    EXPECT_FALSE(d.messages.empty());
    EXPECT_FALSE(d.schedule.empty());
    EXPECT_FALSE(d.cash.empty());
    EXPECT_FALSE(d.holdings.empty());
    EXPECT_EQ(d.tradingDate, "20261210");
    std::set<std::string> kinds;
    for (const Trader& t : d.traders)
        kinds.insert(t.rights);
    EXPECT_EQ(kinds, (std::set<std::string> { "trader", "approver", "maker", "manager", "supervisor" }));
    std::set<std::string> checks;
    for (const Trader& t : d.traders)
        checks.insert(t.check);
    EXPECT_EQ(checks, (std::set<std::string> { "NO", "YES", "PW" }));
    int indices = 0, skipped = 0, primary = 0;
    for (const Security& s : d.securities) {
        indices += s.index;
        skipped += s.kind != '0';
        primary += s.distribution == 'P';
    }
    EXPECT_GT(indices, 0);
    EXPECT_GT(skipped, 0);
    EXPECT_GT(primary, 0);
    std::set<char> statuses;
    for (const Order& o : d.orders)
        statuses.insert(o.status);
    EXPECT_EQ(statuses, (std::set<char> { 'O', 'M', 'W', 'E', 'U', 'A' }));
    EXPECT_TRUE(CheckConsistency(d).empty());
}

TEST(SeedData, NamesAreWindows1250)
{
    const DataSet& d = SeedData();
    // "Kovács Éva" and "Részvénypiac" in Windows-1250 bytes.
    EXPECT_EQ(d.traders.front().name, "Kov\xE1" "cs \xC9va");
    EXPECT_EQ(d.markets.front().name, "R\xE9szv\xE9nypiac");
    // "ő" and "ű" are the letters Latin-1 lacks: 0xF5 and 0xFB here.
    bool longO = false, longU = false;
    for (const Security& s : d.securities) {
        longO = longO || s.name.find('\xF5') != std::string::npos;
        longU = longU || s.name.find('\xFB') != std::string::npos;
    }
    EXPECT_TRUE(longO && longU);
    for (const auto& entry : fs::directory_iterator(EXCHANGE_SEED_DATA_DIR)) {
        if (entry.path().extension() == ".txt") {
            EXPECT_EQ(slurp(entry.path()).rfind(std::string(kEncodingLine) + "\n", 0), 0u) << entry.path();
        }
    }
}

TEST(SeedData, LoaderNamesTheFileAndLineOfABadRecord)
{
    const struct {
        const char* file;
        std::string content;
        const char* expected;
    } cases[] = {
        { "markets.txt", "#encoding=windows-1250\ncode|name|state\nEQTY|x\n", "markets.txt:3: 2 fields, the header has 3" },
        { "markets.txt", "code|name|state\n", "markets.txt:1: the first line must be" },
        { "markets.txt", "#encoding=windows-1250\ncode|name|state\nEQTY|R\xC3\xA9szv|A\n", "markets.txt:3: UTF-8 text" },
        { "markets.txt", "#encoding=windows-1250\ncode|name|state\nEQUITY|x|A\n", "markets.txt:3: code \"EQUITY\" is longer" },
        { "settings.txt", "#encoding=windows-1250\nkey|value\n", "trading_date of 8 digits is missing" },
        { "orders.txt", "#encoding=windows-1250\nnumber|status\n1|O\n", "orders.txt:3: no column \"time\"" },
        { "boards.txt", "#encoding=windows-1250\ncode|name|status|methods\nMAIN|x|A|0101\n", "boards.txt:3: methods must be 32" },
        { "securities.txt", "", "securities.txt: empty file" },
    };
    for (const auto& c : cases) {
        ScratchFolder dir;
        fs::copy(EXCHANGE_SEED_DATA_DIR, dir.path, fs::copy_options::recursive);
        std::ofstream(dir.path + "/" + c.file, std::ios::binary | std::ios::trunc) << c.content;
        DataSet d;
        std::string error;
        EXPECT_FALSE(LoadDataSet(dir.path, d, error)) << c.file;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_TRUE(d.securities.empty()) << "nothing half-loaded is kept";
    }
}

TEST(SeedData, InconsistentCodesAreRefused)
{
    ScratchFolder dir;
    fs::copy(EXCHANGE_SEED_DATA_DIR, dir.path, fs::copy_options::recursive);
    std::string text = slurp(dir.path + "/traders.txt");
    const auto at = text.find("|BRK1|TRADER|");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 6, "|NOPE|");
    std::ofstream(dir.path + "/traders.txt", std::ios::binary | std::ios::trunc) << text;
    DataSet d;
    std::string error;
    EXPECT_FALSE(LoadDataSet(dir.path, d, error));
    EXPECT_NE(error.find("firm \"NOPE\" is not known"), std::string::npos) << error;
}

TEST(SeedData, GeneratorWritesTheSeedFilesAgainAndScalesConsistently)
{
    ScratchFolder seed;
    const auto brokers = datagen::WriteParties(seed.path);
    datagen::WriteMarket(seed.path, {}, brokers);
    for (const auto& entry : fs::directory_iterator(seed.path))
        EXPECT_EQ(slurp(entry.path()), slurp(fs::path(EXCHANGE_SEED_DATA_DIR) / entry.path().filename()))
            << entry.path().filename() << " differs from the generator's output";

    ScratchFolder larger;
    fs::copy(EXCHANGE_SEED_DATA_DIR, larger.path, fs::copy_options::recursive);
    datagen::WriteMarket(larger.path, { 2000, 20000 }, datagen::WriteParties(larger.path));
    DataSet d;
    std::string error;
    ASSERT_TRUE(LoadDataSet(larger.path, d, error)) << error;
    EXPECT_EQ(d.securities.size(), 2000u);
    EXPECT_EQ(d.orders.size(), 20000u);
}

} // namespace
} // namespace exchange::test
