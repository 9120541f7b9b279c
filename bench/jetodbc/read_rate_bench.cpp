// How fast the driver hands out rows: a 100,000-row table of 23 columns
// (numbers, dates, flags and texts, as a results table has them) read
// through the driver manager with every column bound, and again with
// SQLGetData for every field; beside mdb-export dumping the same table and
// MDB Tools' own ODBC driver reading it the same two ways. Prints rows per
// second, the median of several rounds, each round a fresh connection.
//
//   jetodbc_read_rate_bench [rounds]      (default 5)
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "jetwriter/database.h"
#include "jetwriter/jet_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRows = 100000;
const char* const kTable = "Results";

void Fail(const char* what) {
    std::fprintf(stderr, "benchmark failed: %s\n", what);
    std::exit(1);
}

bool Ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// 23 columns: 16 numeric, 2 dates, 1 flag, 4 texts.
jetwriter::Database MakeDatabase() {
    using jetwriter::ColumnType;
    using jetwriter::Value;
    jetwriter::Database db;
    db.created = 46000;
    jetwriter::Table table;
    table.name = kTable;
    const ColumnType numeric[] = {ColumnType::kLongInteger, ColumnType::kInteger, ColumnType::kByte,
                                  ColumnType::kDouble};
    for (int c = 0; c < 16; ++c) {
        table.columns.push_back(jetwriter::MakeColumn("N" + std::to_string(c + 1), numeric[c % 4]));
    }
    table.columns.push_back(jetwriter::MakeColumn("Played", ColumnType::kDateTime));
    table.columns.push_back(jetwriter::MakeColumn("Entered", ColumnType::kDateTime));
    table.columns.push_back(jetwriter::MakeColumn("Erased", ColumnType::kYesNo));
    for (int c = 0; c < 4; ++c) {
        table.columns.push_back(jetwriter::MakeTextColumn("T" + std::to_string(c + 1), 20));
    }
    const char* const texts[] = {"4 S", "3NT X", "=", "-1", "+2", "PASS", "6 H", "2 D"};
    table.rows.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        std::vector<Value> row;
        for (int c = 0; c < 16; ++c) {
            switch (c % 4) {
                case 0:
                    row.push_back(Value::Integer(r * 7 + c));
                    break;
                case 1:
                    row.push_back(Value::Integer((r + c) % 30000));
                    break;
                case 2:
                    row.push_back(Value::Integer((r + c) % 256));
                    break;
                default:
                    row.push_back(c == 7 && r % 10 == 0 ? Value::Null()
                                                        : Value::Real(r * 0.25 + c));
            }
        }
        row.push_back(Value::DateTime(46000 + r % 365 + 0.8));
        row.push_back(Value::DateTime(46000 + r % 365 + 0.85));
        row.push_back(Value::Boolean(r % 3 == 0));
        for (int c = 0; c < 4; ++c) row.push_back(Value::Text(texts[(r + c) % 8]));
        table.rows.push_back(std::move(row));
    }
    db.tables.push_back(std::move(table));
    return db;
}

