// Table records of deals and results: HandRecord, IntermediateData and ReceivedData.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_HandRecordA(X)              \
    X(short, Section, "Section", 0)             \
    X(short, Board, "Board", 0)                 \
    X(text, NorthSpades, "NorthSpades", 13)     \
    X(text, NorthHearts, "NorthHearts", 13)     \
    X(text, NorthDiamonds, "NorthDiamonds", 13) \
    X(text, NorthClubs, "NorthClubs", 13)       \
    X(text, EastSpades, "EastSpades", 13)       \
    X(text, EastHearts, "EastHearts", 13)       \
    X(text, EastDiamonds, "EastDiamonds", 13)   \
    X(text, EastClubs, "EastClubs", 13)         \
    X(text, SouthSpades, "SouthSpades", 13)     \
    X(text, SouthHearts, "SouthHearts", 13)     \
    X(text, SouthDiamonds, "SouthDiamonds", 13) \
    X(text, SouthClubs, "SouthClubs", 13)       \
    X(text, WestSpades, "WestSpades", 13)       \
    X(text, WestHearts, "WestHearts", 13)       \
    X(text, WestDiamonds, "WestDiamonds", 13)   \
    X(text, WestClubs, "WestClubs", 14)

BWS_RECORD_CLASS(BC_RecHandRecordA, BWS_COLUMNS_HandRecordA)

#define BWS_COLUMNS_HandRecordB(X)              \
    X(short, Section, "Section", 0)             \
    X(short, Board, "Board", 0)                 \
    X(text, NorthSpades, "NorthSpades", 13)     \
    X(text, NorthHearts, "NorthHearts", 13)     \
    X(text, NorthDiamonds, "NorthDiamonds", 13) \
    X(text, NorthClubs, "NorthClubs", 13)       \
    X(text, EastSpades, "EastSpades", 13)       \
    X(text, EastHearts, "EastHearts", 13)       \
    X(text, EastDiamonds, "EastDiamonds", 13)   \
    X(text, EastClubs, "EastClubs", 13)         \
    X(text, SouthSpades, "SouthSpades", 13)     \
    X(text, SouthHearts, "SouthHearts", 13)     \
    X(text, SouthDiamonds, "SouthDiamonds", 13) \
    X(text, SouthClubs, "SouthClubs", 13)       \
    X(text, WestSpades, "WestSpades", 13)       \
    X(text, WestHearts, "WestHearts", 13)       \
    X(text, WestDiamonds, "WestDiamonds", 13)   \
    X(text, WestClubs, "WestClubs", 14)         \
    X(long, Custom_ID, "Custom_ID", 0)

BWS_RECORD_CLASS(BC_RecHandRecordB, BWS_COLUMNS_HandRecordB)

#define BWS_COLUMNS_IntermediateDataA(X) \
    X(long, ID, "ID", 0)                 \
    X(short, Section, "Section", 0)      \
    X(short, Table, "Table", 0)          \
    X(short, Round, "Round", 0)          \
    X(short, Board, "Board", 0)          \
    X(short, PairNS, "PairNS", 0)        \
    X(short, PairEW, "PairEW", 0)        \
    X(short, Declarer, "Declarer", 0)    \
    X(text, NS_EW, "NS/EW", 2)           \
    X(text, Contract, "Contract", 10)    \
    X(text, Result, "Result", 10)        \
    X(text, LeadCard, "LeadCard", 10)    \
    X(text, Remarks, "Remarks", 255)     \
    X(datetime, DateLog, "DateLog", 0)   \
    X(datetime, TimeLog, "TimeLog", 0)   \
    X(bool, Processed, "Processed", 0)   \
    X(bool, Processed1, "Processed1", 0) \
    X(bool, Processed2, "Processed2", 0) \
    X(bool, Processed3, "Processed3", 0) \
    X(bool, Processed4, "Processed4", 0) \
    X(bool, Erased, "Erased", 0)

