// The tournament reader on real files: every failure message, the three
// variants of the formats, and the movements that need care.
#include <gtest/gtest.h>

#include "analysis/tournament_reader.h"
#include "tests/integration/integration_env.h"

namespace {

using jetwriter::Value;

// A barometer Howell of two tables and four pairs: three rounds of two boards.
void AddHowell(BwsFixture& fixture, int section) {
    const int pairs[3][4] = {{1, 2, 3, 4}, {1, 3, 4, 2}, {1, 4, 2, 3}};
    for (int round = 1; round <= 3; ++round) {
        AddRound(fixture, section, 1, round, pairs[round - 1][0], pairs[round - 1][1],
                 2 * round - 1, 2 * round);
        AddRound(fixture, section, 2, round, pairs[round - 1][2], pairs[round - 1][3],
                 2 * round - 1, 2 * round);
    }
}

// A Mitchell of three tables numbered 1-3 both ways: one board per round,
// boards moving down a table, EW pairs up.
void AddMitchell(BwsFixture& fixture, int section, int boardsPerRound = 1) {
    for (int round = 1; round <= 3; ++round) {
        for (int table = 1; table <= 3; ++table) {
            const int ew = (table - 1 - (round - 1) + 3) % 3 + 1;
            const int set = (table - 1 + (round - 1)) % 3;
            AddRound(fixture, section, table, round, table, ew, set * boardsPerRound + 1,
                     set * boardsPerRound + boardsPerRound);
        }
    }
}

class TournamentReaderTest : public ::testing::Test {
  protected:
    // Writes the fixture and reads it as format; returns Read's result.
    bool ReadAs(const BwsFixture& fixture, eImportType format) {
        WriteAndUse(fixture, folder_.Path("event.bws"));
        reader_ = std::make_unique<TournamentReader>(format);
        return reader_->Read(error_);
    }
    std::string Error() const { return error_.GetString(); }
    const CBWS_SectionInfo& Section(int number) const { return reader_->Sections.at(number); }

    TemporaryFolder folder_;
    std::unique_ptr<TournamentReader> reader_;
    CString error_;
};

TEST_F(TournamentReaderTest, BarometerHowellIsReadWhole) {
    BwsFixture fixture(US0_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text("Tuesday Pairs")}});
    AddHowell(fixture, 1);
    AddSection(fixture, 1, "A", 2);
    fixture.AddRow("PlayerNumbers", {{"Section", Value::Integer(1)},
                                     {"Table", Value::Integer(1)},
                                     {"Direction", Value::Text("N")},
                                     {"Number", Value::Text("17")},
                                     {"Name", Value::Text("Ann")}});
    fixture.AddRow("PlayerNumbers", {{"Section", Value::Integer(1)},
                                     {"Table", Value::Integer(1)},
                                     {"Direction", Value::Text("x")},
                                     {"Number", Value::Text("18")}});
    fixture.AddRow("PlayerNumbers", {{"Section", Value::Integer(9)},
                                     {"Table", Value::Integer(1)},
                                     {"Direction", Value::Text("S")},
                                     {"Number", Value::Text("19")}});
    fixture.AddRow("ReceivedData", {{"Section", Value::Integer(1)}});
    fixture.AddRow("ReceivedData", {{"Section", Value::Integer(1)}});
    fixture.AddRow("HandRecord", {{"Section", Value::Integer(1)}, {"Board", Value::Integer(1)}});
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    EXPECT_EQ(reader_->TourName, "Tuesday Pairs");
    const CBWS_SectionInfo& a = Section(1);
    EXPECT_EQ(a.SectionName, "A");
    EXPECT_EQ(a.Tables, 2);
    EXPECT_EQ(a.Rounds, 3);
    EXPECT_EQ(a.BoardsPerRound, 2);
    EXPECT_EQ(a.HighBoard, 6);
    EXPECT_EQ(a.BoardsNeeded, 6);
    EXPECT_EQ(a.Pairs, 4);
    EXPECT_EQ(a.Teams, 4);
    EXPECT_TRUE(a.Barometer);
    EXPECT_FALSE(a.UnsortedRounds);
    EXPECT_TRUE(a.Transformable);
    EXPECT_EQ(a.Halfs, 1);
    EXPECT_EQ(a.MovementType, MovementOrdinary);
    EXPECT_EQ(a.PlayerNamesRead, 1);
    EXPECT_EQ(a.Players.at({1, North}).Name, "Ann");
    EXPECT_EQ(a.ReceivedDataRead, 2);
    EXPECT_EQ(a.HandRecordsRead, 1);
}

