// Table records of the movement: RoundData, Section and Tables.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_RoundDataA(X)       \
    X(short, Section, "Section", 0)     \
    X(short, Table, "Table", 0)         \
    X(short, Round, "Round", 0)         \
    X(short, NSPair, "NSPair", 0)       \
    X(short, EWPair, "EWPair", 0)       \
    X(short, LowBoard, "LowBoard", 0)   \
    X(short, HighBoard, "HighBoard", 0) \
    X(text, CustomBoards, "CustomBoards", 255)

BWS_RECORD_CLASS(BC_RecRoundDataA, BWS_COLUMNS_RoundDataA)

#define BWS_COLUMNS_RoundDataB(X)              \
    X(short, Section, "Section", 0)            \
    X(short, Table, "Table", 0)                \
    X(short, Round, "Round", 0)                \
    X(short, NSPair, "NSPair", 0)              \
    X(short, EWPair, "EWPair", 0)              \
    X(short, LowBoard, "LowBoard", 0)          \
    X(short, HighBoard, "HighBoard", 0)        \
    X(text, CustomBoards, "CustomBoards", 255) \
    X(short, South, "South", 0)                \
    X(short, West, "West", 0)

BWS_RECORD_CLASS(BC_RecRoundDataB, BWS_COLUMNS_RoundDataB)

#define BWS_COLUMNS_RoundDataC(X)                              \
    X(short, Section, "Section", 0)                            \
    X(short, Table, "Table", 0)                                \
    X(short, Round, "Round", 0)                                \
    X(short, NSPair, "NSPair", 0)                              \
    X(short, EWPair, "EWPair", 0)                              \
    X(short, LowBoard, "LowBoard", 0)                          \
    X(short, HighBoard, "HighBoard", 0)                        \
    X(text, CustomBoards, "CustomBoards", 255)                 \
    X(long, Custom_Session, "Custom_Session", 0)               \
    X(long, Custom_IndividualEast, "Custom_IndividualEast", 0) \
    X(long, Custom_IndividualWest, "Custom_IndividualWest", 0)

BWS_RECORD_CLASS(BC_RecRoundDataC, BWS_COLUMNS_RoundDataC)

#define BWS_COLUMNS_SectionA(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 2)                     \
    X(short, Tables, "Tables", 0)                    \
    X(text, Description, "Description", 255)         \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)

BWS_RECORD_CLASS(BC_RecSectionA, BWS_COLUMNS_SectionA)

#define BWS_COLUMNS_SectionB(X)                       \
    X(short, ID, "ID", 0)                             \
    X(text, Letter, "Letter", 2)                      \
    X(short, Tables, "Tables", 0)                     \
    X(short, MissingPair, "MissingPair", 0)           \
    X(short, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)           \
    X(short, Session, "Session", 0)

BWS_RECORD_CLASS(BC_RecSectionB, BWS_COLUMNS_SectionB)

#define BWS_COLUMNS_SectionC(X)                       \
    X(short, ID, "ID", 0)                             \
    X(text, Letter, "Letter", 2)                      \
    X(short, Tables, "Tables", 0)                     \
    X(short, MissingPair, "MissingPair", 0)           \
    X(short, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)           \
    X(short, Session, "Session", 0)                   \
    X(short, Winners, "Winners", 0)

BWS_RECORD_CLASS(BC_RecSectionC, BWS_COLUMNS_SectionC)

#define BWS_COLUMNS_SectionD(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 3)                     \
    X(short, Tables, "Tables", 0)                    \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)          \
    X(short, Session, "Session", 0)

BWS_RECORD_CLASS(BC_RecSectionD, BWS_COLUMNS_SectionD)

#define BWS_COLUMNS_SectionE(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 3)                     \
    X(short, Tables, "Tables", 0)                    \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)

BWS_RECORD_CLASS(BC_RecSectionE, BWS_COLUMNS_SectionE)

#define BWS_COLUMNS_SectionF(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 3)                     \
    X(short, Tables, "Tables", 0)                    \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)          \
    X(short, Session, "Session", 0)                  \
    X(short, Winners, "Winners", 0)

BWS_RECORD_CLASS(BC_RecSectionF, BWS_COLUMNS_SectionF)

#define BWS_COLUMNS_SectionG(X)             \
    X(short, ID, "ID", 0)                   \
    X(text, Letter, "Letter", 3)            \
    X(short, Tables, "Tables", 0)           \
    X(short, MissingPair, "MissingPair", 0) \
    X(short, ScoringType, "ScoringType", 0)

BWS_RECORD_CLASS(BC_RecSectionG, BWS_COLUMNS_SectionG)

#define BWS_COLUMNS_SectionH(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 3)                     \
    X(short, Tables, "Tables", 0)                    \
    X(string, Description, "Description", 0)         \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)

BWS_RECORD_CLASS(BC_RecSectionH, BWS_COLUMNS_SectionH)

#define BWS_COLUMNS_SectionI(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 3)                     \
    X(short, Tables, "Tables", 0)                    \
    X(text, Description, "Description", 255)         \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)          \
    X(short, Session, "Session", 0)                  \
    X(short, Winners, "Winners", 0)

