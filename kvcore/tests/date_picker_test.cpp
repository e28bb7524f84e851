// The date and time fields: start values from the trading clock, limits, the
// half-filled state and the wire forms.
#include <gtest/gtest.h>

#include "fw/core/clock.h"
#include "support/clock_support.h"
#include "kvcore/controls/currency_edit.h"
#include "kvcore/controls/date_picker.h"

namespace {

class DatePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The trading system runs an hour ahead of the PC.
        CDateTime::AdjustKvTime(CDateTime(2026, 12, 10, 14, 30, 5) + 3600);
    }
    void TearDown() override { CDateTime::ResetKvTime(); }
    fw::ManualClock m_clock { 0, kvtest::LocalMoment(2026, 12, 10, 14, 30, 5) };
    fw::ClockScope m_clockScope { m_clock };
    using P = CKvSECDateTimeCtrl;
};

TEST_F(DatePickerTest, DateFieldStartsAtTheTradingDateAndRefusesEarlierDays)
{
    CKvSECDateTimeCtrl date;
    date.AttachDateCtrl();
    EXPECT_EQ(date.FormatDateVORL(), "20261210");
    EXPECT_EQ(date.FormatTimeVORL(), "235959");
    EXPECT_EQ(date.MinTime(), CDateTime(2026, 12, 10, 15, 30, 5));
    EXPECT_EQ(date.MaxTime(), CDateTime::GetMaxTime());
    EXPECT_EQ(date.IsInvalid(), 0);

    EXPECT_FALSE(date.SetDateTime(CDateTime(2026, 12, 9, 23, 59, 59)));
    EXPECT_FALSE(date.SetPart(P::Day, 9));
    EXPECT_FALSE(date.SetPart(P::Year, 2025));
    EXPECT_FALSE(date.SetDateTime(CDateTime()));
    EXPECT_EQ(date.FormatDateVORL(), "20261210");
    EXPECT_TRUE(date.SetPart(P::Day, 31));
    EXPECT_FALSE(date.SetPart(P::Month, 1)); // 31 January 2026 lies in the past
    EXPECT_TRUE(date.SetPart(P::Year, 2027));
    EXPECT_TRUE(date.SetPart(P::Month, 1));
    EXPECT_EQ(date.FormatDateVORL(), "20270131");
    EXPECT_FALSE(date.SetPart(P::Month, 2)); // no 31 February
    EXPECT_FALSE(date.SetPart(P::Month, 13));
    EXPECT_FALSE(date.SetPart(P::Day, 0));
    EXPECT_EQ(date.FormatDateVORL(), "20270131");
}

TEST_F(DatePickerTest, HalfFilledDateOrTimeIsInvalidAndHasNoWireDate)
{
    CKvSECDateTimeCtrl date;
    date.AttachDateCtrl();
    date.SetActivePart(P::Month);
    date.OnKeyUp(kVkDelete); // Delete empties the part the user is on
    EXPECT_EQ(date.GetPart(P::Month), -1);
    EXPECT_EQ(date.IsInvalid(), -1);
    EXPECT_EQ(date.FormatDateVORL(), "");
    date.ClearPart(P::Day);
    EXPECT_EQ(date.IsInvalid(), -1);
    date.ClearPart(P::Year);
    EXPECT_EQ(date.IsInvalid(), 0); // an empty date is acceptable, but has no value
    EXPECT_EQ(date.FormatDateVORL(), "");
    EXPECT_TRUE(date.SetPart(P::Month, 5)); // incomplete groups are not checked against the limits
    EXPECT_TRUE(date.SetPart(P::Day, 20));
    EXPECT_EQ(date.IsInvalid(), -1);
    EXPECT_FALSE(date.SetPart(P::Year, 2026)); // completes to a day in the past
    EXPECT_TRUE(date.SetPart(P::Year, 2027));
    EXPECT_EQ(date.IsInvalid(), 0);
    EXPECT_EQ(date.FormatDateVORL(), "20270520");
    date.OnKeyUp(kVkBack);
    EXPECT_EQ(date.FormatDateVORL(), "20270520");
}

TEST_F(DatePickerTest, TimeFieldStartsAtTheTradingTimeWithoutLimits)
{
    CKvSECDateTimeCtrl time;
    time.AttachTimeCtrl();
    EXPECT_EQ(time.FormatTimeVORL(), "153005");
    EXPECT_FALSE(time.MinTime());
    EXPECT_TRUE(time.SetPart(P::Hour, 3)); // earlier than now is fine for a time
    EXPECT_TRUE(time.SetDateTime(CDateTime(1990, 1, 1, 9, 5, 0)));
    EXPECT_EQ(time.FormatTimeVORL(), "090500");
    EXPECT_FALSE(time.SetPart(P::Minute, 60));
    EXPECT_FALSE(time.SetPart(P::Hour, 24));
    time.ClearPart(P::Second);
    EXPECT_EQ(time.IsInvalid(), -1);
    EXPECT_EQ(time.FormatTimeVORL(), "");
    time.ClearPart(P::Hour);
    time.ClearPart(P::Minute);
    EXPECT_EQ(time.IsInvalid(), 0);
    EXPECT_TRUE(time.SetPart(P::Hour, 0));
    EXPECT_TRUE(time.SetPart(P::Minute, 0));
    EXPECT_TRUE(time.SetPart(P::Second, 0));
    EXPECT_EQ(time.FormatTimeVORL(), "000000");
}

} // namespace
