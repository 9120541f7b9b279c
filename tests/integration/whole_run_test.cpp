// Whole runs of the built controller on real files: the bundled sample, runs
// that end in each kind of message, and the file left untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>

#include "tests/integration/format_model.h"
#include "tests/integration/integration_env.h"
#include "tests/support/controller_run.h"
#include "tests/support/windows1252_chart.h"

namespace {

using jetwriter::Value;

const std::string kBanner = "Vellamo controller Release Version 1.1 starting ...\n";
std::string SectionObject(const std::vector<std::pair<const char*, std::string>>& values) {
    std::string text = "        {\n";
    for (size_t i = 0; i < values.size(); ++i) {
        text +=
            std::string("            \"") + values[i].first + "\": \"" + values[i].second + "\"";
        text += i + 1 < values.size() ? ",\n" : "\n";
    }
    return text + "        }";
}

class WholeRunTest : public ::testing::Test {
  protected:
    // Runs the controller on path in the test's folder. Checks that the file
    // is left byte for byte as it was, with its modification time.
    std::string RunOn(const std::string& path, int* status) {
        const FileState before = StateOf(path);
        const ControllerOutcome run = RunController(
            folder_.path(), [&](const std::string& program, const std::string& folder) {
                ControllerOutcome outcome;
                outcome.output = RunCommand("cd '" + folder + "' && '" + program + "' '\\f:[" +
                                                ReplaceAll(path, folder_.path(), folder) + "]'",
                                            &outcome.status);
                return outcome;
            });
        EXPECT_TRUE(StateOf(path) == before) << "the BWS file changed";
        *status = run.status;
        return run.output;
    }
    std::string Prefix(const std::string& path) const {
        return kBanner + "Using \\f:[" + path + "]\n" + kWorkingLine;
    }
    std::string Log() const { return WithLinuxLineEnds(ReadWhole(folder_.Path("VLM_Log.txt"))); }

    TemporaryFolder folder_;
};

TEST_F(WholeRunTest, SampleEveningIsReportedWhole) {
    const std::string path = folder_.Path("club-evening.bws");
    int made = -1;
    RunCommand("'" BWSMAKE_EXECUTABLE "' '" VELLAMO_SOURCE_DIR "/examples/club-evening.jdesc' '" +
                   path + "'",
               &made);
    ASSERT_EQ(made, 0);
    int status = -1;
    const std::string output = RunOn(path, &status);
    const std::string mitchell = SectionObject({{"Section", "1"},
                                                {"SectionName", "A"},
                                                {"Tables", "9"},
                                                {"Rounds", "9"},
                                                {"LowBoard", "1"},
                                                {"HighBoard", "27"},
                                                {"BoardsPerRound", "3"},
                                                {"BoardsNeeded", "27"},
                                                {"Pairs", "18"},
                                                {"Teams", "18"},
                                                {"First", "false"},
                                                {"Barometer", "false"},
                                                {"UnsortedRounds", "false"},
                                                {"Transformable", "true"},
                                                {"Team", "false"},
                                                {"Halfs", "1"},
                                                {"Individual", "false"},
                                                {"Ignore", "false"},
                                                {"MovementType", "0"},
                                                {"PlayerNamesRead", "36"},
                                                {"ReceivedDataRead", "243"},
                                                {"HandRecordsRead", "27"}});
    const std::string howell = SectionObject({{"Section", "2"},
                                              {"SectionName", "B"},
                                              {"Tables", "6"},
                                              {"Rounds", "11"},
                                              {"LowBoard", "1"},
                                              {"HighBoard", "22"},
                                              {"BoardsPerRound", "2"},
                                              {"BoardsNeeded", "22"},
                                              {"Pairs", "12"},
                                              {"Teams", "12"},
                                              {"First", "false"},
                                              {"Barometer", "true"},
                                              {"UnsortedRounds", "false"},
                                              {"Transformable", "true"},
                                              {"Team", "false"},
                                              {"Halfs", "1"},
                                              {"Individual", "false"},
                                              {"Ignore", "false"},
                                              {"MovementType", "1"},
                                              {"PlayerNamesRead", "24"},
                                              {"ReceivedDataRead", "132"},
                                              {"HandRecordsRead", "22"}});
    const std::string report =
        "{\n"
        "    \"DBformat\": \"6\",\n"
        "    \"DBformatName\": \"DK0_BWS\",\n"
        "    \"ToolVersion\": \"1.01\",\n"
        "    \"FormatErrors\": \"0\",\n"
        "    \"SectionCount\": \"2\",\n"
        "    \"TourName\": \"H\xC3\xB8stturnering p\xC3\xA5 Caf\xC3\xA9 \xC3\x85nden\",\n"
        "    \"Sections\": [\n" +
        mitchell + ",\n" + howell + "\n    ]\n}\n";
    EXPECT_EQ(output, Prefix(path) + report);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Log(), Prefix(path));  // the report goes to standard output only
}

