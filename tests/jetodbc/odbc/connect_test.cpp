// Connecting through the driver manager: the controller's connection
// string and its variations, every way a file can fail to be a database,
// and that the driver leaves the file untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;
namespace fs = std::filesystem;

namespace {

const char* kDriver = "DRIVER={Microsoft Access Driver (*.mdb)}";

// The outcome of one connect attempt: return code, records, connected or not.
struct Attempt {
    SQLRETURN rc;
    std::vector<DiagRecord> records;
};

Attempt TryConnect(const std::string& connectionString) {
    Environment env;
    Connection c(env);
    Attempt a{c.Connect(connectionString), {}};
    a.records = Diagnostics(SQL_HANDLE_DBC, c.get());
    return a;
}

// A failed connect with at least one record of state that names why.
void ExpectRefused(const std::string& path, const std::string& state, const std::string& why) {
    const Attempt a = TryConnect(ControllerConnectionString(path));
    EXPECT_EQ(a.rc, SQL_ERROR) << path;
    ASSERT_FALSE(a.records.empty()) << path;
    EXPECT_EQ(a.records[0].state, state) << a.records[0].message;
    EXPECT_NE(a.records[0].message.find(why), std::string::npos)
        << path << ": " << a.records[0].message;
}

std::string CopyOfClub(const std::string& name) {
    const std::string path = ScratchDir() + "/" + name;
    fs::copy_file(FixtureDatabase("club"), path, fs::copy_options::overwrite_existing);
    return path;
}

}  // namespace

TEST(Connect, TheControllersConnectionStringOpensTheFile) {
    Session s(FixtureDatabase("club"));
    Statement st(s.connection);
    ASSERT_EQ(st.Exec("SELECT [Section].* FROM [Section]"), SQL_SUCCESS) << st.States();
    EXPECT_EQ(st.Rows().size(), 2u);
    char dbms[32] = {0};
    SQLGetInfo(s.connection.get(), SQL_DBMS_NAME, dbms, sizeof dbms, nullptr);
    EXPECT_STREQ(dbms, "ACCESS");
}

TEST(Connect, KeywordsIgnoreCaseBlanksAndUnknownKeys) {
    const std::string path = FixtureDatabase("club");
    for (const std::string& cs :
         {"  dbq =  " + path + " ;DRIVER={Microsoft Access Driver (*.mdb)} ; UID=admin;PWD=;",
          std::string(kDriver) + ";Dbq={" + path + "};FIL=MS Access;MaxBufferSize=2048;Foo=Bar",
          std::string(kDriver) + ";DefaultDir=" + ScratchDir() +
              ";DBQ=" + fs::path(path).filename().string()}) {
        const Attempt a = TryConnect(cs);
        EXPECT_TRUE(SQL_SUCCEEDED(a.rc))
            << cs << " " << (a.records.empty() ? "" : a.records[0].message);
    }
}

TEST(Connect, BracedPathMayHoldSemicolonsAndBraces) {
    const std::string path = CopyOfClub("odd;name}here.bws");
    std::string braced;
    for (char c : path) braced += c == '}' ? "}}" : std::string(1, c);
    const Attempt a = TryConnect("DBQ={" + braced + "}; " + kDriver + "; ExtendedAnsiSQL=1;");
    EXPECT_TRUE(SQL_SUCCEEDED(a.rc)) << (a.records.empty() ? "" : a.records[0].message);
}

TEST(Connect, ReturnsTheCompletedStringAndWarnsWhenCut) {
    Environment env;
    Connection c(env);
    const std::string in = ControllerConnectionString(FixtureDatabase("club"));
    SQLCHAR out[16];
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLDriverConnect(c.get(), nullptr, (SQLCHAR*)in.c_str(), SQL_NTS, out,
                                          sizeof out, &length, SQL_DRIVER_NOPROMPT);
    EXPECT_EQ(rc, SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(c.States(), "01004");
    EXPECT_GT(length, 16);
    SQLDisconnect(c.get());
}

TEST(Connect, RefusesWhatIsNotADatabase) {
    ExpectRefused(ScratchDir() + "/missing.bws", "08001", "Could not find file");
    ExpectRefused(ScratchDir(), "08001", "is not a file");
    ExpectRefused(WriteFile("empty.bws", ""), "HY000", "empty");
    ExpectRefused(WriteFile("text.bws", std::string(9000, 'x') + "\nhello\n"), "HY000",
                  "not a Jet database");
    const std::string club = ReadFile(FixtureDatabase("club"));
    ExpectRefused(WriteFile("cut.bws", club.substr(0, club.size() - 1000)), "HY000", "truncated");
    ExpectRefused(WriteFile("header.bws", club.substr(0, 4096)), "HY000", "truncated");
    // Cut at a page boundary: the catalog still reads, but tables point past the end.
    ExpectRefused(WriteFile("pages.bws", club.substr(0, club.size() - 4 * 4096)), "HY000",
                  "past the end");
}

TEST(Connect, RefusesAStringWithoutADatabase) {
    const Attempt a = TryConnect(std::string(kDriver) + ";ExtendedAnsiSQL=1;");
    EXPECT_EQ(a.rc, SQL_ERROR);
    ASSERT_FALSE(a.records.empty());
    EXPECT_EQ(a.records[0].state, "08001");
    EXPECT_NE(a.records[0].message.find("DBQ"), std::string::npos);
}

TEST(Connect, LeavesTheFileAndItsFolderUntouched) {
    const std::string folder = ScratchDir() + "/untouched";
    fs::create_directories(folder);
    const std::string path = folder + "/club.bws";
    fs::copy_file(FixtureDatabase("club"), path, fs::copy_options::overwrite_existing);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    const std::string before = ReadFile(path);
    struct stat st {};
    stat(path.c_str(), &st);
    {
        Session s(path);
        Statement q(s.connection);
        ASSERT_EQ(q.Exec("SELECT * FROM ReceivedData"), SQL_SUCCESS) << q.States();
        q.Rows();
    }
    struct stat after {};
    stat(path.c_str(), &after);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(after.st_mtime, st.st_mtime);
    size_t entries = 0;
    for (const auto& e : fs::directory_iterator(folder)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);  // no lock file beside it
}

TEST(Connect, DisconnectsAndConnectsAgainOnTheSameHandle) {
    Environment env;
    Connection c(env);
    const std::string cs = ControllerConnectionString(FixtureDatabase("club"));
    ASSERT_EQ(c.Connect(cs), SQL_SUCCESS) << c.States();
    EXPECT_EQ(c.Connect(cs), SQL_ERROR);  // already connected
    EXPECT_EQ(SQLDisconnect(c.get()), SQL_SUCCESS);
    EXPECT_EQ(c.Connect(cs), SQL_SUCCESS) << c.States();
}
