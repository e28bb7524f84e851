#include "plinth/lang.h"
#include "plinth/process.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../src/lang_format.h"
#include "scratch_dir.h"

namespace {

std::string sourceDir()
{
    const char* dir = std::getenv("KV_SOURCE_DIR");
    return dir ? std::string(dir) : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();
}

std::string binDir()
{
    if (const char* dir = std::getenv("KV_BIN_DIR"))
        return dir;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/'));
}

std::string dataFile(const char* name)
{
    return sourceDir() + "/plinth/tests/data/" + name;
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

struct LangCloser {
    void operator()(PlinthLang* l) const { LangClose(l); }
};
using LangPtr = std::unique_ptr<PlinthLang, LangCloser>;

// The golden files as the format defines them, written out by hand field by field from
// lang_golden.txt, so that the compiler is checked against the format and not against an
// earlier run of itself.
std::string handWrittenGoldenBinary()
{
    std::string bytes;
    auto u32 = [&](int64_t value) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
    };
    auto zeroTerminated = [&](const std::string& text) { bytes.append(text).push_back('\0'); };
    u32(2); // N: English and Hungarian, in the order they first appear
    u32(0); // "English" at 0
    u32(8); // "Hungarian" after "English\0"
    u32(18); // S1: 8 + 10
    zeroTerminated("English");
    zeroTerminated("Hungarian");
    u32(5); // M: the five entries
    // Cells row by row, English then Hungarian; every text is written in source order at:
    // "OK" 0, "Rendben" 3, "Csak magyar" 11, "first" 23, "second" 29, the two-line text 36.
    u32(0), u32(3); // MSG_OK
    u32(-1), u32(11); // MSG_ONLY_HU: no English text
    u32(29), u32(-1); // MSG_TWICE: the later English text wins, the earlier is still written
    u32(-1), u32(-1); // MSG_EMPTY
    u32(36), u32(-1); // MSG_MULTI
    u32(62); // S2: 36 + 25 + 1
    for (const char* text : { "OK", "Rendben", "Csak magyar", "first", "second", "two\nlines # not a comment" })
        zeroTerminated(text);
    return bytes;
}

const char* const kHandWrittenGoldenHeader = "/* This file was automatically generated - DO NOT EDIT */\n"
                                             "#define MSG_OK 0\n"
                                             "#define MSG_ONLY_HU 1\n"
                                             "#define MSG_TWICE 2\n"
                                             "#define MSG_EMPTY 3\n"
                                             "#define MSG_MULTI 4\n";

TEST(LangCompile, GoldenFilesAreTheFormatWrittenByHand)
{
    EXPECT_EQ(slurp(dataFile("lang_golden.bin")), handWrittenGoldenBinary());
    EXPECT_EQ(slurp(dataFile("lang_golden.h")), kHandWrittenGoldenHeader);
}

TEST(LangCompile, GoldenFileByteForByte)
{
    ScratchDir dir;
    const std::string bin = dir.file("out.bin");
    const std::string header = dir.file("out.h");
    int line = -7;
    ASSERT_EQ(LangCompileStrings(dataFile("lang_golden.txt").c_str(), bin.c_str(), header.c_str(), &line), LANG_OK);
    EXPECT_EQ(line, -7); // only a syntax error reports a line
    EXPECT_EQ(slurp(bin), slurp(dataFile("lang_golden.bin")));
    EXPECT_EQ(slurp(header), slurp(dataFile("lang_golden.h")));
}

TEST(LangCompile, CompilerProgramMatchesTheGoldenFileAndFailsCleanly)
{
    ScratchDir dir;
    const std::string compiler = binDir() + "/plinth_langc";
    const std::string bin = dir.file("vorl.msg");
    const std::string header = dir.file("vorlmsg.h");
    const std::string source = dataFile("lang_golden.txt");
    ProcessHandle ok = ProcessStart(compiler.c_str(), source.c_str(), bin.c_str(), header.c_str(), nullptr);
    ASSERT_NE(ok, nullptr) << compiler;
    ASSERT_EQ(ProcessWait(ok, PLINTH_WAIT_INFINITE), 1);
    int code = -1;
    EXPECT_EQ(ProcessExitCode(ok, &code), 1);
    ProcessClose(ok);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(slurp(bin), slurp(dataFile("lang_golden.bin")));

    const std::string bad = dir.write("bad.txt", "A { English | \"a\" }\nB { }\nC \"no brace\"\n");
    ProcessHandle fails = ProcessStart(compiler.c_str(), bad.c_str(), bin.c_str(), header.c_str(), nullptr);
    ASSERT_NE(fails, nullptr);
    ASSERT_EQ(ProcessWait(fails, PLINTH_WAIT_INFINITE), 1);
    EXPECT_EQ(ProcessExitCode(fails, &code), 1);
    ProcessClose(fails);
    EXPECT_EQ(code, LANG_ERR_OPEN_BRACE);
    EXPECT_FALSE(exists(bin)); // the earlier outputs are gone too, never stale
    EXPECT_FALSE(exists(header));
}

TEST(LangCompile, SyntaxErrorsGiveCodeAndLineAndNoOutputs)
{
    const struct {
        const char* source;
        int code;
        int line;
    } cases[] = {
        {"A { English | \"a\" }\nB { }\nC \"no brace\"\n", LANG_ERR_OPEN_BRACE, 3},
        {"A { }\n{ }\n", LANG_ERR_IDENTIFIER, 2},
        {"1abc { }", LANG_ERR_IDENTIFIER, 1},
        {"A\n\n", LANG_ERR_OPEN_BRACE, 1}, // reported on the identifier's line, not past the end
        {"A {\n English \"x\" }", LANG_ERR_BAR, 2},
        {"A { English | }", LANG_ERR_TEXT, 1},
        {"A { English | \"x\" | }", LANG_ERR_LANGUAGE, 1},
        {"A { \"x\" }", LANG_ERR_LANGUAGE, 1},
        {"A { English | \"x\"", LANG_ERR_LANGUAGE, 1},
        {"A { English | \"spans\n\nlines\" $ }", LANG_ERR_LANGUAGE, 3},
        {"A { En-glish | \"x\" }", LANG_ERR_BAR, 1},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        const std::string src = dir.write("src.txt", c.source);
        const std::string bin = dir.file("out.bin");
        const std::string header = dir.file("out.h");
        int line = 0;
        EXPECT_EQ(LangCompileStrings(src.c_str(), bin.c_str(), header.c_str(), &line), c.code) << c.source;
        EXPECT_EQ(line, c.line) << c.source;
        EXPECT_FALSE(exists(bin)) << c.source;
        EXPECT_FALSE(exists(header)) << c.source;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "stray temporaries";
        EXPECT_EQ(LangCompileStrings(src.c_str(), bin.c_str(), header.c_str(), nullptr), c.code);
    }
}

TEST(LangCompile, FilesThatCannotBeOpened)
{
    ScratchDir dir;
    const std::string src = dir.write("src.txt", "A { English | \"a\" }");
    const std::string bin = dir.file("out.bin");
    const std::string header = dir.file("out.h");
    EXPECT_EQ(LangCompileStrings(dir.file("missing.txt").c_str(), bin.c_str(), header.c_str(), nullptr), LANG_ERR_OPEN);
    EXPECT_EQ(LangCompileStrings(src.c_str(), dir.file("no/such/dir.bin").c_str(), header.c_str(), nullptr),
              LANG_ERR_OPEN);
    EXPECT_FALSE(exists(bin));
    EXPECT_FALSE(exists(header));
    EXPECT_EQ(LangCompileStrings(src.c_str(), bin.c_str(), dir.file("no/such/dir.h").c_str(), nullptr), LANG_ERR_OPEN);
    EXPECT_FALSE(exists(bin));
    // A failed compilation whose output is named like its source never costs the source.
    const std::string bad = dir.write("bad.txt", "A {");
    EXPECT_EQ(LangCompileStrings(bad.c_str(), bad.c_str(), header.c_str(), nullptr), LANG_ERR_LANGUAGE);
    EXPECT_EQ(slurp(bad), "A {");
    EXPECT_EQ(LangCompileStrings(nullptr, bin.c_str(), header.c_str(), nullptr), LANG_ERR_OPEN);
}

TEST(LangCompile, EmptySourceAndUnclosedQuote)
{
    ScratchDir dir;
    const std::string bin = dir.file("out.bin");
    const std::string header = dir.file("out.h");
    const std::string empty = dir.write("empty.txt", "  # nothing but a comment\n");
    ASSERT_EQ(LangCompileStrings(empty.c_str(), bin.c_str(), header.c_str(), nullptr), LANG_OK);
    EXPECT_EQ(slurp(bin), std::string(16, '\0')); // N, S1, M, S2
    EXPECT_EQ(slurp(header), "/* This file was automatically generated - DO NOT EDIT */\n");
    LangPtr lang(LangCreate(bin.c_str()));
    ASSERT_NE(lang, nullptr);
    EXPECT_EQ(LangLoadString(lang.get(), 0, 0), nullptr);
    EXPECT_EQ(LangLoadDefaultString(lang.get(), 0), nullptr);

    const std::string open = dir.write("open.txt", "A { English | \"runs to the end\n");
    ASSERT_EQ(LangCompileStrings(open.c_str(), bin.c_str(), header.c_str(), nullptr), LANG_ERR_LANGUAGE);
    const std::string whole = dir.write("whole.txt", "A { English | \"x\" }\nB { English | \"to the end");
    ASSERT_EQ(LangCompileStrings(whole.c_str(), bin.c_str(), header.c_str(), nullptr), LANG_ERR_LANGUAGE);
}

TEST(LangLoad, LookupsOnTheGoldenFile)
{
    LangPtr lang(LangCreate(dataFile("lang_golden.bin").c_str()));
    ASSERT_NE(lang, nullptr);
    EXPECT_EQ(LangGetId(lang.get(), "English"), 0);
    EXPECT_EQ(LangGetId(lang.get(), "Hungarian"), 1);
    EXPECT_EQ(LangGetId(lang.get(), "english"), -1); // case counts
    EXPECT_EQ(LangGetId(lang.get(), "German"), -1);
    EXPECT_EQ(LangGetId(lang.get(), nullptr), -1);

    const struct {
        unsigned column, row;
        const char* text; // null: no text
    } cells[] = {
        {0, 0, "OK"},        {1, 0, "Rendben"}, {0, 1, nullptr}, {1, 1, "Csak magyar"},
        {0, 2, "second"},    {1, 2, nullptr},   {0, 3, nullptr}, {1, 3, nullptr},
        {0, 4, "two\nlines # not a comment"},   {2, 0, nullptr}, {0, 5, nullptr},
        {0xFFFFFFFFu, 0, nullptr},              {0, 0xFFFFFFFFu, nullptr},
    };
    for (const auto& c : cells) {
        const char* got = LangLoadString(lang.get(), c.column, c.row);
        if (c.text)
            EXPECT_STREQ(got, c.text) << c.column << "," << c.row;
        else
            EXPECT_EQ(got, nullptr) << c.column << "," << c.row;
    }
    EXPECT_STREQ(LangLoadStringFromName(lang.get(), "Hungarian", 1), "Csak magyar");
    EXPECT_EQ(LangLoadStringFromName(lang.get(), "hungarian", 1), nullptr);
    EXPECT_EQ(LangLoadDefaultString(lang.get(), 1), nullptr); // only the second language
    EXPECT_STREQ(LangLoadDefaultString(lang.get(), 0), "OK");
    EXPECT_EQ(LangLoadString(nullptr, 0, 0), nullptr);
    EXPECT_EQ(LangClose(nullptr), 1);
}

std::string golden()
{
    return slurp(dataFile("lang_golden.bin"));
}

void putU32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool decodes(const std::string& bytes)
{
    return plinth::lang::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()).has_value();
}

