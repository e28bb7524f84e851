// The numeric edits as dialogs see them: plain texts, data exchange, notifications,
// the per-control comma flag and the calculator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kvcore/controls/num_edit.h"
#include "kvcore/controls/num_exchange.h"
#include "support/locale_support.h"

namespace {

TEST(NumEditText, PlainTextFollowsTheLocaleAndTheBlankState)
{
    struct Case {
        fw::LocaleInfo locale;
        double value;
        const char* dbl; // CDblEdit with 2 decimals
        const char* uint;
        const char* sint;
    } const cases[] = {
        { kvtest::HungarianIntl(), 3.5, "3,50", "3", "3" },
        { kvtest::EnglishIntl(), 3.5, "3.50", "3", "3" },
        { kvtest::EnglishIntl(), 1234567.891, "1234567.89", "1234567", "1234567" },
    };
    for (const auto& c : cases) {
        kvtest::IntlScope intl(c.locale);
        CDblEdit dbl;
        CIntEdit uint;
        CSignIntEdit sint;
        for (CBaseNumEdit* e : std::vector<CBaseNumEdit*> { &dbl, &uint, &sint }) {
            ASSERT_TRUE(ExchangeNumControl(*e, "", true));
            e->SetValue(c.value);
        }
        EXPECT_EQ(dbl.GetUnFormatedString(), c.dbl);
        EXPECT_EQ(uint.GetUnFormatedString(), c.uint);
        EXPECT_EQ(sint.GetUnFormatedString(), c.sint);
        dbl.Clear();
        EXPECT_EQ(dbl.GetUnFormatedString(), "");
    }
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    CSignIntEdit sint;
    sint.SetValue(-42.9);
    EXPECT_EQ(sint.GetUnFormatedString(), "-42");
    EXPECT_EQ(sint.GetValue(), -42);
}

TEST(NumEditExchange, BlankFieldsSaveAsEmptyTextOrZero)
{
    kvtest::IntlScope intl(kvtest::HungarianIntl());
    CDblEdit amount;
    CIntEdit count;
    ASSERT_TRUE(ExchangeNumControl(amount, "", true));
    ASSERT_TRUE(ExchangeNumControl(count, "", true));
    EXPECT_FALSE(amount.IsBlank()); // attached controls start filled

    std::string text = "12,5";
    double number = 0;
    uint32_t whole = 7;
    ExchangeNumValue(false, amount, text);
    EXPECT_DOUBLE_EQ(amount.Value(), 12.5);
    ExchangeNumValue(false, count, whole);
    EXPECT_EQ(count.Text(), "7");

    amount.Clear();
    count.Clear();
    ExchangeNumValue(true, amount, text);
    ExchangeNumValue(true, amount, number);
    ExchangeNumValue(true, count, whole);
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0);
    EXPECT_EQ(whole, 0u);

    // A field that may not be blank shows 0 after Clear and saves "0,00".
    CDblEdit required;
    ASSERT_TRUE(ExchangeNumControl(required, "", false));
    required.Clear();
    EXPECT_FALSE(required.IsBlank());
    ExchangeNumValue(true, required, text);
    EXPECT_EQ(text, "0,00");
}

TEST(NumEditExchange, TextLoadsReadTheControlsOwnSeparatorAndThePoint)
{
    kvtest::ForEachProcessLocale([](const std::string& loc) {
        kvtest::IntlScope intl(kvtest::HungarianIntl());
        CDblEdit edit;
        ASSERT_TRUE(ExchangeNumControl(edit, "", false));
        for (const char* text : { "3,50", "3.50", " 3,5xyz" }) {
            std::string value = text;
            ExchangeNumValue(false, edit, value);
            EXPECT_DOUBLE_EQ(edit.Value(), 3.5) << text << " " << loc;
            ExchangeNumValue(true, edit, value);
            EXPECT_EQ(value, "3,50") << loc;
        }
        EXPECT_DOUBLE_EQ(ReadLeadingNumber("-.25", ','), -0.25);
        EXPECT_DOUBLE_EQ(ReadLeadingNumber("abc", ','), 0);
        EXPECT_DOUBLE_EQ(ReadLeadingNumber("1e999", ','), 1);
    });
}

