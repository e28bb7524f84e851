// Checked allocator, diagnostics, error list, memory blocks and the BER octet/bit string helpers.
#include "mox/ut.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Diagnostics captured in a temporary stream, restored to stderr afterwards.
class UtDiag : public ::testing::Test {
protected:
    void SetUp() override
    {
        stream_ = std::tmpfile();
        ut_start("mox_tests", nullptr, nullptr, stream_);
        ut_errlist_clear();
    }
    void TearDown() override
    {
        ut_start("mox_tests", nullptr, nullptr, nullptr);
        std::fclose(stream_);
    }
    std::string captured()
    {
        std::fflush(stream_);
        std::rewind(stream_);
        std::string text;
        char buf[256];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, stream_)) > 0)
            text.append(buf, n);
        return text;
    }
    FILE* stream_ = nullptr;
};

std::vector<uint8_t> bytes(std::initializer_list<int> v)
{
    std::vector<uint8_t> out;
    for (int b : v)
        out.push_back(static_cast<uint8_t>(b));
    return out;
}

} // namespace

TEST(UtAlloc, BlocksAreTrackedAndResizedKeepingContents)
{
    int before = ut_mem_held();
    auto* p = static_cast<uint8_t*>(ut_alloc(UT_HERE, 10));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 10; ++i)
        p[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(ut_mem_held(), before + 1);
    p = static_cast<uint8_t*>(ut_realloc(UT_HERE, p, 1000));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(p[i], i);
    EXPECT_EQ(ut_mem_held(), before + 1);
    ut_free(UT_HERE, p);
    EXPECT_EQ(ut_mem_held(), before);
}

TEST(UtAlloc, GuardsSurroundTheBlockAndFreedBytesAreFilled)
{
    static size_t seen = 0;
    static bool allFilled = false;
    ut_mem_set_free_hook([](const uint8_t* raw, size_t bytes) {
        seen = bytes;
        allFilled = true;
        for (size_t i = 0; i < bytes; ++i)
            allFilled = allFilled && raw[i] == 0xF5;
    });
    auto* p = static_cast<uint8_t*>(ut_alloc(UT_HERE, 24));
    std::memset(p, 0x11, 24);
    const uint8_t head[8] = { 0xDE, 0xAD, 0xBE, 0xEF, 0x1F, 0x3D, 0x5B, 0x79 };
    const uint8_t tail[8] = { 0x97, 0xB5, 0xD3, 0xF1, 0xFE, 0xEB, 0xDA, 0xED };
    EXPECT_EQ(std::memcmp(p - 8, head, 8), 0);
    EXPECT_EQ(std::memcmp(p + 24, tail, 8), 0);
    ut_free(UT_HERE, p);
    ut_mem_set_free_hook(nullptr);
    EXPECT_EQ(seen, 24u + 16u);
    EXPECT_TRUE(allFilled);
}

TEST(UtAlloc, InjectedFailureKeepsNothing)
{
    int before = ut_mem_held();
    ut_mem_fail_after(0);
    EXPECT_EQ(ut_alloc(UT_HERE, 8), nullptr);
    ut_mem_fail_after(-1);
    EXPECT_EQ(ut_mem_held(), before);
}

TEST(UtAllocDeath, OverrunIsCaughtOnFree)
{
    ut_start("mox_tests", nullptr, nullptr, nullptr);
    EXPECT_EXIT(
        {
            auto* p = static_cast<uint8_t*>(ut_alloc(UT_HERE, 16));
            p[16] = 0; // one byte past the end
            ut_free(UT_HERE, p);
        },
        ::testing::ExitedWithCode(1), "wrote beyond allocated bounds");
}

TEST(UtAllocDeath, UnderrunIsCaughtOnResize)
{
    ut_start("mox_tests", nullptr, nullptr, nullptr);
    EXPECT_EXIT(
        {
            auto* p = static_cast<uint8_t*>(ut_alloc(UT_HERE, 16));
            p[-1] = 0;
            ut_realloc(UT_HERE, p, 32);
        },
        ::testing::ExitedWithCode(1), "wrote beyond allocated bounds");
}

