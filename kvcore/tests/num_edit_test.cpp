// Keystroke scripts on the numeric edits: each case builds a control under a locale,
// plays keys and checks the shown text (with '|' marking the caret), the value and
// the blank state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kvcore/controls/num_edit.h"
#include "kvcore/controls/num_exchange.h"
#include "support/locale_support.h"

namespace {

enum class Kind { Int, SignInt, Dbl, SignDbl };
enum class Loc { Point, Comma };

std::unique_ptr<CBaseNumEdit> MakeEdit(Kind kind)
{
    switch (kind) {
    case Kind::Int:
        return std::make_unique<CIntEdit>();
    case Kind::SignInt:
        return std::make_unique<CSignIntEdit>();
    case Kind::Dbl:
        return std::make_unique<CDblEdit>();
    case Kind::SignDbl:
        return std::make_unique<CSignDblEdit>();
    }
    return nullptr;
}

fw::LocaleInfo LocaleOf(Loc loc)
{
    return loc == Loc::Point ? kvtest::EnglishIntl() : kvtest::HungarianIntl();
}

// Plays a script: plain characters are typed; [bs] [del] [left] [right] [home] [end]
// [ins] [all] are keys; [sel a b] selects from a to b.
void Play(CBaseNumEdit& edit, const std::string& script)
{
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] != '[') {
            edit.PressKey(KvCharKey(script[i]));
            continue;
        }
        const size_t end = script.find(']', i);
        const std::string token = script.substr(i + 1, end - i - 1);
        i = end;
        static const std::pair<const char*, KvKeyEvent> keys[] = {
            { "bs", { kVkBack, '\b' } },
            { "del", { kVkDelete, 0 } },
            { "left", { kVkLeft, 0 } },
            { "right", { kVkRight, 0 } },
            { "home", { kVkHome, 0 } },
            { "end", { kVkEnd, 0 } },
            { "ins", { kVkInsert, 0 } },
        };
        const auto key
            = std::find_if(std::begin(keys), std::end(keys), [&](const auto& k) { return token == k.first; });
        if (key != std::end(keys))
            edit.PressKey(key->second);
        else if (token == "all")
            edit.SetSelAll();
        else if (token.rfind("sel ", 0) == 0) {
            int a = 0, b = 0;
            ASSERT_EQ(std::sscanf(token.c_str(), "sel %d %d", &a, &b), 2) << token;
            edit.SetSel(a, b);
        } else
            FAIL() << "unknown token " << token;
    }
}

std::string Shown(const CBaseNumEdit& edit)
{
    std::string text = edit.Text();
    text.insert(static_cast<size_t>(std::clamp(edit.Caret(), 0, static_cast<int>(text.size()))), 1, '|');
    return text;
}

struct Script {
    const char* name;
    Kind kind;
    Loc loc;
    double start; // NAN: the field starts blank (allow blank, Clear)
    const char* keys;
    const char* shown;
    double value;
    bool blank = false;
    int maxDigits = 0;
    double max = NAN;
    int textLimit = 0;
};