TEST(NumEditExchange, OutOfBoundValuesNeverReachTheDialog)
{
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    CIntEdit edit;
    ASSERT_TRUE(ExchangeNumControl(edit, "", false));
    edit.SetMax(100);
    edit.SetMin(10);
    int32_t value = 50;
    ExchangeNumValue(false, edit, value);
    value = 500; // loading a value past the bound keeps the last accepted one
    ExchangeNumValue(false, edit, value);
    ExchangeNumValue(true, edit, value);
    EXPECT_EQ(value, 50);
    edit.TypeText("0"); // 500
    ExchangeNumValue(true, edit, value);
    EXPECT_EQ(value, 50);
    EXPECT_EQ(edit.Text(), "50");

    CDblEdit price;
    ASSERT_TRUE(ExchangeNumControl(price, "", false));
    price.SetMaxDigits(4);
    price.SetValue(12.34);
    double number = 0;
    price.PressKey(KvCharKey('k')); // 12340.00 has too many digits
    ExchangeNumValue(true, price, number);
    EXPECT_DOUBLE_EQ(number, 12.34);
}

TEST(NumEditNotify, EveryKeyAndEveryDirtyFocusLossReachTheParent)
{
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    CSignDblEdit edit;
    std::vector<int> codes;
    edit.SetNotify([&](int code) { codes.push_back(code); });
    ASSERT_TRUE(edit.Initialize("", false));
    edit.TypeText("12");
    edit.PressKey(KvKeyEvent { kVkLeft, 0 });
    edit.PressKey(KvKeyEvent { 'C', 'c', true }); // Ctrl+C still counts as a key
    EXPECT_EQ(codes, (std::vector<int> { kNotifyChange, kNotifyChange, kNotifyChange, kNotifyChange }));

    codes.clear();
    edit.OnKillFocus(); // the typed digits left the format dirty
    edit.OnKillFocus();
    EXPECT_EQ(codes, (std::vector<int> { kNotifyChange }));

    codes.clear();
    edit.SetValue(5);
    edit.OnKillFocus(); // a value set by the dialog is no edit of the user's
    EXPECT_TRUE(codes.empty());
}

TEST(NumEditNotify, DropButtonNotifiesThenOpensTheCalculator)
{
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    CDblEdit edit;
    std::vector<int> codes;
    edit.SetNotify([&](int code) {
        codes.push_back(code);
        EXPECT_EQ(edit.Calculator(), nullptr); // not open yet when the parent hears of it
    });
    ASSERT_TRUE(edit.Initialize("", true));
    edit.SetMax(100);
    edit.SetValue(12);
    edit.OnClicked();
    EXPECT_EQ(codes, (std::vector<int> { kNotifyDropButton }));
    ASSERT_NE(edit.Calculator(), nullptr);
    for (char k : std::string("*3="))
        EXPECT_TRUE(edit.Calculator()->Key(k));
    edit.CloseCalculator(true);
    EXPECT_DOUBLE_EQ(edit.Value(), 36);

    edit.OnClicked();
    for (char k : std::string("*10="))
        edit.Calculator()->Key(k);
    edit.CloseCalculator(true); // 360 is past the maximum
    EXPECT_DOUBLE_EQ(edit.Value(), 36);

    edit.OnClicked();
    for (char k : std::string("/0="))
        edit.Calculator()->Key(k);
    EXPECT_TRUE(edit.Calculator()->HasError());
    edit.CloseCalculator(true);
    EXPECT_DOUBLE_EQ(edit.Value(), 36);
}

TEST(NumEditComma, TheCommaFlagBelongsToOneControl)
{
    kvtest::IntlScope intl(kvtest::HungarianIntl());
    CDblEdit first;
    CDblEdit second;
    ASSERT_TRUE(first.Initialize("", false));
    ASSERT_TRUE(second.Initialize("", false));
    first.SetValue(0);
    second.SetValue(0);
    first.TypeText(","); // zero value: shows "0," and waits for the next '0'
    EXPECT_EQ(first.Text(), "0,00");
    EXPECT_EQ(first.Caret(), 2);
    second.TypeText("0"); // with a shared flag this would jump behind the comma
    EXPECT_EQ(second.Text(), "0,00");
    EXPECT_EQ(second.Caret(), 1);
}

