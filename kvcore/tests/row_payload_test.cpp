// Dragged rows: the exact payload bytes, the refusal of malformed payloads, and
// what a drop does with the rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kvcore/controls/row_dragdrop.h"
#include "kvcore/controls/row_payload.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

void AppendLong(Bytes& out, uint32_t v)
{
    Append(out, { uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24) });
}

const Bytes kNewClass
    = { 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00, 'C', 'K', 'v', 'R', 'o', 'w', 'D', 'a', 't', 'a' };

// Row 1: security 1 .. firm 5, quantity 100 with 0 decimals, price 12.5 with 2.
Bytes RowOneFields()
{
    Bytes b;
    for (uint32_t v : { 1u, 2u, 3u, 4u, 5u })
        AppendLong(b, v);
    Append(b, { 0, 0, 0, 0, 0, 0, 0x59, 0x40, 0, 0, 0, 0, 0, 0, 0, 0 }); // 100.0, 0 decimals, padding
    Append(b, { 0, 0, 0, 0, 0, 0, 0x29, 0x40, 2, 0, 0, 0, 0, 0, 0, 0 }); // 12.5, 2 decimals, padding
    return b;
}

// Row 2: security 7 and nothing else carried, quantity -3.25 with 2 decimals, price 0.
Bytes RowTwoFields()
{
    Bytes b;
    AppendLong(b, 7);
    for (int i = 0; i < 4; ++i)
        AppendLong(b, 0xFFFFFFFFu);
    Append(b, { 0, 0, 0, 0, 0, 0, 0x0A, 0xC0, 2, 0, 0, 0, 0, 0, 0, 0 }); // -3.25
    Append(b, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    return b;
}

CKvRowData RowOne()
{
    CKvRowData r;
    r.m_nSec = 1;
    r.m_nBoard = 2;
    r.m_nOrder = 3;
    r.m_nUser = 4;
    r.m_nFirm = 5;
    r.m_Quantity = CDouble(100, 0);
    r.m_Price = CDouble(12.5, 2);
    return r;
}

CKvRowData RowTwo()
{
    CKvRowData r;
    r.m_nSec = 7;
    r.m_Quantity = CDouble(-3.25, 2);
    return r;
}

Bytes GoldenOne()
{
    Bytes b = { 0x01, 0x00 };
    b.insert(b.end(), kNewClass.begin(), kNewClass.end());
    const Bytes f = RowOneFields();
    b.insert(b.end(), f.begin(), f.end());
    return b;
}

Bytes GoldenTwo()
{
    Bytes b = GoldenOne();
    b[0] = 0x02;
    Append(b, { 0x01, 0x80 }); // the class already seen
    const Bytes f = RowTwoFields();
    b.insert(b.end(), f.begin(), f.end());
    return b;
}

TEST(RowPayload, WritesTheGoldenBytesForOneAndTwoRows)
{
    EXPECT_EQ(WriteRowPayload(CKvClipboardFormat { { RowOne() } }), GoldenOne());
    EXPECT_EQ(WriteRowPayload(CKvClipboardFormat { { RowOne(), RowTwo() } }), GoldenTwo());
    EXPECT_EQ(WriteRowPayload(CKvClipboardFormat {}), (Bytes { 0, 0 }));
    EXPECT_EQ(std::string(kKvClipboardFormatName), "Trader Bench internal");
}

TEST(RowPayload, ReadsTheGoldenBytesAndPaddedBlocks)
{
    auto two = ReadRowPayload(GoldenTwo());
    ASSERT_TRUE(two);
    ASSERT_EQ(two->rows.size(), 2u);
    EXPECT_EQ(two->rows[0], RowOne());
    EXPECT_EQ(two->rows[1], RowTwo());
    EXPECT_EQ(two->rows[1].m_Quantity.GetDecimal(), 2u);

    Bytes padded = GoldenOne(); // blocks of other writers are zero-filled to their size
    padded.resize(4096, 0);
    auto one = ReadRowPayload(padded);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->rows.size(), 1u);
}

