// jet_conformance: reads every table of every Access file in a folder through
// unixODBC and the "Microsoft Access Driver (*.mdb)" driver, each value once
// as SQL_C_CHAR and once as SQL_C_WCHAR, and compares the values with what
// MDB Tools' mdb-export prints for the same table. Values count as equal when
// they differ only by one of mdb-export's known faults (an empty text printed
// as NULL, a date before 1900 or after 4637-11-26 printed as 1900-01-00, the
// Windows-1252 bytes 0x81 0x8D 0x8F 0x90 0x9D printed as '?', a GUID printed
// without one of its dashes) or by plain formatting (1 vs 1.0, TRUE vs 1, hex
// letter case).
//
// Usage: jet_conformance FOLDER. Prints one line a table and a total line;
// exits 0 when every table matches, 1 on any difference, 2 on bad usage.
// Without ODBCSYSINI in the environment it uses the build's own registration
// of the driver.

#include <sql.h>
#include <sqlext.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>
#include <fcntl.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using Field = std::optional<std::string>;  // UTF-8; nullopt is NULL
using Row = std::vector<Field>;

struct Table {
    std::vector<std::string> columns;
    std::vector<SQLSMALLINT> types;  // SQL types from the driver; empty for mdb-export
    std::vector<Row> rows;
};

// ---- text encodings (the tool's own, so that it does not share the driver's)

void AppendUtf8(std::string* out, uint32_t c) {
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xc0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xe0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else {
        out->push_back(static_cast<char>(0xf0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3f)));
    }
}

std::vector<uint32_t> DecodeUtf8(const std::string& s) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80 ? 0 : b < 0xe0 ? 1 : b < 0xf0 ? 2 : 3;
        uint32_t c = extra == 0 ? b : b & (0x3f >> extra);
        size_t j = 1;
        for (; j <= static_cast<size_t>(extra) && i + j < s.size(); ++j) {
            c = (c << 6) | (static_cast<unsigned char>(s[i + j]) & 0x3f);
        }
        out.push_back(c);
        i += j;
    }
    return out;
}

// Windows-1252's 0x80..0x9F; 0 where the code page leaves a byte undefined.
constexpr uint16_t kCp1252High[32] = {
    0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017d, 0,      0,      0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,      0x017e, 0x0178};

uint32_t FromCp1252(unsigned char b) {
    if (b >= 0x80 && b < 0xa0 && kCp1252High[b - 0x80] != 0) return kCp1252High[b - 0x80];
    return b;  // the undefined five pass through as C1 controls
}

bool InCp1252(uint32_t c) {
    if (c < 0x80 || (c >= 0xa0 && c < 0x100)) return true;
    for (uint16_t h : kCp1252High) {
        if (h != 0 && h == c) return true;
    }
    return c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d;
}

std::string Cp1252ToUtf8(const std::string& s) {
    std::string out;
    for (char ch : s) AppendUtf8(&out, FromCp1252(static_cast<unsigned char>(ch)));
    return out;
}

std::string Utf16ToUtf8(const std::vector<SQLWCHAR>& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t c = s[i];
        if (c >= 0xd800 && c < 0xdc00 && i + 1 < s.size() && s[i + 1] >= 0xdc00 &&
            s[i + 1] < 0xe000) {
            c = 0x10000 + ((c - 0xd800) << 10) + (s[i + 1] - 0xdc00);
            ++i;
        }
        AppendUtf8(&out, c);
    }
    return out;
}

std::vector<SQLWCHAR> Utf8ToUtf16(const std::string& s) {
    std::vector<SQLWCHAR> out;
    for (uint32_t c : DecodeUtf8(s)) {
        if (c >= 0x10000) {
            out.push_back(static_cast<SQLWCHAR>(0xd800 + ((c - 0x10000) >> 10)));
            c = 0xdc00 + ((c - 0x10000) & 0x3ff);
        }
        out.push_back(static_cast<SQLWCHAR>(c));
    }
    return out;
}

