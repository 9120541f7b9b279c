// Table records of the Session table: one row per session.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_Session(X)   \
    X(long, ID, "ID", 0)         \
    X(text, Name, "Name", 255)   \
    X(datetime, Date, "Date", 0) \
    X(datetime, Time, "Time", 0) \
    X(text, GUID, "GUID", 255)   \
    X(long, Status, "Status", 0) \
    X(bool, ShowInApp, "ShowInApp", 0)

BWS_RECORD_CLASS(BC_RecSession, BWS_COLUMNS_Session)
