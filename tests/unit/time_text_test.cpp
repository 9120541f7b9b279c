#include "run/time_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kDay = 86400;
constexpr uint32_t kLastFormulaDay = 36583;  // 2080-02-28, after which the formulas drift

// The original 1980-based formulas step by step: the oracle for the dates on
// which they agree with the Gregorian calendar.
uint32_t FormulaTimeToSeconds(const t_timetype& t) {
    const uint32_t h = static_cast<uint32_t>(t.hour), mi = static_cast<uint32_t>(t.minute),
                   s = static_cast<uint32_t>(t.second), d = static_cast<uint32_t>(t.day);
    if (t.year == 1980 && t.month < 3) {
        const uint32_t total = ((d * 24 + h) * 60 + mi) * 60 + s;
        return t.month == 1 ? total - 86400 : total + 2592000;
    }
    const uint32_t n = static_cast<uint16_t>(t.year - (t.month <= 2 ? 1 : 0) - 1980);
    const uint32_t c = n / 100, r = n % 100;
    const uint32_t m = static_cast<uint32_t>(t.month <= 2 ? t.month + 9 : t.month - 3);
    const uint32_t days = (153 * m + 2) / 5 + (146097 * c) / 4 + (1461 * r) / 4 + d + 59;
    return ((days * 24 + h) * 60 + mi) * 60 + s;
}

t_timetype FormulaSecondsToTime(uint32_t seconds) {
    const uint32_t days = seconds / 86400, rest = seconds % 86400;
    t_timetype t{static_cast<int8_t>(rest / 3600),
                 static_cast<int8_t>(rest % 3600 / 60),
                 static_cast<int8_t>(rest % 60),
                 0,
                 0,
                 1980,
                 static_cast<int32_t>((days + 2) % 7)};
    if (days <= 59) {
        t.month = static_cast<int8_t>(days <= 30 ? 1 : 2);
        t.day = static_cast<int8_t>(days <= 30 ? days + 1 : days - 30);
        return t;
    }
    const uint32_t a = 4 * days - 237, c = a / 146097, b = (a % 146097 & ~3u) + 3;
    const uint32_t r = b / 1461, e = (b % 1461 + 4) / 4, f = 5 * e - 3, m = f / 153;
    t.day = static_cast<int8_t>((f % 153 + 5) / 5);
    t.month = static_cast<int8_t>(m < 10 ? m + 3 : m - 9);
    t.year = static_cast<uint16_t>(1980 + static_cast<uint16_t>(100 * c + r + (m < 10 ? 0 : 1)));
    return t;
}

std::string Text(const t_timetype& t) {
    char text[kTime2strMaxText];
    return time2str(&t, text);
}

std::string TextOfSeconds(uint32_t seconds) {
    char text[kTime2strMaxText];
    return time2str(seconds, text);
}

}  // namespace

TEST(SecondsConversion, MatchesTheFormulasThroughFebruary2080) {
    for (uint32_t day = 0; day <= kLastFormulaDay; ++day) {
        const uint32_t seconds = day * kDay + (day * 7919u) % kDay;
        const t_timetype expected = FormulaSecondsToTime(seconds);
        t_timetype actual;
        SecondsToTime(seconds, &actual);
        ASSERT_EQ(Text(expected), Text(actual)) << seconds;
        ASSERT_EQ(expected.weekday, actual.weekday) << seconds;
        ASSERT_EQ(seconds, FormulaTimeToSeconds(expected));
        ASSERT_EQ(seconds, TimeToSeconds(&expected));
    }
}

TEST(SecondsConversion, EveryCountComesBack) {
    std::vector<uint32_t> counts = {0, 59 * kDay, 60 * kDay - 1, 0xFFFFFFFFu};
    for (uint32_t day : {kLastFormulaDay, kLastFormulaDay + 1, kLastFormulaDay + 2, 43888u}) {
        counts.insert(counts.end(), {day * kDay - 1, day * kDay, day * kDay + kDay - 1});
    }
    for (uint64_t s = 0; s <= 0xFFFFFFFFu; s += 4093) counts.push_back(static_cast<uint32_t>(s));
    for (uint32_t seconds : counts) {
        t_timetype t;
        SecondsToTime(seconds, &t);
        ASSERT_EQ(seconds, TimeToSeconds(&t)) << Text(t);
    }
}

TEST(SecondsConversion, FollowsTheGregorianCalendarFrom2080) {
    EXPECT_EQ("2080.02.28 23.59:59", TextOfSeconds((kLastFormulaDay + 1) * kDay - 1));
    EXPECT_EQ("2080.02.29 00.00:00", TextOfSeconds((kLastFormulaDay + 1) * kDay));
    EXPECT_EQ("2080.03.01 00.00:00", TextOfSeconds((kLastFormulaDay + 2) * kDay));
    EXPECT_EQ("2100.02.28 00.00:00", TextOfSeconds(43888 * kDay));
    EXPECT_EQ("2100.03.01 00.00:00", TextOfSeconds(43889 * kDay));
    EXPECT_EQ("2116.02.07 06.28:15", TextOfSeconds(0xFFFFFFFFu));
    t_timetype t;
    SecondsToTime(43889 * kDay, &t);
    EXPECT_EQ(1, t.weekday);  // 2100-03-01 is a Monday
    const t_timetype leapDay{0, 0, 0, 2, 29, 2080, 0};
    EXPECT_EQ((kLastFormulaDay + 1) * kDay, TimeToSeconds(&leapDay));
}