TEST(UtAllocDeath, ForeignFreeAndResizeEndTheProgram)
{
    ut_start("mox_tests", nullptr, nullptr, nullptr);
    static uint8_t foreign[32];
    EXPECT_EXIT(ut_free(UT_HERE, foreign + 8), ::testing::ExitedWithCode(1),
        "attempt to free unallocated block of memory");
    EXPECT_EXIT(ut_realloc(UT_HERE, foreign + 8, 4), ::testing::ExitedWithCode(1),
        "attempt to ensure unallocated block of memory");
}

TEST_F(UtDiag, LineFormatCarriesProgramCodeAndPosition)
{
    ut_start("C:\\apps\\Vorl BSAPI.Exe", nullptr, nullptr, stream_);
    errno = 0;
    ut_diag("ostr.cpp", 42, 0x140500, UT_SEV_RECOVER, "expected octet string, got type #%d", 1);
    ut_diag(nullptr, 0, 0x540600, UT_SEV_RECOVER, "called with negative range");
    ut_diag(nullptr, 0, 0, UT_SEV_RECOVER, "plain");
    errno = 2;
    ut_diag(nullptr, 0, 0, UT_SEV_RECOVER, "with errno");
    EXPECT_EQ(errno, 0);
    std::string expected
        = "vorl bsapi: error 1-405-0, file `ostr.cpp', line 42: expected octet string, got type #1\n"
          "vorl bsapi: error 5-406-0: called with negative range\n"
          "vorl bsapi: plain\n";
    std::string text = captured();
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_NE(text.find("vorl bsapi: with errno [syserr 2: "), std::string::npos);
}

TEST(UtDiagDeath, OtherSeveritiesEndWithTheirStatusAfterUsageAndHandler)
{
    ut_start("Prog", "[-v] file", nullptr, nullptr);
    ut_set_handler([](int severity) { std::fprintf(stderr, "handler %d\n", severity); });
    errno = 0;
    EXPECT_EXIT(ut_diag(nullptr, 0, 0, 5, "bad option"), ::testing::ExitedWithCode(5),
        "prog: bad option\nUsage: prog \\[-v\\] file\nhandler 5");
    EXPECT_EXIT(ut_diag(nullptr, 0, 0, 3, "stop"), ::testing::ExitedWithCode(3), "prog: stop\nhandler 3");
    ut_set_handler(nullptr);
    ut_start("mox_tests", nullptr, nullptr, nullptr);
}

TEST_F(UtDiag, TagFileReceivesEveryLine)
{
    char path[] = "/tmp/mox_tag_XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    ut_start("tagged", nullptr, path, stream_);
    errno = 0;
    ut_diag(nullptr, 0, 0, UT_SEV_RECOVER, "one");
    ut_diag(nullptr, 0, 0, UT_SEV_RECOVER, "two");
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(path);
    EXPECT_EQ(text.str(), "tagged: one\ntagged: two\n");
}

TEST_F(UtDiag, ProgramNameIsCutAndLowered)
{
    ut_start("ABCDEFGHIJKLMNOPQRSTUVWXYZ", nullptr, nullptr, stream_);
    EXPECT_STREQ(ut_progname(), "abcdefghijklmnopqrstuvw");
    ut_start("dir/Prog.x.y", nullptr, nullptr, stream_);
    EXPECT_STREQ(ut_progname(), "prog");
}

TEST_F(UtDiag, OverlongLineIsCutVisibly)
{
    std::string big(2000, 'x');
    ut_diag(nullptr, 0, 0, UT_SEV_RECOVER, "%s", big.c_str());
    std::string text = captured();
    EXPECT_LT(text.size(), 512u);
    EXPECT_EQ(text.substr(text.size() - 4), "...\n");
}

TEST_F(UtDiag, ErrorListKeepsFirstAndLastFifteen)
{
    for (uint32_t i = 1; i <= 35; ++i)
        ut_diag(nullptr, 0, i, UT_SEV_RECOVER, "e");
    uint32_t codes[UT_ERRLIST_MAX];
    ASSERT_EQ(ut_errlist(codes, UT_ERRLIST_MAX), 30);
    for (uint32_t i = 0; i < 15; ++i) {
        EXPECT_EQ(codes[i], i + 1);
        EXPECT_EQ(codes[15 + i], 21 + i);
    }
    EXPECT_EQ(ut_last_error(), 35u);
}

