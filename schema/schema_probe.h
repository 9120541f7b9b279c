// The comparisons of a table record with the file: does its table exist,
// does the file return as many columns as the record declares, and are the
// file's columns declared by the record with a compatible type.
#pragma once

#include <string>

#include "db/bws_base.h"

// True when the upper-cased column name belongs to a family that only some
// editions have ("USEBWSSETTINGS", or beginning with SHUTDOWN, AUTOSHUTDOWN,
// BM2, CUSTOM_BS, CUSTOM, WINNERS, EXTERNALUPDATE or SUSPICIOUSCONTRACT).
bool IsExemptColumn(const std::string& upperName);

// Asks the catalog whether the record's table exists. True when the answer
// is clear, with *found (when given) saying whether it does; false when an
// ODBC call failed, the name found differs from the table's in more than
// letter case, or more than one table matched.
bool ProbeTable(BWSbase& record, bool* found);

// True when the record declares as many columns as its open result has.
// shortfall receives the declared count minus the result's (0 when equal);
// an unopened record counts as a result without columns.
bool CheckColumnCount(BWSbase& record, int& shortfall);

// True when every column of the record's last result is exempt or declared
// with the same type (text types of either width alike; short and long are
// interchangeable).
bool CheckColumnNames(const BWSbase& record);
