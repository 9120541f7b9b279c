// Table records of players: PlayerNumbers (number and name per seat) and PlayerNames.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_PlayerNumbersA(X)  \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(text, Direction, "Direction", 2) \
    X(text, Number, "Number", 16)      \
    X(text, Name, "Name", 19)          \
    X(bool, Updated, "Updated", 0)     \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Processed, "Processed", 0)

BWS_RECORD_CLASS(BC_RecPlayerNumbersA, BWS_COLUMNS_PlayerNumbersA)

#define BWS_COLUMNS_PlayerNumbersB(X)  \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(text, Direction, "Direction", 2) \
    X(text, Number, "Number", 16)      \
    X(text, Name, "Name", 19)          \
    X(bool, Updated, "Updated", 0)     \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Processed, "Processed", 0) \
    X(short, Round, "Round", 0)

BWS_RECORD_CLASS(BC_RecPlayerNumbersB, BWS_COLUMNS_PlayerNumbersB)

#define BWS_COLUMNS_PlayerNumbersC(X)  \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(text, Direction, "Direction", 2) \
    X(text, Number, "Number", 16)      \
    X(text, Name, "Name", 19)

BWS_RECORD_CLASS(BC_RecPlayerNumbersC, BWS_COLUMNS_PlayerNumbersC)

#define BWS_COLUMNS_PlayerNumbersD(X)                    \
    X(short, Section, "Section", 0)                      \
    X(short, Table, "Table", 0)                          \
    X(text, Direction, "Direction", 2)                   \
    X(text, Number, "Number", 16)                        \
    X(text, Name, "Name", 80)                            \
    X(bool, Updated, "Updated", 0)                       \
    X(datetime, TimeLog, "TimeLog", 0)                   \
    X(bool, Processed, "Processed", 0)                   \
    X(short, Round, "Round", 0)                          \
    X(bool, UpdatedHlp, "UpdatedHlp", 0)                 \
    X(long, Custom_ID, "Custom_ID", 0)                   \
    X(bool, Custom_Processedmc, "Custom_Processedmc", 0) \
    X(long, Custom_PairNumber, "Custom_PairNumber", 0)   \
    X(long, Custom_PlayerSort, "Custom_PlayerSort", 0)   \
    X(text, Custom_PlayerName, "Custom_PlayerName", 255) \
    X(text, Custom_PlayerClub, "Custom_PlayerClub", 255) \
    X(double, Custom_Handicap, "Custom_Handicap", 0)

BWS_RECORD_CLASS(BC_RecPlayerNumbersD, BWS_COLUMNS_PlayerNumbersD)

#define BWS_COLUMNS_PlayerNumbersE(X)               \
    X(short, Section, "Section", 0)                 \
    X(short, Table, "Table", 0)                     \
    X(text, Direction, "Direction", 2)              \
    X(text, Number, "Number", 16)                   \
    X(text, Name, "Name", 19)                       \
    X(bool, Updated, "Updated", 0)                  \
    X(datetime, TimeLog, "TimeLog", 0)              \
    X(bool, Processed, "Processed", 0)              \
    X(short, Round, "Round", 0)                     \
    X(text, Custom_BS_Names, "Custom_BS_Names", 50) \
    X(short, Custom_BS_Pair, "Custom_BS_Pair", 0)

BWS_RECORD_CLASS(BC_RecPlayerNumbersE, BWS_COLUMNS_PlayerNumbersE)

#define BWS_COLUMNS_PlayerNumbersF(X)  \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(text, Direction, "Direction", 2) \
    X(text, Number, "Number", 16)      \
    X(text, Name, "Name", 19)          \
    X(bool, Updated, "Updated", 0)

BWS_RECORD_CLASS(BC_RecPlayerNumbersF, BWS_COLUMNS_PlayerNumbersF)

#define BWS_COLUMNS_PlayerNumbersG(X)  \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(text, Direction, "Direction", 2) \
    X(text, Number, "Number", 16)      \
    X(text, Name, "Name", 19)          \
    X(bool, Updated, "Updated", 0)     \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Processed, "Processed", 0) \
    X(short, Round, "Round", 0)        \
    X(bool, UpdatedHlp, "UpdatedHlp", 0)

BWS_RECORD_CLASS(BC_RecPlayerNumbersG, BWS_COLUMNS_PlayerNumbersG)

#define BWS_COLUMNS_PlayerNamesA(X) \
    X(long, ID, "ID", 0)            \
    X(text, Name, "Name", 18)       \
    X(text, strID, "strID", 18)

BWS_RECORD_CLASS(BC_RecPlayerNamesA, BWS_COLUMNS_PlayerNamesA)

#define BWS_COLUMNS_PlayerNamesB(X) \
    X(long, ID, "ID", 0)            \
    X(text, Name, "Name", 22)       \
    X(text, strID, "StrID", 22)

BWS_RECORD_CLASS(BC_RecPlayerNamesB, BWS_COLUMNS_PlayerNamesB)

#define BWS_COLUMNS_PlayerNamesC(X) \
    X(text, ID, "ID", 20)           \
    X(text, Name, "Name", 22)

BWS_RECORD_CLASS(BC_RecPlayerNamesC, BWS_COLUMNS_PlayerNamesC)