TEST_F(WholeRunTest, FileNameWithLettersOutsideAsciiIsRead) {
    // Names like this are common in Europe; on Windows the caller passes
    // them in the ANSI code page.
    BwsFixture fixture(DK0_BWS);
    AddRound(fixture, 1, 1, 1, 1, 2, 1, 2);
    AddSection(fixture, 1, "A", 1);
    const std::string path = folder_.Path("H\xC3\xB8st p\xC3\xA5 Caf\xC3\xA9.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    EXPECT_NE(output.find(kWorkingLine + "{\n    \"DBformat\": \"6\""), std::string::npos)
        << output;
    EXPECT_NE(output.find("\"SectionName\": \"A\""), std::string::npos);
    EXPECT_EQ(status, 0);
}

TEST_F(WholeRunTest, FailedReadEndsWithTheReadersMessage) {
    BwsFixture fixture(US0_BWS);
    for (int table : {1, 2}) {
        fixture.AddRow("RoundData", {{"Section", Value::Integer(1)},
                                     {"Table", Value::Integer(table)},
                                     {"Round", Value::Integer(1)},
                                     {"NSPair", Value::Integer(table)},
                                     {"EWPair", Value::Integer(table + 2)},
                                     {"LowBoard", Value::Integer(1)},
                                     {"HighBoard", Value::Integer(table)}});
    }
    const std::string path = folder_.Path("uneven.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    const std::string message = "Only support for the same number of boards per round\n";
    EXPECT_EQ(output, Prefix(path) + message);
    EXPECT_EQ(Log(), Prefix(path) + message);
    EXPECT_EQ(status, 0);
}

TEST_F(WholeRunTest, SectionsStoredInDescendingOrderAreReportedAscending) {
    BwsFixture fixture(SC0_BWS);
    for (int section : {3, 2, 1}) {
        fixture.AddRow("Section", {{"ID", Value::Integer(section)},
                                   {"Letter", Value::Text(std::string(1, 'A' + section - 1))},
                                   {"Tables", Value::Integer(1)}});
        fixture.AddRow("RoundData", {{"Section", Value::Integer(section)},
                                     {"Table", Value::Integer(1)},
                                     {"Round", Value::Integer(1)},
                                     {"NSPair", Value::Integer(1)},
                                     {"EWPair", Value::Integer(2)},
                                     {"LowBoard", Value::Integer(1)},
                                     {"HighBoard", Value::Integer(1)}});
    }
    fixture.AddRow("Session", {{"Name", Value::Text("  Fr\u00e9d\u00e9ric's \u00df-Cup ")}});
    const std::string path = folder_.Path("descending.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    // AU4_BWS (26) declares ReceivedData without the two columns that SC0_BWS
    // adds, and both are exempt, so the lower number takes the file.
    EXPECT_NE(output.find("\"DBformat\": \"26\""), std::string::npos) << output;
    const size_t first = output.find("\"Section\": \"1\"");
    const size_t third = output.find("\"Section\": \"3\"");
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(first, third);
    // Letters of the table become UTF-8, and so does the sharp s outside it.
    EXPECT_NE(output.find("\"TourName\": \"Fr\xC3\xA9"
                          "d\xC3\xA9"
                          "ric's \xC3\x9F-Cup\""),
              std::string::npos);
}

TEST_F(WholeRunTest, FilesThatAreNotBwsDatabasesMatchNoFormat) {
    BwsFixture unrelated;
    unrelated.database.created = 46000;
    unrelated.Table("Members").columns.push_back(
        jetwriter::MakeColumn("ID", jetwriter::ColumnType::kLongInteger));
    ASSERT_EQ(unrelated.Write(folder_.Path("members.mdb")), "");
    std::ofstream(folder_.Path("empty.bws")).close();
    std::ofstream(folder_.Path("text.bws")) << "Standard Jet DB, or so it says\n";

    for (const char* name : {"members.mdb", "empty.bws", "text.bws"}) {
        const std::string path = folder_.Path(name);
        int status = -1;
        const std::string output = RunOn(path, &status);
        const std::string prefix = Prefix(path);
        const std::string end = "Failed to match bws to a known format";
        ASSERT_GE(output.size(), prefix.size() + end.size()) << name;
        EXPECT_EQ(output.substr(0, prefix.size()), prefix) << name;
        EXPECT_EQ(output.substr(output.size() - end.size()), end) << name;
        // In between: only the driver's diagnostics, three lines each.
        const std::string middle =
            output.substr(prefix.size(), output.size() - prefix.size() - end.size());
        size_t at = 0;
        while (at < middle.size()) {
            for (const char* start : {"[INFO] State:", "\tCode:", "\tMsg:"}) {
                ASSERT_EQ(middle.compare(at, std::strlen(start), start), 0) << name << middle;
                at = middle.find('\n', at) + 1;
                ASSERT_NE(at, 0u);
            }
        }
        EXPECT_EQ(status, 0);
    }
}

}  // namespace

namespace {

TEST_F(WholeRunTest, ConnectionsAreClosedWhenTheRunExits) {
    // A driver manager trace shows every call the run makes; the last ones
    // must disconnect and free the connection and the environment.
    const char* system = std::getenv("ODBCSYSINI");
    ASSERT_NE(system, nullptr);
    const std::string traced = folder_.Path("traced");
    ASSERT_EQ(mkdir(traced.c_str(), 0755), 0);
    std::ofstream(traced + "/odbcinst.ini")
        << ReadWhole(std::string(system) + "/odbcinst.ini")
        << "\n[ODBC]\nTrace=Yes\nTraceFile=" << folder_.Path("trace.log") << "\n";
    BwsFixture fixture(US0_BWS);
    const std::string path = folder_.Path("traced.bws");
    ASSERT_EQ(fixture.Write(path), "");
    const FileState before = StateOf(path);
    int status = -1;
    RunCommand("cd '" + folder_.path() + "' && ODBCSYSINI='" + traced + "' '" +
                   ControllerProgram() + "' '\\f:[" + path + "]'",
               &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(StateOf(path) == before) << "the BWS file changed";
    const std::string trace = ReadWhole(folder_.Path("trace.log"));
    // One connection for the whole run: its entry appears once.
    const size_t connect = trace.find("[SQLDriverConnect.c]");
    ASSERT_NE(connect, std::string::npos) << "no trace written";
    size_t connects = 0;
    for (size_t at = trace.find("][SQLDriverConnect.c]["); at != std::string::npos;
         at = trace.find("][SQLDriverConnect.c][", at + 1)) {
        if (trace.compare(trace.find('\n', at) + 1, 8, "\t\tEntry:") == 0) ++connects;
    }
    EXPECT_EQ(connects, 1u);
    // At the end: disconnect, free the connection, then free the environment.
    const size_t disconnect = trace.rfind("[SQLDisconnect.c]");
    ASSERT_NE(disconnect, std::string::npos);
    const size_t freeConnection = trace.find("Handle Type = 2", disconnect);
    const size_t freeEnvironment = trace.find("Handle Type = 1", disconnect);
    EXPECT_NE(freeConnection, std::string::npos);
    EXPECT_NE(freeEnvironment, std::string::npos);
    EXPECT_LT(freeConnection, freeEnvironment);
    EXPECT_EQ(trace.find("[SQLExecDirect.c]", disconnect), std::string::npos);
}

}  // namespace

namespace {

std::string EmptyReport(eImportType format) {
    return std::string("{\n    \"DBformat\": \"") + std::to_string(format) +
           "\",\n    \"DBformatName\": \"" + FormatName(format) +
           "\",\n    \"ToolVersion\": \"1.01\",\n    \"FormatErrors\": \"0\",\n"
           "    \"SectionCount\": \"0\",\n    \"TourName\": \"\",\n    \"Sections\": \"\"\n}\n";
}

TEST_F(WholeRunTest, EveryLayoutIsReportedAsTheFormatTheRulesChoose) {
    for (int number = kFirstImportType; number <= kLastImportType; ++number) {
        const auto layout = static_cast<eImportType>(number);
        const std::string path = folder_.Path(std::string(FormatName(layout)) + ".bws");
        ASSERT_EQ(BwsFixture(layout).Write(path), "");
        int status = -1;
        const std::string output = RunOn(path, &status);
        const std::string expected = EmptyReport(ExpectedFormat(layout));
        EXPECT_EQ(output.substr(0, Prefix(path).size()), Prefix(path)) << FormatName(layout);
        ASSERT_GE(output.size(), expected.size());
        EXPECT_EQ(output.substr(output.size() - expected.size()), expected) << FormatName(layout);
        EXPECT_EQ(status, 0);
    }
}

TEST_F(WholeRunTest, ReadFailuresReachableByARunEndItWithTheirMessage) {
    struct Case {
        const char* what;
        eImportType format;
        void (*build)(BwsFixture&);
        const char* message;
    };
    const Case cases[] = {
        {"duplicate round and table", US0_BWS,
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 2, 1, 2);
             AddRound(f, 1, 1, 1, 3, 4, 3, 4);
         },
         "Duplicate entries in RBT\n"},
        {"section row without round data", US0_BWS,
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 2, 1, 2);
             f.AddRow("Section", {{"ID", Value::Integer(4)}, {"Tables", Value::Integer(1)}});
         },
         "Error looking up section number 4\n"},
        {"same meeting twice", DK0_BWS,
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 2, 1, 2);
             AddRound(f, 1, 2, 1, 1, 2, 3, 4);
         },
         "Some pairs playing in two places at the same time\n"},
        {"pair at two tables", DK0_BWS,
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 2, 1, 2, 1, 2);
             AddRound(f, 1, 2, 2, 1, 5, 3, 4);
         },
         "Pair 1 is playing the same cards 3 twice \n"},
        {"one board per round over fewer ranges", DK0_BWS,
         [](BwsFixture& f) {
             AddRound(f, 1, 1, 1, 1, 1, 1, 1);
             AddRound(f, 1, 2, 1, 2, 2, 1, 1);
             AddRound(f, 1, 1, 2, 1, 2, 1, 1);
             AddRound(f, 1, 2, 2, 2, 1, 1, 1);
         },
         "Distribution range is sick"},
        {"more than 2500 boards", US0_BWS,
         [](BwsFixture& f) {
             for (int round = 1; round <= 3; ++round) AddRound(f, 1, 1, round, 1, 2, 1, 900);
         },
         "More than 2500 boards in total - 2700 is not currently supported\n"},
    };
    for (const Case& c : cases) {
        BwsFixture fixture(c.format);
        c.build(fixture);
        const std::string path = folder_.Path("failing.bws");
        ASSERT_EQ(fixture.Write(path), "");
        std::remove(folder_.Path("VLM_Log.txt").c_str());
        int status = -1;
        const std::string output = RunOn(path, &status);
        EXPECT_EQ(output, Prefix(path) + c.message) << c.what;
        EXPECT_EQ(Log(), Prefix(path) + c.message) << c.what;
        EXPECT_EQ(status, 0);
    }
}

