// Whole runs of the built controller in hostile surroundings: a run log that
// is the database or a pipe, rows that fail to fetch, odd paths, text
// outside the conversion table, files that are not Jet files, and an output
// that cannot take the report.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/integration/integration_env.h"
#include "tests/support/controller_run.h"

namespace {

using jetwriter::Value;

// A one-section, one-round DK0_BWS event: enough for a whole report.
BwsFixture SmallEvent() {
    BwsFixture fixture(DK0_BWS);
    AddRound(fixture, 1, 1, 1, 1, 2, 1, 2);
    AddSection(fixture, 1, "A", 1);
    return fixture;
}

class HostileRunTest : public ::testing::Test {
  protected:
    // Runs the controller in the test's folder on the argument's path, with
    // a time limit so that a run that blocks fails instead of hanging.
    // Checks that the file is left as it was, with its modification time.
    std::string Run(const std::string& path, int* status, const std::string& redirect = "",
                    bool sameSurroundings = true) {
        const std::string file = path[0] == '/' ? path : Path(path);
        const FileState before = StateOf(file);
        const ControllerOutcome run = RunController(
            folder_.path(),
            [&](const std::string& program, const std::string& folder) {
                ControllerOutcome outcome;
                outcome.output =
                    RunCommand("cd '" + folder + "' && timeout 20 '" + program + "' '\\f:[" +
                                   ReplaceAll(path, folder_.path(), folder) + "]'" + redirect,
                               &outcome.status);
                return outcome;
            },
            sameSurroundings);
        EXPECT_TRUE(StateOf(file) == before) << "the BWS file changed: " << path;
        *status = run.status;
        return run.output;
    }
    std::string Path(const std::string& name) const { return folder_.Path(name); }

