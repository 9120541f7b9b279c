// Jet day numbers and calendar time.
#include "jetodbc/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace jetodbc;

namespace {
std::string Show(double days) {
    CivilTime t;
    if (!JetDaysToCivil(days, &t)) return "invalid";
    char s[40];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return s;
}
}  // namespace

TEST(DateTime, EpochTimeOnlyAndNegativeDays) {
    EXPECT_EQ(Show(0.0), "1899-12-30 00:00:00");
    EXPECT_EQ(Show(0.8125), "1899-12-30 19:30:00");  // a time-only value
    EXPECT_EQ(Show(-1.25), "1899-12-29 06:00:00");   // the fraction counts forward
    EXPECT_EQ(Show(45000.5), "2023-03-15 12:00:00");
    EXPECT_EQ(Show(60.0), "1900-02-28 00:00:00");  // no phantom 29 February 1900
}

TEST(DateTime, RoundsToTheNearestSecondAcrossMidnight) {
    EXPECT_EQ(Show(1.0 - 0.4 / 86400), "1899-12-31 00:00:00");
    EXPECT_EQ(Show(1.0 - 0.6 / 86400), "1899-12-30 23:59:59");
    EXPECT_EQ(Show(1.0 - 1.6 / 86400), "1899-12-30 23:59:58");
}

TEST(DateTime, RangeIsYear100To9999) {
    EXPECT_EQ(Show(-657434.0), "0100-01-01 00:00:00");
    EXPECT_EQ(Show(2958465.999988), "9999-12-31 23:59:59");
    EXPECT_EQ(Show(-657435.0), "invalid");
    EXPECT_EQ(Show(2958466.0), "invalid");
    EXPECT_EQ(Show(std::numeric_limits<double>::quiet_NaN()), "invalid");
    EXPECT_EQ(Show(1e300), "invalid");
}

TEST(DateTime, CivilToDaysInvertsTheConversion) {
    for (const CivilTime t : {CivilTime{2024, 2, 29, 23, 59, 59}, CivilTime{1899, 12, 29, 6, 0, 0},
                              CivilTime{100, 1, 1, 0, 0, 1}, CivilTime{9999, 12, 31, 12, 0, 0}}) {
        CivilTime back;
        ASSERT_TRUE(JetDaysToCivil(CivilToJetDays(t), &back));
        EXPECT_EQ(std::tie(back.year, back.month, back.day, back.hour, back.minute, back.second),
                  std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second));
    }
}

TEST(DateTime, ValidDates) {
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(2024, 13, 1));
    EXPECT_FALSE(IsValidDate(2024, 4, 31));
}
