// The bwsmake command line: what it writes, how it reports a faulty
// description, and that it never replaces a file unless told to.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "test_support.h"

namespace {

using jetwriter_test::CommandResult;
using jetwriter_test::Field;
using jetwriter_test::RunCommand;

const std::string kExample = std::string(JETWRITER_SOURCE_DIR) + "/examples/minimal.jdesc";

class Bwsmake : public ::testing::Test {
  protected:
    std::string Describe(const std::string& name, const std::string& text) {
        const std::string path = scratch_.File(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    jetwriter_test::ScratchDirectory scratch_;
};

TEST_F(Bwsmake, WritesTheExampleDescription) {
    const std::string output = scratch_.File("minimal.mdb");
    const CommandResult run = RunCommand({BWSMAKE_EXECUTABLE, kExample, output});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(RunCommand({"mdb-ver", output}).output, "JET4\n");
    EXPECT_EQ(RunCommand({"mdb-tables", "-1", output}).output, "Players\nSections\n");
    const jetwriter_test::Rows players = jetwriter_test::ExportTable(output, "Players");
    ASSERT_EQ(players.size(), 3u);
    EXPECT_EQ(players[0][1], Field("Anne \u00d8deg\u00e5rd"));
    EXPECT_EQ(players[1][1], Field("Jos\u00e9 \"Pepe\" N\u00fa\u00f1ez"));
    EXPECT_EQ(players[2][6], Field("1899-12-30 19:30:00"));
}

TEST_F(Bwsmake, FaultyDescriptionNamesTheLineAndWritesNothing) {
    const std::string description = Describe("bad.jdesc",
                                             "database created=2026-01-15\n"
                                             "table T\n"
                                             "column N Integer\n"
                                             "row twelve\n");
    const std::string output = scratch_.File("bad.mdb");
    const CommandResult run = RunCommand({BWSMAKE_EXECUTABLE, description, output});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind(description + ":4: column N (Integer) takes a whole number", 0), 0u)
        << run.errors;
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(Bwsmake, ValueOutOfRangeNamesTheRowLineAndWritesNothing) {
    const std::string description = Describe("range.jdesc",
                                             "database created=2026-01-15\n"
                                             "table T\n"
                                             "column N Byte\n"
                                             "row 255\n"
                                             "row 256\n");
    const std::string output = scratch_.File("range.mdb");
    const CommandResult run = RunCommand({BWSMAKE_EXECUTABLE, description, output});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, description +
                              ":5: table T, row 2: column N: 256 is outside the Byte range 0 to "
                              "255\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// A name Jet 3's Windows-1252 cannot hold is refused at the line that gives it.
TEST_F(Bwsmake, NameAJet3FileCannotHoldNamesItsLine) {
    const std::string column = Describe("column.jdesc",
                                        "database created=2026-01-15\n"
                                        "table T\n"
                                        "column A Integer\n"
                                        "column B\u4e00 Integer\n"
                                        "row 1, 2\n");
    CommandResult run = RunCommand({BWSMAKE_EXECUTABLE, column, scratch_.File("column.mdb")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, column +
                              ":4: table T: column B\u4e00: the character U+4E00 in the name "
                              "cannot be stored in a Jet 3 file (its code page is "
                              "Windows-1252)\n");

    const std::string table = Describe("table.jdesc",
                                       "database created=2026-01-15\n"
                                       "table T\n"
                                       "column A Integer\n"
                                       "table T\u0100\n"
                                       "column A Integer\n");
    run = RunCommand({BWSMAKE_EXECUTABLE, table, scratch_.File("table.mdb")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, table +
                              ":4: table T\u0100: the character U+0100 in the name cannot be "
                              "stored in a Jet 3 file (its code page is Windows-1252)\n");
    EXPECT_FALSE(std::filesystem::exists(scratch_.File("table.mdb")));
}

TEST_F(Bwsmake, KeepsAnExistingFileUnlessForced) {
    const std::string output = Describe("existing.mdb", "precious");
    CommandResult run = RunCommand({BWSMAKE_EXECUTABLE, kExample, output});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("--force"), std::string::npos) << run.errors;
    EXPECT_EQ(jetwriter_test::ReadFile(output), "precious");

    // A faulty description does not replace it even when forced.
    const std::string bad = Describe("bad.jdesc", "table T\n");
    run = RunCommand({BWSMAKE_EXECUTABLE, "--force", bad, output});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(jetwriter_test::ReadFile(output), "precious");

    run = RunCommand({BWSMAKE_EXECUTABLE, "--force", kExample, output});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(RunCommand({"mdb-ver", output}).output, "JET4\n");
    EXPECT_FALSE(std::filesystem::exists(output + ".partial"));
}

TEST_F(Bwsmake, ReadsTheDescriptionFromStandardInput) {
    const std::string output = scratch_.File("stdin.mdb");
    const CommandResult run =
        RunCommand({BWSMAKE_EXECUTABLE, "-", output},
                   "database created=2026-01-15\ntable T\ncolumn S Text(9)\nrow \"piped\"\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(jetwriter_test::ExportTable(output, "T"), jetwriter_test::Rows{{Field("piped")}});

    const CommandResult bad = RunCommand({BWSMAKE_EXECUTABLE, "-", scratch_.File("x.mdb")},
                                         "database created=2026-01-15\ntable\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.errors.rfind("<stdin>:2: ", 0), 0u) << bad.errors;
}

TEST_F(Bwsmake, CommandLineMistakes) {
    CommandResult run = RunCommand({BWSMAKE_EXECUTABLE});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("usage: bwsmake"), std::string::npos);

    run = RunCommand({BWSMAKE_EXECUTABLE, "--overwrite", kExample, scratch_.File("a.mdb")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("unknown option --overwrite"), std::string::npos);

    run = RunCommand({BWSMAKE_EXECUTABLE, "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("usage: bwsmake"), std::string::npos);

    run = RunCommand({BWSMAKE_EXECUTABLE, scratch_.File("missing.jdesc"), scratch_.File("a.mdb")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("cannot read"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(scratch_.File("a.mdb")));
}

}  // namespace