TEST_F(TournamentReaderTest, MitchellWithoutDistributionCheckIsIgnored) {
    BwsFixture fixture(US0_BWS);
    AddMitchell(fixture, 1);
    AddSection(fixture, 1, "A", 3);
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    const CBWS_SectionInfo& a = Section(1);
    EXPECT_TRUE(a.PairNumbersRepeat);
    EXPECT_TRUE(a.Ignore);
    EXPECT_EQ(a.MovementType, MovementStationaryNS);
    EXPECT_EQ(a.BoardsNeeded, 0);
    EXPECT_TRUE(a.Transformable);
    EXPECT_EQ(a.Halfs, 1);
}

TEST_F(TournamentReaderTest, MitchellWithDistributionCheckIsRenumberedAndChecked) {
    BwsFixture fixture(DK0_BWS);
    AddMitchell(fixture, 1, 2);
    AddSection(fixture, 1, "A", 3);
    ASSERT_TRUE(ReadAs(fixture, DK0_BWS)) << Error();
    const CBWS_SectionInfo& a = Section(1);
    EXPECT_FALSE(a.Ignore);
    EXPECT_EQ(a.MovementType, MovementDefault);
    EXPECT_EQ(a.Halfs, 1);  // three ranges over three rounds
    for (const auto& entry : a.RBTmap) {
        EXPECT_GE(entry.second.EWPair, 4);
        EXPECT_LE(entry.second.EWPair, 6);
    }
    EXPECT_TRUE(a.Transformable);
    EXPECT_EQ(a.BoardsNeeded, 6);
}

TEST_F(TournamentReaderTest, StationaryNsWithMovingEwIsMovementTwo) {
    BwsFixture fixture(US0_BWS);
    // NS pairs 1 and 2 stay at tables 1 and 2; EW pairs 3 and 4 swap.
    AddRound(fixture, 1, 1, 1, 1, 3, 1, 2);
    AddRound(fixture, 1, 2, 1, 2, 4, 3, 4);
    AddRound(fixture, 1, 1, 2, 1, 4, 3, 4);
    AddRound(fixture, 1, 2, 2, 2, 3, 1, 2);
    AddSection(fixture, 1, "A", 2);
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    EXPECT_EQ(Section(1).MovementType, MovementStationaryNS);
    EXPECT_TRUE(Section(1).Ignore);
}

TEST_F(TournamentReaderTest, HalvesShiftTheBoardsOfLaterRounds) {
    BwsFixture fixture(DK0_BWS);
    // Mitchell numbering, four rounds over two board ranges (1-2, 3-4):
    // rounds 3 and 4 play the same ranges again as a second half.
    const int sets[4][2] = {{1, 3}, {3, 1}, {1, 3}, {3, 1}};
    const int ew[4][2] = {{1, 2}, {2, 1}, {1, 2}, {2, 1}};
    for (int round = 1; round <= 4; ++round) {
        for (int table = 1; table <= 2; ++table) {
            const int low = sets[round - 1][table - 1];
            AddRound(fixture, 1, table, round, table, ew[round - 1][table - 1], low, low + 1);
        }
    }
    AddSection(fixture, 1, "A", 2);
    ASSERT_TRUE(ReadAs(fixture, DK0_BWS)) << Error();
    const CBWS_SectionInfo& a = Section(1);
    EXPECT_EQ(a.Halfs, 2);
    EXPECT_EQ(a.HighBoard, 8);  // boards of rounds 3 and 4 moved up by 2 * (1 + 1)
    EXPECT_EQ(a.BoardsNeeded, 8);
}