// What an ANSI client in Windows-1252 gets for UTF-8 text: every character
// without a Windows-1252 form as '?' (a character beyond U+FFFF once).
std::string AsCp1252Client(const std::string& utf8) {
    std::string out;
    for (uint32_t c : DecodeUtf8(utf8)) {
        if (InCp1252(c)) {
            AppendUtf8(&out, c);
        } else {
            out.push_back('?');
        }
    }
    return out;
}

// ---- mdb-export and mdb-tables

// Runs program with args, returning its standard output; nullopt when it
// cannot be started or exits non-zero. Its standard error is discarded.
std::optional<std::string> RunTool(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return std::nullopt;
    const pid_t pid = fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        dup2(out[1], 1);
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) dup2(devnull, 2);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[65536];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) text.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return text;
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = s.find(separator, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

constexpr char kNull = '\x01';
constexpr const char* kDateFormat = "%Y-%m-%d %H:%M:%S";

// mdb-export's CSV: fields separated by commas, rows by newlines; text-like
// fields in double quotes (a quote inside doubled), where a newline or comma
// is part of the field; NULL as the unquoted kNull.
std::vector<Row> ParseCsv(const std::string& text) {
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false, inQuotes = false, any = false;
    auto endField = [&] {
        row.push_back(!quoted && field == std::string(1, kNull) ? Field() : Field(field));
        field.clear();
        quoted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        any = true;
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                field.push_back(c);
            }
        } else if (c == '"') {
            inQuotes = quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            rows.push_back(std::move(row));
            row.clear();
            any = false;
        } else {
            field.push_back(c);
        }
    }
    if (any) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<Table> ExportTable(const std::string& file, const std::string& table) {
    const std::optional<std::string> text =
        RunTool({"mdb-export", "-b", "hex", "-0", std::string(1, kNull), "-D", kDateFormat, "-T",
                 kDateFormat, file, table});
    if (!text) return std::nullopt;
    std::vector<Row> rows = ParseCsv(*text);
    if (rows.empty()) return std::nullopt;
    Table t;
    for (const Field& name : rows[0]) t.columns.push_back(name.value_or(""));
    t.rows.assign(rows.begin() + 1, rows.end());
    return t;
}

std::set<std::string> MdbTables(const std::string& file) {
    std::set<std::string> names;
    const std::optional<std::string> text = RunTool({"mdb-tables", "-1", file});
    if (!text) return names;
    for (const std::string& line : Split(*text, '\n')) {
        if (!line.empty()) names.insert(line);
    }
    return names;
}

// ---- the driver

class Odbc {
  public:
    Odbc() {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
        SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    ~Odbc() {
        Disconnect();
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
    }
    Odbc(const Odbc&) = delete;
    Odbc& operator=(const Odbc&) = delete;

    // Connects to file; on failure returns the driver's message.
    std::optional<std::string> Connect(const std::string& file) {
        Disconnect();
        SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
        std::string cs = "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + file + ";";
        SQLSMALLINT outLength = 0;
        const SQLRETURN rc = SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(cs.data()),
                                              static_cast<SQLSMALLINT>(cs.size()), nullptr, 0,
                                              &outLength, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            std::string message = Message(SQL_HANDLE_DBC, dbc_);
            SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
            dbc_ = SQL_NULL_HDBC;
            return message;
        }
        connected_ = true;
        return std::nullopt;
    }

