// eImportType: the number of each known edition of the BWS layout. The
// number is what the report writes as "DBformat"; FormatName gives the name
// it writes as "DBformatName".
#pragma once

enum eImportType {
    US0_BWS = 5,
    DK0_BWS = 6,
    DK1_BWS = 7,
    DK2_BWS = 8,
    Ups = 9,
    US1_BWS = 10,
    US2_BWS = 11,
    UK0_BWS = 12,
    US3_BWS = 13,
    US4_BWS = 14,
    US5_BWS = 15,
    SW0_BWS = 16,
    SW2_BWS = 17,
    UK1_BWS = 18,
    SW3_BWS = 19,
    AU0_BWS = 20,
    SW4_BWS = 21,
    AU1_BWS = 22,
    AU2_BWS = 23,
    AU3_BWS = 24,
    IS0_BWS = 25,
    AU4_BWS = 26,
    SC0_BWS = 27,
    US6_BWS = 28,
};

constexpr int kFirstImportType = US0_BWS;
constexpr int kLastImportType = US6_BWS;

// The format's name ("US0_BWS" ... "US6_BWS", "Ups" for 9); "" for a number
// outside 5 to 28.
const char* FormatName(eImportType format);
