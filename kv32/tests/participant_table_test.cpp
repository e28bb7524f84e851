#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "security_test_fixture.h"

namespace {

using namespace kv32test;

std::string Num(long long v, int width)
{
    std::string s = std::to_string(v);
    return std::string(static_cast<size_t>(width) - s.size(), '0') + s;
}

std::string Pad(const std::string& s, size_t width)
{
    std::string out = s.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string Stats(int base)
{
    std::string s;
    for (int k = 0; k < 16; ++k)
        s += Num(base + k, 16);
    return s;
}

// Participant snapshot, 169 characters, field by field at its offsets.
std::string Participant(int key, const std::string& code, const std::string& name, const std::string& type, char status)
{
    std::string r(169, ' ');
    Place(r, 0, Num(key, 8));
    Place(r, 8, Pad(code, 12));
    Place(r, 20, Pad(name, 30));
    Place(r, 50, std::string(1, status));
    Place(r, 51, Num(11, 16));
    Place(r, 67, Num(22, 16));
    Place(r, 83, "Y");
    Place(r, 84, Pad(type, 4));
    Place(r, 88, Pad("+36 1 555 0101", 30));
    Place(r, 118, Pad("free text", 50));
    Place(r, 168, "0");
    return r;
}

// Trader snapshot, 158 characters.
std::string Trader(int key, const std::string& user, const std::string& name, const std::string& firm)
{
    std::string r(158, ' ');
    Place(r, 0, Num(key, 8));
    Place(r, 8, Pad(user, 12));
    Place(r, 20, Pad(name, 30));
    Place(r, 50, Pad(firm, 12));
    Place(r, 62, Pad("DEALER", 12));
    Place(r, 74, "A");
    Place(r, 75, "Y");
    Place(r, 76, "N");
    Place(r, 77, Pad("+36 1 555 0202", 30));
    Place(r, 107, Pad("desk 4", 50));
    Place(r, 157, "0");
    return r;
}

class PartyTables : public SecurityFixture {
protected:
    PartyTables()
    {
        Reset();
        Feed(ParticipantTable(), 19, Participant(1, "FIRM1", "First Broker", "BROK", 'A'));
        Feed(ParticipantTable(), 19, Participant(2, "EXCH1", "Exchange", "EXCH", 'A'));
        Feed(ParticipantTable(), 19, Participant(3, "FIRM2", "Second Broker", "BROK", 'S'));
        Feed(ParticipantTable(), 19, Participant(4, "FIRM3", "First Broker", "EXCH", 'A'));
        Feed(TraderTable(), 18, Trader(1, "TRADER01", "Anna", "firm1")); // case differs on purpose
        Feed(TraderTable(), 18, Trader(2, "TRADER02", "Bela", "FIRM1"));
        Feed(TraderTable(), 18, Trader(3, "TRADER03", "Csilla", "EXCH1"));
    }
    ~PartyTables() override { Reset(); }
    static void Reset()
    {
        ParticipantTable().Free();
        TraderTable().Free();
        RightTable().Free();
    }
    static void SetRight(int type, long long value)
    {
        RightTable().Free();
        Feed(RightTable(), 93, Num(type, 3) + "000" + (value < 0 ? "-" + Num(-value, 15) : Num(value, 16)) + "1");
    }
};

TEST_F(PartyTables, SnapshotsByOffset)
{
    const ParticipantRec& p = *ParticipantTable().GetRec(2);
    EXPECT_STREQ(p.szCode, "FIRM2");
    EXPECT_STREQ(p.szName, "Second Broker");
    EXPECT_STREQ(p.szType, "BROK");
    EXPECT_STREQ(p.szStatus, "S");
    EXPECT_EQ(p.nActive, 0);
    EXPECT_DOUBLE_EQ(p.dNumber51, 11.0);
    EXPECT_DOUBLE_EQ(p.dNumber67, 22.0);
    EXPECT_EQ(p.nYFlag, 1);
    EXPECT_STREQ(p.szPhone, "+36 1 555 0101");
    EXPECT_STREQ(p.szText, "free text");
    EXPECT_EQ(p.nAlertLink, -1);

    const TraderRec& t = *TraderTable().GetRec(1);
    EXPECT_EQ(t.nIndex, 1);
    EXPECT_STREQ(t.szCode, "TRADER02");
    EXPECT_STREQ(t.szName, "Bela");
    EXPECT_STREQ(t.szFirm, "FIRM1");
    EXPECT_STREQ(t.szRole, "DEALER");
    EXPECT_STREQ(t.szStatus, "A");
    EXPECT_STREQ(t.szApprove, "Yes");
    EXPECT_EQ(t.nYFlag, 0);
    EXPECT_STREQ(t.szPhone, "+36 1 555 0202");
    EXPECT_STREQ(t.szText, "desk 4");
    EXPECT_STREQ(TraderTable().m_szNextKey, "00000003");
}

TEST_F(PartyTables, ChangeReportsWithAndWithoutStatistics)
{
    std::vector<std::pair<int, double>> tested;
    ParticipantTable().m_alertTest = [&](int32_t, int figure, const CDouble& v) { tested.emplace_back(figure, double(v)); };
    ParticipantRec& p = *ParticipantTable().GetRec(0);
    Feed(ParticipantTable(), 41, "0000000001" + Pad("FIRM1", 12) + "S#");
    EXPECT_STREQ(p.szStatus, "S");
    EXPECT_DOUBLE_EQ(p.aStats[0], 0.0);
    p.nAlertLink = 3;
    Feed(ParticipantTable(), 41, "0000000002" + Pad("FIRM1", 12) + "A" + "0042" + "N" + Stats(100));
    EXPECT_STREQ(p.szStatus, "A");
    EXPECT_EQ(p.nActiveCount, 42);
    EXPECT_EQ(p.nYFlag, 0);
    EXPECT_DOUBLE_EQ(p.aStats[0], 100.0);
    EXPECT_DOUBLE_EQ(p.aStats[15], 115.0);
    ASSERT_EQ(tested.size(), 16u);
    EXPECT_EQ(tested[15], (std::pair<int, double> { 15, 115.0 }));
    EXPECT_STREQ(ParticipantTable().m_szSeqNum, "0000000002");
    // A report cut inside its figures keeps the status it carried and nothing else.
    Feed(ParticipantTable(), 41, "0000000003" + Pad("FIRM1", 12) + "S" + "0043" + "Y" + Stats(200).substr(0, 40));
    EXPECT_STREQ(p.szStatus, "S");
    EXPECT_EQ(p.nActiveCount, 42);
    Feed(ParticipantTable(), 41, "0000000004" + Pad("NOBODY", 12) + "S#");
    EXPECT_EQ(ParticipantTable().GetCount(), 4);

    TraderRec& t = *TraderTable().GetRec(0);
    Feed(TraderTable(), 40, "0000000001" + Pad("TRADER01", 12) + Pad("ADMIN", 12) + "S#");
    EXPECT_STREQ(t.szRole, "ADMIN");
    EXPECT_STREQ(t.szStatus, "S");
    Feed(TraderTable(), 40,
        "0000000002" + Pad("TRADER01", 12) + Pad("ADMIN", 12) + "A" + Pad("gw1", 20) + Pad("ws7", 20) + "N1Y" + Stats(7));
    EXPECT_STREQ(t.szGateway, "gw1");
    EXPECT_STREQ(t.szWorkstation, "ws7");
    EXPECT_STREQ(t.szApprove, "");
    EXPECT_STREQ(t.szActive, "Yes");
    EXPECT_EQ(t.nYFlag, 1);
    EXPECT_DOUBLE_EQ(t.aStats[3], 10.0);
}

TEST_F(PartyTables, VisibilityFollowsTheRightsBits)
{
    struct Case {
        long long rights; // -1: no rights record
        std::vector<int> traders;
        std::vector<int> participants;
    } cases[] = {
        { 8, { 0, 1, 2 }, { 0, 1, 2, 3 } },
        { 4, { 0 }, {} }, // the own firm is compared as stored: "firm1" is not "FIRM1"
        { 2, { 0 }, {} },
        { 0, {}, {} },
        { -1, { 0, 1, 2 }, { 0, 1, 2, 3 } },
    };
    for (const Case& c : cases) {
        if (c.rights < 0) {
            RightTable().Free();
        } else {
            SetRight(18, c.rights);
            Feed(RightTable(), 93, Num(19, 3) + "000" + Num(c.rights, 16) + "1");
        }
        EXPECT_EQ(TraderTable().SelectVisible(), c.traders) << c.rights;
        EXPECT_EQ(ParticipantTable().SelectVisible(), c.participants) << c.rights;
    }
}

TEST_F(PartyTables, FillersAndLookups)
{
    EXPECT_EQ(ParticipantTable().FillBrokerCodes(), (std::vector<std::string> { "FIRM1" }))
        << "a broker needs a trader; the firm comparison ignores case";
    EXPECT_EQ(ParticipantTable().FillMemberNames(), (std::vector<std::string> { "First Broker", "Exchange" }));
    EXPECT_EQ(ParticipantTable().FindByName("First Broker", "EXCH"), 3);
    EXPECT_EQ(ParticipantTable().FindByName("First Broker", "EXCH", "BROK"), 0);
    EXPECT_EQ(ParticipantTable().FindByName("First Broker"), 0);
    EXPECT_EQ(ParticipantTable().FindByCode("FIRM2       "), 2);
    EXPECT_EQ(TraderTable().FindByNameAndFirm("Bela", "First Broker"), 1);
    EXPECT_EQ(TraderTable().FindByNameAndFirm("Csilla", "Exchange"), -1) << "only broker firms";
    EXPECT_EQ(TraderTable().FillNamesOfFirm("First Broker"), std::vector<std::string> { "Bela" });
    EXPECT_EQ(TraderTable().GetFirmCode("TRADER03"), "EXCH1");
    EXPECT_EQ(TraderTable().GetFirmCode("NOBODY"), "");
    CUserTable& users = TraderTable();
    EXPECT_EQ(users.FindByName("Anna"), 0);
}

} // namespace

namespace {

TEST_F(PartyTables, RightsValueKeepsTheLowBitsOfSixteenDigits)
{
    struct Case {
        const char* digits;
        int32_t value;
    } cases[] = {
        { "0000000000000008", 8 },
        { "0000004294967298", 2 }, // 2^32 + 2: bit 2 survives
        { "0000004294967295", -1 },
        { "-000000000000001", -1 },
    };
    for (const Case& c : cases) {
        RightTable().Free();
        Feed(RightTable(), 93, std::string("018000") + std::string(c.digits).substr(0, 16) + "1");
        EXPECT_EQ(RightTable().GetValue(18), c.value) << c.digits;
    }
}

} // namespace