TEST(LangLoad, CorruptFilesGiveNull)
{
    const std::string good = golden();
    ASSERT_EQ(good.size(), 144u);
    ASSERT_TRUE(decodes(good));
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(decodes(good.substr(0, cut))) << "cut at " << cut;
    EXPECT_TRUE(decodes(good + "trailing")); // bytes after the text area are not read

    // Offsets of the golden file's fields: N 0, names 4 and 8, S1 12, area 16..33, M 34,
    // cells 38..77, S2 78, texts 82..143.
    const struct {
        size_t at;
        uint32_t value;
        const char* what;
    } faults[] = {
        {0, 0xFFFFFFFFu, "language count beyond the file"},
        {0, 40, "language count beyond the file"},
        {8, 18, "name offset at the end of the area"},
        {8, 0x80000000u, "name offset far outside"},
        {12, 0xFFFFFFF0u, "name area beyond the file"},
        {12, 17, "name area not zero-terminated"},
        {34, 0x7FFFFFFFu, "row count beyond the file"},
        {34, 0x40000001u, "rows times languages wraps 32 bits"},
        {38, 62, "cell at the end of the text area"},
        {42, 0xFFFFFFFEu, "negative cell other than -1"},
        {78, 0xFFFFFFFFu, "text area beyond the file"},
        {78, 63, "text area one past the file"},
    };
    for (const auto& f : faults) {
        std::string bad = good;
        putU32(bad, f.at, f.value);
        EXPECT_FALSE(decodes(bad)) << f.what;
    }
    std::string unterminated = good;
    unterminated.back() = 'x';
    EXPECT_FALSE(decodes(unterminated));

    ScratchDir dir;
    const std::string shortFile = dir.write("short.bin", good.substr(0, 50));
    EXPECT_EQ(LangCreate(shortFile.c_str()), nullptr);
    EXPECT_EQ(LangCreate(dir.file("missing.bin").c_str()), nullptr);
    EXPECT_EQ(LangCreate(dir.path().c_str()), nullptr); // a folder is not a file
    EXPECT_EQ(LangCreate(nullptr), nullptr);
}

TEST(LangLoad, EveryByteFlipLoadsSafelyOrNotAtAll)
{
    const std::string good = golden();
    for (size_t at = 0; at < good.size(); ++at) {
        for (unsigned char value : {0x00, 0x7F, 0x80, 0xFF}) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(value);
            auto table = plinth::lang::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            if (!table)
                continue;
            // Whatever loads must answer every lookup within its own buffers.
            for (int32_t cell : table->cells) {
                if (cell != plinth::lang::kNoText) {
                    EXPECT_LT(std::strlen(table->texts.c_str() + cell) + cell, table->texts.size());
                }
            }
        }
    }
}

} // namespace