TEST_F(WholeRunTest, RoundsWrittenBeforeCustomBoardsWasAddedAreReportedAsWithoutThatHistory) {
    // Real Access 97 files grew CustomBoards after their RoundData rows were
    // written; those rows are stored with seven columns and no variable part.
    const auto eveningOf = [](bool customBoardsAddedLater) {
        BwsFixture fixture(SC0_BWS);
        if (customBoardsAddedLater) fixture.DropColumn("RoundData", "CustomBoards");
        // A three-table Mitchell; its last round is written after the column came.
        const auto addRound = [&fixture](int round) {
            for (int table = 1; table <= 3; ++table) {
                const int ew = (table - round + 3) % 3 + 1;
                const int board = (table + round - 2) % 3 + 1;
                AddRound(fixture, 1, table, round, table, ew, board, board);
            }
        };
        addRound(1);
        addRound(2);
        if (customBoardsAddedLater) {
            fixture.AddColumnAfterRows("RoundData", jetwriter::MakeTextColumn("CustomBoards", 255));
        }
        addRound(3);
        AddSection(fixture, 1, "A", 3);
        fixture.AddRow("Session", {{"Name", Value::Text("Club")}});
        return fixture;
    };
    int status = -1;
    const std::string path = folder_.Path("evening.bws");
    ASSERT_EQ(eveningOf(false).Write(path), "");
    const std::string plain = RunOn(path, &status);
    ASSERT_EQ(status, 0);
    ASSERT_NE(plain.find("\"Rounds\": \"3\""), std::string::npos) << plain;
    ASSERT_EQ(eveningOf(true).Write(path), "");
    EXPECT_EQ(RunOn(path, &status), plain);
    EXPECT_EQ(status, 0);
}