    // The tables' names, asked for in UTF-16 so that a name outside
    // Windows-1252 comes whole.
    std::set<std::string> Tables() {
        std::set<std::string> names;
        SQLHSTMT stmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt);
        std::vector<SQLWCHAR> type = Utf8ToUtf16("TABLE");
        if (SQL_SUCCEEDED(SQLTablesW(stmt, nullptr, 0, nullptr, 0, nullptr, 0, type.data(),
                                     static_cast<SQLSMALLINT>(type.size())))) {
            while (SQL_SUCCEEDED(SQLFetch(stmt))) {
                const std::optional<Field> name = GetWide(stmt, 3);
                if (name && *name) names.insert(**name);
            }
        }
        SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        return names;
    }

    // Every row of table, each value fetched as SQL_C_CHAR (wide false) or
    // SQL_C_WCHAR; the statement and the column names go in UTF-16 either
    // way. On failure *error holds the driver's message.
    std::optional<Table> Read(const std::string& table, bool wide, std::string* error) {
        SQLHSTMT stmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt);
        std::vector<SQLWCHAR> sql = Utf8ToUtf16("SELECT * FROM [" + table + "]");
        std::optional<Table> result;
        if (!SQL_SUCCEEDED(SQLExecDirectW(stmt, sql.data(), static_cast<SQLINTEGER>(sql.size())))) {
            *error = Message(SQL_HANDLE_STMT, stmt);
            SQLFreeHandle(SQL_HANDLE_STMT, stmt);
            return result;
        }
        Table t;
        SQLSMALLINT count = 0;
        SQLNumResultCols(stmt, &count);
        for (SQLUSMALLINT c = 1; c <= count; ++c) {
            SQLWCHAR name[512];
            SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeColW(stmt, c, name, sizeof name / sizeof name[0], &nameLength, &type, &size,
                            &digits, &nullable);
            const size_t units = std::min<size_t>(std::max<SQLSMALLINT>(nameLength, 0),
                                                  sizeof name / sizeof name[0] - 1);
            t.columns.push_back(Utf16ToUtf8(std::vector<SQLWCHAR>(name, name + units)));
            t.types.push_back(type);
        }
        SQLRETURN rc;
        bool failed = false;
        while ((rc = SQLFetch(stmt)) != SQL_NO_DATA) {
            if (!SQL_SUCCEEDED(rc)) {
                failed = true;
                break;
            }
            Row row;
            for (SQLUSMALLINT c = 1; c <= count && !failed; ++c) {
                std::optional<Field> f = wide ? GetWide(stmt, c) : GetCharChecked(stmt, c);
                if (!f)
                    failed = true;
                else
                    row.push_back(*f);
            }
            if (failed) break;
            t.rows.push_back(std::move(row));
        }
        if (failed) {
            *error = Message(SQL_HANDLE_STMT, stmt);
        } else {
            result = std::move(t);
        }
        SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        return result;
    }

  private:
    void Disconnect() {
        if (connected_) SQLDisconnect(dbc_);
        if (dbc_ != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        dbc_ = SQL_NULL_HDBC;
        connected_ = false;
    }

    static std::string Message(SQLSMALLINT type, SQLHANDLE handle) {
        SQLCHAR state[6] = {0}, text[1024] = {0};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(
                SQLGetDiagRec(type, handle, 1, state, &native, text, sizeof text, &length)))
            return "(no diagnostic)";
        return std::string(reinterpret_cast<char*>(state)) + " " +
               Cp1252ToUtf8(reinterpret_cast<char*>(text));
    }

    // A whole value as SQL_C_CHAR in pieces, converted to UTF-8; nullopt
    // when SQLGetData fails.
    static std::optional<Field> GetCharChecked(SQLHSTMT stmt, SQLUSMALLINT column) {
        std::string bytes;
        char buffer[4096];
        while (true) {
            SQLLEN indicator = 0;
            const SQLRETURN rc =
                SQLGetData(stmt, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA) break;
            if (!SQL_SUCCEEDED(rc)) return std::nullopt;
            if (indicator == SQL_NULL_DATA) return Field();
            const size_t piece = indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer)
                                     ? sizeof buffer - 1
                                     : static_cast<size_t>(indicator);
            bytes.append(buffer, piece);
            if (rc == SQL_SUCCESS) break;
        }
        return Field(Cp1252ToUtf8(bytes));
    }

    static Field GetChar(SQLHSTMT stmt, SQLUSMALLINT column) {
        const std::optional<Field> f = GetCharChecked(stmt, column);
        return f ? *f : Field();
    }

    static std::optional<Field> GetWide(SQLHSTMT stmt, SQLUSMALLINT column) {
        std::vector<SQLWCHAR> units;
        SQLWCHAR buffer[2048];
        while (true) {
            SQLLEN indicator = 0;
            const SQLRETURN rc =
                SQLGetData(stmt, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA) break;
            if (!SQL_SUCCEEDED(rc)) return std::nullopt;
            if (indicator == SQL_NULL_DATA) return Field();
            const size_t bytes = indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer)
                                     ? sizeof buffer - sizeof(SQLWCHAR)
                                     : static_cast<size_t>(indicator);
            units.insert(units.end(), buffer, buffer + bytes / sizeof(SQLWCHAR));
            if (rc == SQL_SUCCESS) break;
        }
        return Field(Utf16ToUtf8(units));
    }

    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    bool connected_ = false;
};

