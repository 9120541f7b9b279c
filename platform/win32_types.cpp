// Equivalents of the Win32 calls for the other platforms. On Windows the
// real API serves and this file compiles to nothing.
#include "platform/win32_types.h"

#ifndef _WIN32

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

// Calendar arithmetic on day numbers counted from 0000-03-01 of the
// proleptic Gregorian calendar. Starting the year in March puts the leap day
// last, so a month's offset within its year needs no leap-year test.
constexpr int64_t kDaysPer400Years = 146097;
constexpr int64_t kDaysPer100Years = 36524;
constexpr int64_t kDaysPer4Years = 1461;

constexpr int64_t DaysFromMarchEpoch(int64_t year, int64_t month, int64_t day) {
    const int64_t marchYear = month < 3 ? year - 1 : year;
    const int64_t monthIndex = month < 3 ? month + 9 : month - 3;
    return 365 * marchYear + marchYear / 4 - marchYear / 100 + marchYear / 400 +
           (153 * monthIndex + 2) / 5 + day - 1;
}

struct CivilDate {
    int64_t year;
    int64_t month;
    int64_t day;
    int64_t dayOfWeek;  // 0 Sunday .. 6 Saturday
};

// Inverse of DaysFromMarchEpoch for days >= 0.
CivilDate CivilFromMarchEpoch(int64_t days) {
    int64_t rest = days % kDaysPer400Years;
    int64_t year = days / kDaysPer400Years * 400;
    // The last century and the last year of each cycle carry the extra day,
    // so their quotient is capped rather than rolling into the next unit.
    int64_t centuries = rest / kDaysPer100Years;
    if (centuries > 3) centuries = 3;
    rest -= centuries * kDaysPer100Years;
    const int64_t quads = rest / kDaysPer4Years;
    rest -= quads * kDaysPer4Years;
    int64_t years = rest / 365;
    if (years > 3) years = 3;
    rest -= years * 365;
    year += centuries * 100 + quads * 4 + years;

    const int64_t monthIndex = (5 * rest + 2) / 153;
    CivilDate date;
    date.day = rest - (153 * monthIndex + 2) / 5 + 1;
    date.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    date.year = monthIndex < 10 ? year : year + 1;
    date.dayOfWeek = (days + 3) % 7;  // 0000-03-01 was a Wednesday
    return date;
}

constexpr bool IsLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int64_t DaysInMonth(int64_t year, int64_t month) {
    constexpr int64_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kOleEpoch = DaysFromMarchEpoch(1899, 12, 30);
constexpr int64_t kFileTimeEpoch = DaysFromMarchEpoch(1601, 1, 1);
constexpr int64_t kUnixEpoch = DaysFromMarchEpoch(1970, 1, 1);
constexpr int64_t kOleFirstDay = DaysFromMarchEpoch(100, 1, 1) - kOleEpoch;
constexpr int64_t kOleLastDay = DaysFromMarchEpoch(9999, 12, 31) - kOleEpoch;

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kTicksPerDay = kTicksPerSecond * kSecondsPerDay;
constexpr uint64_t kFileTimeLimit = uint64_t{1} << 63;

uint64_t TicksOf(const FILETIME& time) {
    return uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

// The offset of local time from UTC in effect now, as Windows applies it to
// every file time regardless of the season of that time.
bool CurrentUtcOffset(int64_t* seconds) {
    const time_t now = time(nullptr);
    struct tm local {};
    if (localtime_r(&now, &local) == nullptr) return false;
    *seconds = local.tm_gmtoff;
    return true;
}

}  // namespace

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
    if (utc == nullptr || local == nullptr) return FALSE;
    const uint64_t ticks = TicksOf(*utc);
    int64_t offset = 0;
    if (ticks >= kFileTimeLimit || !CurrentUtcOffset(&offset)) return FALSE;
    // Both terms are far from the int64_t limits: ticks < 2^63 and the
    // offset is at most a day.
    const int64_t shifted = static_cast<int64_t>(ticks) + offset * int64_t{10000000};
    if (shifted < 0) return FALSE;
    local->dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(shifted) & 0xFFFFFFFFu);
    local->dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(shifted) >> 32);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* time, SYSTEMTIME* fields) {
    if (time == nullptr || fields == nullptr) return FALSE;
    const uint64_t ticks = TicksOf(*time);
    if (ticks >= kFileTimeLimit) return FALSE;
    const CivilDate date =
        CivilFromMarchEpoch(kFileTimeEpoch + static_cast<int64_t>(ticks / kTicksPerDay));
    const uint64_t secondOfDay = ticks % kTicksPerDay / kTicksPerSecond;
    fields->wYear = static_cast<WORD>(date.year);
    fields->wMonth = static_cast<WORD>(date.month);
    fields->wDayOfWeek = static_cast<WORD>(date.dayOfWeek);
    fields->wDay = static_cast<WORD>(date.day);
    fields->wHour = static_cast<WORD>(secondOfDay / 3600);
    fields->wMinute = static_cast<WORD>(secondOfDay % 3600 / 60);
    fields->wSecond = static_cast<WORD>(secondOfDay % 60);
    fields->wMilliseconds = static_cast<WORD>(ticks / 10000 % 1000);
    return TRUE;
}