TEST_F(TournamentReaderTest, UnsortedRoundsOfABarometer) {
    BwsFixture fixture(US0_BWS);
    const int lows[3] = {1, 5, 3};
    const int pairs[3][4] = {{1, 2, 3, 4}, {1, 3, 4, 2}, {1, 4, 2, 3}};
    for (int round = 1; round <= 3; ++round) {
        AddRound(fixture, 1, 1, round, pairs[round - 1][0], pairs[round - 1][1], lows[round - 1],
                 lows[round - 1] + 1);
        AddRound(fixture, 1, 2, round, pairs[round - 1][2], pairs[round - 1][3], lows[round - 1],
                 lows[round - 1] + 1);
    }
    AddSection(fixture, 1, "A", 2);
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    EXPECT_TRUE(Section(1).Barometer);
    EXPECT_TRUE(Section(1).UnsortedRounds);
}

TEST_F(TournamentReaderTest, NonBarometerGoesOnUnlessRefused) {
    BwsFixture fixture(US0_BWS);
    AddRound(fixture, 1, 1, 1, 1, 2, 1, 2);
    AddRound(fixture, 1, 2, 1, 3, 4, 3, 4);
    AddSection(fixture, 1, "A", 2);
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    EXPECT_FALSE(Section(1).Barometer);
    EXPECT_EQ(Section(1).RoundLowBoard.at(1), 0);

    reader_ = std::make_unique<TournamentReader>(US0_BWS);
    reader_->AllowNonBarometer = false;
    EXPECT_FALSE(reader_->Read(error_));
    EXPECT_EQ(Error(), "This is NOT a barometer tournament\n");
}

TEST_F(TournamentReaderTest, TeamsAndIndividuals) {
    BwsFixture fixture(US0_BWS);
    AddHowell(fixture, 1);
    AddHowell(fixture, 2);
    AddSection(fixture, 1, "T", 2, 3);
    AddSection(fixture, 2, "I", 1);  // four pair numbers on one table: individual
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    EXPECT_TRUE(Section(1).Team);
    EXPECT_EQ(Section(1).Halfs, 3);
    EXPECT_EQ(Section(1).Teams, 2);
    EXPECT_TRUE(Section(2).Individual);
    EXPECT_FALSE(Section(1).Individual);
}

TEST_F(TournamentReaderTest, FormatsWithoutPlayersOrSession) {
    BwsFixture fixture(US4_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text("Not read")}});
    AddHowell(fixture, 1);
    AddSection(fixture, 1, "A", 2);
    fixture.DropTable("PlayerNumbers");  // never opened by this reader
    ASSERT_TRUE(ReadAs(fixture, US4_BWS)) << Error();
    EXPECT_EQ(reader_->TourName, "");
    EXPECT_EQ(Section(1).PlayerNamesRead, 0);
}

TEST_F(TournamentReaderTest, Us5ReadsTheSessionButNoPlayers) {
    BwsFixture fixture(US5_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text("Read")}});
    AddHowell(fixture, 1);
    fixture.DropTable("PlayerNumbers");
    fixture.AddRow("ReceivedData", {{"Section", Value::Integer(1)}});
    ASSERT_TRUE(ReadAs(fixture, US5_BWS)) << Error();
    EXPECT_EQ(reader_->TourName, "Read");
    EXPECT_EQ(Section(1).ReceivedDataRead, 0);
}

