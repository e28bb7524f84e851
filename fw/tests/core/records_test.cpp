#include "fw/core/records.h"

#include <gtest/gtest.h>

#include "fw/core/archive.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(AccelRecords, TableBytesAreCountThenSixByteRecords)
{
    const fw::AccelRecord table[] = {
        { fw::AccelVirtKey | fw::AccelControl, 'S', 35976 },
        { fw::AccelVirtKey, fw::vk::F1 + 4, 35968 },
    };
    fw::Archive ar;
    fw::writeAccelTable(ar, table);
    const Bytes want = { 0x02, 0x00, 0x09, 0x00, 0x53, 0x00, 0x88, 0x8C, 0x01, 0x00, 0x74, 0x00, 0x80, 0x8C };
    EXPECT_EQ(ar.bytes(), want);

    fw::Archive in(want);
    const auto back = fw::readAccelTable(in);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], table[0]);
    EXPECT_EQ(back[1], table[1]);
}

TEST(AccelRecords, PaddingIsIgnoredAndForgedCountsRefused)
{
    fw::Archive padded(Bytes { 0x01, 0x00, 0x01, 0xEE, 0x41, 0x00, 0x01, 0x00 });
    EXPECT_EQ(fw::readAccelTable(padded)[0], (fw::AccelRecord { 1, 'A', 1 }));
    // Three records announced, two present.
    fw::Archive forged(Bytes { 0x03, 0x00, 1, 0, 0x41, 0, 1, 0, 1, 0, 0x42, 0, 2, 0 });
    EXPECT_THROW(fw::readAccelTable(forged), fw::ArchiveError);
}

TEST(AccelRecords, KeyNames)
{
    struct Case {
        fw::AccelRecord accel;
        const char* name;
    } cases[] = {
        { { fw::AccelVirtKey | fw::AccelControl | fw::AccelShift, fw::vk::F1 + 4, 1 }, "Ctrl+Shift+F5" },
        { { fw::AccelVirtKey | fw::AccelAlt, 'X', 1 }, "Alt+X" },
        { { fw::AccelVirtKey, fw::vk::Delete, 1 }, "Del" },
        { { fw::AccelVirtKey, fw::vk::Numpad0 + 7, 1 }, "Num+7" },
        { { fw::AccelVirtKey, 0xE5, 1 }, "Key 229" },
        { { fw::AccelVirtKey, fw::vk::Return, 1 }, "Return" },
        { { 0, 'q', 1 }, "q" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::accelKeyName(c.accel), c.name);
}

TEST(WindowPlacement, FortyFourBytesLittleEndian)
{
    fw::WindowPlacement p;
    p.flags = 2;
    p.showCmd = fw::ShowMaximized;
    p.minPosition = { -1, -1 };
    p.maxPosition = { 0, 0 };
    p.normalPosition = { 10, 20, 810, 620 };
    const Bytes want = {
        44, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, // length, flags, showCmd
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, // min position
        0, 0, 0, 0, 0, 0, 0, 0, // max position
        10, 0, 0, 0, 20, 0, 0, 0, 0x2A, 0x03, 0, 0, 0x6C, 0x02, 0, 0, // normal rectangle
    };
    fw::Archive ar;
    fw::writePlacement(ar, p);
    EXPECT_EQ(ar.bytes(), want);
    fw::Archive in(want);
    EXPECT_EQ(fw::readPlacement(in), p);
    EXPECT_TRUE(p.hasPosition());
    EXPECT_FALSE(fw::WindowPlacement {}.hasPosition());

    fw::Archive cut(Bytes(43, 0));
    EXPECT_THROW(fw::readPlacement(cut), fw::ArchiveError);
}

TEST(Colors, StoredAsBGR)
{
    constexpr auto c = fw::Color::rgb(100, 100, 240);
    static_assert(c.ref == 0xF06464);
    static_assert(c.red() == 100 && c.green() == 100 && c.blue() == 240);
    fw::Archive ar;
    fw::writeColor(ar, fw::Color::rgb(220, 100, 100));
    EXPECT_EQ(ar.bytes(), (Bytes { 0xDC, 0x64, 0x64, 0x00 }));
    fw::Archive in(ar.bytes());
    EXPECT_EQ(fw::readColor(in).ref, 0x6464DCu);
}

} // namespace