BWS_RECORD_CLASS(BC_RecIntermediateDataA, BWS_COLUMNS_IntermediateDataA)

#define BWS_COLUMNS_IntermediateDataB(X) \
    X(long, ID, "ID", 0)                 \
    X(short, Section, "Section", 0)      \
    X(short, Table, "Table", 0)          \
    X(short, Round, "Round", 0)          \
    X(short, Board, "Board", 0)          \
    X(short, PairNS, "PairNS", 0)        \
    X(short, PairEW, "PairEW", 0)        \
    X(short, Declarer, "Declarer", 0)    \
    X(text, NS_EW, "NS/EW", 2)           \
    X(text, Contract, "Contract", 10)    \
    X(text, Result, "Result", 10)        \
    X(text, LeadCard, "LeadCard", 10)    \
    X(text, Remarks, "Remarks", 255)     \
    X(datetime, DateLog, "DateLog", 0)   \
    X(datetime, TimeLog, "TimeLog", 0)   \
    X(bool, Processed, "Processed", 0)   \
    X(bool, Processed1, "Processed1", 0) \
    X(bool, Processed2, "Processed2", 0) \
    X(bool, Processed3, "Processed3", 0) \
    X(bool, Processed4, "Processed4", 0) \
    X(bool, Erased, "Erased", 0)         \
    X(bool, ExternalUpdate, "ExternalUpdate", 0)

BWS_RECORD_CLASS(BC_RecIntermediateDataB, BWS_COLUMNS_IntermediateDataB)

#define BWS_COLUMNS_IntermediateDataC(X)         \
    X(long, ID, "ID", 0)                         \
    X(short, Section, "Section", 0)              \
    X(short, Table, "Table", 0)                  \
    X(short, Round, "Round", 0)                  \
    X(short, Board, "Board", 0)                  \
    X(short, PairNS, "PairNS", 0)                \
    X(short, PairEW, "PairEW", 0)                \
    X(short, Declarer, "Declarer", 0)            \
    X(text, NS_EW, "NS/EW", 2)                   \
    X(text, Contract, "Contract", 10)            \
    X(text, Result, "Result", 10)                \
    X(text, LeadCard, "LeadCard", 10)            \
    X(text, Remarks, "Remarks", 255)             \
    X(datetime, DateLog, "DateLog", 0)           \
    X(datetime, TimeLog, "TimeLog", 0)           \
    X(bool, Processed, "Processed", 0)           \
    X(bool, Processed1, "Processed1", 0)         \
    X(bool, Processed2, "Processed2", 0)         \
    X(bool, Processed3, "Processed3", 0)         \
    X(bool, Processed4, "Processed4", 0)         \
    X(bool, Erased, "Erased", 0)                 \
    X(bool, ExternalUpdate, "ExternalUpdate", 0) \
    X(bool, Custom_Processedmc, "Custom_Processedmc", 0)

BWS_RECORD_CLASS(BC_RecIntermediateDataC, BWS_COLUMNS_IntermediateDataC)

#define BWS_COLUMNS_ReceivedDataA(X)     \
    X(long, ID, "ID", 0)                 \
    X(short, Section, "Section", 0)      \
    X(short, Table, "Table", 0)          \
    X(short, Round, "Round", 0)          \
    X(short, Board, "Board", 0)          \
    X(short, PairNS, "PairNS", 0)        \
    X(short, PairEW, "PairEW", 0)        \
    X(short, Declarer, "Declarer", 0)    \
    X(text, NS_EW, "NS/EW", 2)           \
    X(text, Contract, "Contract", 10)    \
    X(text, Result, "Result", 10)        \
    X(text, LeadCard, "LeadCard", 10)    \
    X(text, Remarks, "Remarks", 255)     \
    X(datetime, DateLog, "DateLog", 0)   \
    X(datetime, TimeLog, "TimeLog", 0)   \
    X(bool, Processed, "Processed", 0)   \
    X(bool, Processed1, "Processed1", 0) \
    X(bool, Processed2, "Processed2", 0) \
    X(bool, Processed3, "Processed3", 0) \
    X(bool, Processed4, "Processed4", 0) \
    X(bool, Erased, "Erased", 0)

