// Handles that are no longer live, given straight to the driver's entry points
// (no driver manager in between to catch them): every entry point answers
// SQL_INVALID_HANDLE without reading the freed memory, which
// AddressSanitizer would report. The test also reads the library's dynamic
// symbol table, so that an entry point added later cannot be left out here.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

void* Module() {
    static void* module = dlopen(JETODBC_MODULE, RTLD_NOW | RTLD_LOCAL);
    return module;
}

// The driver's own entry point of that name, typed as sql.h declares it.
#define DRIVER(name) reinterpret_cast<decltype(&::name)>(dlsym(Module(), #name))

// The names of the functions a 64-bit ELF shared object defines and exports,
// read from its dynamic symbol table (empty when the file is no such object).
std::set<std::string> ExportedFunctions(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    Elf64_Ehdr header;
    if (image.size() < sizeof header) return names;
    std::memcpy(&header, image.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        return names;
    auto section = [&](std::size_t index) {
        Elf64_Shdr s{};
        const std::size_t at = header.e_shoff + index * sizeof s;
        if (index < header.e_shnum && at + sizeof s <= image.size())
            std::memcpy(&s, image.data() + at, sizeof s);
        return s;
    };
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM || symbols.sh_offset + symbols.sh_size > image.size())
            continue;
        const Elf64_Shdr strings = section(symbols.sh_link);
        for (std::size_t at = 0; at + sizeof(Elf64_Sym) <= symbols.sh_size;
             at += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, image.data() + symbols.sh_offset + at, sizeof symbol);
            if (symbol.st_shndx == SHN_UNDEF || ELF64_ST_TYPE(symbol.st_info) != STT_FUNC ||
                ELF64_ST_BIND(symbol.st_info) == STB_LOCAL || symbol.st_name >= strings.sh_size)
                continue;
            names.insert(image.c_str() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}

// Records the entry points that did not answer SQL_INVALID_HANDLE, and the
// names of all that were called.
class Calls {
  public:
    static std::set<std::string>& called() {
        static std::set<std::string> names;
        return names;
    }
    void Expect(const char* name, SQLRETURN rc) {
        called().insert(name);
        if (rc != SQL_INVALID_HANDLE)
            accepted_.push_back(std::string(name) + " " + std::to_string(rc));
    }
    const std::vector<std::string>& accepted() const { return accepted_; }

  private:
    std::vector<std::string> accepted_;
};

#define EXPECT_INVALID(calls, name, ...) (calls).Expect(#name, DRIVER(name)(__VA_ARGS__))

void Diagnostics(Calls& calls, SQLSMALLINT type, SQLHANDLE h) {
    SQLCHAR state[6];
    SQLINTEGER native = 0;
    SQLCHAR text[256];
    SQLSMALLINT length = 0;
    EXPECT_INVALID(calls, SQLGetDiagRec, type, h, 1, state, &native, text, sizeof text, &length);
    SQLINTEGER number = 0;
    EXPECT_INVALID(calls, SQLGetDiagField, type, h, 0, SQL_DIAG_NUMBER, &number, 0, nullptr);
    SQLWCHAR wideState[6];
    SQLWCHAR wideText[256];
    EXPECT_INVALID(calls, SQLGetDiagRecW, type, h, 1, wideState, &native, wideText, 256, &length);
    EXPECT_INVALID(calls, SQLGetDiagFieldW, type, h, 0, SQL_DIAG_NUMBER, &number, 0, nullptr);
}

std::vector<std::string> EnvironmentCalls(SQLHENV h) {
    Calls calls;
    SQLINTEGER version = 0;
    SQLHANDLE out = SQL_NULL_HANDLE;
    EXPECT_INVALID(calls, SQLSetEnvAttr, h, SQL_ATTR_ODBC_VERSION,
                   reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    EXPECT_INVALID(calls, SQLGetEnvAttr, h, SQL_ATTR_ODBC_VERSION, &version, 0, nullptr);
    EXPECT_INVALID(calls, SQLAllocHandle, SQL_HANDLE_DBC, h, &out);
    EXPECT_INVALID(calls, SQLEndTran, SQL_HANDLE_ENV, h, SQL_COMMIT);
    Diagnostics(calls, SQL_HANDLE_ENV, h);
    EXPECT_INVALID(calls, SQLFreeHandle, SQL_HANDLE_ENV, h);
    return calls.accepted();
}

std::vector<std::string> ConnectionCalls(SQLHDBC h, const std::string& path) {
    Calls calls;
    SQLCHAR text[512];
    SQLSMALLINT length = 0;
    SQLINTEGER longLength = 0;
    SQLUINTEGER value = 0;
    SQLUSMALLINT exists = 0;
    SQLHANDLE out = SQL_NULL_HANDLE;
    const std::string connect = "DBQ=" + path + ";";
    SQLCHAR* in = reinterpret_cast<SQLCHAR*>(const_cast<char*>(connect.c_str()));
    SQLCHAR dsn[] = "Nowhere";
    SQLCHAR select[] = "SELECT * FROM Section";
    EXPECT_INVALID(calls, SQLDriverConnect, h, nullptr, in, SQL_NTS, text, sizeof text, &length,
                   SQL_DRIVER_NOPROMPT);
    EXPECT_INVALID(calls, SQLConnect, h, dsn, SQL_NTS, nullptr, 0, nullptr, 0);
    EXPECT_INVALID(calls, SQLGetInfo, h, SQL_DRIVER_NAME, text, sizeof text, &length);
    EXPECT_INVALID(calls, SQLGetFunctions, h, SQL_API_SQLFETCH, &exists);
    EXPECT_INVALID(calls, SQLGetConnectAttr, h, SQL_ATTR_AUTOCOMMIT, &value, 0, &longLength);
    EXPECT_INVALID(calls, SQLSetConnectAttr, h, SQL_ATTR_AUTOCOMMIT,
                   reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    EXPECT_INVALID(calls, SQLNativeSql, h, select, SQL_NTS, text, sizeof text, &longLength);
    std::vector<SQLWCHAR> wideConnect(connect.begin(), connect.end());
    wideConnect.push_back(0);
    SQLWCHAR wideDsn[] = {'N', 'o', 0};
    SQLWCHAR wideSelect[] = {'S', 'E', 'L', 'E', 'C', 'T', ' ', '1', 0};
    SQLWCHAR wide[256];
    EXPECT_INVALID(calls, SQLDriverConnectW, h, nullptr, wideConnect.data(), SQL_NTS, wide, 256,
                   &length, SQL_DRIVER_NOPROMPT);
    EXPECT_INVALID(calls, SQLConnectW, h, wideDsn, SQL_NTS, nullptr, 0, nullptr, 0);
    EXPECT_INVALID(calls, SQLGetInfoW, h, SQL_DRIVER_NAME, wide, sizeof wide, &length);
    EXPECT_INVALID(calls, SQLGetConnectAttrW, h, SQL_ATTR_AUTOCOMMIT, &value, 0, &longLength);
    EXPECT_INVALID(calls, SQLSetConnectAttrW, h, SQL_ATTR_AUTOCOMMIT,
                   reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    EXPECT_INVALID(calls, SQLNativeSqlW, h, wideSelect, SQL_NTS, wide, 256, &longLength);
    EXPECT_INVALID(calls, SQLAllocHandle, SQL_HANDLE_STMT, h, &out);
    EXPECT_INVALID(calls, SQLAllocHandle, SQL_HANDLE_DESC, h, &out);
    EXPECT_INVALID(calls, SQLEndTran, SQL_HANDLE_DBC, h, SQL_COMMIT);
    Diagnostics(calls, SQL_HANDLE_DBC, h);
    EXPECT_INVALID(calls, SQLDisconnect, h);
    EXPECT_INVALID(calls, SQLFreeHandle, SQL_HANDLE_DBC, h);
    return calls.accepted();
}

std::vector<std::string> StatementCalls(SQLHSTMT h) {
    Calls calls;
    SQLCHAR text[256];
    SQLSMALLINT length = 0;
    SQLSMALLINT type = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    SQLULEN size = 0;
    SQLLEN number = 0;
    SQLINTEGER attribute = 0;
    SQLCHAR select[] = "SELECT * FROM Section";
    SQLCHAR table[] = "Section";
    SQLCHAR cursor[] = "C1";
    EXPECT_INVALID(calls, SQLPrepare, h, select, SQL_NTS);
    EXPECT_INVALID(calls, SQLExecute, h);
    EXPECT_INVALID(calls, SQLExecDirect, h, select, SQL_NTS);
    EXPECT_INVALID(calls, SQLTables, h, nullptr, 0, nullptr, 0, table, SQL_NTS, nullptr, 0);
    EXPECT_INVALID(calls, SQLColumns, h, nullptr, 0, nullptr, 0, table, SQL_NTS, nullptr, 0);
    EXPECT_INVALID(calls, SQLGetTypeInfo, h, SQL_ALL_TYPES);
    EXPECT_INVALID(calls, SQLNumResultCols, h, &length);
    EXPECT_INVALID(calls, SQLNumParams, h, &length);
    EXPECT_INVALID(calls, SQLDescribeCol, h, 1, text, sizeof text, &length, &type, &size, &digits,
                   &nullable);
    EXPECT_INVALID(calls, SQLColAttribute, h, 1, SQL_DESC_NAME, text, sizeof text, &length,
                   &number);
    EXPECT_INVALID(calls, SQLRowCount, h, &number);
    EXPECT_INVALID(calls, SQLBindCol, h, 1, SQL_C_CHAR, text, sizeof text, &number);
    EXPECT_INVALID(calls, SQLFetch, h);
    EXPECT_INVALID(calls, SQLFetchScroll, h, SQL_FETCH_NEXT, 0);
    EXPECT_INVALID(calls, SQLGetData, h, 1, SQL_C_CHAR, text, sizeof text, &number);
    EXPECT_INVALID(calls, SQLSetPos, h, 1, SQL_POSITION, SQL_LOCK_NO_CHANGE);
    EXPECT_INVALID(calls, SQLBulkOperations, h, SQL_ADD);
    EXPECT_INVALID(calls, SQLMoreResults, h);
    EXPECT_INVALID(calls, SQLGetStmtAttr, h, SQL_ATTR_ROW_ARRAY_SIZE, &size, 0, &attribute);
    EXPECT_INVALID(calls, SQLSetStmtAttr, h, SQL_ATTR_ROW_ARRAY_SIZE,
                   reinterpret_cast<SQLPOINTER>(1), 0);
    EXPECT_INVALID(calls, SQLSetCursorName, h, cursor, SQL_NTS);
    EXPECT_INVALID(calls, SQLGetCursorName, h, text, sizeof text, &length);
    EXPECT_INVALID(calls, SQLCancel, h);
    EXPECT_INVALID(calls, SQLCloseCursor, h);
    EXPECT_INVALID(calls, SQLBindParameter, h, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                   &attribute, 0, &number);
    EXPECT_INVALID(calls, SQLDescribeParam, h, 1, &type, &size, &digits, &nullable);
    EXPECT_INVALID(calls, SQLStatistics, h, nullptr, 0, nullptr, 0, table, SQL_NTS, SQL_INDEX_ALL,
                   SQL_QUICK);
    EXPECT_INVALID(calls, SQLPrimaryKeys, h, nullptr, 0, nullptr, 0, table, SQL_NTS);
    EXPECT_INVALID(calls, SQLSpecialColumns, h, SQL_BEST_ROWID, nullptr, 0, nullptr, 0, table,
                   SQL_NTS, SQL_SCOPE_SESSION, SQL_NULLABLE);

    SQLWCHAR wide[256];
    SQLWCHAR wideSelect[] = {'S', 'E', 'L', 'E', 'C', 'T', ' ', '1', 0};
    SQLWCHAR wideTable[] = {'S', 'e', 'c', 't', 'i', 'o', 'n', 0};
    SQLWCHAR wideCursor[] = {'C', '1', 0};
    EXPECT_INVALID(calls, SQLPrepareW, h, wideSelect, SQL_NTS);
    EXPECT_INVALID(calls, SQLExecDirectW, h, wideSelect, SQL_NTS);
    EXPECT_INVALID(calls, SQLTablesW, h, nullptr, 0, nullptr, 0, wideTable, SQL_NTS, nullptr, 0);
    EXPECT_INVALID(calls, SQLColumnsW, h, nullptr, 0, nullptr, 0, wideTable, SQL_NTS, nullptr, 0);
    EXPECT_INVALID(calls, SQLStatisticsW, h, nullptr, 0, nullptr, 0, wideTable, SQL_NTS,
                   SQL_INDEX_ALL, SQL_QUICK);
    EXPECT_INVALID(calls, SQLPrimaryKeysW, h, nullptr, 0, nullptr, 0, wideTable, SQL_NTS);
    EXPECT_INVALID(calls, SQLSpecialColumnsW, h, SQL_BEST_ROWID, nullptr, 0, nullptr, 0, wideTable,
                   SQL_NTS, SQL_SCOPE_SESSION, SQL_NULLABLE);
    EXPECT_INVALID(calls, SQLGetTypeInfoW, h, SQL_ALL_TYPES);
    EXPECT_INVALID(calls, SQLDescribeColW, h, 1, wide, 256, &length, &type, &size, &digits,
                   &nullable);
    EXPECT_INVALID(calls, SQLColAttributeW, h, 1, SQL_DESC_NAME, wide, sizeof wide, &length,
                   &number);
    EXPECT_INVALID(calls, SQLGetStmtAttrW, h, SQL_ATTR_ROW_ARRAY_SIZE, &size, 0, &attribute);
    EXPECT_INVALID(calls, SQLSetStmtAttrW, h, SQL_ATTR_ROW_ARRAY_SIZE,
                   reinterpret_cast<SQLPOINTER>(1), 0);
    EXPECT_INVALID(calls, SQLSetCursorNameW, h, wideCursor, SQL_NTS);
    EXPECT_INVALID(calls, SQLGetCursorNameW, h, wide, 256, &length);
    Diagnostics(calls, SQL_HANDLE_STMT, h);
    EXPECT_INVALID(calls, SQLFreeStmt, h, SQL_CLOSE);
    EXPECT_INVALID(calls, SQLFreeHandle, SQL_HANDLE_STMT, h);
    return calls.accepted();
}

// A Jet file made by bwsmake in a folder of its own.
class ClubFile {
  public:
    ClubFile() {
        char pattern[] = "/tmp/jetodbc-handles-XXXXXX";
        folder_ = mkdtemp(pattern) ? pattern : "";
        path_ = folder_ + "/club.mdb";
        const std::string command = std::string("'") + JETODBC_BWSMAKE + "' --force '" +
                                    JETODBC_FIXTURES + "/club.jdesc' '" + path_ + "' >/dev/null";
        made_ = !folder_.empty() && std::system(command.c_str()) == 0;
    }
    ~ClubFile() {
        std::remove(path_.c_str());
        rmdir(folder_.c_str());
    }
    bool made() const { return made_; }
    const std::string& path() const { return path_; }

  private:
    std::string folder_;
    std::string path_;
    bool made_ = false;
};

TEST(FreedHandles, EveryEntryPointAnswersInvalidHandleWithoutReadingThem) {
    ASSERT_NE(Module(), nullptr) << dlerror();
    ClubFile file;
    ASSERT_TRUE(file.made());
    const std::vector<std::string> none;

    SQLHANDLE env = SQL_NULL_HANDLE;
    SQLHANDLE dbc = SQL_NULL_HANDLE;
    SQLHANDLE kept = SQL_NULL_HANDLE;
    SQLHANDLE freed = SQL_NULL_HANDLE;
    ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env), SQL_SUCCESS);
    ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_DBC, env, &dbc), SQL_SUCCESS);
    std::string connect = "DBQ=" + file.path() + ";";
    ASSERT_TRUE(SQL_SUCCEEDED(
        DRIVER(SQLDriverConnect)(dbc, nullptr, reinterpret_cast<SQLCHAR*>(connect.data()), SQL_NTS,
                                 nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)));
    ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, dbc, &kept), SQL_SUCCESS);
    ASSERT_EQ(DRIVER(SQLAllocHandle)(SQL_HANDLE_STMT, dbc, &freed), SQL_SUCCESS);
    SQLCHAR select[] = "SELECT * FROM Section";
    ASSERT_TRUE(SQL_SUCCEEDED(DRIVER(SQLExecDirect)(kept, select, SQL_NTS)));

    // A live handle of another kind is no statement, connection or environment.
    EXPECT_EQ(StatementCalls(dbc), none);
    EXPECT_EQ(ConnectionCalls(kept, file.path()), none);
    EXPECT_EQ(EnvironmentCalls(dbc), none);

    // A statement the client freed, and one its connection freed on disconnect.
    ASSERT_EQ(DRIVER(SQLFreeHandle)(SQL_HANDLE_STMT, freed), SQL_SUCCESS);
    EXPECT_EQ(StatementCalls(freed), none);
    ASSERT_EQ(DRIVER(SQLDisconnect)(dbc), SQL_SUCCESS);
    EXPECT_EQ(StatementCalls(kept), none);

    ASSERT_EQ(DRIVER(SQLFreeHandle)(SQL_HANDLE_DBC, dbc), SQL_SUCCESS);
    EXPECT_EQ(ConnectionCalls(dbc, file.path()), none);
    ASSERT_EQ(DRIVER(SQLFreeHandle)(SQL_HANDLE_ENV, env), SQL_SUCCESS);
    EXPECT_EQ(EnvironmentCalls(env), none);

    // Every ODBC entry point the library exports was among those called.
    const std::set<std::string> exported = ExportedFunctions(JETODBC_MODULE);
    EXPECT_GT(exported.size(), 60u);
    std::vector<std::string> left;
    for (const std::string& name : exported)
        if (name.rfind("SQL", 0) == 0 && Calls::called().count(name) == 0) left.push_back(name);
    EXPECT_EQ(left, none);
}

}  // namespace
