// Table records of the bids and cards entered at the tables: BiddingData and PlayData.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_BiddingDataA(X)    \
    X(long, ID, "ID", 0)               \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(short, Round, "Round", 0)        \
    X(short, Board, "Board", 0)        \
    X(short, Counter, "Counter", 0)    \
    X(text, Direction, "Direction", 2) \
    X(text, Bid, "Bid", 10)            \
    X(datetime, DateLog, "DateLog", 0) \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Erased, "Erased", 0)

class BC_RecBiddingData : public BWSbase {
  public:
    BC_RecBiddingData();
    BWS_COLUMNS_BiddingDataA(BWS_RECORD_MEMBER)

        private : static const char* TableName() {
        return "BiddingData";
    }
};

#define BWS_COLUMNS_BiddingDataB(X)    \
    X(long, ID, "ID", 0)               \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(short, Round, "Round", 0)        \
    X(short, Board, "Board", 0)        \
    X(short, Counter, "Counter", 0)    \
    X(text, Direction, "Direction", 2) \
    X(text, Bid, "Bid", 10)            \
    X(datetime, DateLog, "DateLog", 0) \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Erased, "Erased", 0)       \
    X(bool, Custom_Processedmc, "Custom_Processedmc", 0)

BWS_RECORD_CLASS(BC_RecBiddingDataB, BWS_COLUMNS_BiddingDataB)

#define BWS_COLUMNS_PlayDataA(X)       \
    X(long, ID, "ID", 0)               \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(short, Round, "Round", 0)        \
    X(short, Board, "Board", 0)        \
    X(short, Counter, "Counter", 0)    \
    X(text, Direction, "Direction", 2) \
    X(text, Card, "Card", 10)          \
    X(datetime, DateLog, "DateLog", 0) \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Erased, "Erased", 0)

BWS_RECORD_CLASS(BC_RecPlayDataA, BWS_COLUMNS_PlayDataA)

#define BWS_COLUMNS_PlayDataB(X)       \
    X(long, ID, "ID", 0)               \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(short, Round, "Round", 0)        \
    X(short, Board, "Board", 0)        \
    X(short, Counter, "Counter", 0)    \
    X(text, Direction, "Direction", 2) \
    X(text, Card, "Card", 10)          \
    X(datetime, DateLog, "DateLog", 0) \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Erased, "Erased", 0)       \
    X(bool, Custom_Processedmc, "Custom_Processedmc", 0)

BWS_RECORD_CLASS(BC_RecPlayDataB, BWS_COLUMNS_PlayDataB)

#define BWS_COLUMNS_PlayDataC(X)       \
    X(long, ID, "ID", 0)               \
    X(short, Section, "Section", 0)    \
    X(short, Table, "Table", 0)        \
    X(short, Round, "Round", 0)        \
    X(short, Board, "Board", 0)        \
    X(short, Counter, "Counter", 0)    \
    X(text, Direction, "Direction", 2) \
    X(text, Bid, "Bid", 10)            \
    X(datetime, DateLog, "DateLog", 0) \
    X(datetime, TimeLog, "TimeLog", 0) \
    X(bool, Erased, "Erased", 0)

BWS_RECORD_CLASS(BC_RecPlayDataC, BWS_COLUMNS_PlayDataC)
