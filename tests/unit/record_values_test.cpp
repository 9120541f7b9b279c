#include <gtest/gtest.h>

#include "analysis/record_values.h"
#include "schema/movement_records.h"

namespace {

TEST(RecordValuesTest, ColumnsAreReadOnlyAsTheRecordDeclaresThem) {
    BC_RecSectionD section;
    section.Tables = 7;
    section.Letter = "B";
    EXPECT_EQ(IntegerValue(section, "TABLES"), 7);
    EXPECT_EQ(TextValue(section, "LETTER"), "B");
    // A misspelt name, and a declared column read as the other kind.
    EXPECT_THROW(IntegerValue(section, "TABLE"), UndeclaredColumn);
    EXPECT_THROW(TextValue(section, "TABLES"), UndeclaredColumn);
    try {
        IntegerValue(section, "LETTER");
        FAIL() << "a text column read as a number";
    } catch (const UndeclaredColumn& fault) {
        EXPECT_STREQ(fault.what(), "Table Section declares no integer column LETTER");
    }
}

// A column looked up once reads each row's value as it stands, and is as
// strict as a read by name, failing at the read rather than the look-up.
TEST(RecordValuesTest, ColumnLookedUpOnceReadsEachRowAndFailsOnlyWhenRead) {
    BC_RecSectionD section;
    const RecordColumn tables(section, "TABLES"), letter(section, "LETTER");
    const RecordColumn misspelt(section, "TABLE"), wrongKind(section, "LETTER");
    section.Tables = 7;
    section.Letter = "B";
    EXPECT_EQ(tables.Integer(), 7);
    EXPECT_EQ(letter.Text(), "B");
    section.Tables = 9;
    EXPECT_EQ(tables.Integer(), 9);
    EXPECT_THROW(misspelt.Integer(), UndeclaredColumn);
    try {
        wrongKind.Integer();
        FAIL() << "a text column read as a number";
    } catch (const UndeclaredColumn& fault) {
        EXPECT_STREQ(fault.what(), "Table Section declares no integer column LETTER");
    }
}

}  // namespace
