// The machinery of the table records: each layout is a list of columns
// X(kind, member, "ColumnName", width), from which BWS_RECORD_CLASS makes a
// record class with one public member per column and BWS_RECORD_CONSTRUCTOR
// its constructor, which declares every column in list order and then names
// the table. Kinds: short, long, bool, datetime, text (width in characters),
// string and double.
#pragma once

#include <string>

#include "db/bws_base.h"
#include "platform/cstring.h"
#include "platform/ole_date_time.h"

#define BWS_MEMBER_TYPE_short short
#define BWS_MEMBER_TYPE_long int
#define BWS_MEMBER_TYPE_bool int
#define BWS_MEMBER_TYPE_datetime COleDateTime
#define BWS_MEMBER_TYPE_text CString
#define BWS_MEMBER_TYPE_string std::string
#define BWS_MEMBER_TYPE_double double

#define BWS_DECLARE_short(name, member, width) AddShortColumn(name, &member)
#define BWS_DECLARE_long(name, member, width) AddLongColumn(name, &member)
#define BWS_DECLARE_bool(name, member, width) AddBoolColumn(name, &member)
#define BWS_DECLARE_datetime(name, member, width) AddDateTimeColumn(name, &member)
#define BWS_DECLARE_text(name, member, width) AddTextColumn(name, &member, width)
#define BWS_DECLARE_string(name, member, width) AddStringColumn(name, &member)
#define BWS_DECLARE_double(name, member, width) AddDoubleColumn(name, &member)

#define BWS_RECORD_MEMBER(kind, member, name, width) BWS_MEMBER_TYPE_##kind member{};
#define BWS_RECORD_DECLARE(kind, member, name, width) BWS_DECLARE_##kind(name, member, width);

#define BWS_RECORD_CLASS(ClassName, COLUMNS) \
    class ClassName : public BWSbase {       \
      public:                                \
        ClassName();                         \
        COLUMNS(BWS_RECORD_MEMBER)           \
    };

#define BWS_RECORD_CONSTRUCTOR(ClassName, table, COLUMNS) \
    ClassName::ClassName() {                              \
        COLUMNS(BWS_RECORD_DECLARE)                       \
        SetTable(table);                                  \
    }
