// Firms, traders, rights sets, accounts, groups and cash positions.
#include <array>

#include "kvcore/security/password.h"
#include "tools/cp1250.h"
#include "tools/datagen.h"

namespace datagen {

namespace {

constexpr int kBrokers = 14;

const std::array<const char*, 14> kFirmNames { "Első Magyar Értéktőzsde Zrt.", "Duna Bróker Kft.",
    "Tisza Befektetési Zrt.", "Balaton Értékpapír Kft.", "Mátra Tőkepiaci Zrt.", "Bükki Alapkezelő Zrt.",
    "Pécsi Brókerház Kft.", "Győri Értékpapír Zrt.", "Szegedi Tőzsdeügynök Kft.", "Debreceni Bróker Zrt.",
    "Alföldi Befektető Kft.", "Őrségi Pénzügyi Zrt.", "Zemplén Értékpapír Kft.", "Hortobágyi Tőke Zrt." };

const std::array<const char*, 16> kSurnames { "Kovács", "Nagy", "Szabó", "Tóth", "Horváth", "Varga", "Kiss",
    "Molnár", "Németh", "Farkas", "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros" };
const std::array<const char*, 15> kGivenNames { "Éva", "Péter", "Zoltán", "Ágnes", "Gábor", "Júlia", "Ödön",
    "Ilona", "Ákos", "Erzsébet", "Tünde", "Gyöngyi", "Béla", "Lőrinc", "Ürmös" };

struct UserKind {
    const char* suffix;
    const char* role;
    const char* rights;
};
constexpr std::array<UserKind, 4> kBrokerUsers { { { "T1", "TRADER", "trader" }, { "T2", "TRADER", "approver" },
    { "MM", "MAKER", "maker" }, { "MGR", "MANAGER", "manager" } } };

void writeRights(const std::string& folder)
{
    FixtureWriter w(folder, "rights.txt", "set|type|operator|value");
    const std::vector<int> trader { 17, 27, 36, 45, 47, 49, 50, 69, 70, 85, 86, 90, 126, 132, 134, 137, 138, 139,
        144, 151, 155, 160, 161, 178, 194, 195 };
    const std::vector<int> approver { 133, 135, 162 };
    const std::vector<int> maker { 140 };
    const std::vector<int> manager { 46, 60, 88, 89, 147, 148, 150, 156, 165 };
    const std::vector<int> supervisor { 39, 64, 72, 76, 136, 154, 171, 172, 179 };
    const std::vector<int> operators { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 25, 26, 27, 28, 29, 30, 31, 32,
        33, 35, 36, 37, 38, 39, 42, 43, 44, 45, 53, 54, 55, 57, 70 };
    auto set = [&](const std::string& name, std::vector<std::vector<int>> parts, int scope) {
        for (const auto& part : parts) {
            for (const int type : part)
                w.row({ name, std::to_string(type), "0", "1" });
        }
        // A firm's manager watches the firm's order counts.
        if (name == "manager")
            w.row({ name, "142", "0", "1" });
        w.row({ name, "18", "0", std::to_string(scope == 4 ? 4 : scope) });
        w.row({ name, "19", "0", std::to_string(scope == 2 ? 4 : scope) });
        if (name == "supervisor") {
            for (const int op : operators)
                w.row({ name, "142", std::to_string(op), "1" });
        }
    };
    set("trader", { trader }, 2);
    set("approver", { trader, approver }, 2);
    set("maker", { trader, maker }, 2);
    set("manager", { trader, approver, manager }, 4);
    set("supervisor", { trader, approver, maker, manager, supervisor }, 8);
}

} // namespace

std::vector<BrokerUsers> WriteParties(const std::string& folder)
{
    std::vector<BrokerUsers> brokers;
    FixtureWriter firms(folder, "firms.txt", "code|name|status|type|phone|note|logon_verify");
    FixtureWriter traders(folder, "traders.txt",
        "user|name|firm|role|rights|status|approve|logon_verify|phone|note|digest|check|security_code");
    FixtureWriter accounts(folder, "accounts.txt", "firm|code|name|status|depository");
    FixtureWriter depositories(folder, "depositories.txt", "user|code|status");
    FixtureWriter groups(folder, "groups.txt", "firm|code|name|accounts|users");
    FixtureWriter cash(folder, "cash.txt",
        "scope|firm|user|account|currency|pool|open|current|planned|hard|hard_set|warn|warn_set|order|order_set");
    int person = 0;
    auto trader = [&](const std::string& user, const std::string& firm, const UserKind& kind) {
        const std::string name = Cp1250(std::string(kSurnames[person % kSurnames.size()]) + " "
            + kGivenNames[(person * 7) % kGivenNames.size()]);
        ++person;
        const std::string approve = user == "BRK3T1" ? "Y" : "N";
        const std::string check = user == "BRK2T2" ? "PW" : user == "BRK4T1" ? "YES" : "NO";
        traders.row({ user, name, firm, kind.role, kind.rights, "A", approve, "N",
            "+36 1 555 " + pad(1000 + person, 4), "", PasswordDigest("Pass-" + user, user), check,
            check == "YES" ? "4711" : "" });
        depositories.row({ user, user + "D1", "A" });
        depositories.row({ user, user + "D2", "S" });
    };
    for (int b = 1; b <= kBrokers; ++b) {
        BrokerUsers broker;
        broker.firm = "BRK" + std::to_string(b);
        firms.row({ broker.firm, Cp1250(kFirmNames[static_cast<std::size_t>(b - 1)]), "A", "BROK",
            "+36 1 444 " + pad(b, 4), "", "N" });
        for (const UserKind& kind : kBrokerUsers) {
            broker.users.push_back(broker.firm + kind.suffix);
            trader(broker.users.back(), broker.firm, kind);
        }
        for (int a = 1; a <= 3; ++a) {
            broker.accounts.push_back(broker.firm + "A" + std::to_string(a));
            accounts.row({ broker.firm, broker.accounts.back(), Cp1250("Ügyfélszámla ") + std::to_string(a),
                a == 3 ? "S" : "A", broker.firm + "D" + std::to_string(a) });
        }
        groups.row({ broker.firm, "G" + broker.firm, Cp1250("Fő csoport"), broker.accounts[0] + " " + broker.accounts[1],
            broker.users[0] + " " + broker.users[1] });
        const std::string limitsFirm[] = { "500000000", "Y", "400000000", "Y", "100000000", "Y" };
        cash.row({ "F", broker.firm, "", "", "HUF", "HUF1", "250000000", b == 2 ? "-1500000" : "180000000",
            "20000000", limitsFirm[0], limitsFirm[1], limitsFirm[2], limitsFirm[3], limitsFirm[4], limitsFirm[5] });
        cash.row({ "U", broker.firm, broker.users[0], "", "HUF", "HUF1", "50000000", "42000000", "3000000",
            "80000000", "Y", "60000000", "N", "10000000", "Y" });
        cash.row({ "A", broker.firm, "", broker.accounts[0], "HUF", "HUF1", "20000000", "18500000", "500000", "0",
            "N", "0", "N", "5000000", "Y" });
        brokers.push_back(std::move(broker));
    }
    firms.row({ "EXCH01", Cp1250("Budapesti Értéktőzsde"), "A", "EXCH", "+36 1 429 6700", "", "N" });
    for (int s = 1; s <= 4; ++s)
        trader("SUP" + std::to_string(s), "EXCH01", { "", "SUPERVISOR", "supervisor" });
    for (int i = 1; i <= 3; ++i) {
        firms.row({ "ISSR" + std::to_string(i), Cp1250(i == 1 ? "Magyar Olajipari Nyrt." : i == 2 ? "Dunántúli Energia Nyrt." : "Államadósság Kezelő"),
            "A", "ISSR", "", "", "N" });
    }
    firms.row({ "INST1", Cp1250("Központi Elszámolóház"), "A", "INST", "", "", "N" });
    firms.row({ "TULC1", Cp1250("Tőzsdei Ügyfélkör"), "A", "TULC", "", "", "N" });
    writeRights(folder);
    return brokers;
}

} // namespace datagen
