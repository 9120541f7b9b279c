// COleDateTime: a date held as an OLE Automation day number (days since
// 1899-12-30, the fraction being the time of day) with a validity status, as
// the Windows class of that name, with only what the controller uses.
#pragma once

#include "platform/win32_types.h"

class COleDateTime {
  public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    // 0.0 (1899-12-30 00:00:00), valid.
    COleDateTime() = default;
    // The given day number, valid.
    explicit COleDateTime(DATE dayNumber);

    // Sets the value from calendar fields. Returns 0 and marks the value
    // valid on success; returns 1 and marks it invalid when the fields do not
    // form a date from year 100 to 9999 (the day number then becomes 0.0).
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    DateTimeStatus GetStatus() const;
    void SetStatus(DateTimeStatus status);

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};