TEST_F(TournamentReaderTest, FailuresEndTheReadWithTheirMessage) {
    struct Case {
        const char* what;
        void (*build)(BwsFixture&);
        eImportType format;
        const char* message;
    };
    const Case cases[] = {
        {"no round data", [](BwsFixture& f) { f.DropTable("RoundData"); }, US0_BWS,
         "Error opening round data\n"},
        {"boards per round differ",
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 2, 1, 2);
             AddRound(f, 1, 2, 1, 3, 4, 1, 3);
         },
         US0_BWS, "Only support for the same number of boards per round\n"},
        {"duplicate round and table",
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 2, 1, 2);
             AddRound(f, 1, 1, 1, 3, 4, 3, 4);
         },
         US0_BWS, "Duplicate entries in RBT\n"},
        {"section row without round data",
         [](BwsFixture& f) {
             AddHowell(f, 1);
             AddSection(f, 1, "A", 2);
             AddSection(f, 7, "G", 2);
         },
         US0_BWS, "Error looking up section number 7\n"},
        // A pair number seen twice in a round makes the formats without the
        // distribution check skip the movement check, so these use DK0.
        {"same meeting twice",
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 2, 1, 2);
             AddRound(f, 1, 2, 1, 1, 2, 3, 4);
         },
         DK0_BWS, "Some pairs playing in two places at the same time\n"},
        {"pair at two tables",
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 2, 1, 2, 1, 2);
             AddRound(f, 1, 2, 2, 1, 5, 3, 4);
         },
         DK0_BWS, "Pair 1 is playing the same cards 3 twice \n"},
        {"one board per round over fewer ranges",
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 1, 1, 1);
             AddRound(f, 1, 2, 1, 2, 2, 1, 1);
             AddRound(f, 1, 1, 2, 1, 2, 1, 1);
             AddRound(f, 1, 2, 2, 2, 1, 1, 1);
         },
         DK0_BWS, "Distribution range is sick"},
        {"no player numbers",
         [](BwsFixture& f) {
             AddHowell(f, 1);
             f.DropTable("PlayerNumbers");
         },
         US0_BWS, "Error opening PlayerNums data\n"},
    };
    for (const Case& c : cases) {
        BwsFixture fixture(c.format);
        c.build(fixture);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(ReadAs(fixture, c.format)) << c.what;
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(Error(), c.message) << c.what;
    }
}

TEST_F(TournamentReaderTest, BoardsInTotalAreLimitedTo2500) {
    for (int rounds : {25, 26}) {
        BwsFixture fixture(US0_BWS);
        // 10 tables, 10 boards per round, every table on its own range; both
        // lines move, so the movement is checked and counted.
        for (int round = 1; round <= rounds; ++round) {
            for (int table = 1; table <= 10; ++table) {
                const int ns = (table - 1 + round - 1) % 10 + 1;
                const int ew = 10 + (table - 1 + 2 * (round - 1)) % 10 + 1;
                const int low = ((table - 1 + round - 1) % 26) * 10 + 1;
                AddRound(fixture, 1, table, round, ns, ew, low, low + 9);
            }
        }
        AddSection(fixture, 1, "A", 10);
        const bool read = ReadAs(fixture, US0_BWS);
        if (rounds == 25) {
            EXPECT_TRUE(read) << Error();
        } else {
            EXPECT_FALSE(read);
            EXPECT_EQ(Error(),
                      "More than 2500 boards in total - 2600 is not currently supported\n");
        }
    }
}

TEST_F(TournamentReaderTest, MissingSectionTableIsOnlyReported) {
    BwsFixture fixture(US0_BWS);
    AddHowell(fixture, 1);
    fixture.DropTable("Section");
    testing::internal::CaptureStdout();
    const bool read = ReadAs(fixture, US0_BWS);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(read) << Error();
    EXPECT_NE(printed.find("Error opening section data\n"), std::string::npos);
    EXPECT_EQ(Section(1).SectionName, "");
    EXPECT_EQ(Section(1).Pairs, 0);
}

TEST_F(TournamentReaderTest, HostileNumbersNeitherCrashNorGrowWithoutBound) {
    BwsFixture fixture(US0_BWS);
    AddRound(fixture, 1, 1, 0, 4000, 5000, 9, 3);      // round 0, boards reversed
    AddRound(fixture, 1, 2, -32768, -1, 32767, 9, 3);  // extreme pair and round numbers
    AddRound(fixture, 2, 1, 1, 1, 2, -32768, 32767);   // 65536 boards in one row
    AddSection(fixture, 1, "A", 2);
    testing::internal::CaptureStdout();
    const bool read = ReadAs(fixture, US0_BWS);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(read);
    EXPECT_EQ(Error(), "More than 2500 boards in total - 65536 is not currently supported\n");
}