BWS_RECORD_CLASS(BC_RecSectionI, BWS_COLUMNS_SectionI)

#define BWS_COLUMNS_SectionJ(X)                      \
    X(short, ID, "ID", 0)                            \
    X(text, Letter, "Letter", 3)                     \
    X(short, Tables, "Tables", 0)                    \
    X(text, Description, "Description", 1024)        \
    X(short, MissingPair, "MissingPair", 0)          \
    X(long, EWMoveBeforePlay, "EWMoveBeforePlay", 0) \
    X(short, ScoringType, "ScoringType", 0)          \
    X(short, Session, "Session", 0)                  \
    X(short, Winners, "Winners", 0)

BWS_RECORD_CLASS(BC_RecSectionJ, BWS_COLUMNS_SectionJ)

#define BWS_COLUMNS_TablesA(X)                      \
    X(short, Section, "Section", 0)                 \
    X(short, Table, "Table", 0)                     \
    X(short, ComputerID, "ComputerID", 0)           \
    X(short, Status, "Status", 0)                   \
    X(short, LogOnOff, "LogOnOff", 0)               \
    X(bool, FreeInput, "FreeInput", 0)              \
    X(short, CurrentRound, "CurrentRound", 0)       \
    X(short, CurrentBoard, "CurrentBoard", 0)       \
    X(short, UpdateFromRound, "UpdateFromRound", 0) \
    X(long, Group, "Group", 0)

BWS_RECORD_CLASS(BC_RecTablesA, BWS_COLUMNS_TablesA)

#define BWS_COLUMNS_TablesB(X)                      \
    X(short, Section, "Section", 0)                 \
    X(short, Table, "Table", 0)                     \
    X(short, ComputerID, "ComputerID", 0)           \
    X(short, Status, "Status", 0)                   \
    X(short, LogOnOff, "LogOnOff", 0)               \
    X(short, CurrentRound, "CurrentRound", 0)       \
    X(short, CurrentBoard, "CurrentBoard", 0)       \
    X(short, UpdateFromRound, "UpdateFromRound", 0) \
    X(short, Group, "Group", 0)

BWS_RECORD_CLASS(BC_RecTablesB, BWS_COLUMNS_TablesB)

#define BWS_COLUMNS_TablesC(X)                      \
    X(short, Section, "Section", 0)                 \
    X(short, Table, "Table", 0)                     \
    X(short, ComputerID, "ComputerID", 0)           \
    X(short, Status, "Status", 0)                   \
    X(short, LogOnOff, "LogOnOff", 0)               \
    X(short, CurrentRound, "CurrentRound", 0)       \
    X(short, CurrentBoard, "CurrentBoard", 0)       \
    X(short, UpdateFromRound, "UpdateFromRound", 0) \
    X(long, Group, "Group", 0)

BWS_RECORD_CLASS(BC_RecTablesC, BWS_COLUMNS_TablesC)

#define BWS_COLUMNS_TablesD(X)                \
    X(short, Section, "Section", 0)           \
    X(short, Table, "Table", 0)               \
    X(short, ComputerID, "ComputerID", 0)     \
    X(short, Status, "Status", 0)             \
    X(short, LogOnOff, "LogOnOff", 0)         \
    X(short, CurrentRound, "CurrentRound", 0) \
    X(short, CurrentBoard, "CurrentBoard", 0) \
    X(short, UpdateFromRound, "UpdateFromRound", 0)

BWS_RECORD_CLASS(BC_RecTablesD, BWS_COLUMNS_TablesD)

#define BWS_COLUMNS_TablesE(X)                      \
    X(short, Section, "Section", 0)                 \
    X(short, Table, "Table", 0)                     \
    X(short, ComputerID, "ComputerID", 0)           \
    X(short, Status, "Status", 0)                   \
    X(short, LogOnOff, "LogOnOff", 0)               \
    X(bool, FreeInput, "FreeInput", 0)              \
    X(short, CurrentRound, "CurrentRound", 0)       \
    X(short, CurrentBoard, "CurrentBoard", 0)       \
    X(short, UpdateFromRound, "UpdateFromRound", 0) \
    X(short, Group, "Group", 0)

BWS_RECORD_CLASS(BC_RecTablesE, BWS_COLUMNS_TablesE)

#define BWS_COLUMNS_TablesF(X)                          \
    X(short, Section, "Section", 0)                     \
    X(short, Table, "Table", 0)                         \
    X(short, ComputerID, "ComputerID", 0)               \
    X(short, Status, "Status", 0)                       \
    X(short, LogOnOff, "LogOnOff", 0)                   \
    X(short, CurrentRound, "CurrentRound", 0)           \
    X(short, CurrentBoard, "CurrentBoard", 0)           \
    X(short, UpdateFromRound, "UpdateFromRound", 0)     \
    X(short, Group, "Group", 0)                         \
    X(text, Custom_section_bm, "Custom_section_bm", 10) \
    X(short, Custom_table_bm, "Custom_table_bm", 0)     \
    X(bool, Custom_updateTableAlias, "Custom_updateTableAlias", 0)

BWS_RECORD_CLASS(BC_RecTablesF, BWS_COLUMNS_TablesF)
