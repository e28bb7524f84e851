#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/router/info_req.h"
#include "support/kv32_fixture.h"
#include "support/sample_table.h"

namespace {

using kv32test::CSampleTable;
using kv32test::End;
using kv32test::Kv32Fixture;
using kv32test::Msg;
using kv32test::SampleChangeRecord;
using kv32test::SampleSnapshotRecord;

Msg Snap(int key, const std::string& code, bool last = false)
{
    return { CSampleTable::kSnapshotRequest,
        SampleSnapshotRecord(key, code, "Name " + code, key * 100, last) };
}

class Updates : public CTableUpdateListener {
public:
    Updates() { KvAddTableListener(this); }
    ~Updates() override { KvRemoveTableListener(this); }
    // The flagged rows among the first 100, as the hint stands during the call.
    void OnTableUpdate(uint16_t id, const fw::RowHint* hint) override
    {
        std::vector<int> rows;
        for (int row = 0; hint != nullptr && row < 100; ++row) {
            if (hint->GetRow(row))
                rows.push_back(row);
        }
        heard.push_back({ id, hint != nullptr, rows });
    }
    struct Heard {
        uint16_t id;
        bool hinted;
        std::vector<int> rows;
    };
    std::vector<Heard> heard;
};

class HostTables : public Kv32Fixture {
protected:
    std::vector<std::string> RequestKeys(int code) const
    {
        std::vector<std::string> keys;
        for (const Msg& m : router.Requests()) {
            if (m.type == code)
                keys.push_back(m.bytes);
        }
        return keys;
    }
    CSampleTable table;
    Updates updates;
};

TEST_F(HostTables, SnapshotResumesFromTheLastKeyAndStopsOnTheLastRecordFlag)
{
    router.Reply({ Snap(1, "AAA"), Snap(2, "BBB"), End() });
    router.Reply({ Snap(3, "CCC", true), End() });
    router.Reply({ Snap(4, "never asked for"), End() });
    EXPECT_EQ(table.Load(), 1);
    EXPECT_EQ(RequestKeys(22), (std::vector<std::string> { "TRADER01    00000000", "TRADER01    00000002" }));
    ASSERT_EQ(table.GetCount(), 3);
    EXPECT_STREQ(table.GetRec(2)->szCode, "CCC");
    EXPECT_STREQ(table.GetRec(1)->szName, "Name BBB");
    EXPECT_DOUBLE_EQ(table.GetRec(1)->dPrice, 2.0);
    EXPECT_EQ(table.GetRec(2)->nIndex, 2);
    EXPECT_STREQ(table.m_szSeqNum, "0000000000");
}

TEST_F(HostTables, SnapshotStopsOnAnEmptyReply)
{
    router.Reply({ Snap(5, "AAA"), End() });
    router.Reply({ End() });
    EXPECT_EQ(table.Load(), 1);
    EXPECT_EQ(RequestKeys(22), (std::vector<std::string> { "TRADER01    00000000", "TRADER01    00000005" }));
    EXPECT_EQ(table.GetCount(), 1);
}

TEST_F(HostTables, SnapshotFailuresKeepWhatWasDecoded)
{
    // A host that repeats itself is asked once more, not for ever.
    router.Reply({ Snap(7, "AAA"), End() });
    router.Reply({ Snap(7, "AAA"), End() });
    EXPECT_EQ(table.Load(), 1);
    EXPECT_EQ(RequestKeys(22).size(), 2u);

    // A short record is dropped; a failed router ends the loop with 0.
    table.Free();
    router.ClearRecord();
    router.Reply(
        { Snap(1, "AAA"), { 22, SampleSnapshotRecord(2, "BBB", "x", 1, true).substr(0, 54) }, End() });
    kvtest::Fake().recvStatuses = { 0, 7 }; // the second receive loses the link
    EXPECT_EQ(table.Load(), 0);
    EXPECT_EQ(table.GetCount(), 1);
}

TEST_F(HostTables, StandingRequestCarriesTheSequenceAndChangesRowsInPlace)
{
    router.Reply({ Snap(1, "AAA"), Snap(2, "BBB"), Snap(3, "CCC", true), End() });
    ASSERT_EQ(table.Load(), 1);
    {
        const auto* before = table.GetRec(1);
        router.ClearRecord();
        updates.heard.clear();
        app.CollectAllRequests();
        ASSERT_TRUE(VORLInfoReqEnd());
        EXPECT_EQ(RequestKeys(44), std::vector<std::string> { "TRADER01    0000000000" });

        router.Reply({ { 44, SampleChangeRecord(17, 2, "CCC", 4250, 900, 'S') },
            { 44, SampleChangeRecord(18, 0, "AAA", 100, 10, 'A') },
            { 44, SampleChangeRecord(19, 9, "ZZZ", 1, 1, 'A') },
            { 44, SampleChangeRecord(20, 1, "XXX", 1, 1, 'A') },
            { 44, SampleChangeRecord(21, 2, "CCC", 4300, 950, 'S') }, End() });
        EXPECT_EQ(app.VORLInfoReqRecv(), 1);
        EXPECT_EQ(table.GetCount(), 3) << "a change report never adds a row";
        EXPECT_EQ(table.GetRec(1), before) << "records stay where they are";
        EXPECT_DOUBLE_EQ(table.GetRec(2)->dPrice, 43.0);
        EXPECT_EQ(table.GetRec(2)->nVolume, 950);
        EXPECT_EQ(table.GetRec(2)->cStatus, 'S');
        EXPECT_EQ(table.GetRec(1)->cStatus, ' ') << "a report whose code does not match the row is ignored";
        ASSERT_EQ(updates.heard.size(), 1u);
        EXPECT_EQ(updates.heard[0].id, CSampleTable::kTableId);
        EXPECT_TRUE(updates.heard[0].hinted);
        EXPECT_EQ(updates.heard[0].rows, (std::vector<int> { 0, 2 }));
    }
    router.ClearRecord();
    app.CollectAllRequests();
    ASSERT_TRUE(VORLInfoReqEnd());
    EXPECT_EQ(RequestKeys(44), std::vector<std::string> { "TRADER01    0000000021" });
    router.Reply({ { 44, SampleChangeRecord(22, 1, "BBB", 5, 5, 'S') }, End() });
    EXPECT_EQ(app.VORLInfoReqRecv(), 1);
    ASSERT_EQ(updates.heard.size(), 2u);
    EXPECT_EQ(updates.heard[1].rows, std::vector<int> { 1 }) << "rows told once are not flagged again";
    table.Free();
    EXPECT_STREQ(table.m_szSeqNum, "0000000000");
    EXPECT_EQ(table.GetCount(), 0);
}

TEST_F(HostTables, SelectionSurvivesByCode)
{
    router.Reply({ Snap(1, "AAA"), Snap(2, "BBB"), Snap(3, "CCC"), Snap(4, "DDD", true), End() });
    ASSERT_EQ(table.Load(), 1);
    std::vector<int> selection { 3, 0, 2 };
    fw::Archive out;
    ASSERT_EQ(table.SerializeSelection(out, selection), 1);

    // A new session where AAA is gone and the others stand elsewhere.
    table.Free();
    router.Reply({ Snap(1, "CCC"), Snap(2, "DDD"), Snap(3, "EEE", true), End() });
    ASSERT_EQ(table.Load(), 1);
    fw::Archive in(out.bytes());
    std::vector<int> loaded { 42 };
    EXPECT_EQ(table.SerializeSelection(in, loaded), 1);
    EXPECT_EQ(loaded, (std::vector<int> { 1, 0 }));

    // A damaged archive ends with 0 and the rows read so far.
    std::vector<uint8_t> cut = out.bytes();
    cut.resize(cut.size() - 2);
    fw::Archive damaged(cut);
    EXPECT_EQ(table.SerializeSelection(damaged, loaded), 0);
    EXPECT_EQ(loaded, (std::vector<int> { 1 }));
}

TEST_F(HostTables, RightsLoadByTypeAndCodeKeys)
{
    CRightTable& rights = RightTable();
    rights.Free();
    // type 3, operator code 3, value 16, last-record flag 1
    router.Reply({ { 93,
                       "132000"
                       "0000000000000001"
                       "0" },
        { 93,
            "142055"
            "0000000000000000"
            "0" },
        End() });
    router.Reply({ { 93,
                       "018000"
                       "0000000000000008"
                       "1" },
        End() });
    EXPECT_EQ(rights.Load(), 1);
    EXPECT_EQ(RequestKeys(93), (std::vector<std::string> { "TRADER01    000000", "TRADER01    142055" }));
    ASSERT_EQ(rights.GetCount(), 3);
    EXPECT_EQ(rights.FindTrans142(55), 1);
    EXPECT_EQ(rights.FindTrans142(0), -1);
    EXPECT_EQ(rights.FindByType(18), 2);
    EXPECT_EQ(rights.GetValue(18), 8);
    EXPECT_EQ(rights.GetRec(2)->nIndex, 2);
    rights.Free();
    EXPECT_EQ(rights.FindByType(132), -1);
}

TEST(HostTableRegistry, ProgramTablesAreRegisteredInTheirOrder)
{
    CKvTables& tables = KvTables();
    const auto& targets = CVorlPermTarget::apPermTargets;
    const auto at = std::find(targets.begin(), targets.end(), &tables.rights);
    ASSERT_NE(at, targets.end());
    EXPECT_EQ(tables.rights.GetID(), CRightTable::kTableId);
}

} // namespace
