// Securities, orders, trades, deals and security positions.
#include <algorithm>
#include <array>

#include "tools/cp1250.h"
#include "tools/datagen.h"

namespace datagen {

namespace {

const std::array<const char*, 12> kStems { "Győri", "Pécsi", "Debreceni", "Szegedi", "Tiszai", "Dunántúli",
    "Bükki", "Balatoni", "Mátrai", "Alföldi", "Fűzfői", "Soproni" };
const std::array<const char*, 10> kTrades { "Bőrgyár", "Olajipari", "Gépgyár", "Bank", "Energia", "Távközlés",
    "Vegyiművek", "Építő", "Malom", "Szeszgyár" };
const std::array<const char*, 4> kShareSectors { "BANK", "ENRG", "TELC", "INDU" };

// Order-method permission strings by kind of security.
std::string methods(std::initializer_list<int> positions)
{
    std::string m(32, '0');
    for (const int p : positions)
        m[static_cast<std::size_t>(p)] = '1';
    return m;
}

std::string key(const std::string& board, const std::string& id)
{
    std::string k = "0" + board;
    k += id;
    k.resize(17, ' ');
    return k;
}

} // namespace

void WriteMarket(const std::string& folder, const Sizes& sizes, const std::vector<BrokerUsers>& brokers)
{
    Sequence rnd(20261210);
    FixtureWriter sec(folder, "securities.txt",
        "kind|board|id|name|remarks|short_name|status|session|market|sector|instrument|price_dec|yield_dec|value_dec|"
        "lot|tick|previous_date|previous_price|yield|distribution|index|issuer|isin|methods|maturity|issue_size");
    const int n = sizes.securities;
    const int skipped = std::max(1, n * 3 / 100), indices = std::max(1, n / 20), primary = std::max(1, n / 50);
    const int warrants = n * 15 / 100;
    const int shares = (n - skipped - indices - primary - warrants - n * 15 / 100) / 2;
    const int bonds = n - skipped - indices - primary - warrants - 2 * shares;
    std::vector<Tradable> tradable; // MAIN shares and bonds carry the order book
    const std::string shareMethods = methods({ 0, 1, 5, 9, 11, 12, 15, 16, 17, 23, 24, 25, 26, 27, 28 });
    auto row = [&](const std::string& board, const std::string& id, const std::string& name,
                   const std::string& shortName, const std::string& market, const std::string& sector,
                   const std::string& instrument, int pd, int64_t lot, int64_t tick, int64_t price, char dist,
                   bool index, const std::string& issuer, const std::string& m, char kind = '0') {
        const bool bond = instrument == "BOND";
        sec.row({ std::string(1, kind), board, id, name, "", shortName, "A", Cp1250("Folyamatos"), market, sector,
            instrument, std::to_string(pd), "3", "2", std::to_string(lot), std::to_string(tick), "20261209",
            std::to_string(price), bond ? std::to_string(5000 + rnd.below(3000)) : "", std::string(1, dist),
            index ? "Y" : "N", issuer, "HU" + pad(std::stoll(id.substr(3)), 10), m, bond ? "20351231" : "",
            std::to_string(bond ? 100000000 : 0) });
    };
    for (int i = 1; i <= shares; ++i) {
        const std::string id = "SHR" + pad(i, 6);
        const std::string name = Cp1250(std::string(kStems[static_cast<std::size_t>(i) % kStems.size()]) + " "
            + kTrades[static_cast<std::size_t>(i / kStems.size()) % kTrades.size()] + " Nyrt.");
        const int64_t price = (100000 + rnd.below(2900000)) / 5 * 5;
        const std::string sector = kShareSectors[static_cast<std::size_t>(i) % kShareSectors.size()];
        const std::string issuer = "ISSR" + std::to_string(1 + i % 2);
        row("MAIN", id, name, "S" + pad(i, 6), "EQTY", sector, "SHAR", 2, 1, 5, price, 'N', false, issuer, shareMethods);
        row("BLCK", id, name, "S" + pad(i, 6), "EQTY", sector, "SHAR", 2, 1, 5, price, 'N', false, issuer,
            methods({ 1, 3, 13, 25 }));
        tradable.push_back({ key("MAIN", id), id, price, 5, 2, 1 });
    }
    for (int i = 1; i <= bonds; ++i) {
        const std::string id = "BND" + pad(i, 6);
        const int64_t price = (95000 + rnd.below(10000)) / 5 * 5;
        row("BOND", id, Cp1250("Magyar Államkötvény ") + std::to_string(2027 + i % 10), "B" + pad(i, 6), "DEBT",
            "GOVT", "BOND", 3, 10, 5, price, 'N', false, "ISSR3", methods({ 1, 10, 13, 24, 25, 27 }));
        tradable.push_back({ key("BOND", id), id, price, 5, 3, 10 });
    }
    for (int i = 1; i <= primary; ++i) {
        const std::string id = "PRM" + pad(i, 6);
        row("PRIM", id, Cp1250("Aukciós Kincstárjegy ") + std::to_string(i), "P" + pad(i, 6), "DEBT", "GOVT", "BOND",
            3, 10, 5, 98000, 'P', false, "ISSR3", methods({ 1, 10 }));
    }
    for (int i = 1; i <= warrants; ++i) {
        const std::string id = "WAR" + pad(i, 6);
        row("WARR", id, Cp1250("Vételi Warrant ") + std::to_string(i), "W" + pad(i, 6), "DERV", "INDU", "WARR", 2, 1,
            1, 1000 + rnd.below(49000), 'N', false, "ISSR1", methods({ 0, 1, 5, 24, 25, 27 }));
    }
    for (int i = 1; i <= indices; ++i) {
        const std::string id = "IDX" + pad(i, 6);
        row("INDX", id, Cp1250("Részvényindex ") + std::to_string(i), "I" + pad(i, 6), "EQTY", "INDU", "INDX", 2, 1,
            1, 4000000 + rnd.below(1000000), 'N', true, "", methods({}));
    }
    for (int i = 1; i <= skipped; ++i) {
        const std::string id = "OTC" + pad(i, 6);
        row("MAIN", id, Cp1250("Tőzsdén kívüli tétel ") + std::to_string(i), "X" + pad(i, 6), "EQTY", "INDU", "SHAR",
            2, 1, 5, 100000, 'N', false, "", methods({}), '1');
    }
    WriteOrders(folder, sizes, brokers, tradable);
}

} // namespace datagen
