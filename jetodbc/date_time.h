// Jet's Date/Time values: a day number counted from 30 December 1899 whose
// fraction is the time of day. Before that day the whole part counts back
// while the fraction still counts forward (-1.25 is 29 December 1899,
// 06:00). Time-only values therefore fall on 30 December 1899.
#pragma once

#include <string>

namespace jetodbc {

struct CivilTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Converts a Jet day number to calendar date and time, rounded to the
// nearest second as Microsoft's driver does. Returns false (and leaves *out
// unspecified) for a value outside the years 100 to 9999 or not a number.
bool JetDaysToCivil(double days, CivilTime* out);

// Converts a calendar date and time to a Jet day number. The fields must
// form a valid date and time; the result is unspecified otherwise.
double CivilToJetDays(const CivilTime& time);

// True when year, month and day form a date of the Gregorian calendar.
bool IsValidDate(int year, int month, int day);

// True when the time is a valid date of the years 100 to 9999 with a time of
// day from 00:00:00 to 23:59:59, the range Access stores.
bool IsValidDateTime(const CivilTime& time);

// Reads a date and time written "yyyy-mm-dd [hh:mm[:ss]]", "m/d/yyyy
// [hh:mm[:ss]]" or "hh:mm[:ss]" (a time alone falls on 30 December 1899, as
// Jet keeps it), blanks around it allowed. Returns false unless the whole
// text is one valid date and time from the year 100 to 9999.
bool ParseDateText(const std::string& text, CivilTime* out);

}  // namespace jetodbc
