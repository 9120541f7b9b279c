#include <gtest/gtest.h>

#include "schema/client_records.h"
#include "schema/format_catalogue.h"
#include "schema/movement_records.h"
#include "schema/play_records.h"
#include "schema/player_records.h"
#include "schema/result_records.h"
#include "schema/session_record.h"
#include "schema/settings_records.h"

namespace {

TEST(TableRecordsTest, ColumnCountsFollowTheLayouts) {
    EXPECT_EQ(BC_RecBiddingData().ColumnCount(), 11);
    EXPECT_EQ(BC_RecBiddingDataB().ColumnCount(), 12);
    EXPECT_EQ(BC_RecClients().ColumnCount(), 2);
    EXPECT_EQ(BC_RecClientsB().ColumnCount(), 8);
    EXPECT_EQ(BC_RecHandRecordA().ColumnCount(), 18);
    EXPECT_EQ(BC_RecReceivedDataA().ColumnCount(), 21);
    EXPECT_EQ(BC_RecReceivedDataF().ColumnCount(), 24);
    EXPECT_EQ(BC_RecIntermediateDataC().ColumnCount(), 23);
    EXPECT_EQ(BC_RecPlayerNumbersC().ColumnCount(), 5);
    EXPECT_EQ(BC_RecPlayerNumbersD().ColumnCount(), 17);
    EXPECT_EQ(BC_RecSettingsF().ColumnCount(), 44);
    EXPECT_EQ(BC_RecSettingsB().ColumnCount(), 43);
    EXPECT_EQ(BC_RecSectionI().ColumnCount(), 9);
    EXPECT_EQ(BC_RecTablesF().ColumnCount(), 12);
    EXPECT_EQ(BC_RecRoundDataC().ColumnCount(), 11);
    EXPECT_EQ(BC_RecSession().ColumnCount(), 7);
}

TEST(TableRecordsTest, SelectListIsTheBracketedTable) {
    BC_RecSectionD section;
    EXPECT_STREQ(section.selectList.GetString(), "[Section].*");
    EXPECT_STREQ(section.tableName.GetString(), "Section");
    BC_RecReceivedDataC received;
    EXPECT_STREQ(received.selectList.GetString(), "[ReceivedData].*");
}

TEST(TableRecordsTest, SpellingsDifferingInCaseNameOneColumn) {
    BC_RecSettingsA settingsA;
    BC_RecSettingsF settingsF;
    ASSERT_EQ(settingsA.columns.count("BM2CONFIRMNP"), 1u);
    ASSERT_EQ(settingsF.columns.count("BM2CONFIRMNP"), 1u);
    EXPECT_EQ(settingsA.columns.at("BM2CONFIRMNP").name, "BM2ConfirmNP");
    EXPECT_EQ(settingsF.columns.at("BM2CONFIRMNP").name, "BM2CONFIRMNP");
    EXPECT_EQ(settingsF.columns.at("BM2PINCODE").name, "BM2PinCode");
    EXPECT_EQ(BC_RecSettingsG().columns.at("AUTOSHUTDOWNBPC").name, "AutoShutdownBpc");
    EXPECT_EQ(BC_RecPlayerNamesB().columns.at("STRID").name, "StrID");
}

TEST(TableRecordsTest, KindsDecideTypesAndWidths) {
    BC_RecReceivedDataA received;
    const auto& nsew = received.columns.at("NS/EW");
    EXPECT_EQ(nsew.kind, BWSbase::Text);
    EXPECT_EQ(nsew.size, 2);
    EXPECT_EQ(nsew.sqlType, SQL_VARCHAR);
    EXPECT_EQ(received.columns.at("SECTION").cType, SQL_C_SSHORT);
    EXPECT_EQ(received.columns.at("ID").sqlType, SQL_INTEGER);
    EXPECT_EQ(received.columns.at("PROCESSED").cType, SQL_C_BIT);
    EXPECT_EQ(received.columns.at("DATELOG").sqlType, SQL_TYPE_TIMESTAMP);
    EXPECT_EQ(BC_RecHandRecordA().columns.at("WESTCLUBS").size, 14);
    EXPECT_EQ(BC_RecHandRecordA().columns.at("WESTHEARTS").size, 13);
    EXPECT_EQ(BC_RecSectionH().columns.at("DESCRIPTION").kind, BWSbase::String);
    EXPECT_EQ(BC_RecSectionJ().columns.at("DESCRIPTION").size, 1024);
    EXPECT_EQ(BC_RecPlayerNumbersD().columns.at("CUSTOM_HANDICAP").sqlType, SQL_DOUBLE);
}

TEST(TableRecordsTest, MembersAreBoundToTheirOwnColumns) {
    BC_RecRoundDataA record;
    EXPECT_EQ(record.columns.at("NSPAIR").member, &record.NSPair);
    EXPECT_EQ(record.columns.at("CUSTOMBOARDS").member, &record.CustomBoards);
    BC_RecReceivedDataA received;
    EXPECT_EQ(received.columns.at("NS/EW").member, &received.NS_EW);
}

TEST(FormatCatalogueTest, DetectionSetsFollowTheTableOrderAndSkipMissingTables) {
    auto set = BuildDetectionSet(UK0_BWS);
    std::vector<std::string> names;
    for (const auto& record : set) names.push_back(record->tableName.GetString());
    const std::vector<std::string> expected = {
        "BiddingData",  "Clients",   "HandRecord", "PlayData", "PlayerNames", "PlayerNumbers",
        "ReceivedData", "RoundData", "Section",    "Settings", "Tables"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(BuildDetectionSet(DK2_BWS).size(), 11u);  // no Settings
    EXPECT_EQ(BuildDetectionSet(US0_BWS).size(), 12u);
}

TEST(FormatCatalogueTest, LayoutsOfSomeFormats) {
    EXPECT_EQ(LayoutOf(SW2_BWS, BwsTable::ReceivedData), 'F');
    EXPECT_EQ(LayoutOf(IS0_BWS, BwsTable::Settings), 'J');
    EXPECT_EQ(LayoutOf(US4_BWS, BwsTable::PlayerNames), '-');
    EXPECT_EQ(LayoutOf(SC0_BWS, BwsTable::Section), 'J');
    EXPECT_EQ(LayoutOf(AU1_BWS, BwsTable::PlayerNumbers), 'E');
    EXPECT_EQ(LayoutOf(US6_BWS, BwsTable::Session), 'A');
    EXPECT_EQ(MakeRecord(BwsTable::Section, 'K'), nullptr);
}

}  // namespace
