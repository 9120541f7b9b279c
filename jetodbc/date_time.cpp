#include "jetodbc/date_time.h"

#include <cmath>
#include <cstdio>

namespace jetodbc {

namespace {

// Days from 1970-01-01 to the given proleptic Gregorian date.
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int* year, int* month, int* day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(y + (m <= 2));
    *month = static_cast<int>(m);
    *day = static_cast<int>(d);
}

const long kJetEpoch = DaysFromCivil(1899, 12, 30);
constexpr double kFirstDay = -657434.0;     // 1 January 100
constexpr double kPastLastDay = 2958466.0;  // 1 January 10000

}  // namespace

bool IsValidDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= last;
}

bool IsValidDateTime(const CivilTime& t) {
    return IsValidDate(t.year, t.month, t.day) && t.year >= 100 && t.year <= 9999 && t.hour >= 0 &&
           t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

bool JetDaysToCivil(double days, CivilTime* out) {
    if (!std::isfinite(days) || days <= kFirstDay - 1.0 || days >= kPastLastDay) return false;
    const double whole = std::trunc(days);
    long dayNumber = static_cast<long>(whole);
    long seconds = std::lround(std::fabs(days - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++dayNumber;
    }
    CivilFromDays(kJetEpoch + dayNumber, &out->year, &out->month, &out->day);
    if (out->year < 100 || out->year > 9999) return false;
    out->hour = static_cast<int>(seconds / 3600);
    out->minute = static_cast<int>(seconds / 60 % 60);
    out->second = static_cast<int>(seconds % 60);
    return true;
}

double CivilToJetDays(const CivilTime& time) {
    const long day = DaysFromCivil(time.year, static_cast<unsigned>(time.month),
                                   static_cast<unsigned>(time.day)) -
                     kJetEpoch;
    const double fraction = (time.hour * 3600 + time.minute * 60 + time.second) / 86400.0;
    return day >= 0 ? day + fraction : day - fraction;
}

bool ParseDateText(const std::string& text, CivilTime* out) {
    CivilTime c;
    c.year = 1899;
    c.month = 12;
    c.day = 30;
    const char* p = text.c_str();
    int used = 0, y = 0, m = 0, d = 0;
    bool date = false;
    if (std::sscanf(p, " %d-%d-%d%n", &y, &m, &d, &used) == 3) {
        date = true;
    } else if (std::sscanf(p, " %d/%d/%d%n", &m, &d, &y, &used) == 3) {
        date = true;
    }
    if (date) {
        c.year = y;
        c.month = m;
        c.day = d;
        p += used;
    }
    int h = 0, mi = 0, sec = 0;
    used = 0;
    if (std::sscanf(p, " %d:%d%n", &h, &mi, &used) == 2) {
        p += used;
        used = 0;
        if (std::sscanf(p, ":%d%n", &sec, &used) == 1) p += used;
        c.hour = h;
        c.minute = mi;
        c.second = sec;
    } else if (!date) {
        return false;
    }
    while (*p == ' ') ++p;
    if (*p != '\0' || !IsValidDateTime(c)) return false;
    *out = c;
    return true;
}

}  // namespace jetodbc