TEST_F(WholeRunTest, AJet4FileIsReportedAsTheJet3FileOfTheSameEvening) {
    // Access 2000 and later write Jet 4 files: Unicode text, 4 KB pages.
    const auto writeEvening = [](jetwriter::JetFormat format, const std::string& path) {
        BwsFixture fixture(DK0_BWS, format);
        fixture.AddRow("Session", {{"Name", Value::Text("H\xC3\xB8st p\xC3\xA5 Caf\xC3\xA9 "
                                                        "\xE2\x80\x9C\xC3\x85nden\xE2\x80\x9D")}});
        for (int round = 1; round <= 3; ++round) {
            for (int table = 1; table <= 3; ++table) {
                AddRound(fixture, 1, table, round, table, (table - round + 3) % 3 + 1,
                         (table + round - 2) % 3 + 1, (table + round - 2) % 3 + 1);
            }
        }
        AddSection(fixture, 1, "A", 3);
        for (int table = 1; table <= 3; ++table) {
            fixture.AddRow("PlayerNumbers", {{"Section", Value::Integer(1)},
                                             {"Table", Value::Integer(table)},
                                             {"Direction", Value::Text("N")},
                                             {"Number", Value::Text(std::to_string(70 + table))}});
        }
        for (int board = 1; board <= 3; ++board) {
            fixture.AddRow("ReceivedData", {{"Section", Value::Integer(1)}});
            fixture.AddRow("HandRecord",
                           {{"Section", Value::Integer(1)}, {"Board", Value::Integer(board)}});
        }
        return fixture.Write(path);
    };
    const std::string path = folder_.Path("evening.bws");
    ASSERT_EQ(writeEvening(jetwriter::JetFormat::kJet3, path), "");
    int jet3Status = -1;
    const std::string jet3 = RunOn(path, &jet3Status);
    ASSERT_NE(jet3.find("\"TourName\": \"H\xC3\xB8st p\xC3\xA5"), std::string::npos) << jet3;
    ASSERT_NE(jet3.find("\"PlayerNamesRead\": \"3\""), std::string::npos) << jet3;
    ASSERT_EQ(writeEvening(jetwriter::JetFormat::kJet4, path), "");
    ASSERT_EQ(ReadWhole(path).at(0x14), '\x01');  // the version byte of Jet 4
    int jet4Status = -1;
    EXPECT_EQ(RunOn(path, &jet4Status), jet3);
    EXPECT_EQ(jet4Status, jet3Status);
}

