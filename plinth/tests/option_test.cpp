#include "plinth/option.h"

#include <getopt.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "../src/option_state.h"

namespace {

struct Step {
    int result;
    const char* argument; // null: none
    int index;
};

struct Case {
    const char* letters;
    std::vector<const char*> words;
    std::vector<Step> steps; // the last one is the -1
};

std::vector<char*> argv(const std::vector<const char*>& words)
{
    std::vector<char*> v;
    for (const char* w : words)
        v.push_back(const_cast<char*>(w));
    v.push_back(nullptr);
    return v;
}

// Cases that the traditional getopt and this scanner answer alike.
const Case kShared[] = {
    { "ab:c::", { "prog", "-ab", "x", "-cfoo", "file" },
        { { 'a', nullptr, 1 }, { 'b', "x", 3 }, { 'c', "foo", 4 }, { -1, nullptr, 4 } } },
    { "a", { "prog", "-x", "-a" }, { { '?', nullptr, 2 }, { 'a', nullptr, 3 }, { -1, nullptr, 3 } } },
    { ":b:", { "prog", "-b" }, { { ':', nullptr, 2 }, { -1, nullptr, 2 } } },
    { "b:", { "prog", "-b" }, { { '?', nullptr, 2 }, { -1, nullptr, 2 } } },
    { "a", { "prog", "--", "-a" }, { { -1, nullptr, 2 } } },
    { "ab", { "prog", "-ba", "-a", "rest", "-b" },
        { { 'b', nullptr, 1 }, { 'a', nullptr, 2 }, { 'a', nullptr, 3 }, { -1, nullptr, 3 } } },
    { "c::", { "prog", "-c", "word" }, { { 'c', nullptr, 2 }, { -1, nullptr, 2 } } },
    { "a:", { "prog", "-a", "-b", "x" }, { { 'a', "-b", 3 }, { -1, nullptr, 3 } } },
    { "a:b", { "prog", "-ba1", "-a", "--" },
        { { 'b', nullptr, 1 }, { 'a', "1", 2 }, { 'a', "--", 4 }, { -1, nullptr, 4 } } },
    { "a", { "prog", "-:" }, { { '?', nullptr, 2 }, { -1, nullptr, 2 } } },
    { "a", { "prog" }, { { -1, nullptr, 1 } } },
    { "a", { "prog", "plain", "-a" }, { { -1, nullptr, 1 } } },
};

TEST(Option, ScannerCases)
{
    for (const Case& c : kShared) {
        plinth::OptionReset();
        std::vector<char*> v = argv(c.words);
        const int count = static_cast<int>(c.words.size());
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            SCOPED_TRACE(std::string(c.letters) + " step " + std::to_string(i));
            EXPECT_EQ(OptionGet(count, v.data(), c.letters), s.result);
            if (s.result != -1) {
                if (s.argument == nullptr)
                    EXPECT_EQ(OptionArg(), nullptr);
                else
                    EXPECT_STREQ(OptionArg(), s.argument);
            }
            EXPECT_EQ(OptionIndex(), s.index);
        }
    }
}

TEST(Option, AgreesWithGlibcGetopt)
{
    opterr = 0;
    for (const Case& c : kShared) {
        plinth::OptionReset();
        optind = 0; // a full new scan of glibc's getopt
        std::vector<char*> mine = argv(c.words);
        std::vector<char*> theirs = argv(c.words);
        const int count = static_cast<int>(c.words.size());
        // "+" keeps glibc from permuting the words: stop at the first operand.
        const std::string posix = std::string("+") + c.letters;
        for (int i = 0; i < 10; ++i) {
            SCOPED_TRACE(std::string(c.letters) + " call " + std::to_string(i));
            const int expected = getopt(count, theirs.data(), posix.c_str());
            EXPECT_EQ(OptionGet(count, mine.data(), c.letters), expected);
            EXPECT_EQ(OptionIndex(), optind);
            if (expected == -1)
                break;
            EXPECT_EQ(OptionChar(), expected == '?' || expected == ':' ? optopt : expected);
            if (optarg == nullptr)
                EXPECT_EQ(OptionArg(), nullptr);
            else
                EXPECT_STREQ(OptionArg(), optarg);
        }
    }
}

TEST(Option, LoneDashIsSteppedOver)
{
    // The traditional getopt leaves the index on a lone "-"; this scanner steps past it.
    plinth::OptionReset();
    std::vector<const char*> words = { "prog", "-", "-a" };
    std::vector<char*> v = argv(words);
    EXPECT_EQ(OptionGet(3, v.data(), "a"), -1);
    EXPECT_EQ(OptionIndex(), 2);
    EXPECT_EQ(OptionGet(3, nullptr, "a"), -1);
    plinth::OptionReset();
}

} // namespace
