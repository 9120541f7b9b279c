// The catalog functions: SQLTables as the schema probe calls it and with
// patterns and type lists, the special enumerations, SQLColumns and
// SQLGetTypeInfo.
#include <gtest/gtest.h>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class CatalogTest : public ::testing::Test {
  protected:
    CatalogTest() : session_(FixtureDatabase("club")) {}

    // SQLTables with text arguments (null pointers where nullptr).
    Rows Tables(const char* catalog, const char* schema, const char* table, const char* types) {
        Statement st(session_.connection);
        auto arg = [](const char* s) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(s)); };
        auto len = [](const char* s) -> SQLSMALLINT { return s ? SQL_NTS : 0; };
        const SQLRETURN rc = SQLTables(st.get(), arg(catalog), len(catalog), arg(schema),
                                       len(schema), arg(table), len(table), arg(types), len(types));
        EXPECT_EQ(rc, SQL_SUCCESS) << st.States();
        return st.Rows();
    }
    std::vector<std::string> Names(const char* table, const char* types) {
        std::vector<std::string> names;
        for (const auto& r : Tables(nullptr, nullptr, table, types)) names.push_back(r[2]);
        return names;
    }

    Session session_;
};

const std::vector<std::string> kUserTables = {
    "HandRecord", "PlayerNumbers", "ReceivedData", "RoundData", "Section", "Session", "Tables"};

}  // namespace

TEST_F(CatalogTest, TheSchemaProbeFindsOneTableOrNone) {
    // As the probe does it: forward-only statement, table name and "TABLE",
    // then the TABLE_NAME column found by name and read in pieces.
    Statement st(session_.connection);
    SQLSetStmtAttr(st.get(), SQL_ATTR_CONCURRENCY,
                   reinterpret_cast<SQLPOINTER>(SQL_CONCUR_READ_ONLY), 0);
    SQLSetStmtAttr(st.get(), SQL_ATTR_CURSOR_TYPE,
                   reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY), 0);
    ASSERT_EQ(SQLTables(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"section", SQL_NTS,
                        (SQLCHAR*)"TABLE", SQL_NTS),
              SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(st.get()), SQL_SUCCESS);
    const std::vector<std::string> names = st.ColumnNames();
    ASSERT_EQ(names, (std::vector<std::string>{"TABLE_CAT", "TABLE_SCHEM", "TABLE_NAME",
                                               "TABLE_TYPE", "REMARKS"}));
    char name[256];
    SQLLEN indicator = 0;
    ASSERT_EQ(SQLGetData(st.get(), 3, SQL_C_CHAR, name, sizeof name, &indicator), SQL_SUCCESS);
    EXPECT_STREQ(name, "Section");
    EXPECT_EQ(indicator, 7);
    EXPECT_EQ(SQLFetch(st.get()), SQL_NO_DATA);
    SQLCloseCursor(st.get());
    ASSERT_EQ(SQLTables(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"IntermediateData", SQL_NTS,
                        (SQLCHAR*)"TABLE", SQL_NTS),
              SQL_SUCCESS);
    EXPECT_EQ(SQLFetch(st.get()), SQL_NO_DATA);
}

TEST_F(CatalogTest, NamePatterns) {
    EXPECT_EQ(Names("%", "TABLE"), kUserTables);
    EXPECT_EQ(Names("%DATA", "TABLE"), (std::vector<std::string>{"ReceivedData", "RoundData"}));
    EXPECT_EQ(Names("Tabl_s", "TABLE"), (std::vector<std::string>{"Tables"}));
    EXPECT_EQ(Names("S%ion", "TABLE"), (std::vector<std::string>{"Section", "Session"}));
    EXPECT_EQ(Names("Round\\_Data", "TABLE"), std::vector<std::string>());
    EXPECT_EQ(Names("", "TABLE"), std::vector<std::string>());
}