TEST_F(WholeRunTest, ReaderVariantsReportWhatTheyRead) {
    // One Mitchell-numbered section with a player, a result and a hand, read
    // by a format of each variant. (A US5_BWS file is reported as US4_BWS, so
    // its variant is only reached by the reader's own tests.)
    struct Case {
        eImportType format;
        const char* tourName;  // empty where the Session table is not read
        const char* ignore;    // the formats without the distribution check skip the section
        const char* movementType;
        const char* boardsNeeded;
        const char* playerNamesRead;
        const char* counts;  // results and hands read
    };
    const Case cases[] = {
        {US0_BWS, "Club", "true", "2", "0", "1", "1"},
        {DK0_BWS, "Club", "false", "0", "3", "1", "1"},
        {US4_BWS, "", "true", "2", "0", "0", "0"},
        {IS0_BWS, "Club", "false", "0", "3", "0", "0"},
    };
    for (const Case& c : cases) {
        BwsFixture fixture(c.format);
        fixture.AddRow("Session", {{"Name", Value::Text(" Club ")}});
        for (int round = 1; round <= 3; ++round) {
            for (int table = 1; table <= 3; ++table) {
                const int ew = (table - 1 - (round - 1) + 3) % 3 + 1;
                const int board = (table - 1 + round - 1) % 3 + 1;
                AddRound(fixture, 1, table, round, table, ew, board, board);
            }
        }
        fixture.AddRow("Section", {{"ID", Value::Integer(1)},
                                   {"Letter", Value::Text("A")},
                                   {"Tables", Value::Integer(3)},
                                   {"ScoringType", Value::Integer(1)}});
        if (fixture.HasTable("PlayerNumbers") && c.playerNamesRead[0] == '1') {
            fixture.AddRow("PlayerNumbers", {{"Section", Value::Integer(1)},
                                             {"Table", Value::Integer(2)},
                                             {"Direction", Value::Text("W")},
                                             {"Number", Value::Text("77")}});
        }
        fixture.AddRow("ReceivedData", {{"Section", Value::Integer(1)}});
        fixture.AddRow("HandRecord",
                       {{"Section", Value::Integer(1)}, {"Board", Value::Integer(1)}});
        const std::string path = folder_.Path("variant.bws");
        ASSERT_EQ(fixture.Write(path), "");
        int status = -1;
        const std::string output = RunOn(path, &status);
        const std::string section = SectionObject({{"Section", "1"},
                                                   {"SectionName", "A"},
                                                   {"Tables", "3"},
                                                   {"Rounds", "3"},
                                                   {"LowBoard", "1"},
                                                   {"HighBoard", "3"},
                                                   {"BoardsPerRound", "1"},
                                                   {"BoardsNeeded", c.boardsNeeded},
                                                   {"Pairs", "6"},
                                                   {"Teams", "6"},
                                                   {"First", "false"},
                                                   {"Barometer", "false"},
                                                   {"UnsortedRounds", "false"},
                                                   {"Transformable", "true"},
                                                   {"Team", "false"},
                                                   {"Halfs", "1"},
                                                   {"Individual", "false"},
                                                   {"Ignore", c.ignore},
                                                   {"MovementType", c.movementType},
                                                   {"PlayerNamesRead", c.playerNamesRead},
                                                   {"ReceivedDataRead", c.counts},
                                                   {"HandRecordsRead", c.counts}});
        const std::string report = "{\n    \"DBformat\": \"" + std::to_string(c.format) +
                                   "\",\n    \"DBformatName\": \"" + FormatName(c.format) +
                                   "\",\n    \"ToolVersion\": \"1.01\",\n    \"FormatErrors\": "
                                   "\"0\",\n    \"SectionCount\": \"1\",\n    \"TourName\": \"" +
                                   c.tourName + "\",\n    \"Sections\": [\n" + section +
                                   "\n    ]\n}\n";
        EXPECT_EQ(output, Prefix(path) + report) << FormatName(c.format);
        EXPECT_EQ(status, 0);
    }
}

}  // namespace

