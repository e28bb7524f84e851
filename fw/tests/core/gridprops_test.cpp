#include "fw/core/archive.h"
#include "fw/core/gridprops.h"

#include <gtest/gtest.h>

namespace {

// Written by hand from the record's layout, so the test does not trust the code under test.
const std::vector<uint8_t> kGolden = {
    0x01, 0x00, // version 1
    0x2A, 0x00, // flags: vertical lines (2), mark row (8), landscape (32)
    0x0A, 0x00, 0x0F, 0x00, 0x14, 0x00, 0x64, 0x00, // margins 10, 15, 20, 100
    0x05, 'T', 'i', 't', 'l', 'e', // header
    0x06, 'P', 'a', 'g', 'e', ' ', 0xF5, // footer, Windows-1250 "Page ő"
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
        { "another version", 0, 0x02, 0, fw::ArchiveError::Cause::BadSchema },
        { "unknown flag", 3, 0x01, 0, fw::ArchiveError::Cause::Generic },
        { "margin over 100 mm", 10, 0x65, 0, fw::ArchiveError::Cause::Generic },
        { "cut in the footer", 0, 0x01, kGolden.size() - 2, fw::ArchiveError::Cause::EndOfFile },
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