BWS_RECORD_CLASS(BC_RecReceivedDataA, BWS_COLUMNS_ReceivedDataA)

#define BWS_COLUMNS_ReceivedDataB(X)     \
    X(long, ID, "ID", 0)                 \
    X(short, Section, "Section", 0)      \
    X(short, Table, "Table", 0)          \
    X(short, Round, "Round", 0)          \
    X(short, Board, "Board", 0)          \
    X(short, PairNS, "PairNS", 0)        \
    X(short, PairEW, "PairEW", 0)        \
    X(short, Declarer, "Declarer", 0)    \
    X(text, NS_EW, "NS/EW", 2)           \
    X(text, Contract, "Contract", 10)    \
    X(text, Result, "Result", 10)        \
    X(text, LeadCard, "LeadCard", 10)    \
    X(text, Remarks, "Remarks", 255)     \
    X(datetime, DateLog, "DateLog", 0)   \
    X(datetime, TimeLog, "TimeLog", 0)   \
    X(bool, Processed, "Processed", 0)   \
    X(bool, Processed1, "Processed1", 0) \
    X(bool, Processed2, "Processed2", 0) \
    X(bool, Processed3, "Processed3", 0) \
    X(bool, Processed4, "Processed4", 0) \
    X(bool, Erased, "Erased", 0)         \
    X(bool, ExternalUpdate, "ExternalUpdate", 0)

BWS_RECORD_CLASS(BC_RecReceivedDataB, BWS_COLUMNS_ReceivedDataB)

#define BWS_COLUMNS_ReceivedDataC(X)             \
    X(long, ID, "ID", 0)                         \
    X(short, Section, "Section", 0)              \
    X(short, Table, "Table", 0)                  \
    X(short, Round, "Round", 0)                  \
    X(short, Board, "Board", 0)                  \
    X(short, PairNS, "PairNS", 0)                \
    X(short, PairEW, "PairEW", 0)                \
    X(short, Declarer, "Declarer", 0)            \
    X(text, NS_EW, "NS/EW", 2)                   \
    X(text, Contract, "Contract", 10)            \
    X(text, Result, "Result", 10)                \
    X(text, LeadCard, "LeadCard", 10)            \
    X(text, Remarks, "Remarks", 255)             \
    X(datetime, DateLog, "DateLog", 0)           \
    X(datetime, TimeLog, "TimeLog", 0)           \
    X(bool, Processed, "Processed", 0)           \
    X(bool, Processed1, "Processed1", 0)         \
    X(bool, Processed2, "Processed2", 0)         \
    X(bool, Processed3, "Processed3", 0)         \
    X(bool, Processed4, "Processed4", 0)         \
    X(bool, Erased, "Erased", 0)                 \
    X(bool, ExternalUpdate, "ExternalUpdate", 0) \
    X(short, SuspiciousContract, "SuspiciousContract", 0)

BWS_RECORD_CLASS(BC_RecReceivedDataC, BWS_COLUMNS_ReceivedDataC)

