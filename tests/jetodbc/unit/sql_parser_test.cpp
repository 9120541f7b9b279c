// The SQL subset: what parses into which statement, and where a statement
// that does not fit is reported.
#include "jetodbc/sql_parser.h"

#include <gtest/gtest.h>

#include "jetodbc/driver_error.h"

using namespace jetodbc;

namespace {

// The 1-based position a syntax error names, or 0 when sql parses.
size_t ErrorPosition(const std::string& sql) {
    try {
        ParseSelect(sql);
        return 0;
    } catch (const DriverError& e) {
        EXPECT_EQ(e.state(), "42000") << sql;
        const std::string text = e.what();
        const size_t at = text.find("position ");
        return at == std::string::npos ? 9999 : std::stoul(text.substr(at + 9));
    }
}

}  // namespace

TEST(SqlParser, TableReaderStatementWithEverything) {
    const SelectStatement s = ParseSelect(
        "SELECT [RoundData].* FROM [RoundData] WHERE [Section] = 1 ORDER BY [Section] ASC, "
        "[Round] ASC, [Table] DESC");
    ASSERT_EQ(s.items.size(), 1u);
    EXPECT_EQ(s.items[0].kind, SelectItem::Kind::TableAllColumns);
    EXPECT_EQ(s.items[0].table, "RoundData");
    EXPECT_EQ(s.table, "RoundData");
    ASSERT_TRUE(s.where);
    EXPECT_EQ(s.where->kind, Condition::Kind::Compare);
    EXPECT_EQ(s.where->a.column.name, "Section");
    EXPECT_EQ(s.where->b.literal.integer, 1);
    ASSERT_EQ(s.orderBy.size(), 3u);
    EXPECT_EQ(s.orderBy[1].column.name, "Round");
    EXPECT_FALSE(s.orderBy[1].descending);
    EXPECT_TRUE(s.orderBy[2].descending);
}

