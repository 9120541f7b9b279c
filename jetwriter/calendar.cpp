#include "jetwriter/calendar.h"

#include <cmath>

namespace jetwriter {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 0000-03-01 of the proleptic Gregorian calendar: counting years
// from March puts the leap day at the end of the year.
int64_t DaysSinceMarchOfYearZero(int year, int month, int day) {
    const int64_t shiftedYear = month <= 2 ? year - 1 : year;
    const int64_t shiftedMonth = month <= 2 ? month + 9 : month - 3;  // March is 0
    const int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    return shiftedYear * 365 + shiftedYear / 4 - shiftedYear / 100 + shiftedYear / 400 + dayOfYear;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

int64_t DaysSinceEpoch(int year, int month, int day) {
    return DaysSinceMarchOfYearZero(year, month, day) - DaysSinceMarchOfYearZero(1899, 12, 30);
}

double DayNumber(int64_t days, int secondsOfDay) {
    const double fraction = secondsOfDay / 86400.0;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

bool IsDayNumberInRange(double dayNumber) {
    static const double kFirst = static_cast<double>(DaysSinceEpoch(kFirstYear, 1, 1));
    static const double kLast = DayNumber(DaysSinceEpoch(kLastYear, 12, 31), 86399);
    // The fraction of a negative day number counts away from zero, so the
    // earliest moment is the one furthest below kFirst's whole part.
    return std::isfinite(dayNumber) && dayNumber > kFirst - 1.0 && dayNumber <= kLast;
}

}  // namespace jetwriter