namespace {

// A movement in which both lines move, every pair once a round, one board a
// round: tables * rounds boards in total.
void AddMovingLines(BwsFixture& fixture, int section, int tables, int rounds) {
    for (int round = 1; round <= rounds; ++round) {
        for (int table = 1; table <= tables; ++table) {
            const int ns = (table - 1 + round - 1) % tables + 1;
            const int ew = tables + (table - 1 + 2 * (round - 1)) % tables + 1;
            AddRound(fixture, section, table, round, ns, ew, table, table);
        }
    }
}

TEST_F(WholeRunTest, BoardsInTotalOf2500PassAnd2501Fail) {
    const struct {
        int tables;
        int rounds;
        const char* ending;
    } cases[] = {
        {50, 50, "\"BoardsPerRound\": \"1\""},
        {61, 41, "More than 2500 boards in total - 2501 is not currently supported\n"},
    };
    for (const auto& c : cases) {
        BwsFixture fixture(DK0_BWS);
        AddMovingLines(fixture, 1, c.tables, c.rounds);
        const std::string path = folder_.Path("total.bws");
        ASSERT_EQ(fixture.Write(path), "");
        int status = -1;
        const std::string output = RunOn(path, &status);
        EXPECT_NE(output.find(c.ending), std::string::npos) << output.substr(0, 400);
        EXPECT_EQ(status, 0);
    }
}

TEST_F(WholeRunTest, HalvesTeamsIndividualsAndUnsortedRoundsInOneEvent) {
    BwsFixture fixture(DK0_BWS);
    // Section 1: Mitchell numbering over two halves of two board ranges.
    const int lows[4][2] = {{1, 3}, {3, 1}, {1, 3}, {3, 1}};
    const int ews[4][2] = {{1, 2}, {2, 1}, {1, 2}, {2, 1}};
    for (int round = 1; round <= 4; ++round) {
        for (int table = 1; table <= 2; ++table) {
            const int low = lows[round - 1][table - 1];
            AddRound(fixture, 1, table, round, table, ews[round - 1][table - 1], low, low + 1);
        }
    }
    // Section 2: a team match, every table on the same boards, rounds out of order.
    const int teamLows[3] = {5, 1, 3};
    const int teamPairs[3][4] = {{1, 2, 3, 4}, {1, 3, 4, 2}, {1, 4, 2, 3}};
    for (int round = 1; round <= 3; ++round) {
        AddRound(fixture, 2, 1, round, teamPairs[round - 1][0], teamPairs[round - 1][1],
                 teamLows[round - 1], teamLows[round - 1] + 1);
        AddRound(fixture, 2, 2, round, teamPairs[round - 1][2], teamPairs[round - 1][3],
                 teamLows[round - 1], teamLows[round - 1] + 1);
    }
    // Section 3: an individual on one table, tables not on the same boards.
    AddRound(fixture, 3, 1, 1, 1, 2, 1, 1);
    AddRound(fixture, 3, 2, 1, 3, 4, 2, 2);
    for (const auto& [id, tables, scoring] :
         {std::tuple<int, int, int>{1, 2, 1}, {2, 2, 3}, {3, 1, 1}}) {
        fixture.AddRow("Section", {{"ID", Value::Integer(id)},
                                   {"Letter", Value::Text(std::string(1, 'A' + id - 1))},
                                   {"Tables", Value::Integer(tables)},
                                   {"ScoringType", Value::Integer(scoring)}});
    }
    const std::string path = folder_.Path("mixed.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    const std::string halves = SectionObject({{"Section", "1"},
                                              {"SectionName", "A"},
                                              {"Tables", "2"},
                                              {"Rounds", "4"},
                                              {"LowBoard", "1"},
                                              {"HighBoard", "8"},
                                              {"BoardsPerRound", "2"},
                                              {"BoardsNeeded", "8"},
                                              {"Pairs", "4"},
                                              {"Teams", "4"},
                                              {"First", "false"},
                                              {"Barometer", "false"},
                                              {"UnsortedRounds", "false"},
                                              {"Transformable", "false"},
                                              {"Team", "false"},
                                              {"Halfs", "2"},
                                              {"Individual", "false"},
                                              {"Ignore", "false"},
                                              {"MovementType", "0"},
                                              {"PlayerNamesRead", "0"},
                                              {"ReceivedDataRead", "0"},
                                              {"HandRecordsRead", "0"}});
    const std::string teams = SectionObject({{"Section", "2"},
                                             {"SectionName", "B"},
                                             {"Tables", "2"},
                                             {"Rounds", "3"},
                                             {"LowBoard", "1"},
                                             {"HighBoard", "6"},
                                             {"BoardsPerRound", "2"},
                                             {"BoardsNeeded", "6"},
                                             {"Pairs", "4"},
                                             {"Teams", "2"},
                                             {"First", "false"},
                                             {"Barometer", "true"},
                                             {"UnsortedRounds", "true"},
                                             {"Transformable", "true"},
                                             {"Team", "true"},
                                             {"Halfs", "3"},
                                             {"Individual", "false"},
                                             {"Ignore", "false"},
                                             {"MovementType", "0"},
                                             {"PlayerNamesRead", "0"},
                                             {"ReceivedDataRead", "0"},
                                             {"HandRecordsRead", "0"}});
    const std::string individual = SectionObject({{"Section", "3"},
                                                  {"SectionName", "C"},
                                                  {"Tables", "2"},
                                                  {"Rounds", "1"},
                                                  {"LowBoard", "1"},
                                                  {"HighBoard", "2"},
                                                  {"BoardsPerRound", "1"},
                                                  {"BoardsNeeded", "2"},
                                                  {"Pairs", "2"},
                                                  {"Teams", "2"},
                                                  {"First", "false"},
                                                  {"Barometer", "false"},
                                                  {"UnsortedRounds", "false"},
                                                  {"Transformable", "false"},
                                                  {"Team", "false"},
                                                  {"Halfs", "1"},
                                                  {"Individual", "true"},
                                                  {"Ignore", "false"},
                                                  {"MovementType", "1"},
                                                  {"PlayerNamesRead", "0"},
                                                  {"ReceivedDataRead", "0"},
                                                  {"HandRecordsRead", "0"}});
    const std::string report =
        "{\n    \"DBformat\": \"6\",\n    \"DBformatName\": \"DK0_BWS\",\n    \"ToolVersion\": "
        "\"1.01\",\n    \"FormatErrors\": \"0\",\n    \"SectionCount\": \"3\",\n    \"TourName\": "
        "\"\",\n    \"Sections\": [\n" +
        halves + ",\n" + teams + ",\n" + individual + "\n    ]\n}\n";
    EXPECT_EQ(output, Prefix(path) + report);
    EXPECT_EQ(status, 0);
}