INT SystemTimeToVariantTime(SYSTEMTIME* fields, DATE* date) {
    if (fields == nullptr || date == nullptr) return 0;
    const SYSTEMTIME& f = *fields;
    // Day of week and milliseconds are ignored: a variant time resolves to
    // whole seconds.
    if (f.wYear < 100 || f.wYear > 9999 || f.wMonth < 1 || f.wMonth > 12 || f.wDay < 1 ||
        f.wDay > DaysInMonth(f.wYear, f.wMonth) || f.wHour > 23 || f.wMinute > 59 ||
        f.wSecond > 59) {
        return 0;
    }
    const int64_t day = DaysFromMarchEpoch(f.wYear, f.wMonth, f.wDay) - kOleEpoch;
    const double fraction =
        static_cast<double>(f.wHour * 3600 + f.wMinute * 60 + f.wSecond) / kSecondsPerDay;
    // Before the epoch the fraction still runs forward through the day, so
    // it moves the value away from zero.
    *date = day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
    return 1;
}

INT VariantTimeToSystemTime(DATE date, SYSTEMTIME* fields) {
    if (fields == nullptr) return 0;
    // Also rejects NaN and infinities before any conversion to an integer.
    if (!(date > static_cast<double>(kOleFirstDay - 1) &&
          date < static_cast<double>(kOleLastDay + 1))) {
        return 0;
    }
    const double whole = std::trunc(date);
    int64_t day = static_cast<int64_t>(whole);
    int64_t second = std::llround(std::fabs(date - whole) * kSecondsPerDay);
    if (second >= kSecondsPerDay) {
        second -= kSecondsPerDay;
        ++day;
    }
    if (day > kOleLastDay) return 0;

    const CivilDate civil = CivilFromMarchEpoch(kOleEpoch + day);
    fields->wYear = static_cast<WORD>(civil.year);
    fields->wMonth = static_cast<WORD>(civil.month);
    fields->wDayOfWeek = static_cast<WORD>(civil.dayOfWeek);
    fields->wDay = static_cast<WORD>(civil.day);
    fields->wHour = static_cast<WORD>(second / 3600);
    fields->wMinute = static_cast<WORD>(second % 3600 / 60);
    fields->wSecond = static_cast<WORD>(second % 60);
    fields->wMilliseconds = 0;
    return 1;
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetCurrentThreadId() {
    // Numbers are handed out on a thread's first call and never reused, so
    // no two threads of the process share one; 0 is never given.
    static std::atomic<DWORD> next{1};
    thread_local const DWORD id = next.fetch_add(1);
    return id;
}

struct tm* _gmtime64(const __time64_t* time) {
    // The Microsoft runtime's range: 1970-01-01 to 3000-12-31 23:59:59 UTC.
    constexpr __time64_t kLast = (DaysFromMarchEpoch(3001, 1, 1) - kUnixEpoch) * kSecondsPerDay - 1;
    thread_local struct tm result;
    if (time == nullptr || *time < 0 || *time > kLast) {
        errno = EINVAL;
        return nullptr;
    }
    const time_t value = static_cast<time_t>(*time);
    result = {};
    if (gmtime_r(&value, &result) == nullptr) return nullptr;
    return &result;
}

#endif  // _WIN32
