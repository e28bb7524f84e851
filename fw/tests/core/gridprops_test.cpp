#include "fw/core/archive.h"
#include "fw/core/gridprops.h"

#include <gtest/gtest.h>

namespace {

// Written by hand from the record's layout, so the test does not trust the code under test.
const std::vector<uint8_t> kGolden = {
    0x02, 0x00, // version 2
    0x2A, 0x00, // flags: vertical lines (2), mark row (8), landscape (32)
    0x0A, 0x00, 0x0F, 0x00, 0x14, 0x00, 0x64, 0x00, // margins 10, 15, 20, 100
    0x05, 'T', 'i', 't', 'l', 'e', // header
    0x06, 'P', 'a', 'g', 'e', ' ', 0xF5, // footer, Windows-1250 "Page ő"
    0x02, 0x00, // two colours: grid lines, marking
    0x80, 0x80, 0x80, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, // grey lines, the style's marking
    0x07, 'C', 'o', 'u', 'r', 'i', 'e', 'r', // font face
    0x0B, 0x00, // 11 points
    0x02, // italic
};

// A record of version 1 (before colours and fonts): the same settings, the style's look.
const std::vector<uint8_t> kGoldenVersion1 = {
    0x01, 0x00, 0x2A, 0x00, 0x0A, 0x00, 0x0F, 0x00, 0x14, 0x00, 0x64, 0x00, //
    0x05, 'T', 'i', 't', 'l', 'e', 0x06, 'P', 'a', 'g', 'e', ' ', 0xF5,
};

fw::GridProperties goldenProps()
{
    fw::GridProperties p;
    p.horizontalLines = false;
    p.verticalLines = true;
    p.threeD = false;
    p.markCurrentRow = true;
    p.markCurrentColumn = false;
    p.page = { 10, 15, 20, 100, true, "Title", "Page \xF5" };
    p.colors = { 0x808080, fw::kGridStyleColor };
    p.font = { "Courier", 11, false, true };
    return p;
}

TEST(GridProperties, RecordMatchesTheGoldenBytesBothWays)
{
    fw::Archive out;
    fw::storeGridProperties(out, goldenProps());
    EXPECT_EQ(out.bytes(), kGolden);
    fw::Archive in(kGolden);
    fw::GridProperties loaded;
    fw::loadGridProperties(in, loaded);
    EXPECT_EQ(loaded, goldenProps());
    EXPECT_EQ(in.remaining(), 0u);

    fw::Archive older(kGoldenVersion1);
    fw::GridProperties fromVersion1;
    fromVersion1.font.face = "mine";
    fw::loadGridProperties(older, fromVersion1);
    fw::GridProperties expected = goldenProps();
    expected.colors = fw::GridProperties().colors;
    expected.font = fw::GridFont();
    EXPECT_EQ(fromVersion1, expected);
    EXPECT_EQ(older.remaining(), 0u);
}

TEST(GridProperties, BadRecordsAreRefusedAndLeaveTheSettings)
{
    struct Case {
        const char* what;
        size_t offset;
        uint8_t byte;
        size_t cut; // bytes kept (0: all)
        fw::ArchiveError::Cause cause;
    } cases[] = {
        { "another version", 0, 0x03, 0, fw::ArchiveError::Cause::BadSchema },
        { "another colour count", 25, 0x03, 0, fw::ArchiveError::Cause::Generic },
        { "font of 3 points", 43, 0x03, 0, fw::ArchiveError::Cause::Generic },
        { "font of 25 points", 43, 0x19, 0, fw::ArchiveError::Cause::Generic },
        { "unknown font flag", 45, 0x04, 0, fw::ArchiveError::Cause::Generic },
        { "unknown flag", 3, 0x01, 0, fw::ArchiveError::Cause::Generic },
        { "margin over 100 mm", 10, 0x65, 0, fw::ArchiveError::Cause::Generic },
        { "cut in the footer", 0, 0x02, 25 - 2, fw::ArchiveError::Cause::EndOfFile },
        { "cut in the font", 0, 0x02, kGolden.size() - 2, fw::ArchiveError::Cause::EndOfFile },
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = kGolden;
        bytes[c.offset] = c.byte;
        if (c.cut)
            bytes.resize(c.cut);
        fw::Archive in(bytes);
        fw::GridProperties kept;
        kept.page.header = "mine";
        try {
            fw::loadGridProperties(in, kept);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const fw::ArchiveError& e) {
            EXPECT_EQ(e.cause(), c.cause) << c.what;
        }
        EXPECT_EQ(kept.page.header, "mine") << c.what;
    }
}

TEST(GridProperties, PageTextsNumberThePage)
{
    EXPECT_EQ(fw::pageText("- &p -", 12), "- 12 -");
    EXPECT_EQ(fw::pageText("R&&D &p/&x&", 3), "R&D 3/&x&");
}

} // namespace