TEST_F(CatalogTest, TypeLists) {
    std::vector<std::string> withSystem = kUserTables;
    withSystem.insert(withSystem.begin(), "MSysObjects");
    EXPECT_EQ(Names(nullptr, nullptr), withSystem);
    EXPECT_EQ(Names(nullptr, ""), withSystem);
    EXPECT_EQ(Names(nullptr, "SYSTEM TABLE"), (std::vector<std::string>{"MSysObjects"}));
    EXPECT_EQ(Names(nullptr, "'TABLE', 'SYSTEM TABLE'"), withSystem);
    EXPECT_EQ(Names(nullptr, "table,VIEW"), kUserTables);
    EXPECT_EQ(Names(nullptr, "'VIEW'"), std::vector<std::string>());
    EXPECT_EQ(Names(nullptr, "SYNONYM"), std::vector<std::string>());
    const Rows rows = Tables(nullptr, nullptr, "RoundData", "TABLE");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], FixtureDatabase("club").substr(0, FixtureDatabase("club").size() - 4));
    EXPECT_EQ(rows[0][1], "<NULL>");
    EXPECT_EQ(rows[0][3], "TABLE");
}

TEST_F(CatalogTest, SpecialEnumerations) {
    const Rows catalogs = Tables("%", "", "", nullptr);
    ASSERT_EQ(catalogs.size(), 1u);
    EXPECT_EQ(catalogs[0][2], "<NULL>");
    EXPECT_TRUE(Tables("", "%", "", nullptr).empty());
    const Rows types = Tables("", "", "", "%");
    std::vector<std::string> typeNames;
    for (const auto& r : types) typeNames.push_back(r[3]);
    EXPECT_EQ(typeNames, (std::vector<std::string>{"LINK", "SYSTEM TABLE", "TABLE", "VIEW"}));
}

TEST_F(CatalogTest, ColumnsOfATable) {
    Statement st(session_.connection);
    ASSERT_EQ(
        SQLColumns(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"roundDATA", SQL_NTS, nullptr, 0),
        SQL_SUCCESS)
        << st.States();
    const std::vector<std::string> names = st.ColumnNames();
    ASSERT_EQ(names.size(), 18u);
    EXPECT_EQ(names[3], "COLUMN_NAME");
    EXPECT_EQ(names[16], "ORDINAL_POSITION");
    const Rows rows = st.Rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0][3], "Section");
    EXPECT_EQ(rows[0][4], std::to_string(SQL_SMALLINT));
    EXPECT_EQ(rows[7][3], "CustomBoards");
    EXPECT_EQ(rows[7][4], std::to_string(SQL_VARCHAR));
    EXPECT_EQ(rows[7][6], "255");
    EXPECT_EQ(rows[7][16], "8");
    SQLCloseCursor(st.get());
    ASSERT_EQ(SQLColumns(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"%Data", SQL_NTS,
                         (SQLCHAR*)"%Pair%", SQL_NTS),
              SQL_SUCCESS);
    EXPECT_EQ(st.Rows().size(), 4u);  // PairNS, PairEW, NSPair, EWPair
}

TEST_F(CatalogTest, TypeInfo) {
    Statement st(session_.connection);
    ASSERT_EQ(SQLGetTypeInfo(st.get(), SQL_ALL_TYPES), SQL_SUCCESS);
    EXPECT_EQ(st.ColumnNames().size(), 19u);
    const Rows all = st.Rows();
    EXPECT_GE(all.size(), 12u);
    SQLCloseCursor(st.get());
    ASSERT_EQ(SQLGetTypeInfo(st.get(), SQL_TYPE_TIMESTAMP), SQL_SUCCESS);
    const Rows timestamp = st.Rows();
    ASSERT_EQ(timestamp.size(), 1u);
    EXPECT_EQ(timestamp[0][0], "DATETIME");
    SQLCloseCursor(st.get());
    EXPECT_EQ(SQLGetTypeInfo(st.get(), 1234), SQL_ERROR);
    EXPECT_EQ(st.States(), "HY004");
}

TEST_F(CatalogTest, MetadataIdMakesNamesLiteral) {
    Statement st(session_.connection);
    SQLSetStmtAttr(st.get(), SQL_ATTR_METADATA_ID, reinterpret_cast<SQLPOINTER>(SQL_TRUE), 0);
    ASSERT_EQ(SQLTables(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"%", SQL_NTS, nullptr, 0),
              SQL_SUCCESS);
    EXPECT_TRUE(st.Rows().empty());
    SQLCloseCursor(st.get());
    ASSERT_EQ(SQLTables(st.get(), nullptr, 0, nullptr, 0, (SQLCHAR*)"TABLES", SQL_NTS, nullptr, 0),
              SQL_SUCCESS);
    EXPECT_EQ(st.Rows().size(), 1u);
}
