// The calendar conversions of the Win32 layer and COleDateTime.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <thread>

#include "platform/ole_date_time.h"
#include "platform/win32_types.h"

namespace {

constexpr double kSecond = 1.0 / 86400;

SYSTEMTIME Fields(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                  WORD second = 0) {
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

std::string Show(const SYSTEMTIME& f) {
    char text[64];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u w%u", f.wYear, f.wMonth, f.wDay,
             f.wHour, f.wMinute, f.wSecond, f.wMilliseconds, f.wDayOfWeek);
    return text;
}

std::string ShowDate(DATE date) {
    SYSTEMTIME f{};
    return VariantTimeToSystemTime(date, &f) ? Show(f) : "refused";
}

FILETIME FileTime(uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

TEST(VariantTime, KnownDatesBothWays) {
    const struct {
        SYSTEMTIME fields;
        DATE date;
        const char* shown;
    } cases[] = {
        {Fields(1899, 12, 30), 0.0, "1899-12-30 00:00:00.000 w6"},
        {Fields(1900, 3, 1), 61.0, "1900-03-01 00:00:00.000 w4"},
        {Fields(2000, 1, 1, 12), 36526.5, "2000-01-01 12:00:00.000 w6"},
        {Fields(1899, 12, 29, 6), -1.25, "1899-12-29 06:00:00.000 w5"},
        {Fields(100, 1, 1), -657434.0, "0100-01-01 00:00:00.000 w5"},
        {Fields(9999, 12, 31, 23, 59, 59), 2958465 + 86399 * kSecond, "9999-12-31 23:59:59.000 w5"},
    };
    for (const auto& c : cases) {
        SYSTEMTIME in = c.fields;
        DATE date = -99;
        ASSERT_NE(0, SystemTimeToVariantTime(&in, &date)) << c.shown;
        EXPECT_DOUBLE_EQ(c.date, date) << c.shown;
        EXPECT_EQ(c.shown, ShowDate(c.date));
    }
    EXPECT_EQ("1899-12-30 12:00:00.000 w6", ShowDate(-0.5));
}

TEST(VariantTime, EveryDayFollowsTheDayBefore) {
    SYSTEMTIME prev{};
    ASSERT_NE(0, VariantTimeToSystemTime(-657434.0, &prev));
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int day = -657433; day <= 2958465; ++day) {
        SYSTEMTIME f{};
        ASSERT_NE(0, VariantTimeToSystemTime(day, &f)) << day;
        const int y = prev.wYear;
        const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
        const bool lastDay =
            prev.wDay == (prev.wMonth == 2 && leap ? 29 : monthDays[prev.wMonth - 1]);
        const bool lastMonth = lastDay && prev.wMonth == 12;
        ASSERT_TRUE(f.wDay == (lastDay ? 1 : prev.wDay + 1) &&
                    f.wMonth == (lastMonth ? 1
                                 : lastDay ? prev.wMonth + 1
                                           : prev.wMonth) &&
                    f.wYear == (lastMonth ? y + 1 : y) && f.wDayOfWeek == (prev.wDayOfWeek + 1) % 7)
            << Show(prev) << " then " << Show(f);
        DATE back = 0;
        ASSERT_NE(0, SystemTimeToVariantTime(&f, &back));
        ASSERT_EQ(static_cast<DATE>(day), back);
        prev = f;
    }
}

TEST(VariantTime, RoundsToTheNearestSecond) {
    EXPECT_EQ("2000-01-01 00:00:00.000 w6", ShowDate(36526 + 0.49 * kSecond));
    EXPECT_EQ("2000-01-01 00:00:01.000 w6", ShowDate(36526 + 0.51 * kSecond));
    EXPECT_EQ("2000-01-01 00:00:00.000 w6", ShowDate(36525 + 86399.6 * kSecond));
    EXPECT_EQ("1899-12-30 00:00:00.000 w6", ShowDate(-1 - 86399.6 * kSecond));
    EXPECT_EQ("0100-01-01 21:36:00.000 w5", ShowDate(-657434.9));
}

TEST(VariantTime, RefusesWhatIsOutsideTheCalendar) {
    const double inf = std::numeric_limits<double>::infinity();
    for (DATE bad : {std::nan(""), inf, -inf, 1e300, -1e300, -657435.0, 2958466.0,
                     2958465 + 86399.6 * kSecond}) {
        EXPECT_EQ("refused", ShowDate(bad)) << bad;
    }
    for (SYSTEMTIME f :
         {Fields(99, 12, 31), Fields(10000, 1, 1), Fields(2000, 0, 1), Fields(2000, 13, 1),
          Fields(2000, 1, 0), Fields(1900, 2, 29), Fields(2001, 2, 29), Fields(2000, 4, 31),
          Fields(2000, 1, 1, 24), Fields(2000, 1, 1, 0, 60), Fields(2000, 1, 1, 0, 0, 60)}) {
        DATE date = 0;
        EXPECT_EQ(0, SystemTimeToVariantTime(&f, &date)) << Show(f);
    }
    SYSTEMTIME f = Fields(2000, 2, 29, 1, 2, 3);
    f.wDayOfWeek = 9;  // weekday and milliseconds play no part
    f.wMilliseconds = 999;
    DATE date = 0;
    ASSERT_NE(0, SystemTimeToVariantTime(&f, &date));
    EXPECT_EQ("2000-02-29 01:02:03.000 w2", ShowDate(date));
}

TEST(OleDateTime, SetDateTimeAcceptsOnlyRealDates) {
    COleDateTime date;
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_EQ(0.0, date.m_dt);
    EXPECT_EQ(0, date.SetDateTime(2000, 1, 1, 12, 0, 0));
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_DOUBLE_EQ(36526.5, date.m_dt);
    const int refused[][6] = {{2000, 2, 30, 0, 0, 0},       {99, 1, 1, 0, 0, 0},
                              {2000, 13, 1, 0, 0, 0},       {2000, 1, 1, -1, 0, 0},
                              {2000, 1, 1, 0, 0, 60},       {2000 + 65536, 1, 1, 0, 0, 0},
                              {2000, 1 + 65536, 1, 0, 0, 0}};
    for (const auto& r : refused) {
        COleDateTime d(5.0);
        EXPECT_EQ(1, d.SetDateTime(r[0], r[1], r[2], r[3], r[4], r[5])) << r[0] << "-" << r[1];
        EXPECT_EQ(COleDateTime::invalid, d.GetStatus());
    }
}

TEST(FileTime, BreaksDownUpToTheWindowsLimit) {
    const struct {
        uint64_t ticks;
        const char* shown;
    } cases[] = {{0, "1601-01-01 00:00:00.000 w1"},
                 {116444736000000000u + 12345678u, "1970-01-01 00:00:01.234 w4"},
                 {0x7FFFFFFFFFFFFFFFu, "30828-09-14 02:48:05.477 w4"},
                 {0x8000000000000000u, "refused"}};
    for (const auto& c : cases) {
        const FILETIME t = FileTime(c.ticks);
        SYSTEMTIME f{};
        EXPECT_EQ(c.shown, FileTimeToSystemTime(&t, &f) ? Show(f) : "refused");
    }
}

#ifndef _WIN32
TEST(FileTime, LocalTimeAddsTheZoneOffset) {
    const char* saved = getenv("TZ");
    const std::string savedZone = saved != nullptr ? saved : "";
    const uint64_t hour = 36000000000u, noon = 116444736000000000u + 12 * hour;
    const struct {
        const char* zone;
        uint64_t utc;
        int64_t shift;  // in hours; 99 for refused
    } cases[] = {{"UTC0", noon, 0},
                 {"XYZ-2", noon, 2},
                 {"XYZ+5", noon, -5},
                 {"XYZ+5", hour, 99},
                 {"UTC0", 0x8000000000000000u, 99}};
    for (const auto& c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        const FILETIME utc = FileTime(c.utc);
        FILETIME local{};
        const bool ok = FileTimeToLocalFileTime(&utc, &local);
        EXPECT_EQ(c.shift != 99, ok) << c.zone;
        const uint64_t shifted = uint64_t{local.dwHighDateTime} << 32 | local.dwLowDateTime;
        EXPECT_TRUE(!ok || shifted == c.utc + c.shift * hour) << c.zone;
    }
    saved != nullptr ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
}
#endif

TEST(Gmtime64, CoversTheMicrosoftRange) {
    const auto show = [](__time64_t t) -> std::string {
        const struct tm* f = _gmtime64(&t);
        if (f == nullptr) return "refused";
        char text[64];
        snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d w%d y%d", f->tm_year, f->tm_mon, f->tm_mday,
                 f->tm_hour, f->tm_min, f->tm_sec, f->tm_wday, f->tm_yday);
        return text;
    };
    EXPECT_EQ("70-0-1 0:0:0 w4 y0", show(0));
    EXPECT_EQ("100-1-29 0:0:0 w2 y59", show(951782400));
    EXPECT_EQ("1100-11-31 23:59:59 w3 y364", show(32535215999));
    for (__time64_t bad :
         {__time64_t{32535216000}, __time64_t{-1}, std::numeric_limits<__time64_t>::min(),
          std::numeric_limits<__time64_t>::max()}) {
        EXPECT_EQ("refused", show(bad));
    }
}

TEST(ThreadLocalState, GmtimeResultAndThreadId) {
    __time64_t zero = 0;
    const struct tm* mine = _gmtime64(&zero);
    ASSERT_NE(nullptr, mine);
    const DWORD myId = GetCurrentThreadId();
    EXPECT_NE(0u, myId);
    EXPECT_EQ(myId, GetCurrentThreadId());
    const struct tm* theirs = nullptr;
    DWORD theirId = 0;
    std::thread([&] {
        __time64_t later = 86400 * 400;
        theirs = _gmtime64(&later);
        theirId = GetCurrentThreadId();
    }).join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(70, mine->tm_year);
    EXPECT_NE(0u, theirId);
    EXPECT_NE(myId, theirId);
}