#define BWS_COLUMNS_ReceivedDataD(X)             \
    X(long, ID, "ID", 0)                         \
    X(short, Section, "Section", 0)              \
    X(short, Table, "Table", 0)                  \
    X(short, Round, "Round", 0)                  \
    X(short, Board, "Board", 0)                  \
    X(short, PairNS, "PairNS", 0)                \
    X(short, PairEW, "PairEW", 0)                \
    X(short, Declarer, "Declarer", 0)            \
    X(text, NS_EW, "NS/EW", 2)                   \
    X(text, Contract, "Contract", 10)            \
    X(text, Result, "Result", 10)                \
    X(text, LeadCard, "LeadCard", 10)            \
    X(text, Remarks, "Remarks", 255)             \
    X(datetime, DateLog, "DateLog", 0)           \
    X(datetime, TimeLog, "TimeLog", 0)           \
    X(bool, Processed, "Processed", 0)           \
    X(bool, Processed1, "Processed1", 0)         \
    X(bool, Processed2, "Processed2", 0)         \
    X(bool, Processed3, "Processed3", 0)         \
    X(bool, Processed4, "Processed4", 0)         \
    X(bool, Erased, "Erased", 0)                 \
    X(bool, ExternalUpdate, "ExternalUpdate", 0) \
    X(short, South, "South", 0)                  \
    X(short, West, "West", 0)

BWS_RECORD_CLASS(BC_RecReceivedDataD, BWS_COLUMNS_ReceivedDataD)

#define BWS_COLUMNS_ReceivedDataE(X)             \
    X(long, ID, "ID", 0)                         \
    X(short, Section, "Section", 0)              \
    X(short, Table, "Table", 0)                  \
    X(short, Round, "Round", 0)                  \
    X(short, Board, "Board", 0)                  \
    X(short, PairNS, "PairNS", 0)                \
    X(short, PairEW, "PairEW", 0)                \
    X(short, Declarer, "Declarer", 0)            \
    X(text, NS_EW, "NS/EW", 2)                   \
    X(text, Contract, "Contract", 10)            \
    X(text, Result, "Result", 10)                \
    X(text, LeadCard, "LeadCard", 10)            \
    X(text, Remarks, "Remarks", 255)             \
    X(datetime, DateLog, "DateLog", 0)           \
    X(datetime, TimeLog, "TimeLog", 0)           \
    X(bool, Processed, "Processed", 0)           \
    X(bool, Processed1, "Processed1", 0)         \
    X(bool, Processed2, "Processed2", 0)         \
    X(bool, Processed3, "Processed3", 0)         \
    X(bool, Processed4, "Processed4", 0)         \
    X(bool, Erased, "Erased", 0)                 \
    X(bool, ExternalUpdate, "ExternalUpdate", 0) \
    X(bool, Custom_Processedmc, "Custom_Processedmc", 0)

BWS_RECORD_CLASS(BC_RecReceivedDataE, BWS_COLUMNS_ReceivedDataE)

#define BWS_COLUMNS_ReceivedDataF(X)                     \
    X(long, ID, "ID", 0)                                 \
    X(short, Section, "Section", 0)                      \
    X(short, Table, "Table", 0)                          \
    X(short, Round, "Round", 0)                          \
    X(short, Board, "Board", 0)                          \
    X(short, PairNS, "PairNS", 0)                        \
    X(short, PairEW, "PairEW", 0)                        \
    X(short, Declarer, "Declarer", 0)                    \
    X(text, NS_EW, "NS/EW", 2)                           \
    X(text, Contract, "Contract", 10)                    \
    X(text, Result, "Result", 10)                        \
    X(text, LeadCard, "LeadCard", 10)                    \
    X(text, Remarks, "Remarks", 255)                     \
    X(datetime, DateLog, "DateLog", 0)                   \
    X(datetime, TimeLog, "TimeLog", 0)                   \
    X(bool, Processed, "Processed", 0)                   \
    X(bool, Processed1, "Processed1", 0)                 \
    X(bool, Processed2, "Processed2", 0)                 \
    X(bool, Processed3, "Processed3", 0)                 \
    X(bool, Processed4, "Processed4", 0)                 \
    X(bool, Erased, "Erased", 0)                         \
    X(bool, ExternalUpdate, "ExternalUpdate", 0)         \
    X(bool, Custom_Processedmc, "Custom_Processedmc", 0) \
    X(short, SuspiciousContract, "SuspiciousContract", 0)

BWS_RECORD_CLASS(BC_RecReceivedDataF, BWS_COLUMNS_ReceivedDataF)