TEST(SqlParser, NamesBareBracketedQualifiedAndKeywordsInBrackets) {
    const SelectStatement s =
        ParseSelect("select Board, [Table], `Group`, T.[Round], [T].Name from T");
    ASSERT_EQ(s.items.size(), 5u);
    EXPECT_EQ(s.items[1].column.name, "Table");
    EXPECT_EQ(s.items[2].column.name, "Group");
    EXPECT_EQ(s.items[3].column.table, "T");
    EXPECT_EQ(s.items[3].column.name, "Round");
    EXPECT_EQ(s.items[4].column.table, "T");
    // Keywords cannot stand bare where a name is expected.
    EXPECT_EQ(ErrorPosition("SELECT Table FROM T"), 8u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM Group"), 15u);
}

TEST(SqlParser, LineBreaksAreBlanksAndSemicolonMayEnd) {
    const SelectStatement s = ParseSelect("SELECT\n*\r\nFROM\tT\n;");
    EXPECT_EQ(s.items[0].kind, SelectItem::Kind::AllColumns);
    EXPECT_EQ(s.table, "T");
    EXPECT_FALSE(s.where);
}

TEST(SqlParser, ConditionPrecedenceNotAndOrParentheses) {
    // NOT binds tighter than AND, AND tighter than OR.
    const SelectStatement s =
        ParseSelect("SELECT * FROM T WHERE NOT a = 1 AND b = 2 OR (c IS NULL AND d IS NOT NULL)");
    ASSERT_EQ(s.where->kind, Condition::Kind::Or);
    ASSERT_EQ(s.where->terms.size(), 2u);
    const Condition& left = *s.where->terms[0];
    ASSERT_EQ(left.kind, Condition::Kind::And);
    EXPECT_EQ(left.terms[0]->kind, Condition::Kind::Not);
    EXPECT_EQ(left.terms[1]->kind, Condition::Kind::Compare);
    const Condition& right = *s.where->terms[1];
    ASSERT_EQ(right.kind, Condition::Kind::And);
    EXPECT_EQ(right.terms[0]->kind, Condition::Kind::IsNull);
    EXPECT_FALSE(right.terms[0]->negated);
    EXPECT_TRUE(right.terms[1]->negated);
}

TEST(SqlParser, LiteralsNumbersTextsAndSigns) {
    const SelectStatement s = ParseSelect(
        "SELECT * FROM T WHERE a = -12 AND b <> 'it''s' AND c >= 2.5e1 AND d < \"x\" AND e != "
        "+3 AND f <= TRUE");
    ASSERT_EQ(s.where->kind, Condition::Kind::And);
    std::vector<const Condition*> tests;
    for (const auto& term : s.where->terms) tests.push_back(term.get());
    ASSERT_EQ(tests.size(), 6u);
    EXPECT_EQ(tests[0]->b.literal.kind, ValueKind::Integer);
    EXPECT_EQ(tests[0]->b.literal.integer, -12);
    EXPECT_EQ(tests[1]->op, CompareOp::NotEqual);
    EXPECT_EQ(tests[1]->b.literal.text, u"it's");
    EXPECT_EQ(tests[2]->b.literal.kind, ValueKind::Double);
    EXPECT_DOUBLE_EQ(tests[2]->b.literal.real, 25.0);
    EXPECT_EQ(tests[3]->b.literal.text, u"x");
    EXPECT_EQ(tests[4]->op, CompareOp::NotEqual);
    EXPECT_EQ(tests[4]->b.literal.integer, 3);
    EXPECT_EQ(tests[5]->b.literal.integer, -1);  // Jet's True
}

TEST(SqlParser, ReportsWhereTheStatementStopsFitting) {
    EXPECT_EQ(ErrorPosition("EXECUTE T"), 1u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T HAVING a"), 17u);
    EXPECT_EQ(ErrorPosition("SELECT a, FROM T"), 11u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE a = "), 27u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE (a = 1"), 29u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T ORDER a"), 23u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE a IS 1"), 28u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE a = 'open"), 27u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM [T"), 15u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE a = 12x"), 27u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE a = - b"), 29u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE a = 1 ; extra"), 31u);
    EXPECT_EQ(ErrorPosition("SELECT ? FROM T"), 8u);
    EXPECT_EQ(ErrorPosition("SELECT [] FROM T"), 8u);
    EXPECT_EQ(ErrorPosition(""), 1u);
}

TEST(SqlParser, StatementsThatWouldChangeTheFileAreRefusedAsReadOnly) {
    for (const char* sql : {"INSERT INTO T VALUES (1)", "update T set a = 1", "DELETE FROM T",
                            "CREATE TABLE T (a INT)", "DROP TABLE T", "ALTER TABLE T ADD b INT",
                            "SELECT * INTO Copy FROM T"}) {
        try {
            ParseSelect(sql);
            ADD_FAILURE() << sql;
        } catch (const DriverError& e) {
            EXPECT_EQ(e.state(), "HY000") << sql;
            EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << sql;
        }
    }
}

TEST(SqlParser, DeepNestingIsASyntaxErrorAndLongChainsAreFlat) {
    // Far past the limit: refused where the limit is passed, not by a crash.
    const size_t limit = 200;
    std::string parens = "SELECT * FROM T WHERE ";
    for (int i = 0; i < 30000; ++i) parens += '(';
    EXPECT_EQ(ErrorPosition(parens + "a = 1"), 23 + limit);
    std::string nots = "SELECT * FROM T WHERE ";
    for (int i = 0; i < 200000; ++i) nots += "NOT ";
    EXPECT_EQ(ErrorPosition(nots + "a"), 23 + 4 * limit);
    // Up to the limit it parses.
    EXPECT_EQ(ErrorPosition("SELECT * FROM T WHERE " + std::string(limit, '(') + "a = 1" +
                            std::string(limit, ')')),
              0u);
    // AND and OR chains do not nest: 100,000 terms are one node.
    std::string chain = "SELECT * FROM T WHERE a = 0";
    for (int i = 1; i < 100000; ++i) chain += " OR a = " + std::to_string(i);
    const SelectStatement s = ParseSelect(chain);
    ASSERT_EQ(s.where->kind, Condition::Kind::Or);
    EXPECT_EQ(s.where->terms.size(), 100000u);
}

TEST(SqlParser, ReservedWordsIgnoreLetterCase) {
    EXPECT_TRUE(IsReservedWord("table"));
    EXPECT_TRUE(IsReservedWord("Order"));
    EXPECT_FALSE(IsReservedWord("Round"));
    EXPECT_FALSE(IsReservedWord("Section"));
}
