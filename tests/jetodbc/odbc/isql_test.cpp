// An ordinary client: unixODBC's isql lists the tables and runs SELECTs,
// both with a connection string and through a data source.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

// Runs isql with arguments, feeding it input; returns standard output and
// error together.
std::string Isql(const std::string& arguments, const std::string& input,
                 const std::string& environment = "", const std::string& program = "isql") {
    const std::string inputFile = WriteFile("isql-input.txt", input);
    const std::string command =
        environment + " " + program + " " + arguments + " < '" + inputFile + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) out += buffer;
    if (pipe) pclose(pipe);
    return out;
}

// isql, built without sanitizers, cannot load a driver built with them.
#if defined(__SANITIZE_ADDRESS__)
#define SKIP_UNDER_SANITIZERS() GTEST_SKIP() << "isql cannot load a sanitized driver"
#else
#define SKIP_UNDER_SANITIZERS() (void)0
#endif

std::string DriverString(const std::string& path) {
    return "-v -b -d'|' -c -k \"DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + path + "\"";
}

}  // namespace

TEST(Isql, ListsTablesAndRunsSelects) {
    SKIP_UNDER_SANITIZERS();
    const std::string out = Isql(DriverString(FixtureDatabase("club")),
                                 "help\n"
                                 "SELECT [Section].* FROM [Section]\n"
                                 "SELECT Letter FROM Section WHERE ID = 2 ORDER BY Letter\n");
    EXPECT_NE(out.find("|RoundData|TABLE|"), std::string::npos) << out;
    EXPECT_NE(out.find("|MSysObjects|SYSTEM TABLE|"), std::string::npos) << out;
    EXPECT_NE(out.find("ID|Letter|Tables|MissingPair|EWMoveBeforePlay|ScoringType|Session"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("1|A|7|0|0|1|1"), std::string::npos) << out;
    EXPECT_NE(out.find("\nB\n"), std::string::npos) << out;
}

TEST(Isql, ShowsTheDriversMessageForABadStatement) {
    SKIP_UNDER_SANITIZERS();
    const std::string out =
        Isql(DriverString(FixtureDatabase("club")), "SELECT * FROM Nowhere\nhelp Tables\n");
    EXPECT_NE(out.find("[Vellamo][ODBC Jet Driver]The table 'Nowhere' does not exist"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("|Tables|CurrentRound|5|SMALLINT|"), std::string::npos) << out;
}

TEST(Isql, ConnectsThroughADataSource) {
    SKIP_UNDER_SANITIZERS();
    // A private configuration: the driver as built, and a data source on the club file.
    const std::string dir = ScratchDir() + "/dsn";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(std::string(JETODBC_INI_DIR) + "/odbcinst.ini",
                               dir + "/odbcinst.ini",
                               std::filesystem::copy_options::overwrite_existing);
    WriteFile("dsn/odbc.ini",
              "[club]\nDriver=Microsoft Access Driver (*.mdb)\nDBQ=" + FixtureDatabase("club") +
                  "\n\n[nodb]\nDriver=Microsoft Access "
                  "Driver (*.mdb)\n");
    const std::string env = "ODBCSYSINI='" + dir + "' ODBCINI='" + dir + "/odbc.ini'";
    const std::string out = Isql("-v -b -d'|' club", "SELECT Letter FROM Section\n", env);
    EXPECT_EQ(out, "A\nB\n");
    const std::string none = Isql("-v -b nodb", "SELECT 1\n", env);
    EXPECT_NE(none.find("names no database file"), std::string::npos) << none;
}

TEST(Isql, WideIusqlAndNarrowIsqlShowTheSameRows) {
    SKIP_UNDER_SANITIZERS();
    // iusql calls the wide entry points (it takes no connection string, so a
    // data source); both print Latin letters as single bytes.
    const std::string dir = ScratchDir() + "/wide-dsn";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(std::string(JETODBC_INI_DIR) + "/odbcinst.ini",
                               dir + "/odbcinst.ini",
                               std::filesystem::copy_options::overwrite_existing);
    WriteFile("wide-dsn/odbc.ini", "[types]\nDriver=Microsoft Access Driver (*.mdb)\nDBQ=" +
                                       FixtureDatabase("types") + "\n");
    const std::string env = "ODBCSYSINI='" + dir + "' ODBCINI='" + dir + "/odbc.ini'";
    const std::string input =
        "SELECT COUNT(*) AS n FROM Kinds WHERE Label LIKE 'Caf%'\n"
        "SELECT Label, Small FROM Kinds WHERE Id IN (1, 2) ORDER BY Small DESC\n";
    const std::string expected = "1\n|32767\nCaf\xe9 \xd8st|-32768\n";
    EXPECT_EQ(Isql("-v -b -d'|' types", input, env, "iusql"), expected);
    EXPECT_EQ(Isql("-v -b -d'|' types", input, env, "isql"), expected);
}
