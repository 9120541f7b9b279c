#include "schema/schema_probe.h"

#include <gtest/gtest.h>

#include "schema/client_records.h"
#include "schema/movement_records.h"
#include "schema/result_records.h"

namespace {

void Result(BWSbase& record, std::initializer_list<std::pair<const char*, short>> columns) {
    record.resultColumns.clear();
    for (const auto& [name, type] : columns) {
        record.resultColumns.push_back({name, static_cast<unsigned short>(type)});
    }
}

TEST(ExemptColumnTest, FamiliesOfSomeEditionsAreExempt) {
    for (const char* name :
         {"USEBWSSETTINGS", "SHUTDOWNBPCNOW", "AUTOSHUTDOWNBPC", "BM2ANYTHING", "CUSTOM_BS_NAMES",
          "CUSTOM_PROCESSEDMC", "WINNERS", "EXTERNALUPDATE", "SUSPICIOUSCONTRACT", "CUSTOMX"}) {
        EXPECT_TRUE(IsExemptColumn(name)) << name;
    }
    for (const char* name : {"USEBWSSETTINGSX", "XBM2", "NOTES", "SECTION", "Custom_ID", ""}) {
        EXPECT_FALSE(IsExemptColumn(name)) << name;
    }
}

TEST(CheckColumnNamesTest, DeclaredColumnsOfTheirTypePassInAnyOrder) {
    BC_RecReceivedDataA record;
    Result(record, {{"REMARKS", SQL_VARCHAR},
                    {"SECTION", SQL_SMALLINT},
                    {"ID", SQL_INTEGER},
                    {"DATELOG", SQL_TYPE_TIMESTAMP},
                    {"ERASED", SQL_BIT},
                    {"EXTERNALUPDATE", SQL_BIT},
                    {"CUSTOMBOARDS", SQL_DOUBLE}});
    EXPECT_TRUE(CheckColumnNames(record));
}

TEST(CheckColumnNamesTest, EmptyResultPasses) {
    BC_RecRoundDataA record;
    EXPECT_TRUE(CheckColumnNames(record));
}

TEST(CheckColumnNamesTest, FirstFailingColumnDecidesWhateverFollows) {
    BC_RecRoundDataA record;
    Result(record, {{"SECTION", SQL_SMALLINT}, {"TABLE", SQL_DOUBLE}, {"ROUND", SQL_SMALLINT}});
    EXPECT_FALSE(CheckColumnNames(record));
}

TEST(CheckColumnNamesTest, UndeclaredColumnFails) {
    BC_RecRoundDataA record;
    Result(record, {{"SECTION", SQL_SMALLINT}, {"NOTES", SQL_VARCHAR}});
    EXPECT_FALSE(CheckColumnNames(record));
}

TEST(CheckColumnNamesTest, WideTextTypesCountAsTheirNarrowForms) {
    BC_RecReceivedDataA record;
    Result(record, {{"CONTRACT", SQL_WVARCHAR}});
    EXPECT_TRUE(CheckColumnNames(record));
    Result(record, {{"CONTRACT", SQL_LONGVARCHAR}});
    EXPECT_FALSE(CheckColumnNames(record));
    Result(record, {{"CONTRACT", SQL_WLONGVARCHAR}});
    EXPECT_FALSE(CheckColumnNames(record));
}

TEST(CheckColumnNamesTest, ShortAndLongAreInterchangeableButByteIsNot) {
    BC_RecRoundDataA roundData;  // Section declared short
    Result(roundData, {{"SECTION", SQL_INTEGER}});
    EXPECT_TRUE(CheckColumnNames(roundData));
    Result(roundData, {{"SECTION", SQL_TINYINT}});
    EXPECT_FALSE(CheckColumnNames(roundData));
    BC_RecClients clients;  // ID declared long
    Result(clients, {{"ID", SQL_SMALLINT}});
    EXPECT_TRUE(CheckColumnNames(clients));
    Result(clients, {{"ID", SQL_DOUBLE}});
    EXPECT_FALSE(CheckColumnNames(clients));
}

TEST(CheckColumnCountTest, UnopenedRecordCountsAsNoColumns) {
    BC_RecReceivedDataA record;
    int shortfall = 0;
    EXPECT_FALSE(CheckColumnCount(record, shortfall));
    EXPECT_EQ(shortfall, 21);
}

}  // namespace
