// How long format detection's database work takes through the driver: on a
// typical club file (the club fixture: seven BWS tables, 300 results), one
// connect, 300 SQLTables probes as the schema probe makes them and 170
// SELECT opens with the first row fetched, as the table reader makes them.
// Prints the time of each phase, as the median and best of several rounds.
//
//   jetodbc_detection_bench [rounds]      (default 15)
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Tables that detection asks for: those of the club file and those of
// other editions, which the file lacks.
const char* const kProbed[] = {"Session",      "Section",        "Tables",     "RoundData",
                               "ReceivedData", "PlayerNumbers",  "HandRecord", "IntermediateData",
                               "BiddingData",  "PlayData",       "Clients",    "Settings",
                               "PlayerNames",  "HandEvaluation", "RoundLimits"};
const char* const kOpened[] = {"Session",      "Section",       "Tables",    "RoundData",
                               "ReceivedData", "PlayerNumbers", "HandRecord"};

bool Ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

void Fail(const char* what) {
    std::fprintf(stderr, "benchmark failed: %s\n", what);
    std::exit(1);
}

// The schema probe: SQLTables for one name and "TABLE", TABLE_NAME found
// by name and read, then the end of the result.
bool Probe(SQLHDBC dbc, const char* table) {
    SQLHSTMT st;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
    SQLSetStmtAttr(st, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_READ_ONLY), 0);
    SQLSetStmtAttr(st, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY),
                   0);
    bool found = false;
    if (!Ok(SQLTables(st, nullptr, 0, nullptr, 0, (SQLCHAR*)table, SQL_NTS, (SQLCHAR*)"TABLE",
                      SQL_NTS))) {
        Fail("SQLTables");
    }
    if (SQLFetch(st) == SQL_SUCCESS) {
        SQLSMALLINT columns = 0;
        SQLNumResultCols(st, &columns);
        for (SQLUSMALLINT c = 1; c <= columns; ++c) {
            SQLCHAR name[256] = {0};
            SQLDescribeCol(st, c, name, sizeof name, nullptr, nullptr, nullptr, nullptr, nullptr);
            if (std::string(reinterpret_cast<char*>(name)) != "TABLE_NAME") continue;
            char value[256];
            SQLLEN indicator = 0;
            SQLGetData(st, c, SQL_C_CHAR, value, sizeof value, &indicator);
            found = SQLFetch(st) == SQL_NO_DATA;
        }
    }
    SQLFreeStmt(st, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    return found;
}

// The table reader's open: keyset cursor, SELECT [T].* FROM [T], every
// column described and bound, the first row fetched, then closed.
void Open(SQLHDBC dbc, const char* table, bool ordered) {
    SQLHSTMT st;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
    SQLSetStmtAttr(st, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_ROWVER), 0);
    SQLSetStmtAttr(st, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_KEYSET_DRIVEN),
                   0);
    std::string sql = std::string("SELECT [") + table + "].* FROM [" + table + "]";
    if (ordered) sql += " ORDER BY [Section] ASC, [Round] ASC, [Table] ASC";
    if (!Ok(SQLExecDirect(st, (SQLCHAR*)sql.c_str(), SQL_NTS))) Fail(sql.c_str());
    SQLSMALLINT columns = 0;
    SQLNumResultCols(st, &columns);
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(256));
    std::vector<SQLLEN> indicators(columns);
    for (SQLUSMALLINT c = 1; c <= columns; ++c) {
        SQLCHAR name[256];
        SQLSMALLINT type = 0;
        SQLDescribeCol(st, c, name, sizeof name, nullptr, &type, nullptr, nullptr, nullptr);
        SQLSMALLINT cType = SQL_C_CHAR;
        if (type == SQL_SMALLINT) cType = SQL_C_SSHORT;
        if (type == SQL_INTEGER) cType = SQL_C_LONG;
        if (type == SQL_BIT) cType = SQL_C_BIT;
        if (type == SQL_DOUBLE) cType = SQL_C_DOUBLE;
        if (type == SQL_TYPE_TIMESTAMP) cType = SQL_C_TYPE_TIMESTAMP;
        SQLBindCol(st, c, cType, buffers[c - 1].data(), 256, &indicators[c - 1]);
    }
    if (!Ok(SQLFetchScroll(st, SQL_FETCH_NEXT, 0))) Fail("first row");
    SQLCancel(st);
    SQLFreeStmt(st, SQL_UNBIND);
    SQLFreeStmt(st, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, st);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Phase {
    const char* name;
    int calls;
    std::vector<double> ms;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    setenv("ODBCSYSINI", JETODBC_INI_DIR, 0);
    std::string dir = (std::filesystem::temp_directory_path() / "jetodbc-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) Fail("mkdtemp");
    const std::string path = dir + "/club.bws";
    const std::string make = std::string("'") + JETODBC_BWSMAKE + "' --force '" +
                             JETODBC_BENCH_FIXTURE + "' '" + path + "'";
    if (std::system(make.c_str()) != 0) Fail("bwsmake");
    const std::string connection =
        "DBQ=" + path + "; DRIVER={Microsoft Access Driver (*.mdb)}; ExtendedAnsiSQL=1;";

    Phase connect{"connect", 1, {}}, probes{"SQLTables probes", 300, {}},
        opens{"SELECT opens, first row", 170, {}}, total{"all of it", 1, {}};
    int found = 0;
    for (int r = 0; r < rounds; ++r) {
        const Clock::time_point start = Clock::now();
        SQLHENV env;
        SQLHDBC dbc;
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
        SQLCHAR out[2048];
        if (!Ok(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)connection.c_str(), SQL_NTS, out,
                                 sizeof out, nullptr, SQL_DRIVER_NOPROMPT))) {
            Fail("connect");
        }
        const Clock::time_point connected = Clock::now();
        found = 0;
        for (int i = 0; i < probes.calls; ++i) {
            found += Probe(dbc, kProbed[i % (sizeof kProbed / sizeof *kProbed)]);
        }
        const Clock::time_point probed = Clock::now();
        for (int i = 0; i < opens.calls; ++i) {
            const char* table = kOpened[i % (sizeof kOpened / sizeof *kOpened)];
            Open(dbc, table, std::string(table) == "RoundData");
        }
        const Clock::time_point opened = Clock::now();
        SQLDisconnect(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        connect.ms.push_back(Ms(connected - start));
        probes.ms.push_back(Ms(probed - connected));
        opens.ms.push_back(Ms(opened - probed));
        total.ms.push_back(Ms(opened - start));
    }
    const uintmax_t bytes = std::filesystem::file_size(path);
    std::filesystem::remove_all(dir);

    std::printf("jetodbc detection benchmark: the club fixture (%ju bytes), %d rounds\n", bytes,
                rounds);
    std::printf("%-26s %8s %10s %10s %12s\n", "phase", "calls", "median ms", "best ms",
                "us per call");
    for (Phase* p : {&connect, &probes, &opens, &total}) {
        std::sort(p->ms.begin(), p->ms.end());
        const double median = p->ms[p->ms.size() / 2];
        std::printf("%-26s %8d %10.3f %10.3f %12.1f\n", p->name, p->calls, median, p->ms[0],
                    1000.0 * median / p->calls);
    }
    std::printf("probes that found their table: %d of %d\n", found, probes.calls);
    return 0;
}