// ---- comparison

bool ParseNumber(std::string s, long double* out) {
    if (s == "TRUE" || s == "True") s = "1";
    if (s == "FALSE" || s == "False") s = "0";
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    *out = std::strtold(s.c_str(), &end);
    return *end == '\0' && errno == 0;
}

// A decimal number without its sign when zero, a trailing fraction of zeros
// or a leading '+' (exact types are compared as text, digit by digit).
std::string NormalDecimal(std::string s) {
    if (s == "TRUE" || s == "True") return "1";
    if (s == "FALSE" || s == "False") return "0";
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) s.erase(0, 1);
    while (s.size() > 1 && s[0] == '0' && s[1] != '.') s.erase(0, 1);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s.empty() || s == "0") return "0";
    return negative ? "-" + s : s;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string WithoutGuidPunctuation(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c != '-' && c != '{' && c != '}') out.push_back(c);
    }
    return Lower(out);
}

// The bytes that hex digits spell; "" when s is not hex.
std::string FromHex(const std::string& s) {
    if (s.size() % 2 != 0 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return "";
    std::string out;
    for (size_t i = 0; i < s.size(); i += 2) {
        out.push_back(static_cast<char>(std::stoi(s.substr(i, 2), nullptr, 16)));
    }
    return out;
}

// mdb-export prints these Windows-1252 bytes (which the code page leaves
// undefined) as '?'.
bool MdbExportQuestionMark(uint32_t c) {
    return c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d;
}

bool SameText(const std::string& driver, const std::string& exported) {
    const std::vector<uint32_t> d = DecodeUtf8(driver), e = DecodeUtf8(exported);
    if (d.size() != e.size()) return false;
    for (size_t i = 0; i < d.size(); ++i) {
        if (d[i] != e[i] && !(e[i] == '?' && MdbExportQuestionMark(d[i]))) return false;
    }
    return true;
}

bool SameValue(SQLSMALLINT type, const Field& driver, const Field& exported) {
    if (!driver || !exported) {
        // mdb-export prints an empty text as NULL.
        return !driver && !exported ? true : !exported && driver->empty();
    }
    const std::string& d = *driver;
    const std::string& e = *exported;
    if (d == e) return true;
    switch (type) {
        case SQL_BIT:
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return NormalDecimal(d) == NormalDecimal(e);
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE: {
            long double a = 0, b = 0;
            if (!ParseNumber(d, &a) || !ParseNumber(e, &b)) return false;
            const long double tolerance = type == SQL_REAL ? 1e-6L : 1e-13L;
            return std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b));
        }
        case SQL_TYPE_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_DATETIME: {
            // mdb-export prints a date before 1900, or past day 1,000,000
            // (4637-11-26), as 1900-01-00.
            if (e.compare(0, 10, "1900-01-00") == 0 && d.size() >= 4 &&
                (d.compare(0, 4, "1900") < 0 || d.compare("4637-11-26 00:00:00") > 0))
                return true;
            std::string trimmed = d;
            const size_t dot = trimmed.find('.');
            if (dot != std::string::npos &&
                trimmed.find_first_not_of('0', dot + 1) == std::string::npos)
                trimmed.erase(dot);
            return trimmed == e;
        }
        case SQL_GUID:
            // mdb-export's binary mode prints a GUID's text as hex.
            return WithoutGuidPunctuation(d) == WithoutGuidPunctuation(e) ||
                   WithoutGuidPunctuation(d) == WithoutGuidPunctuation(FromHex(e));
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return Lower(d) == Lower(e);
        default:
            return SameText(d, e);
    }
}