// A team Howell of two tables and four pairs in section 1: three rounds of two
// boards, every table on the same boards.
void AddTeamHowell(BwsFixture& fixture, const std::string& letter, int scoringType) {
    const int pairs[3][4] = {{1, 2, 3, 4}, {1, 3, 4, 2}, {1, 4, 2, 3}};
    for (int round = 1; round <= 3; ++round) {
        for (int table = 1; table <= 2; ++table) {
            AddRound(fixture, 1, table, round, pairs[round - 1][2 * table - 2],
                     pairs[round - 1][2 * table - 1], 2 * round - 1, 2 * round);
        }
    }
    fixture.AddRow("Section", {{"ID", Value::Integer(1)},
                               {"Letter", Value::Text(letter)},
                               {"Tables", Value::Integer(2)},
                               {"ScoringType", Value::Integer(scoringType)}});
}

std::string OneSectionReport(const std::string& tourName, const std::string& section) {
    return "{\n    \"DBformat\": \"5\",\n    \"DBformatName\": \"US0_BWS\",\n    \"ToolVersion\": "
           "\"1.01\",\n    \"FormatErrors\": \"0\",\n    \"SectionCount\": \"1\",\n    "
           "\"TourName\": \"" +
           tourName + "\",\n    \"Sections\": [\n" + section + "\n    ]\n}\n";
}