TEST(SecondsConversion, EdgesOf1980) {
    EXPECT_EQ("1980.01.01 00.00:00", TextOfSeconds(0));
    EXPECT_EQ("1980.03.01 00.00:00", TextOfSeconds(60 * kDay));
    EXPECT_EQ("1981.01.01 00.00:00", TextOfSeconds(366 * kDay));
    const t_timetype leapDay{0, 0, 0, 2, 29, 1980, 0};
    EXPECT_EQ(59 * kDay, TimeToSeconds(&leapDay));
    t_timetype t;
    SecondsToTime(59 * kDay, &t);
    EXPECT_EQ("1980.02.29 00.00:00", Text(t));
    EXPECT_EQ(5, t.weekday);  // Friday
    SecondsToTime(0, &t);
    EXPECT_EQ(2, t.weekday);  // Tuesday
}

TEST(SecondsConversion, NonsenseFieldsStillGiveAWellFormedDate) {
    const int8_t values[] = {-128, -1, 0, 1, 2, 3, 12, 13, 59, 127};
    for (uint16_t year : {0, 1979, 1980, 2080, 65535}) {
        for (int8_t month : values) {
            for (int8_t v : values) {
                const t_timetype in{v, v, v, month, v, year, 0};
                t_timetype out;
                SecondsToTime(TimeToSeconds(&in), &out);
                ASSERT_EQ(19u, Text(out).size()) << Text(in) << " gives " << Text(out);
            }
        }
    }
}

TEST(Time2str, RecordAndSystemTimeShowFieldsAsTheyStand) {
    char text[kTime2strMaxText];
    const t_timetype odd{-56, 5, 0, -1, 31, 65535, 0};
    EXPECT_EQ(text, time2str(&odd, text));
    EXPECT_STREQ("65535.4294967295.31 4294967240.05:00", text);
    SYSTEMTIME fields{2024, 2, 4, 29, 13, 5, 9, 0};
    EXPECT_STREQ("2024.02.29 13.05:09", time2str(&fields, text));
    fields.wMonth = 0x1FF;  // only the low 8 bits count, read as signed
    EXPECT_STREQ("2024.4294967295.29 13.05:09", time2str(&fields, text));
}

TEST(Time2str, SixtyFourBitTimes) {
    char text[kTime2strMaxText];
    EXPECT_STREQ("1970.01.01 00.00:00", time2str(__time64_t{0}, text));
    EXPECT_STREQ("2024.02.29 12.34:56", time2str(__time64_t{1709210096}, text));
    EXPECT_STREQ("3000.12.31 23.59:59", time2str(__time64_t{32535215999}, text));
    for (__time64_t refused : {__time64_t{32535216000}, __time64_t{-1}, __time64_t{INT64_MIN}}) {
        EXPECT_STREQ("0000.00.00 00.00:00", time2str(refused, text));
    }
}

TEST(Time2str, OleDates) {
    char text[kTime2strMaxText];
    COleDateTime date;
    ASSERT_EQ(0, date.SetDateTime(2024, 2, 29, 12, 34, 56));
    EXPECT_STREQ("2024.02.29 12.34:56", time2str(date, text));
    // Year 65535 with every other field -1, passed through both conversions.
    date.SetStatus(COleDateTime::invalid);
    EXPECT_STREQ("2111.04.02 07.26:43", time2str(date, text));
    EXPECT_STREQ("2111.04.02 07.26:43", time2str(COleDateTime(1e9), text));
    // The year's offset from 1980 is 16-bit: 1979-12-31 23:59:59 counts as in
    // 67515, which is 163 cycles of 400 years after 2315, modulo 2^32 seconds.
    ASSERT_EQ(0, date.SetDateTime(1979, 12, 31, 23, 59, 59));
    EXPECT_STREQ("2050.11.21 07.23:43", time2str(date, text));
}

#ifndef _WIN32
TEST(Time2str, FileTimesAreShownInLocalTime) {
    const char* saved = getenv("TZ");
    const std::string savedZone = saved != nullptr ? saved : "";
    setenv("TZ", "XYZ-2", 1);  // two hours east of Greenwich, no summer time
    tzset();
    const uint64_t ticks = 116444736000000000u + 1709210096u * 10000000ull;  // 2024-02-29 12:34:56
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const FILETIME refused{0, 0x80000000u};
    char text[kTime2strMaxText];
    EXPECT_STREQ("2024.02.29 14.34:56", time2str(time, text));
    EXPECT_STREQ("1980.01.01 00.00:00", time2str(refused, text));
    saved != nullptr ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
}
#endif