std::string Shown(const Field& f) {
    if (!f) return "NULL";
    std::string s = *f;
    if (s.size() > 60) s = s.substr(0, 57) + "...";
    return "'" + s + "'";
}

// The differences between the driver's row r and mdb-export's row e, with
// columns matched through map (driver column -> mdb-export column).
size_t RowDifferences(const Table& driver, size_t r, const Table& exported, size_t er,
                      const std::vector<int>& map, bool asAnsi, std::string* first) {
    size_t differences = 0;
    for (size_t c = 0; c < driver.columns.size(); ++c) {
        if (map[c] < 0) continue;
        const Field& d = driver.rows[r][c];
        const size_t ec = static_cast<size_t>(map[c]);
        Field e = ec < exported.rows[er].size() ? exported.rows[er][ec] : Field();
        if (e && asAnsi) e = AsCp1252Client(*e);
        if (!SameValue(driver.types[c], d, e) && differences++ == 0 && first) {
            *first = "row " + std::to_string(r + 1) + " column " + driver.columns[c] + ": " +
                     (asAnsi ? "SQL_C_CHAR " : "SQL_C_WCHAR ") + Shown(d) + ", mdb-export " +
                     Shown(e);
        }
    }
    return differences;
}

// Whether each of the driver's rows matches a row of mdb-export's of its own
// (the same rows, in another order).
bool SameRowsInOtherOrder(const Table& driver, const Table& exported, const std::vector<int>& map,
                          bool asAnsi) {
    if (driver.rows.size() != exported.rows.size() || driver.rows.size() > 20000) return false;
    std::vector<bool> used(exported.rows.size(), false);
    for (size_t r = 0; r < driver.rows.size(); ++r) {
        bool found = false;
        for (size_t e = 0; e < exported.rows.size() && !found; ++e) {
            if (!used[e] && RowDifferences(driver, r, exported, e, map, asAnsi, nullptr) == 0) {
                used[e] = found = true;
            }
        }
        if (!found) return false;
    }
    return true;
}

// Compares the driver's table (as read in one C type) with mdb-export's;
// returns the number of differing values (a missing column or row counts
// once) and describes the first in *first. Rows are compared in stored
// order; when they differ only in order, *reordered is set and nothing
// counts (libmdb reads a row that Access moved to another page where it now
// lies, the driver where it was first stored).
size_t Compare(const Table& driver, const Table& exported, bool asAnsi, std::string* first,
               bool* reordered) {
    size_t differences = 0;
    auto note = [&](const std::string& what) {
        if (differences++ == 0) *first = what;
    };
    std::vector<int> map;  // driver column -> mdb-export column
    for (const std::string& name : driver.columns) {
        const auto at = std::find(exported.columns.begin(), exported.columns.end(), name);
        map.push_back(
            at == exported.columns.end() ? -1 : static_cast<int>(at - exported.columns.begin()));
        if (map.back() < 0) note("column " + name + " is not in mdb-export's table");
    }
    if (driver.columns.size() != exported.columns.size()) {
        note(std::to_string(driver.columns.size()) + " columns, mdb-export " +
             std::to_string(exported.columns.size()));
    }
    if (driver.rows.size() != exported.rows.size()) {
        note(std::to_string(driver.rows.size()) + " rows, mdb-export " +
             std::to_string(exported.rows.size()));
    }
    if (differences > 0) return differences;
    std::string firstInRow;
    for (size_t r = 0; r < driver.rows.size(); ++r) {
        const size_t n = RowDifferences(driver, r, exported, r, map, asAnsi, &firstInRow);
        if (n > 0 && differences == 0) *first = firstInRow;
        differences += n;
    }
    if (differences > 0 && SameRowsInOtherOrder(driver, exported, map, asAnsi)) {
        *reordered = true;
        return 0;
    }
    return differences;
}

