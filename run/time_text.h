// time2str: one text form, "YYYY.MM.DD hh.mm:ss", for points in time given
// in six forms, and the conversions between calendar fields and a count of
// seconds since 1980-01-01 00:00:00 on which three of the forms rely.
#pragma once

#include <cstdint>

#include "platform/ole_date_time.h"
#include "platform/win32_types.h"

// A compact calendar record. Fields may hold any value; the conversions and
// the text form give defined results for nonsense ones too.
struct t_timetype {
    int8_t hour;
    int8_t minute;
    int8_t second;
    int8_t month;     // 1 .. 12
    int8_t day;       // day of the month, 1 .. 31
    uint16_t year;    // e.g. 1995
    int32_t weekday;  // 0 Sunday .. 6 Saturday; filled by SecondsToTime only
};

// Seconds since 1980-01-01 00:00:00 of the record's fields, taken as they
// stand (no time zone). Weekday is not read. Dates from 1980-01-01 to
// 2116-02-07 give their exact count; other dates wrap around modulo 2^32.
uint32_t TimeToSeconds(const t_timetype* time);

// Fills every field of the record, weekday included, from a count of
// seconds since 1980-01-01 00:00:00. TimeToSeconds gives the count back.
void SecondsToTime(uint32_t seconds, t_timetype* time);

// The longest text any overload writes, with its terminating NUL: five
// digits of year and ten for each other field. A four-digit year with
// in-range fields takes 20 characters.
constexpr int kTime2strMaxText = 62;

// Each writes the text into the caller's buffer and returns the buffer.
// Every field but the year is written as the low 8 bits of its value read
// as signed and shown as an unsigned 32-bit number (so -1 shows as
// 4294967295); the year as unsigned 16-bit. A null SYSTEMTIME or record gives
// 0000.00.00 00.00:00.

// The record's fields as they stand.
char* time2str(const SYSTEMTIME* time, char* text);
// Converted to local time and broken down; then, as a count of seconds since
// 1980, back to fields. A time the platform cannot convert gives
// 1980.01.01 00.00:00.
char* time2str(const FILETIME& time, char* text);
// The date's fields, passed like a file time through the 1980-based count.
// An invalid date, or one that does not convert, stands for year 65535 with
// every other field -1.
char* time2str(const COleDateTime& time, char* text);
// A count of seconds since 1980-01-01 00:00:00.
char* time2str(uint32_t seconds, char* text);
// The record's fields as they stand.
char* time2str(const t_timetype* time, char* text);
// Seconds since 1970-01-01 00:00:00 UTC, broken down in UTC. Times _gmtime64
// refuses (negative, or after 3000-12-31 23:59:59) give 0000.00.00 00.00:00.
char* time2str(__time64_t time, char* text);
