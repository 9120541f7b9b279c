// Test support for the driver's integration tests: Jet files made at test
// time with bwsmake from the descriptions in fixtures/, ODBC handles that
// free themselves, and helpers that run a statement and read its result or
// its diagnostic records. Everything goes through unixODBC's driver manager
// with ODBCSYSINI pointing at the build's odbcinst.ini.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

namespace jetodbc_test {

// A folder of this test process, removed when the process ends.
const std::string& ScratchDir();

// The file version a test run writes its fixtures in, "jet3" or "jet4":
// JETODBC_FIXTURE_FORMAT, "jet3" when that is not set. The contract tests
// run once in each.
const std::string& RunFormat();

// description with a "format FORMAT" line after its database line; a
// description that names its format already is left as it is.
std::string InFormat(const std::string& description, const std::string& format);

// The file bwsmake makes from fixtures/<name>.jdesc in format (made once per
// process and format).
const std::string& FixtureDatabase(const std::string& name,
                                   const std::string& format = RunFormat());

// Makes a file from description text in format (as InFormat); file is its
// name in ScratchDir().
std::string MakeDatabase(const std::string& file, const std::string& description,
                         const std::string& format = RunFormat());

// The connection string the controller uses for path.
std::string ControllerConnectionString(const std::string& path);

// Writes bytes to ScratchDir()/file and returns the path.
std::string WriteFile(const std::string& file, const std::string& bytes);
std::string ReadFile(const std::string& path);

struct DiagRecord {
    std::string state;
    SQLINTEGER native = 0;
    std::string message;
};

// Every diagnostic record of handle.
std::vector<DiagRecord> Diagnostics(SQLSMALLINT handleType, SQLHANDLE handle);
// The SQLSTATEs of those records, joined by blanks (for readable failures).
std::string States(SQLSMALLINT handleType, SQLHANDLE handle);

class Environment {
  public:
    Environment();
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    SQLHENV get() const { return handle_; }

  private:
    SQLHENV handle_ = SQL_NULL_HENV;
};

class Connection {
  public:
    explicit Connection(const Environment& env);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // SQLDriverConnect without prompting; the return code.
    SQLRETURN Connect(const std::string& connectionString);
    SQLHDBC get() const { return handle_; }
    std::string States() const { return jetodbc_test::States(SQL_HANDLE_DBC, handle_); }

  private:
    SQLHDBC handle_ = SQL_NULL_HDBC;
    bool connected_ = false;
};

class Statement {
  public:
    explicit Statement(const Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT get() const { return handle_; }
    SQLRETURN Exec(const std::string& sql);
    std::string States() const { return jetodbc_test::States(SQL_HANDLE_STMT, handle_); }
    std::vector<DiagRecord> Records() const { return Diagnostics(SQL_HANDLE_STMT, handle_); }

    // Reads every remaining row with SQLFetch and SQLGetData as SQL_C_CHAR;
    // NULL reads as "<NULL>". Fails the test on an unexpected return code.
    std::vector<std::vector<std::string>> Rows();
    // The result's column names.
    std::vector<std::string> ColumnNames();

  private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

// A connected environment on one fixture, for the tests' fixtures.
struct Session {
    explicit Session(const std::string& path);
    Environment env;
    Connection connection;
};

}  // namespace jetodbc_test
