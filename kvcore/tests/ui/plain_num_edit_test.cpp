// The plain numeric fields: what each lets through, the multiplier letters, the sign, the
// checks dialogs call, and the window that forwards keys to them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "fw/ui/text.h"
#include "kvcore/dialogs/plain_num_edit.h"
#include "kvcore/ui/plain_num_edit_widget.h"
#include "support/locale_support.h"

namespace {

// Decimal comma; hundred, thousand and million as 'h', 't' and 'm'.
fw::LocaleInfo CommaLocale()
{
    fw::LocaleInfo info = fw::englishLocale();
    info.decimalSep = ",";
    info.thousandSep = " ";
    info.hundred = 'h';
    info.thousand = 't';
    info.million = 'm';
    return info;
}

struct Typed {
    std::string text;
    int caret;
    int beeps;
};

// Starts from text with the caret at caret (-1: the end), types keys.
template <class Field> Typed Type(Field& field, const std::string& text, int caret, const std::string& keys)
{
    int beeps = 0;
    field.m_onBeep = [&] { ++beeps; };
    field.SetWindowText(text);
    field.SetSel(caret < 0 ? static_cast<int>(text.size()) : caret, caret < 0 ? static_cast<int>(text.size()) : caret);
    for (char ch : keys) {
        field.AfterKey(); // the key down, then the character it types
        field.OnChar(ch);
        field.AfterKey();
    }
    field.m_onBeep = nullptr;
    return { field.Text(), field.SelEnd(), beeps };
}

struct Case {
    std::string text;
    int caret;
    std::string keys;
    std::string expected;
    int beeps;
    int limit = 0;
};

void ExpectTyped(const Case& c, const Typed& typed)
{
    EXPECT_EQ(typed.text, c.expected) << "'" << c.text << "' + '" << c.keys << "'";
    EXPECT_EQ(typed.beeps, c.beeps) << "'" << c.text << "' + '" << c.keys << "'";
}

TEST(PlainNumEdit, WholeNumbers)
{
    kvtest::IntlScope intl(CommaLocale());
    const Case cases[] = {
        { "", 0, "12a3", "123", 1 },
        { "12", -1, "\b\b\b", "", 0 },
        { "7", -1, "k", "7", 1 }, // 'k' is no thousand letter here
        { "123", -1, "t", "123", 1, 5 }, // would pass the limit
        { "123", -1, "H", "12300", 0, 5 },
        { "5", 0, "m", "5000000", 0 },
        { "1234", -1, "5", "1234", 1, 4 }, // the limit holds typing too
    };
    for (const Case& c : cases) {
        CNumEdit field;
        if (c.limit)
            field.LimitText(c.limit);
        const Typed typed = Type(field, c.text, c.caret, c.keys);
        ExpectTyped(c, typed);
        if (c.keys == "H") {
            EXPECT_EQ(typed.caret, 5); // at the end after the zeros
        }
    }

    const Case signedCases[] = {
        { "42", 1, "-", "-42", 0 }, // anywhere in the text
        { "42", 1, "--", "42", 0 },
        { "-4", -1, "x", "-4", 1 },
    };
    for (const Case& c : signedCases) {
        CSignNumEdit field;
        ExpectTyped(c, Type(field, c.text, c.caret, c.keys));
    }

    // A digit typed in front of the sign goes after it.
    CSignNumEdit field;
    Type(field, "42", -1, "-");
    field.SetSel(0, 0);
    field.AfterKey();
    field.OnChar('7');
    EXPECT_EQ(field.Text(), "-742");
}

TEST(PlainNumEdit, DecimalNumbers)
{
    kvtest::IntlScope intl(CommaLocale());
    const Case cases[] = {
        { "1,25", -1, "3", "1,25", 0 }, // all decimals there
        { "1,25", 1, "3", "13,25", 0 }, // before the separator
        { "1,2", -1, "5", "1,25", 0 },
        { "7,5", 1, "h", "700,5", 0 },
        { "12", -1, "t", "12000", 0 },
        { "1,5", -1, ",", "1,5", 1 }, // a second separator
        { "12345", 1, ",", "12345", 1 }, // would leave four decimals
        { "12345", 3, ",", "123,45", 0 },
        { "1a,5", -1, "\b", "1a,", 0 }, // a broken text still takes Backspace
        { "1a,5", -1, "3", "1a,5", 0 }, // but nothing else
    };
    for (const Case& c : cases) {
        CDecEdit field;
        ExpectTyped(c, Type(field, c.text, c.caret, c.keys));
    }

    // Above the maximum the keystroke is undone, selection and all.
    CDecEdit bounded;
    bounded.SetMaxVal(100);
    ExpectTyped({ "99", -1, "9", "99", 0 }, Type(bounded, "99", -1, "9"));
    EXPECT_EQ(bounded.SelEnd(), 2);
    ExpectTyped({ "99", -1, ",5", "99,5", 0 }, Type(bounded, "99", -1, ",5"));
    ExpectTyped({ "10", -1, "h", "10", 0 }, Type(bounded, "10", -1, "h"));

    const Case signedCases[] = {
        { "1,5", -1, "-", "-1,5", 0 },
        { "-1,5", -1, "-", "1,5", 0 },
        { "-1,25", -1, "7", "-1,25", 0 },
        { "-1", -1, "h", "-100", 0 },
    };
    for (const Case& c : signedCases) {
        CSignDecEdit field;
        ExpectTyped(c, Type(field, c.text, c.caret, c.keys));
    }
}

TEST(PlainNumEdit, ChecksDialogsCall)
{
    kvtest::IntlScope intl(CommaLocale());
    struct Check {
        std::string text;
        bool valid;
        bool zero;
    };
    const Check whole[] = { { "", true, true }, { "000", true, true }, { "010", true, false }, { "1-2", false, false } };
    for (const Check& c : whole) {
        CNumEdit field;
        field.SetWindowText(c.text);
        EXPECT_EQ(field.CheckValue(), c.valid) << c.text;
        EXPECT_EQ(field.IsZeroValue(), c.zero) << c.text;
    }
    const Check signedWhole[] = { { "-0", true, true }, { "-12", true, false }, { "1-2", false, false } };
    for (const Check& c : signedWhole) {
        CSignNumEdit field;
        field.SetWindowText(c.text);
        EXPECT_EQ(field.CheckValue(false), c.valid) << c.text;
        EXPECT_EQ(field.IsZeroValue(), c.zero) << c.text;
    }
    const Check decimal[] = { { "", true, true }, { "0,00", true, true }, { "0,01", true, false },
        { "1,2,3", false, false }, { "1,234", false, false } };
    for (const Check& c : decimal) {
        CDecEdit field;
        field.SetWindowText(c.text);
        EXPECT_EQ(field.CheckValue(false), c.valid) << c.text;
        EXPECT_EQ(field.IsZeroValue(), c.zero) << c.text;
    }

    // Correcting keeps the first separator and the allowed decimals.
    CDecEdit field;
    field.SetWindowText("1,2,3");
    EXPECT_FALSE(field.CheckValue(true));
    EXPECT_EQ(field.Text(), "1,23");
    EXPECT_TRUE(field.HasSeparator());
    CSignDecEdit signedField;
    signedField.SetWindowText("-0,00");
    EXPECT_TRUE(signedField.IsZeroValue());
    EXPECT_TRUE(signedField.IsNegValue());
}

TEST(PlainNumEdit, TheWindowTypesThroughTheField)
{
    kvtest::IntlScope intl(CommaLocale());
    CSignNumEdit field;
    KvPlainNumEditWidget edit(field);
    const auto press = [&](int key, const QString& text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&edit, &event);
    };
    press(Qt::Key_4, "4");
    press(Qt::Key_2, "2");
    press(Qt::Key_X, "x");
    press(Qt::Key_H, "h");
    EXPECT_EQ(edit.text().toStdString(), "4200");
    press(Qt::Key_Home, "");
    press(Qt::Key_Minus, "-");
    EXPECT_EQ(edit.text().toStdString(), "-4200");
    EXPECT_TRUE(field.Negative());
    // The sign deleted directly: the field follows.
    press(Qt::Key_Home, "");
    press(Qt::Key_Delete, "");
    EXPECT_EQ(edit.text().toStdString(), "4200");
    EXPECT_FALSE(field.Negative());
    // Text set by code reaches the field.
    edit.setText(QStringLiteral("17"));
    EXPECT_EQ(field.Text(), "17");
}

} // namespace