TEST_F(UtDiag, ShutdownReportListsHeldBlocks)
{
    char dirTemplate[] = "/tmp/mox_unf_XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    char oldDir[4096];
    ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
    ASSERT_EQ(chdir(dirTemplate), 0);
    ut_start("VORL BSAPI", nullptr, nullptr, stream_);

    void* held = ut_alloc("holder.cpp", 77, 24);
    int count = ut_finish();
    ut_free(UT_HERE, held);
    std::ifstream in("vorl bsapi.unf");
    std::stringstream report;
    report << in.rdbuf();
    ASSERT_EQ(chdir(oldDir), 0);
    std::remove((std::string(dirTemplate) + "/vorl bsapi.unf").c_str());
    rmdir(dirTemplate);

    EXPECT_GE(count, 1);
    EXPECT_NE(captured().find("memory still allocated on shutdown"), std::string::npos);
    std::string text = report.str();
    EXPECT_EQ(text.rfind("Memory still allocated:\n24 bytes at 0x", 0), 0u) << text;
    EXPECT_NE(text.find(" from line 77 of holder.cpp\n"), std::string::npos);
}

TEST(UtAsn1, LengthsAreMinimal)
{
    struct Case {
        uint32_t size;
        std::vector<uint8_t> enc;
    } cases[] = {
        { 0, bytes({ 0x00 }) },
        { 127, bytes({ 0x7F }) },
        { 128, bytes({ 0x81, 0x80 }) },
        { 200, bytes({ 0x81, 0xC8 }) },
        { 300, bytes({ 0x82, 0x01, 0x2C }) },
        { 0x10000, bytes({ 0x83, 0x01, 0x00, 0x00 }) },
        { 0xFFFFFFFF, bytes({ 0x84, 0xFF, 0xFF, 0xFF, 0xFF }) },
    };
    for (const Case& c : cases) {
        uint8_t buf[8];
        EXPECT_EQ(ut_sizeof_size2len(c.size), c.enc.size());
        uint8_t* end = ut_size2len(c.size, buf);
        EXPECT_EQ(std::vector<uint8_t>(buf, end), c.enc) << c.size;
        uint32_t back = 0;
        EXPECT_EQ(ut_len2size(c.enc.data(), c.enc.data() + c.enc.size(), &back), c.enc.data() + c.enc.size());
        EXPECT_EQ(back, c.size);
    }
    uint8_t buf[8];
    EXPECT_EQ(std::vector<uint8_t>(buf, ut_size2len_n(5, 3, buf)), bytes({ 0x82, 0x00, 0x05 }));
}

TEST_F(UtDiag, BadLengthsAndTagsFail)
{
    uint32_t size = 0;
    auto tooLong = bytes({ 0x85, 1, 2, 3, 4, 5 });
    EXPECT_EQ(ut_len2size(tooLong.data(), tooLong.data() + tooLong.size(), &size), nullptr);
    EXPECT_EQ(ut_last_error(), UT_ERR_TOO_LARGE);
    auto cut = bytes({ 0x82, 0x01 });
    EXPECT_EQ(ut_len2size(cut.data(), cut.data() + cut.size(), &size), nullptr);
    auto indefinite = bytes({ 0x80 });
    EXPECT_NE(ut_len2size(indefinite.data(), indefinite.data() + 1, &size), nullptr);
    EXPECT_EQ(size, 0u);
    int type = 0;
    auto unknown = bytes({ 0x07 });
    EXPECT_EQ(ut_tag2type(unknown.data(), unknown.data() + 1, &type), nullptr);
    EXPECT_EQ(ut_last_error(), UT_ERR_UNKNOWN_TAG);
    auto context = bytes({ 0xA0 });
    EXPECT_NE(ut_tag2type(context.data(), context.data() + 1, &type), nullptr);
    EXPECT_EQ(type, UT_CONTEXT);
    auto past = bytes({ 0x04, 0x05, 1, 2 });
    EXPECT_EQ(ut_ber_header(past.data(), past.data() + past.size(), &type, &size), nullptr);
}

