// The Win32 types and calls the controller uses. On Windows they are the
// real API; elsewhere this header declares small equivalents with the same
// names and the same contracts, implemented in win32_types.cpp.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
// <windows.h> must come first: <oleauto.h> relies on its types.
#include <windows.h>

#include <oleauto.h>
#include <time.h>
#else
#include <cstdint>
#include <ctime>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
// unixODBC's headers define BOOL as a macro for int; either may come first.
#ifndef BOOL
typedef int BOOL;
#endif
typedef int INT;
typedef double DATE;
typedef int64_t __time64_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Calendar fields, as Windows' SYSTEMTIME.
struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// 100-nanosecond intervals since 1601-01-01 00:00:00 UTC, as Windows' FILETIME.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// Converts a UTC file time to the local time zone. Returns FALSE when the
// value cannot be converted (it lies beyond what the calendar can represent).
BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);

// Breaks a file time down into calendar fields. Returns FALSE for values at
// or above 0x8000000000000000, as Windows does.
BOOL FileTimeToSystemTime(const FILETIME* time, SYSTEMTIME* fields);

// OLE Automation dates: days since 1899-12-30; for negative day numbers the
// fraction still counts forward from the start of that day (-1.25 is
// 1899-12-29 06:00). Both return nonzero on success and 0 for fields or
// values outside years 100 to 9999.
INT SystemTimeToVariantTime(SYSTEMTIME* fields, DATE* date);
INT VariantTimeToSystemTime(DATE date, SYSTEMTIME* fields);

// Suspends the calling thread for the given number of milliseconds.
void Sleep(DWORD milliseconds);

// A number that identifies the calling thread among the process's threads.
DWORD GetCurrentThreadId();

// Breaks a count of seconds since 1970-01-01 00:00:00 UTC down in UTC, as
// the Microsoft runtime does: null for negative times and for times after
// 3000-12-31 23:59:59. The result lives in storage of the calling thread
// that the next call overwrites.
struct tm* _gmtime64(const __time64_t* time);
#endif