TEST_F(WholeRunTest, FullWidthNamesAndAScoringTypeFourTeamReachTheReportWhole) {
    // The tour name fills all 255 characters of its column, the section's
    // letters all 3 of theirs; ScoringType 4 is a team match like 3.
    std::string tourName;
    for (int i = 0; i < 255; ++i) tourName += static_cast<char>('A' + i % 26);
    BwsFixture fixture(US0_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text(tourName)}});
    AddTeamHowell(fixture, "ABC", 4);
    const std::string path = folder_.Path("full-width.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    const std::string team = SectionObject({{"Section", "1"},
                                            {"SectionName", "ABC"},
                                            {"Tables", "2"},
                                            {"Rounds", "3"},
                                            {"LowBoard", "1"},
                                            {"HighBoard", "6"},
                                            {"BoardsPerRound", "2"},
                                            {"BoardsNeeded", "6"},
                                            {"Pairs", "4"},
                                            {"Teams", "2"},
                                            {"First", "false"},
                                            {"Barometer", "true"},
                                            {"UnsortedRounds", "false"},
                                            {"Transformable", "true"},
                                            {"Team", "true"},
                                            {"Halfs", "3"},
                                            {"Individual", "false"},
                                            {"Ignore", "false"},
                                            {"MovementType", "0"},
                                            {"PlayerNamesRead", "0"},
                                            {"ReceivedDataRead", "0"},
                                            {"HandRecordsRead", "0"}});
    EXPECT_EQ(output, Prefix(path) + OneSectionReport(tourName, team));
    EXPECT_EQ(status, 0);
}

TEST_F(WholeRunTest, EveryCharacterOfWindows1252From80To9FReachesTheReportAsItsUtf8) {
    // Written to a Jet 3 file as its Windows-1252 bytes, read back through the
    // driver, reported as UTF-8: a character that the writer, the driver or
    // the report maps to another one shows in the report. (A Jet 3 file
    // cannot hold the five undefined bytes as characters.)
    std::string name;
    for (const Windows1252ChartEntry& entry : kWindows1252Chart) {
        if (entry.character != entry.byte) name += Utf8Of(entry.character);
    }
    BwsFixture fixture(US0_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text("x" + name + "x")}});
    AddTeamHowell(fixture, "A", 3);
    const std::string path = folder_.Path("windows-1252.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    const std::string tourName = "\"TourName\": \"x" + name + "x\"";
    EXPECT_NE(output.find(tourName), std::string::npos) << output;
    EXPECT_EQ(status, 0);
}

TEST_F(WholeRunTest, ManySectionsAndRowsAndNullsAreReadWithinBounds) {
    // A format without the distribution check, so that the NULL row's
    // section (pair 0 against pair 0) is only marked to be ignored.
    BwsFixture fixture(US0_BWS);
    // 78 sections of 16 tables and 16 rounds: 19968 round rows.
    for (int section = 1; section <= 78; ++section) AddMovingLines(fixture, section, 16, 16);
    fixture.AddRow("RoundData", {});  // every column NULL: section 0, round 0, table 0
    const std::string path = folder_.Path("large.bws");
    ASSERT_EQ(fixture.Write(path), "");
    int status = -1;
    const std::string output = RunOn(path, &status);
    EXPECT_NE(output.find("\"SectionCount\": \"79\""), std::string::npos) << output.substr(0, 600);
    EXPECT_NE(output.find("\"Section\": \"78\""), std::string::npos);
    EXPECT_NE(output.find("\"Section\": \"0\""), std::string::npos);
    EXPECT_EQ(status, 0);
}

}  // namespace
