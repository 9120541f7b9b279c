#include "run/time_text.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kSecondsPerDay = 86400;

// Days from 0000-03-01 to the first of March of the given year, on the
// proleptic Gregorian calendar. Counting years from March puts the leap day
// at the end of the year.
constexpr uint32_t DaysBeforeMarchYear(uint32_t year) {
    return 365 * year + year / 4 - year / 100 + year / 400;
}

constexpr uint32_t kDaysBefore1980March = DaysBeforeMarchYear(1980);
// 1980-03-01 is day 60 of the count: January and February 1980 hold 60 days.
constexpr uint32_t kDaysOfJanFeb1980 = 60;

// A signed 8-bit field sign-extended to 32 bits, in unsigned arithmetic so
// that every later step wraps instead of overflowing.
uint32_t Widen(int8_t field) {
    const uint32_t low = static_cast<uint32_t>(field) & 0xFFu;
    return low < 0x80u ? low : low | 0xFFFFFF00u;
}

// The low 8 bits of a value as a signed 8-bit field.
int8_t Narrow(uint32_t value) {
    const int low = static_cast<int>(value & 0xFFu);
    return static_cast<int8_t>(low < 0x80 ? low : low - 0x100);
}

char* WriteText(uint32_t year, uint32_t month, uint32_t day, uint32_t hour, uint32_t minute,
                uint32_t second, char* text) {
    if (text == nullptr) return nullptr;
    char formatted[kTime2strMaxText + 8];
    const int length = snprintf(
        formatted, sizeof formatted, "%04u.%02u.%02u %02u.%02u:%02u",
        static_cast<unsigned>(year & 0xFFFFu), static_cast<unsigned>(Widen(Narrow(month))),
        static_cast<unsigned>(Widen(Narrow(day))), static_cast<unsigned>(Widen(Narrow(hour))),
        static_cast<unsigned>(Widen(Narrow(minute))), static_cast<unsigned>(Widen(Narrow(second))));
    memcpy(text, formatted, static_cast<size_t>(length) + 1);
    return text;
}

char* WriteRecord(const t_timetype& time, char* text) {
    return WriteText(time.year, Widen(time.month), Widen(time.day), Widen(time.hour),
                     Widen(time.minute), Widen(time.second), text);
}

char* WriteSeconds(uint32_t seconds, char* text) {
    t_timetype time;
    SecondsToTime(seconds, &time);
    return WriteRecord(time, text);
}

t_timetype FromSystemTime(const SYSTEMTIME& fields) {
    t_timetype time{};
    time.year = fields.wYear;
    time.month = Narrow(fields.wMonth);
    time.day = Narrow(fields.wDay);
    time.hour = Narrow(fields.wHour);
    time.minute = Narrow(fields.wMinute);
    time.second = Narrow(fields.wSecond);
    return time;
}

}  // namespace

uint32_t TimeToSeconds(const t_timetype* time) {
    if (time == nullptr) return 0;
    const uint32_t hour = Widen(time->hour);
    const uint32_t minute = Widen(time->minute);
    const uint32_t second = Widen(time->second);
    const uint32_t month = Widen(time->month);
    const uint32_t day = Widen(time->day);
    if (time->year == 1980 && time->month < 3) {
        // The count starts in the middle of the March-based year 1979.
        const uint32_t seconds = ((day * 24 + hour) * 60 + minute) * 60 + second;
        return time->month == 1 ? seconds - kSecondsPerDay : seconds + 30 * kSecondsPerDay;
    }
    const bool beforeMarch = time->month < 3;
    const uint32_t year = time->year - (beforeMarch ? 1u : 0u);
    // Years before 1980 wrap into the far future rather than going negative.
    const uint32_t marchYear = 1980 + ((year - 1980) & 0xFFFFu);
    const uint32_t monthIndex = beforeMarch ? month + 9 : month - 3;
    const uint32_t days = DaysBeforeMarchYear(marchYear) - kDaysBefore1980March +
                          (153 * monthIndex + 2) / 5 + day - 1 + kDaysOfJanFeb1980;
    return ((days * 24 + hour) * 60 + minute) * 60 + second;
}

