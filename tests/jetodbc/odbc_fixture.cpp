#include "tests/jetodbc/odbc_fixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace jetodbc_test {

namespace {

// The driver manager must find the built driver before the first handle.
const bool kIniSet = [] {
    setenv("ODBCSYSINI", JETODBC_INI_DIR, 0);
    return true;
}();

class Scratch {
  public:
    Scratch() {
        std::string pattern = std::filesystem::temp_directory_path() / "jetodbc-test-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

std::string RunBwsmake(const std::string& description, const std::string& output) {
    const std::string command = std::string("'") + JETODBC_BWSMAKE + "' --force '" + description +
                                "' '" + output + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) text += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return status == 0 ? std::string() : "bwsmake failed: " + text;
}

}  // namespace

const std::string& ScratchDir() {
    static Scratch scratch;
    (void)kIniSet;
    return scratch.path();
}

std::string WriteFile(const std::string& file, const std::string& bytes) {
    const std::string path = ScratchDir() + "/" + file;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string& RunFormat() {
    static const std::string format = [] {
        const char* chosen = std::getenv("JETODBC_FIXTURE_FORMAT");
        return std::string(chosen && *chosen ? chosen : "jet3");
    }();
    return format;
}

std::string InFormat(const std::string& description, const std::string& format) {
    std::istringstream lines(description);
    std::string out, line;
    bool placed = false;
    while (std::getline(lines, line)) {
        const size_t word = line.find_first_not_of(" \t");
        if (word != std::string::npos && line.compare(word, 7, "format ") == 0) return description;
        out += line + "\n";
        if (!placed && word != std::string::npos && line.compare(word, 9, "database ") == 0) {
            out += "format " + format + "\n";
            placed = true;
        }
    }
    return out;
}

std::string MakeDatabase(const std::string& file, const std::string& description,
                         const std::string& format) {
    const std::string source = WriteFile(file + ".jdesc", InFormat(description, format));
    const std::string path = ScratchDir() + "/" + file;
    const std::string error = RunBwsmake(source, path);
    EXPECT_EQ(error, "");
    return path;
}

const std::string& FixtureDatabase(const std::string& name, const std::string& format) {
    static std::map<std::string, std::string> made;
    const std::string key = name + "-" + format;
    auto found = made.find(key);
    if (found != made.end()) return found->second;
    const std::string description = ReadFile(std::string(JETODBC_FIXTURES) + "/" + name + ".jdesc");
    EXPECT_FALSE(description.empty()) << name;
    return made[key] = MakeDatabase(key + ".bws", description, format);
}

std::string ControllerConnectionString(const std::string& path) {
    return "DBQ=" + path + "; DRIVER={Microsoft Access Driver (*.mdb)}; ExtendedAnsiSQL=1;";
}

std::vector<DiagRecord> Diagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<DiagRecord> records;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR state[6] = {0};
        SQLCHAR message[1024] = {0};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (SQLGetDiagRec(handleType, handle, i, state, &native, message, sizeof message,
                          &length) != SQL_SUCCESS) {
            break;
        }
        records.push_back(
            {reinterpret_cast<char*>(state), native, reinterpret_cast<char*>(message)});
    }
    return records;
}

std::string States(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::string out;
    for (const DiagRecord& r : Diagnostics(handleType, handle)) {
        if (!out.empty()) out += " ";
        out += r.state;
    }
    return out;
}

Environment::Environment() {
    (void)ScratchDir();
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle_);
    SQLSetEnvAttr(handle_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
}

Environment::~Environment() { SQLFreeHandle(SQL_HANDLE_ENV, handle_); }

Connection::Connection(const Environment& env) {
    SQLAllocHandle(SQL_HANDLE_DBC, env.get(), &handle_);
}

Connection::~Connection() {
    if (connected_) SQLDisconnect(handle_);
    SQLFreeHandle(SQL_HANDLE_DBC, handle_);
}

SQLRETURN Connection::Connect(const std::string& connectionString) {
    SQLCHAR out[2048];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnect(
        handle_, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectionString.c_str())),
        SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    connected_ = connected_ || SQL_SUCCEEDED(rc);
    return rc;
}

Statement::Statement(const Connection& connection) {
    SQLAllocHandle(SQL_HANDLE_STMT, connection.get(), &handle_);
}

Statement::~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, handle_); }

SQLRETURN Statement::Exec(const std::string& sql) {
    return SQLExecDirect(handle_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                         SQL_NTS);
}

std::vector<std::string> Statement::ColumnNames() {
    SQLSMALLINT count = 0;
    SQLNumResultCols(handle_, &count);
    std::vector<std::string> names;
    for (SQLUSMALLINT c = 1; c <= count; ++c) {
        SQLCHAR name[256] = {0};
        SQLDescribeCol(handle_, c, name, sizeof name, nullptr, nullptr, nullptr, nullptr, nullptr);
        names.emplace_back(reinterpret_cast<char*>(name));
    }
    return names;
}

std::vector<std::vector<std::string>> Statement::Rows() {
    SQLSMALLINT count = 0;
    SQLNumResultCols(handle_, &count);
    std::vector<std::vector<std::string>> rows;
    while (true) {
        const SQLRETURN rc = SQLFetch(handle_);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) {
            ADD_FAILURE() << "SQLFetch: " << rc << " " << States();
            break;
        }
        std::vector<std::string> row;
        for (SQLUSMALLINT c = 1; c <= count; ++c) {
            char buffer[8192];
            SQLLEN indicator = 0;
            const SQLRETURN got =
                SQLGetData(handle_, c, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (!SQL_SUCCEEDED(got)) ADD_FAILURE() << "SQLGetData: " << States();
            row.push_back(indicator == SQL_NULL_DATA ? "<NULL>" : std::string(buffer));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Session::Session(const std::string& path) : connection(env) {
    const SQLRETURN rc = connection.Connect(ControllerConnectionString(path));
    EXPECT_TRUE(SQL_SUCCEEDED(rc)) << connection.States();
}

}  // namespace jetodbc_test
