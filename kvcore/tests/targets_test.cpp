#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "kvcore/router/info_req.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/router/tarray.h"
#include "kvcore/router/vorl_target.h"

namespace {

bool AllZero(const void* p, size_t n)
{
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) {
        if (b[i] != 0)
            return false;
    }
    return true;
}

TEST(CTArrayTest, NewArrayIsEmpty)
{
    CTArray a(16, 100);
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_THROW(CTArray(16, 0), std::invalid_argument);
    EXPECT_THROW(CTArray(0, 10), std::invalid_argument);
    EXPECT_THROW(a.SetSize(-1), std::invalid_argument);
}

TEST(CTArrayTest, RecordsAreZeroFilledAndStayInPlace)
{
    CTArray a(24, 100);
    a.SetSize(250);
    ASSERT_EQ(a.GetSize(), 250);
    void** rec = a.GetData();
    for (int i = 0; i < 250; ++i) {
        ASSERT_TRUE(AllZero(rec[i], 24)) << i;
        std::memset(rec[i], i + 1, 24);
    }
    // Records of one block are contiguous; blocks hold 100 records.
    EXPECT_EQ(static_cast<char*>(rec[99]) - static_cast<char*>(rec[0]), 99 * 24);
    std::vector<void*> first10(rec, rec + 10);

    a.SetSize(10);
    EXPECT_EQ(a.GetSize(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(a.GetData()[i], first10[static_cast<size_t>(i)]);
        EXPECT_EQ(static_cast<unsigned char*>(a.GetData()[i])[23], i + 1);
    }
    a.SetSize(20); // records 10..19 come back fresh
    for (int i = 10; i < 20; ++i)
        EXPECT_TRUE(AllZero(a.GetData()[i], 24)) << i;
    a.SetSize(600); // beyond the allocated length: the table grows, old records stay
    EXPECT_EQ(a.GetData()[0], first10[0]);
    EXPECT_EQ(a.GetSize(), 600);
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(a.GetData(), nullptr);
    a.SetSize(1);
    EXPECT_TRUE(AllZero(a.GetData()[0], 24));
}

// A permanent target that records what happens to it.
class RecordingPerm : public CArrayPerm {
public:
    explicit RecordingPerm(uint16_t id)
        : CArrayPerm(8, 4)
    {
        m_wID = id;
        m_nState = 5;
    }
    int Decode(CRecordReader& reader) override
    {
        decoded.push_back(reader.TextNoStrip(static_cast<int>(reader.Remaining())));
        return 1;
    }
    int State() const { return m_nState; }
    std::vector<std::string> decoded;
};

TEST(Targets, PermanentTargetsRegisterInConstructionOrder)
{
    const size_t before = CVorlPermTarget::apPermTargets.size();
    auto a = std::make_unique<RecordingPerm>(1);
    auto b = std::make_unique<RecordingPerm>(2);
    auto c = std::make_unique<RecordingPerm>(3);
    auto& list = CVorlPermTarget::apPermTargets;
    ASSERT_EQ(list.size(), before + 3);
    b.reset();
    ASSERT_EQ(list.size(), before + 2);
    EXPECT_EQ(list[before], a.get());
    EXPECT_EQ(list[before + 1], c.get());
    EXPECT_EQ(a->GetID(), 1);
}

TEST(Targets, StoreDataItemDecodesTheTextAndReturnsOne)
{
    RecordingPerm t(7);
    unsigned char text[] = "HELLO";
    tagTMSG msg;
    msg.nType = 12;
    msg.nLength = 5;
    msg.pText = text;
    EXPECT_EQ(t.StoreDataItem(&msg), 1);
    ASSERT_EQ(t.decoded.size(), 1u);
    EXPECT_EQ(t.decoded[0], "HELLO");
    EXPECT_EQ(t.StoreDataItem(nullptr), 0);
    EXPECT_EQ(t.UpdateReq(), 0); // the base makes no request
}

TEST(Targets, FreeEmptiesTheTableAndResetsItsState)
{
    RecordingPerm t(7);
    t.SetSize(9);
    t.Free();
    EXPECT_EQ(t.GetSize(), 0);
    EXPECT_EQ(t.State(), 0);
    EXPECT_EQ(t.Load(), 1);
    EXPECT_EQ(t.Save(), 1);
}

TEST(Targets, QueuedRequestsFindOnlyLiveTargets)
{
    aInfoReq.RemoveAll();
    auto t = std::make_unique<RecordingPerm>(42);
    RecordingPerm other(43);
    t->OnPostUpdateReq();
    other.OnPostUpdateReq();
    ASSERT_EQ(aInfoReq.GetSize(), 2);
    EXPECT_EQ(IsInfoReqQueueEmpty(), 0);
    EXPECT_EQ(aInfoReq.GetAt(0).nKind, INFOREQ_PERMANENT);
    EXPECT_EQ(aInfoReq.GetAt(0).nID, 42);
    EXPECT_EQ(aInfoReq.GetAt(0).GetTarget(), t.get());
    EXPECT_NE(aInfoReq.GetAt(0).nTarget, aInfoReq.GetAt(1).nTarget);
    aInfoReq.ClearTarget(&other);
    EXPECT_EQ(aInfoReq.GetAt(1).GetTarget(), nullptr);
    t.reset(); // a destroyed target's token leads nowhere
    EXPECT_EQ(aInfoReq.GetAt(0).GetTarget(), nullptr);
    aInfoReq.RemoveAll();
    EXPECT_EQ(IsInfoReqQueueEmpty(), 1);
}

} // namespace