void SecondsToTime(uint32_t seconds, t_timetype* time) {
    if (time == nullptr) return;
    const uint32_t days = seconds / kSecondsPerDay;
    const uint32_t rest = seconds % kSecondsPerDay;
    time->hour = Narrow(rest / 3600);
    time->minute = Narrow(rest % 3600 / 60);
    time->second = Narrow(rest % 60);
    time->weekday = static_cast<int32_t>((days + 2) % 7);  // 1980-01-01 was a Tuesday
    if (days < kDaysOfJanFeb1980) {
        time->year = 1980;
        time->month = Narrow(days <= 30 ? 1 : 2);
        time->day = Narrow(days <= 30 ? days + 1 : days - 30);
        return;
    }
    // Split the days since 0000-03-01 into 400-, 100-, 4- and 1-year spans.
    // The last century of a cycle and the last year of a span of four are a
    // day longer, so their quotients are capped instead of spilling over.
    uint32_t rem = days - kDaysOfJanFeb1980 + kDaysBefore1980March;
    uint32_t year = rem / 146097 * 400;
    rem %= 146097;
    uint32_t centuries = rem / 36524;
    if (centuries > 3) centuries = 3;
    rem -= centuries * 36524;
    const uint32_t quads = rem / 1461;
    rem %= 1461;
    uint32_t years = rem / 365;
    if (years > 3) years = 3;
    rem -= years * 365;
    year += centuries * 100 + quads * 4 + years;
    const uint32_t monthIndex = (5 * rem + 2) / 153;
    time->day = Narrow(rem - (153 * monthIndex + 2) / 5 + 1);
    time->month = Narrow(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time->year = static_cast<uint16_t>(monthIndex < 10 ? year : year + 1);
}

char* time2str(const SYSTEMTIME* time, char* text) {
    if (time == nullptr) return WriteText(0, 0, 0, 0, 0, 0, text);
    return WriteText(time->wYear, time->wMonth, time->wDay, time->wHour, time->wMinute,
                     time->wSecond, text);
}

char* time2str(const FILETIME& time, char* text) {
    FILETIME local{};
    SYSTEMTIME fields{};
    uint32_t seconds = 0;
    if (FileTimeToLocalFileTime(&time, &local) && FileTimeToSystemTime(&local, &fields)) {
        const t_timetype record = FromSystemTime(fields);
        seconds = TimeToSeconds(&record);
    }
    return WriteSeconds(seconds, text);
}

char* time2str(const COleDateTime& time, char* text) {
    SYSTEMTIME fields{};
    t_timetype record{};
    if (time.GetStatus() == COleDateTime::valid && VariantTimeToSystemTime(time.m_dt, &fields)) {
        record = FromSystemTime(fields);
    } else {
        record.year = 65535;
        record.month = record.day = record.hour = record.minute = record.second = -1;
    }
    return WriteSeconds(TimeToSeconds(&record), text);
}

char* time2str(uint32_t seconds, char* text) { return WriteSeconds(seconds, text); }

char* time2str(const t_timetype* time, char* text) {
    if (time == nullptr) return WriteText(0, 0, 0, 0, 0, 0, text);
    return WriteRecord(*time, text);
}

char* time2str(__time64_t time, char* text) {
    const struct tm* fields = _gmtime64(&time);
    if (fields == nullptr) return WriteText(0, 0, 0, 0, 0, 0, text);
    return WriteText(
        static_cast<uint32_t>(1900 + fields->tm_year), static_cast<uint32_t>(fields->tm_mon + 1),
        static_cast<uint32_t>(fields->tm_mday), static_cast<uint32_t>(fields->tm_hour),
        static_cast<uint32_t>(fields->tm_min), static_cast<uint32_t>(fields->tm_sec), text);
}