TEST(RowPayload, RefusesMalformedPayloads)
{
    const Bytes golden = GoldenTwo();
    for (size_t n = 0; n < golden.size(); ++n) {
        EXPECT_FALSE(ReadRowPayload(std::span(golden.data(), n))) << "cut at " << n;
    }
    auto patched = [&](size_t at, std::initializer_list<uint8_t> with) {
        Bytes b = golden;
        std::copy(with.begin(), with.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    const size_t secondTag = 2 + kNewClass.size() + 52;
    const size_t firstQuantity = 2 + kNewClass.size() + 20;
    struct Case {
        const char* what;
        Bytes bytes;
    } const cases[] = {
        { "count past the bytes", patched(0, { 0x03 }) },
        { "forged 32-bit count", patched(0, { 0xFF, 0xFF }) },
        { "other class", patched(8, { 'X' }) },
        { "other class version", patched(2, { 0xFF, 0xFF, 0x01 }) },
        { "class name too long", patched(6, { 0x40, 0x00 }) },
        { "null row", patched(secondTag, { 0x00, 0x00 }) },
        { "reference to no class", patched(secondTag, { 0x05, 0x80 }) },
        { "class reference to an object", patched(secondTag, { 0x02, 0x80 }) },
        { "quantity not a number", patched(firstQuantity, { 0, 0, 0, 0, 0, 0, 0xF8, 0x7F }) },
        { "decimal count beyond any number", patched(firstQuantity + 8, { 0xFF, 0xFF, 0xFF, 0x7F }) },
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadRowPayload(c.bytes, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

// A document that records what a drop sets, and offers two rows.
struct Recorder : KvDragDropRows {
    std::vector<std::string> calls;
    int QueryAcceptKvData(const CKvClipboardFormat& list) override { return QueryAcceptKvSecData(list); }
    int GetSec(int row, int32_t& v) override { return v = 100 + row, 1; }
    int GetBoard(int row, int32_t& v) override { return row == 0 ? 0 : (v = 9, 1); }
    int GetQuantity(int row, CDouble& v) override { return v = CDouble(row * 10.0, 1), 1; }
    int SetSec(int32_t v, int mode) override { return Record("sec", v, mode); }
    int SetBoard(int32_t v, int mode) override { return Record("board", v, mode); }
    int SetOrder(int32_t v, int mode) override { return Record("order", v, mode); }
    int SetUser(int32_t v, int mode) override { return Record("user", v, mode); }
    int SetFirm(int32_t v, int mode) override { return Record("firm", v, mode); }
    int SetQuantity(CDouble v, int mode) override { return Record("qty", static_cast<double>(v), mode); }
    int SetPrice(CDouble v, int mode) override { return Record("price", static_cast<double>(v), mode) & 0; }
    int Record(const char* what, double v, int mode)
    {
        calls.push_back(
            std::string(what) + " " + std::to_string(static_cast<int64_t>(v)) + " " + std::to_string(mode));
        return 2;
    }
};

TEST(RowDragDrop, MoveAndCopyReachTheSetters)
{
    Recorder doc;
    EXPECT_EQ(doc.DropData(GoldenTwo(), kDropEffectMove), 2);
    EXPECT_EQ(doc.calls,
        (std::vector<std::string> { "sec 1 0", "board 2 0", "order 3 0", "user 4 0", "firm 5 0", "qty 100 0",
            "price 12 0", "sec 7 1", "qty -3 1", "price 0 1" }));
    doc.calls.clear();
    EXPECT_EQ(doc.DropData(GoldenOne(), kDropEffectCopy | kDropEffectMove), 2);
    for (const auto& c : doc.calls)
        EXPECT_EQ(c.back(), '1') << c;
    doc.calls.clear();
    Bytes cut = GoldenTwo();
    cut.pop_back();
    EXPECT_EQ(doc.DropData(cut, kDropEffectMove), 0);
    EXPECT_EQ(doc.QueryAcceptData(cut), 0);
    EXPECT_TRUE(doc.calls.empty());
    EXPECT_EQ(doc.DropData(WriteRowPayload({}), kDropEffectMove), 0);
}

TEST(RowDragDrop, CachedRowsSkipUnmappedRowsAndQueriesUseTheHook)
{
    Recorder doc;
    const int32_t viewRows[] = { 1, 2, 3 };
    const Bytes payload = doc.CacheGlobalData(viewRows, [](int32_t v) { return v == 2 ? -1 : v - 1; });
    auto list = ReadRowPayload(payload);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->rows.size(), 2u);
    EXPECT_EQ(list->rows[0].m_nSec, 100);
    EXPECT_EQ(list->rows[0].m_nBoard, -1); // the getter did not fill it
    EXPECT_EQ(list->rows[1].m_nSec, 102);
    EXPECT_EQ(list->rows[1].m_nBoard, 9);
    EXPECT_DOUBLE_EQ(static_cast<double>(list->rows[1].m_Quantity), 20);
    EXPECT_EQ(list->rows[1].m_nOrder, -1);
    EXPECT_EQ(doc.QueryAcceptData(payload), 1);

    KvDragDropRows plain; // accepts nothing, offers rows with nothing set
    EXPECT_EQ(plain.QueryAcceptData(payload), 0);
    auto bare = ReadRowPayload(plain.CacheGlobalData(viewRows, [](int32_t v) { return v; }));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->rows[2], CKvRowData());
    EXPECT_EQ(doc.QueryAcceptData(WriteRowPayload(CKvClipboardFormat { { CKvRowData() } })), 0);
    EXPECT_EQ(doc.QueryAcceptData(WriteRowPayload({})), 0);
    EXPECT_EQ(plain.QueryAcceptKvSingleData(*list), 0);
    EXPECT_EQ(plain.QueryAcceptKvSingleData(CKvClipboardFormat { { RowOne() } }), 1);
}

} // namespace