const Script kScripts[] = {
    // Bounds of the whole-number edits: a digit past the bound rolls back.
    { "uint max", Kind::Int, Loc::Point, 0, "42949672955", "4,294,967,295|", 4294967295.0 },
    { "int min", Kind::SignInt, Loc::Point, 0, "-21474836489", "-2,147,483,648|", -2147483648.0 },
    { "int max", Kind::SignInt, Loc::Point, 0, "21474836479", "2,147,483,647|", 2147483647.0 },
    { "uint refuses a sign", Kind::Int, Loc::Point, 5, "-", "5|", 5 },
    { "set maximum", Kind::Int, Loc::Point, 0, "150", "15|", 15, false, 0, 100 },
    // Digit and length limits.
    { "sixth digit", Kind::Dbl, Loc::Point, 0, "1234", "123|.00", 123, false, 5 },
    { "sixth digit int", Kind::Int, Loc::Point, 0, "123456", "12,345|", 12345, false, 5 },
    { "text limit", Kind::Int, Loc::Point, 0, "12345", "1,234|", 1234, false, 0, NAN, 4 },
    // Caret over thousands separators as they come and go.
    { "separator appears", Kind::Dbl, Loc::Point, 0, "12345", "12,345|.00", 12345 },
    { "insert in the middle", Kind::Int, Loc::Point, 123, "[home][right]4", "1,4|23", 1423 },
    { "backspace in the middle", Kind::Dbl, Loc::Point, 12345, "[home][right][right][right][right][bs]",
        "1,2|45.00", 1245 },
    { "backspace over a separator", Kind::Dbl, Loc::Point, 1234, "[home][right][right][bs]", "|234.00", 234 },
    { "delete before a separator", Kind::Int, Loc::Point, 1234, "[home][right][del]", "1|34", 134 },
    { "blank groups", Kind::Dbl, Loc::Comma, 0, "1234,5", "1 234,5|0", 1234.5 },
    // Decimals keep their width.
    { "typing past the last decimal", Kind::Dbl, Loc::Point, 12.5, "[end]3", "12.50|", 12.5 },
    { "typing past the last decimal comma", Kind::Dbl, Loc::Comma, 12.5, "[end]3", "12,50|", 12.5 },
    { "separator moves into decimals", Kind::Dbl, Loc::Point, 1, ".25", "1.25|", 1.25 },
    { "delete at the separator", Kind::Dbl, Loc::Point, 12.34, "[home][right][right][del]", "12.0|4", 12.04 },
    { "backspace after the separator", Kind::Dbl, Loc::Point, 12.34, "[home][right][right][right][bs]",
        "12|.34", 12.34 },
    { "backspace after the separator signed", Kind::SignDbl, Loc::Point, 12.34,
        "[home][right][right][right][bs]", "12|.34", 12.34 },
    { "digit over selected decimals", Kind::Dbl, Loc::Point, 12.34, "[sel 3 5]7", "12.7|0", 12.7 },
    { "digit over a span across the separator", Kind::Dbl, Loc::Point, 12.34, "[sel 1 4]9", "19|.40", 19.4 },
    { "backspace over a span across the separator", Kind::Dbl, Loc::Point, 12.34, "[sel 1 4][bs]", "1|.40",
        1.4 },
    { "digit over everything", Kind::Dbl, Loc::Comma, 12.34, "[all]5", "5|,00", 5 },
    { "delete all but the last", Kind::Int, Loc::Point, 12345, "[sel 0 5][del]", "|5", 5 },
    // Leading zero and sign.
    { "leading zero replaced", Kind::Dbl, Loc::Point, 0, "[home]7", "7|.00", 7 },
    { "leading zero overwritten", Kind::Dbl, Loc::Point, 0, "[ins]7", "7|.00", 7 },
    { "minus over a selection", Kind::SignDbl, Loc::Point, 5, "[all]-", "-0|.00", 0 },
    { "minus then digits", Kind::SignDbl, Loc::Point, 5, "[all]-5", "-5|.00", -5 },
    { "zero keeps the decimal point", Kind::Dbl, Loc::Comma, 0, ",5", "0,5|0", 0.5 },
    { "comma on a point locale", Kind::Dbl, Loc::Point, 0, ",5", "5|.00", 5 },
    // Multiplier letters of each locale; 'k' is always a thousand.
    { "k", Kind::Dbl, Loc::Point, 12, "k", "12,000|.00", 12000 },
    { "t", Kind::Dbl, Loc::Point, 12, "t", "12,000|.00", 12000 },
    { "m", Kind::Dbl, Loc::Point, 12, "m", "12,000,000|.00", 12000000 },
    { "h", Kind::Int, Loc::Point, 12, "h", "1,200|", 1200 },
    { "hungarian s e m", Kind::Dbl, Loc::Comma, 12, "s", "1 200|,00", 1200 },
    { "hungarian e", Kind::Int, Loc::Comma, 12, "e", "12 000|", 12000 },
    { "hungarian k", Kind::Int, Loc::Comma, 12, "k", "12 000|", 12000 },
    { "hungarian h is no letter", Kind::Int, Loc::Comma, 12, "h", "12|", 12 },
    { "multiplier past the digits", Kind::Dbl, Loc::Point, 12, "k", "12|.00", 12, false, 5 },
    { "multiplier past the maximum", Kind::Int, Loc::Point, 12, "m", "12|", 12, false, 0, 1000000 },
    // Blank state.
    { "digit into blank", Kind::Dbl, Loc::Comma, NAN, "5", "5|,00", 5 },
    { "digit into blank point", Kind::Dbl, Loc::Point, NAN, "52", "52|.00", 52 },
    { "delete at 0 blanks", Kind::Dbl, Loc::Comma, 5, "[home][del]", "|", 0, true },
    { "delete at 0 keeps decimals", Kind::Dbl, Loc::Comma, 5.1, "[home][del]", "|0,10", 0.1 },
    { "backspace after one digit blanks", Kind::Dbl, Loc::Comma, 5, "[home][right][bs]", "|", 0, true },
    { "backspace on everything blanks", Kind::Int, Loc::Point, 1234, "[all][bs]", "|", 0, true },
    { "blank then digits", Kind::Int, Loc::Point, 77, "[all][bs]12", "12|", 12 },
};

class NumEditScript : public ::testing::TestWithParam<Script> { };

TEST_P(NumEditScript, Plays)
{
    const Script& s = GetParam();
    kvtest::IntlScope intl(LocaleOf(s.loc));
    auto edit = MakeEdit(s.kind);
    const bool startBlank = std::isnan(s.start);
    const bool allowBlank = startBlank || s.blank || std::string(s.name).find("blank") != std::string::npos;
    ASSERT_TRUE(edit->Initialize("", allowBlank));
    if (s.maxDigits)
        edit->SetMaxDigits(s.maxDigits);
    if (!std::isnan(s.max))
        edit->SetMax(s.max);
    if (s.textLimit)
        edit->LimitText(s.textLimit);
    if (startBlank)
        edit->Clear();
    else
        edit->SetValue(s.start);
    Play(*edit, s.keys);
    EXPECT_EQ(Shown(*edit), s.shown);
    EXPECT_DOUBLE_EQ(edit->Value(), s.value);
    EXPECT_EQ(edit->IsBlank(), s.blank);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, NumEditScript, ::testing::ValuesIn(kScripts), [](const ::testing::TestParamInfo<Script>& info) {
        std::string name;
        for (const char* p = info.param.name; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

} // namespace