TEST_F(TournamentReaderTest, MovementMapIsCappedWithTheTrueTotal) {
    BwsFixture fixture(US0_BWS);
    // Four rounds of 30000 boards at one table: the map would need 120000 entries.
    for (int round = 1; round <= 4; ++round) AddRound(fixture, 1, 1, round, 1, 2, 1, 30000);
    testing::internal::CaptureStdout();
    const bool read = ReadAs(fixture, US0_BWS);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(read);
    EXPECT_EQ(Error(), "More than 2500 boards in total - 120000 is not currently supported\n");
    EXPECT_LE(Section(1).RBTmap.size(), 100000u);
}

TEST_F(TournamentReaderTest, MovementMapsOfAllSectionsTogetherAreCapped) {
    // Fourteen sections of one row of 30000 boards each: every map is below
    // the cap of one section, together they would hold 420000 entries.
    BwsFixture fixture(US0_BWS);
    for (int section = 1; section <= 14; ++section) {
        AddRound(fixture, section, 1, 1, 1, 2, 1, 30000);
    }
    testing::internal::CaptureStdout();
    const bool read = ReadAs(fixture, US0_BWS);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(read);
    EXPECT_EQ(Error(), "More than 2500 boards in total - 400001 is not currently supported\n");
    size_t entries = 0;
    for (int section = 1; section <= 14; ++section) entries += Section(section).RBTmap.size();
    EXPECT_EQ(entries, 400000u);
}

TEST_F(TournamentReaderTest, PairNumbersBeyond2048StayApartBetweenRounds) {
    BwsFixture fixture(US0_BWS);
    // Pair 2049 in round 1 and pair 1 in round 2 are different pairs.
    AddRound(fixture, 1, 1, 1, 2049, 3000, 1, 1);
    AddRound(fixture, 1, 1, 2, 1, 3001, 2, 2);
    AddSection(fixture, 1, "A", 1);
    ASSERT_TRUE(ReadAs(fixture, US0_BWS)) << Error();
    EXPECT_FALSE(Section(1).PairNumbersRepeat);
}

}  // namespace

namespace {

// Adds a row of the values whose columns the fixture's table has; the table
// is left alone when the format has no such table.
void AddRowWhereDeclared(BwsFixture& fixture, const std::string& table,
                         const std::map<std::string, Value>& values) {
    if (!fixture.HasTable(table)) return;
    std::map<std::string, Value> declared;
    for (const auto& [name, value] : values) {
        for (const auto& column : fixture.Table(table).columns) {
            if (column.name == name) declared.emplace(name, value);
        }
    }
    fixture.AddRow(table, declared);
}

}  // namespace

TEST_F(TournamentReaderTest, EveryLayoutIsReadAskingOnlyForColumnsItDeclares) {
    // A row in every table the reader opens, each reaching every column read:
    // a read of a column that the format's record does not declare fails.
    for (int number = kFirstImportType; number <= kLastImportType; ++number) {
        const auto format = static_cast<eImportType>(number);
        BwsFixture fixture(format);
        AddRowWhereDeclared(fixture, "Session", {{"Name", Value::Text("Club")}});
        AddHowell(fixture, 1);
        AddSection(fixture, 1, "A", 2);
        AddRowWhereDeclared(fixture, "PlayerNumbers",
                            {{"Section", Value::Integer(1)},
                             {"Table", Value::Integer(1)},
                             {"Direction", Value::Text("N")},
                             {"Number", Value::Text("17")},
                             {"Name", Value::Text("Ann")}});
        AddRowWhereDeclared(fixture, "ReceivedData", {{"Section", Value::Integer(1)}});
        AddRowWhereDeclared(fixture, "HandRecord", {{"Section", Value::Integer(1)}});
        EXPECT_TRUE(ReadAs(fixture, format)) << FormatName(format) << ": " << Error();
    }
}