TEST(NumEditPaste, PastedTextEndsTheBlankStateAndForeignTextIsRefused)
{
    kvtest::IntlScope intl(kvtest::EnglishIntl());
    CDblEdit edit;
    ASSERT_TRUE(edit.Initialize("", true));
    edit.Clear();
    edit.OnPaste("1,234.5");
    EXPECT_FALSE(edit.IsBlank());
    EXPECT_DOUBLE_EQ(edit.Value(), 1234.5);
    edit.SetSelAll();
    edit.OnPaste("abc");
    EXPECT_DOUBLE_EQ(edit.Value(), 1234.5);
    EXPECT_EQ(edit.Text(), "1,234.50");
}

// A price with a separator out of place, pasted or typed key by key, is refused and reported,
// never read without the separator (2774.50 taken as 277450 under a decimal comma). A typed
// key is refused where it can no longer end a thousands group; the message box then stops
// the typing, so the cases end there.
TEST(NumEditEntry, MisplacedGroupingMarksAreRefusedAndReported)
{
    fw::LocaleInfo dots = kvtest::HungarianIntl();
    dots.thousandSep = ".";
    const fw::LocaleInfo en = kvtest::EnglishIntl();
    const fw::LocaleInfo hu = kvtest::HungarianIntl();
    struct Case {
        fw::LocaleInfo intl;
        bool paste;
        const char* text;
        double value; // a refused paste leaves the field blank
        char refused;
    } const cases[] = {
        { en, true, "2774.50", 2774.5, 0 },
        { en, true, "2,774.50", 2774.5, 0 },
        { en, true, "2774,50", 0, ',' },
        { dots, true, "2774.50", 0, '.' },
        { dots, true, "2.774,50", 2774.5, 0 },
        { dots, true, "2774,5", 2774.5, 0 },
        { hu, true, "2774.50", 0, '.' },
        { hu, true, "2 774,50", 2774.5, 0 },
        { en, false, "2774.50", 2774.5, 0 },
        { en, false, "2,774.50", 2774.5, 0 },
        { en, false, "1,234,567.5", 1234567.5, 0 },
        { en, false, "2774,", 2774, ',' },
        { en, false, "0,", 0, ',' },
        { en, false, "2,77.", 277, ',' },
        { dots, false, "2774.", 2774, '.' },
        { dots, false, "2774,50", 2774.5, 0 },
        { dots, false, "2.774,50", 2774.5, 0 },
        { dots, false, "2.77,", 277, '.' },
        { dots, false, "27,5.", 27.5, '.' },
        { hu, false, "2774.", 2774, '.' },
        { hu, false, "2 774,5", 2774.5, 0 },
        // Where the typing ends (here the focus leaves), a last group short of three digits.
        { dots, false, "12.50", 1250, '.' },
        { en, false, "1,00", 100, ',' },
        { dots, false, "1.250", 1250, 0 },
    };
    for (const Case& c : cases) {
        kvtest::IntlScope intl(c.intl);
        CDblEdit edit;
        ASSERT_TRUE(edit.Initialize("", true));
        edit.Clear();
        std::vector<int> notes;
        edit.SetNotify([&notes](int code) { notes.push_back(code); });
        if (c.paste) {
            edit.OnPaste(c.text);
        } else {
            edit.TypeText(c.text);
            edit.OnKillFocus();
        }
        EXPECT_DOUBLE_EQ(edit.Value(), c.value) << c.text << " shows " << edit.Text();
        EXPECT_EQ(edit.RefusedMark(), c.refused) << c.text;
        EXPECT_EQ(std::count(notes.begin(), notes.end(), kNotifyRefused), c.refused != 0 ? 1 : 0) << c.text;
        if (c.paste) {
            EXPECT_EQ(edit.IsBlank(), c.refused != 0) << c.text;
        }
    }
}

} // namespace
