#include "platform/ole_date_time.h"

COleDateTime::COleDateTime(DATE dayNumber) : m_dt(dayNumber) {}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    // Out-of-range values are refused before they are narrowed to the
    // 16-bit fields, where they could wrap into a plausible date.
    bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
              hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
    fields.wHour = static_cast<WORD>(hour);
    fields.wMinute = static_cast<WORD>(minute);
    fields.wSecond = static_cast<WORD>(second);
    DATE date = 0.0;
    // Windows' conversion rolls a day beyond the month's end over into the
    // next month instead of refusing it; only a date that converts back to
    // the same fields is a real one.
    SYSTEMTIME back{};
    ok = ok && SystemTimeToVariantTime(&fields, &date) != 0 &&
         VariantTimeToSystemTime(date, &back) != 0 && back.wYear == fields.wYear &&
         back.wMonth == fields.wMonth && back.wDay == fields.wDay && back.wHour == fields.wHour &&
         back.wMinute == fields.wMinute && back.wSecond == fields.wSecond;
    if (!ok) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = date;
    m_status = valid;
    return 0;
}

COleDateTime::DateTimeStatus COleDateTime::GetStatus() const { return m_status; }

void COleDateTime::SetStatus(DateTimeStatus status) { m_status = status; }