struct Connection {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    explicit Connection(const std::string& text) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
        SQLCHAR out[2048];
        if (!Ok(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)text.c_str(), SQL_NTS, out, sizeof out,
                                 nullptr, SQL_DRIVER_NOPROMPT))) {
            Fail(("connect: " + text).c_str());
        }
    }
    ~Connection() {
        SQLDisconnect(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
};

// C type a client would choose for an SQL type.
SQLSMALLINT CTypeFor(SQLSMALLINT type) {
    switch (type) {
        case SQL_TINYINT:
        case SQL_SMALLINT:
            return SQL_C_SSHORT;
        case SQL_INTEGER:
            return SQL_C_SLONG;
        case SQL_BIT:
            return SQL_C_BIT;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return SQL_C_DOUBLE;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return SQL_C_TYPE_TIMESTAMP;
        default:
            return SQL_C_CHAR;
    }
}

// Reads the whole table, bound or by SQLGetData; returns the rows read.
long ReadTable(const std::string& connection, const std::string& sql, bool bound) {
    Connection c(connection);
    SQLHSTMT st;
    SQLAllocHandle(SQL_HANDLE_STMT, c.dbc, &st);
    if (!Ok(SQLExecDirect(st, (SQLCHAR*)sql.c_str(), SQL_NTS))) Fail(sql.c_str());
    SQLSMALLINT columns = 0;
    SQLNumResultCols(st, &columns);
    std::vector<SQLSMALLINT> cTypes(columns);
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(64));
    std::vector<SQLLEN> indicators(columns);
    for (SQLUSMALLINT i = 1; i <= columns; ++i) {
        SQLCHAR name[256];
        SQLSMALLINT type = 0;
        SQLDescribeCol(st, i, name, sizeof name, nullptr, &type, nullptr, nullptr, nullptr);
        cTypes[i - 1] = CTypeFor(type);
        if (bound) {
            SQLBindCol(st, i, cTypes[i - 1], buffers[i - 1].data(), 64, &indicators[i - 1]);
        }
    }
    long rows = 0;
    for (;;) {
        const SQLRETURN rc = SQLFetch(st);
        if (rc == SQL_NO_DATA) break;
        if (!Ok(rc)) Fail("fetch");
        if (!bound) {
            for (SQLUSMALLINT i = 1; i <= columns; ++i) {
                SQLGetData(st, i, cTypes[i - 1], buffers[i - 1].data(), 64, &indicators[i - 1]);
            }
        }
        ++rows;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    return rows;
}

template <typename F>
double MedianMs(int rounds, F&& f) {
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        const Clock::time_point start = Clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void Print(const char* what, double ms, double baseMs) {
    std::printf("%-44s %10.1f %14.0f %10.2f\n", what, ms, kRows / (ms / 1000.0), baseMs / ms);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string dir = (std::filesystem::temp_directory_path() / "jetodbc-rate-XXXXXX").string();
    if (!mkdtemp(dir.data())) Fail("mkdtemp");
    const std::string path = dir + "/results.mdb";
    if (!jetwriter::WriteJetFile(path, MakeDatabase()).empty()) Fail("writing the file");

    // One configuration naming both drivers, so that both go through the
    // same driver manager.
    {
        std::ofstream ini(dir + "/odbcinst.ini");
        ini << "[Vellamo Jet]\nDriver=" << JETODBC_LIBRARY << "\n\n"
            << "[MDB Tools]\nDriver=" << MDBTOOLS_ODBC_LIBRARY << "\n";
    }
    setenv("ODBCSYSINI", dir.c_str(), 1);
    const std::string ours = "DBQ=" + path + ";DRIVER={Vellamo Jet};";
    const std::string theirs = "DBQ=" + path + ";DRIVER={MDB Tools};";
    const std::string sql = std::string("SELECT * FROM ") + kTable;

    long checked = ReadTable(ours, sql, true);
    if (checked != kRows || ReadTable(ours, sql, false) != kRows) Fail("jetodbc row count");
    const std::string dump = std::string("mdb-export '") + path + "' " + kTable + " > /dev/null";
    const double exportMs = MedianMs(rounds, [&] {
        if (std::system(dump.c_str()) != 0) Fail("mdb-export");
    });
    const double boundMs = MedianMs(rounds, [&] { ReadTable(ours, sql, true); });
    const double getDataMs = MedianMs(rounds, [&] { ReadTable(ours, sql, false); });
    const bool haveTheirs = *MDBTOOLS_ODBC_LIBRARY != '\0';
    long theirRows = kRows;
    double theirBoundMs = 0, theirGetDataMs = 0;
    if (haveTheirs) {
        theirBoundMs = MedianMs(rounds, [&] { theirRows = ReadTable(theirs, sql, true); });
        theirGetDataMs = MedianMs(rounds, [&] { ReadTable(theirs, sql, false); });
    }
    const uintmax_t bytes = std::filesystem::file_size(path);
    std::filesystem::remove_all(dir);

    std::printf("read rate: %d rows x 23 columns, Jet 3 file of %ju bytes, median of %d rounds\n",
                kRows, bytes, rounds);
    std::printf("%-44s %10s %14s %10s\n", "reader", "ms", "rows/s", "x export");
    Print("mdb-export of the table", exportMs, exportMs);
    Print("jetodbc, bound columns", boundMs, exportMs);
    Print("jetodbc, SQLGetData", getDataMs, exportMs);
    if (haveTheirs) {
        Print("MDB Tools ODBC, bound columns", theirBoundMs, exportMs);
        Print("MDB Tools ODBC, SQLGetData", theirGetDataMs, exportMs);
    } else {
        std::printf("(MDB Tools' ODBC driver is not installed: odbc-mdbtools)\n");
    }
    if (theirRows != kRows) std::printf("(MDB Tools ODBC read %ld rows)\n", theirRows);
    return 0;
}