TEST_F(UtDiag, OctetStringRoundTrip)
{
    const uint8_t payload[] = { 1, 2, 3, 4, 5 };
    uint8_t out[16];
    ASSERT_EQ(ut_sizeof_mblk2beroctetstring(payload, 5, 5), 7u);
    uint8_t* end = ut_mblk2beroctetstring(payload, 5, 5, out);
    ASSERT_EQ(end, out + 7);
    EXPECT_EQ(std::vector<uint8_t>(out, end), bytes({ 0x04, 0x05, 1, 2, 3, 4, 5 }));

    mblk b {};
    EXPECT_EQ(ut_beroctetstring2mblk(out, 7, &b), out + 7);
    EXPECT_EQ(b.used, 5u);
    EXPECT_EQ(std::vector<uint8_t>(b.data, b.data + b.used), std::vector<uint8_t>(payload, payload + 5));
    // Truncated and mistyped input fail without touching memory past the end.
    EXPECT_EQ(ut_beroctetstring2mblk(out, 6, &b), nullptr);
    out[0] = 0x03;
    EXPECT_EQ(ut_beroctetstring2mblk(out, 7, &b), nullptr);
    EXPECT_EQ(ut_last_error(), UT_ERR_NOT_OCTETSTRING);
    ut_free_mblk(UT_HERE, &b);
    EXPECT_EQ(b.data, nullptr);

    // An empty OCTET STRING still gives a block with data.
    const uint8_t empty[] = { 0x04, 0x00 };
    EXPECT_EQ(ut_beroctetstring2mblk(empty, 2, &b), empty + 2);
    EXPECT_NE(b.data, nullptr);
    EXPECT_EQ(b.used, 0u);
    ut_free_mblk(UT_HERE, &b);

    // A block without data is refused, not fatal.
    EXPECT_EQ(ut_sizeof_mblk2beroctetstring(nullptr, 0, 0), 0u);
    EXPECT_EQ(ut_mblk2beroctetstring(payload, 2, 5, out), out);
    EXPECT_NE(captured().find("suspicious-looking mblk (S:2 U:5"), std::string::npos);
}

TEST_F(UtDiag, BitStringRoundTripAndRefusals)
{
    const uint8_t payload[] = { 0xAA, 0xBB };
    uint8_t out[8];
    ASSERT_EQ(ut_sizeof_mblk2berbitstring(payload, 2, 2), 5u);
    uint8_t* end = ut_mblk2berbitstring(payload, 2, 2, out);
    EXPECT_EQ(std::vector<uint8_t>(out, end), bytes({ 0x03, 0x03, 0x00, 0xAA, 0xBB }));
    mblk b {};
    EXPECT_EQ(ut_berbitstring2mblk(out, end, &b), end);
    EXPECT_EQ(b.used, 2u);
    EXPECT_EQ(b.data[1], 0xBB);
    ut_free_mblk(UT_HERE, &b);

    auto partial = bytes({ 0x03, 0x02, 0x04, 0xF0 });
    EXPECT_EQ(ut_berbitstring2mblk(partial.data(), partial.data() + partial.size(), &b), nullptr);
    EXPECT_EQ(ut_last_error(), UT_ERR_BITSTRING_UNUSED);
    auto empty = bytes({ 0x03, 0x00 });
    EXPECT_EQ(ut_berbitstring2mblk(empty.data(), empty.data() + empty.size(), &b), nullptr);
}

TEST_F(UtDiag, MblkEnsureGrowsAndReportsFailure)
{
    mblk b {};
    ASSERT_EQ(ut_new_mblk(UT_HERE, &b, 4), 0);
    b.data[0] = 9;
    b.used = 1;
    ASSERT_EQ(ut_ensure_mblk(UT_HERE, &b, 100), 0);
    EXPECT_EQ(b.size, 100u);
    EXPECT_EQ(b.data[0], 9);
    ut_mem_fail_after(0);
    EXPECT_EQ(ut_ensure_mblk(UT_HERE, &b, 200), -1);
    ut_mem_fail_after(-1);
    EXPECT_EQ(ut_last_error(), UT_ERR_NO_MEMORY);
    EXPECT_EQ(b.size, 100u);
    ut_free_mblk(UT_HERE, &b);

    // An output chain is released node by node.
    int before = ut_mem_held();
    ut_chain* head = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* node = static_cast<ut_chain*>(ut_alloc(UT_HERE, sizeof(ut_chain)));
        node->data = static_cast<uint8_t*>(ut_alloc(UT_HERE, 8));
        node->len = 8;
        node->next = head;
        head = node;
    }
    ut_free_chain(UT_HERE, head);
    EXPECT_EQ(ut_mem_held(), before);
}