    TemporaryFolder folder_;
};

// Runs command through the shell and returns its exit status; *peakKb
// receives the largest resident size (KB) that the shell and the commands it
// waited for reached. The shell starts with what this process holds when it
// forks, so the memory this process has freed goes back to the system first.
int RunMeasured(const std::string& command, long* peakKb) {
    malloc_trim(0);
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return -1;
    *peakKb = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The most memory (KB) a run on a file of fileKb may take, as README.md
// states it: 16 MiB and 64 times the file.
long LargestPeakKb(long fileKb) { return 16 * 1024 + 64 * fileKb; }

// True when RunMeasured gives the memory of this build's controller alone:
// not Wine's, nor that of AddressSanitizer's shadow and quarantine.
bool MeasuresTheControllersMemory() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return ControllerProgram() == VELLAMO_EXECUTABLE;
#endif
}

TEST_F(HostileRunTest, ManySectionsFromASmallFileStayWithinTheMemoryBound) {
    // 32,768 sections of one table playing one board: each summary costs
    // far more than its two rows in the file.
    const std::string path = Path("many.bws");
    {
        BwsFixture fixture(DK0_BWS);
        for (int section = 0; section <= 32767; ++section) {
            AddRound(fixture, section, 1, 1, 1, 2, 1, 1);
            AddSection(fixture, section, "A", 1);
        }
        ASSERT_EQ(fixture.Write(path), "");
    }
    struct stat file {};
    ASSERT_EQ(stat(path.c_str(), &file), 0);
    long peakKb = -1;
    const int status = RunMeasured("cd '" + folder_.path() + "' && timeout 60 '" +
                                       ControllerProgram() + "' '\\f:[many.bws]' > output.txt",
                                   &peakKb);
    EXPECT_EQ(status, 0);
    const std::string output = WithLinuxLineEnds(ReadWhole(Path("output.txt")));
    EXPECT_NE(output.find("\"SectionCount\": \"32768\""), std::string::npos)
        << output.substr(0, 600);
    EXPECT_NE(output.find("\"Section\": \"32767\""), std::string::npos);
    if (MeasuresTheControllersMemory()) {
        EXPECT_LE(peakKb, LargestPeakKb(file.st_size / 1024))
            << "KB at the peak, for a file of " << file.st_size / 1024 << " KB";
    }
}

TEST_F(HostileRunTest, FileThatIsNoDatabaseIsRefusedFromItsFirstPageAndConnectedOnce) {
    // A sparse gigabyte of zeros: refused from its header, without the
    // gigabyte being read, and the refusal is not sought again for every
    // format, though it is shown for every one as before.
    const std::string path = Path("huge.bws");
    std::ofstream(path).close();
    ASSERT_EQ(truncate(path.c_str(), off_t{1} << 30), 0);
    const char* system = std::getenv("ODBCSYSINI");
    ASSERT_NE(system, nullptr);
    const std::string traced = Path("traced");
    ASSERT_EQ(mkdir(traced.c_str(), 0755), 0);
    std::ofstream(traced + "/odbcinst.ini")
        << ReadWhole(std::string(system) + "/odbcinst.ini")
        << "\n[ODBC]\nTrace=Yes\nTraceFile=" << Path("trace.log") << "\n";
    long peakKb = -1;
    const int status =
        RunMeasured("cd '" + folder_.path() + "' && ODBCSYSINI='" + traced + "' timeout 60 '" +
                        ControllerProgram() + "' '\\f:[huge.bws]' > output.txt 2>/dev/null",
                    &peakKb);
    EXPECT_EQ(status, 0);
    if (MeasuresTheControllersMemory()) {  // the fixed amount only: the file is not read
        EXPECT_GT(peakKb, 0);
        EXPECT_LE(peakKb, LargestPeakKb(0)) << "KB at the peak, for a file of 1048576 KB";
    }

    const std::string refusal =
        "[INFO] State:HY000\n\tCode:-1206\n\tMsg:[Vellamo][ODBC Jet Driver]Unrecognized "
        "database format 'huge.bws': it is not a Jet database.\n";
    std::string expected =
        "Vellamo controller Release Version 1.1 starting ...\n"
        "Using \\f:[huge.bws]\n" +
        kWorkingLine;
    for (int format = 0; format < 24; ++format) expected += refusal;
    EXPECT_EQ(WithLinuxLineEnds(ReadWhole(Path("output.txt"))),
              expected + "Failed to match bws to a known format");

    const std::string trace = ReadWhole(Path("trace.log"));
    size_t connects = 0;
    for (size_t at = trace.find("[SQLDriverConnect.c]"); at != std::string::npos;
         at = trace.find("[SQLDriverConnect.c]", at + 1)) {
        if (trace.compare(trace.find('\n', at) + 1, 8, "\t\tEntry:") == 0) ++connects;
    }
    EXPECT_EQ(connects, 1u);
}

TEST_F(HostileRunTest, RunLogThatIsTheDatabaseIsNeverWritten) {
    // The database named as the log, and the log a link to the database.
    ASSERT_EQ(SmallEvent().Write(Path("VLM_Log.txt")), "");
    ASSERT_EQ(SmallEvent().Write(Path("club.bws")), "");
    const std::string bytes = ReadWhole(Path("club.bws"));
    for (const char* name : {"VLM_Log.txt", "club.bws"}) {
        int status = -1;
        const std::string output = Run(name, &status);
        EXPECT_EQ(ReadWhole(Path("VLM_Log.txt")), bytes) << name;
        EXPECT_NE(output.find("\"DBformatName\": \"DK0_BWS\""), std::string::npos) << output;
        EXPECT_EQ(status, 0);
        ASSERT_EQ(std::remove(Path("VLM_Log.txt").c_str()), 0);
        ASSERT_EQ(symlink("club.bws", Path("VLM_Log.txt").c_str()), 0);
    }
}

TEST_F(HostileRunTest, RunLogThatIsAPipeWithoutReaderDoesNotBlock) {
    ASSERT_EQ(SmallEvent().Write(Path("club.bws")), "");
    ASSERT_EQ(mkfifo(Path("VLM_Log.txt").c_str(), 0644), 0);
    int status = -1;
    const std::string output = Run(Path("club.bws"), &status);
    EXPECT_NE(output.find(kWorkingLine), std::string::npos) << output;
    EXPECT_NE(output.find("\"SectionCount\": \"1\""), std::string::npos) << output;
    EXPECT_EQ(status, 0);
}

TEST_F(HostileRunTest, FailedFetchEndsTheRunWithTheTablesMessageAndNoReport) {
    // The second row of the table holds 40000 in a Long column where the
    // layout declares Integer: the first row reads, the second fails to fetch.
    struct Case {
        eImportType format;
        const char* table;
        const char* column;
        const char* message;
        jetwriter::ColumnType type = jetwriter::ColumnType::kLongInteger;
        Value bad = Value::Integer(40000);
    };
    const Case cases[] = {
        {DK0_BWS, "RoundData", "EWPair", "Error opening round data\n"},
        {US0_BWS, "RoundData", "NSPair", "Error opening round data\n"},
        {DK0_BWS, "Section", "Tables", "Error opening section data\n"},
        {DK0_BWS, "PlayerNumbers", "Table", "Error opening PlayerNums data\n"},
        {DK0_BWS, "ReceivedData", "Board", "Error opening received data\n"},
        {DK0_BWS, "HandRecord", "Board", "Error opening hand record data\n"},
        // Its one row is read: a Double beyond the range of the Long declared.
        {DK0_BWS, "Session", "ID", "Error opening session data\n", jetwriter::ColumnType::kDouble,
         Value::Real(1e12)},
    };
    for (const Case& c : cases) {
        BwsFixture fixture(c.format);
        fixture.Retype(c.table, c.column, c.type);
        AddRound(fixture, 1, 1, 1, 1, 2, 1, 2);
        AddRound(fixture, 1, 1, 2, 1, 2, 3, 4);
        AddSection(fixture, 1, "A", 1);
        const std::string name = c.table;
        if (name == "Section") AddSection(fixture, 2, "B", 1);
        if (name == "Session") fixture.AddRow(name, {{"Name", Value::Text("Cup")}});
        const bool rowsOfItsOwn =
            name == "PlayerNumbers" || name == "ReceivedData" || name == "HandRecord";
        for (int row = 1; row <= 2 && rowsOfItsOwn; ++row) {
            if (name == "PlayerNumbers") {
                fixture.AddRow(name, {{"Section", Value::Integer(1)},
                                      {"Table", Value::Integer(1)},
                                      {"Direction", Value::Text("N")},
                                      {"Number", Value::Text("7")}});
            } else {
                fixture.AddRow(name,
                               {{"Section", Value::Integer(1)}, {"Board", Value::Integer(1)}});
            }
        }
        // The bad value goes into the table's last row in reading order.
        jetwriter::Table& table = fixture.Table(name);
        ASSERT_FALSE(table.rows.empty());
        int index = -1;
        for (size_t i = 0; i < table.columns.size(); ++i) {
            if (table.columns[i].name == c.column) index = static_cast<int>(i);
        }
        ASSERT_GE(index, 0) << c.table;
        table.rows.back()[index] = c.bad;
        const std::string path = Path("fetch.bws");
        ASSERT_EQ(fixture.Write(path), "");
        int status = -1;
        const std::string output = Run(path, &status);
        ASSERT_GE(output.size(), std::strlen(c.message)) << c.table;
        EXPECT_EQ(output.substr(output.size() - std::strlen(c.message)), c.message)
            << c.table << "\n"
            << output;
        EXPECT_EQ(output.find("\"Sections\""), std::string::npos) << c.table;
        EXPECT_EQ(status, 0);
    }
}

TEST_F(HostileRunTest, PathWithABlankAtEitherEndNamesThatFileAndNoOther) {
    // "decoy.bws" lies beside the files named with blanks; a trimmed path would open it.
    BwsFixture decoy(DK0_BWS);
    AddRound(decoy, 1, 1, 1, 1, 2, 1, 2);
    AddSection(decoy, 1, "Z", 1);
    ASSERT_EQ(decoy.Write(Path("decoy.bws")), "");
    std::vector<std::string> names = {" decoy.bws", "decoy.bws "};
    // Windows names cannot hold control characters, so only this build's
    // controller can be given a file named with a tab.
    if (ControllerProgram() == VELLAMO_EXECUTABLE) names.push_back("decoy.bws\t");
    for (const std::string& name : names) {
        ASSERT_EQ(SmallEvent().Write(Path(name)), "");
        int status = -1;
        const std::string output = Run(name, &status);
        EXPECT_NE(output.find("\"SectionName\": \"A\""), std::string::npos) << output;
        EXPECT_EQ(output.find("\"SectionName\": \"Z\""), std::string::npos) << output;
        EXPECT_EQ(status, 0);
        ASSERT_EQ(std::remove(Path(name).c_str()), 0);
    }
}

TEST_F(HostileRunTest, ReportThatCannotBeWrittenEndsWithStatusOneAndSaysSoOnTheLog) {
    ASSERT_EQ(SmallEvent().Write(Path("club.bws")), "");
    int status = -1;
    Run("club.bws", &status, " > /dev/full");
    EXPECT_EQ(status, 1);
    const std::string log = WithLinuxLineEnds(ReadWhole(Path("VLM_Log.txt")));
    EXPECT_EQ(log.substr(log.find(kWorkingLine) + kWorkingLine.size()),
              "The report could not be written to standard output\n");
}

TEST_F(HostileRunTest, NamesOutsideTheConversionTableReachTheReportAsUtf8) {
    BwsFixture fixture(DK0_BWS);
    AddRound(fixture, 1, 1, 1, 1, 2, 1, 2);
    AddSection(fixture, 1, "\u00d8", 1);  // stored as the Windows-1252 byte D8
    fixture.AddRow("Session", {{"Name", Value::Text("\u20ac-Cup \u0160ibenik \u00df")}});
    ASSERT_EQ(fixture.Write(Path("club.bws")), "");
    int status = -1;
    const std::string output = Run("club.bws", &status);
    EXPECT_NE(output.find("\"SectionName\": \"\xC3\x98\""), std::string::npos) << output;
    EXPECT_NE(output.find("\"TourName\": \"\xE2\x82\xAC-Cup \xC5\xA0ibenik \xC3\x9F\""),
              std::string::npos)
        << output;
    EXPECT_EQ(status, 0);
}

TEST_F(HostileRunTest, MemoNameOfFourMebibytesIsConvertedWithinTheTimeLimit) {
    // Name is a Memo in this file. A conversion taking time with the square
    // of the name's length needs minutes for 4 MiB, beyond the run's limit.
    BwsFixture fixture(DK0_BWS);
    fixture.Retype("Session", "Name", jetwriter::ColumnType::kMemo);
    AddRound(fixture, 1, 1, 1, 1, 2, 1, 2);
    AddSection(fixture, 1, "A", 1);
    // 16 Windows-1252 bytes: C6 E5 65 B4 E9 DF D8 E7 80 2D 41 B4 FC 6E 7A 2D.
    const std::string piece = "\u00c6\u00e5e\u00b4\u00e9\u00df\u00d8\u00e7\u20ac-A\u00b4\u00fcnz-";
    // Letter and acute sign become the letter and a space, c cedilla "c ".
    const std::string converted =
        "\xC3\x86\xC3\xA5"
        "e "
        "\xC3\xA9\xC3\x9F\xC3\x98"
        "c "
        "\xE2\x82\xAC"
        "-A "
        "\xC3\xBC"
        "nz-";
    std::string name, expected;
    for (int i = 0; i < (4 << 20) / 16; ++i) {
        name += piece;
        expected += converted;
    }
    fixture.AddRow("Session", {{"Name", Value::Text(name)}});
    ASSERT_EQ(fixture.Write(Path("club.bws")), "");
    int status = -1;
    const std::string output = Run("club.bws", &status);
    EXPECT_NE(output.find("\"TourName\": \"" + expected + "\""), std::string::npos)
        << output.substr(0, 400);
    EXPECT_EQ(status, 0);
}

TEST_F(HostileRunTest, FileHeldOpenForWritingIsReadUnlessHeldExclusively) {
    // The scoring program holds its BWS file open for writing while the
    // controller runs. Only Windows has sharing modes: the Windows build's
    // holder (VELLAMO_FILE_HOLDER, a command taking PATH and the mode) shows them.
    const char* holder = std::getenv("VELLAMO_FILE_HOLDER");
    if (holder == nullptr || *holder == '\0') GTEST_SKIP() << "sharing modes are Windows' own";
    const std::string path = Path("club.bws");
    const std::string held = path + ".held";
    ASSERT_EQ(SmallEvent().Write(path), "");
    for (const std::string mode : {"shared", "exclusive"}) {
        FILE* hold = popen((std::string(holder) + " '" + path + "' " + mode).c_str(), "w");
        ASSERT_NE(hold, nullptr);
        for (int wait = 0; wait < 300 && access(held.c_str(), F_OK) != 0; ++wait) usleep(100000);
        EXPECT_EQ(access(held.c_str(), F_OK), 0) << "the holder did not open the file";
        int status = -1;
        // Shared, the file reads as this build reads it unheld; no holder
        // can lock this build out.
        const std::string output = Run(path, &status, "", mode == "shared");
        pclose(hold);  // its standard input ends, so it lets go of the file
        std::remove(held.c_str());
        if (mode == "shared") {
            EXPECT_NE(output.find("\"SectionCount\": \"1\""), std::string::npos) << output;
        } else {
            EXPECT_EQ(output.substr(output.rfind('\n') + 1), "File does not exist") << output;
        }
        EXPECT_EQ(status, 0);
    }
}

}  // namespace
