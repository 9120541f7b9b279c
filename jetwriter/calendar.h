// Calendar dates and times of day as Jet day numbers: days since 1899-12-30
// (proleptic Gregorian calendar), the fraction being the time of day. Before
// 1899-12-30 the whole part counts back and the fraction still adds the time
// ( -1.25 is 1899-12-29 06:00), as OLE Automation dates do.
#pragma once

#include <cstdint>

namespace jetwriter {

// The years a Date/Time value may fall in, as Access allows.
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

// True when year, month and day name a real date from kFirstYear to kLastYear.
bool IsValidDate(int year, int month, int day);

// Days from 1899-12-30 to the given date, negative before it. The date must
// be valid (IsValidDate).
int64_t DaysSinceEpoch(int year, int month, int day);

// The day number of the day (from DaysSinceEpoch) at secondsOfDay seconds
// after midnight (0 to 86399).
double DayNumber(int64_t days, int secondsOfDay);

// True when dayNumber lies between the first moment of kFirstYear and the
// last second of kLastYear.
bool IsDayNumberInRange(double dayNumber);

}  // namespace jetwriter