std::vector<std::string> AccessFiles(const std::string& folder) {
    std::vector<std::string> files;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return files;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        auto endsWith = [&](const char* suffix) {
            const size_t n = std::strlen(suffix);
            return name.size() > n && Lower(name.substr(name.size() - n)) == suffix;
        };
        if (endsWith(".mdb") || endsWith(".accdb")) files.push_back(folder + "/" + name);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
#ifdef JET_CONFORMANCE_INI_DIR
    setenv("ODBCSYSINI", JET_CONFORMANCE_INI_DIR, 0);
#endif
    const std::vector<std::string> files = AccessFiles(argv[1]);
    if (files.empty()) {
        std::fprintf(stderr, "%s: no .mdb or .accdb files in %s\n", argv[0], argv[1]);
        return 2;
    }
    Odbc odbc;
    size_t tables = 0, failing = 0;
    for (const std::string& file : files) {
        const std::string shortName = file.substr(file.find_last_of('/') + 1);
        if (const std::optional<std::string> error = odbc.Connect(file)) {
            std::printf("%s: DIFFERENT: cannot connect: %s\n", shortName.c_str(), error->c_str());
            ++tables;
            ++failing;
            continue;
        }
        const std::set<std::string> ours = odbc.Tables();
        const std::set<std::string> theirs = MdbTables(file);
        std::set<std::string> all = ours;
        all.insert(theirs.begin(), theirs.end());
        if (all.empty()) std::printf("%s: no tables\n", shortName.c_str());
        for (const std::string& table : all) {
            ++tables;
            std::string verdict;
            if (!ours.count(table)) {
                verdict = "DIFFERENT: not listed by SQLTables";
            } else if (!theirs.count(table)) {
                verdict = "DIFFERENT: not listed by mdb-tables";
            } else {
                const std::optional<Table> exported = ExportTable(file, table);
                std::string error;
                const std::optional<Table> ansi = odbc.Read(table, false, &error);
                const std::optional<Table> wide = ansi ? odbc.Read(table, true, &error) : ansi;
                if (!exported) {
                    verdict = "DIFFERENT: mdb-export failed";
                } else if (!ansi || !wide) {
                    verdict = "DIFFERENT: the driver failed: " + error;
                } else {
                    std::string first, firstWide;
                    bool reordered = false;
                    const size_t n = Compare(*ansi, *exported, true, &first, &reordered) +
                                     Compare(*wide, *exported, false, &firstWide, &reordered);
                    if (first.empty()) first = firstWide;
                    if (reordered) first = " (rows in another order than mdb-export's)";
                    verdict = n == 0 ? "same, " + std::to_string(ansi->rows.size()) + " rows, " +
                                           std::to_string(ansi->columns.size()) + " columns" + first
                                     : "DIFFERENT: " + std::to_string(n) +
                                           " differences; first: " + first;
                }
            }
            if (verdict.compare(0, 9, "DIFFERENT") == 0) ++failing;
            std::printf("%s %s: %s\n", shortName.c_str(), table.c_str(), verdict.c_str());
        }
    }
    std::printf("%zu tables in %zu files: %zu same, %zu different\n", tables, files.size(),
                tables - failing, failing);
    return failing == 0 ? 0 : 1;
}
