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
    const Condition& left = *s.where->left;
    ASSERT_EQ(left.kind, Condition::Kind::And);
    EXPECT_EQ(left.left->kind, Condition::Kind::Not);
    EXPECT_EQ(left.right->kind, Condition::Kind::Compare);
    const Condition& right = *s.where->right;
    ASSERT_EQ(right.kind, Condition::Kind::And);
    EXPECT_EQ(right.left->kind, Condition::Kind::IsNull);
    EXPECT_FALSE(right.left->negated);
    EXPECT_TRUE(right.right->negated);
}

TEST(SqlParser, LiteralsNumbersTextsAndSigns) {
    const SelectStatement s = ParseSelect(
        "SELECT * FROM T WHERE a = -12 AND b <> 'it''s' AND c >= 2.5e1 AND d < \"x\" AND e != "
        "+3 AND f <= TRUE");
    std::vector<const Condition*> tests;
    const Condition* c = s.where.get();
    while (c->kind == Condition::Kind::And) {
        tests.insert(tests.begin(), c->right.get());
        c = c->left.get();
    }
    tests.insert(tests.begin(), c);
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
    EXPECT_EQ(ErrorPosition("INSERT INTO T VALUES (1)"), 1u);
    EXPECT_EQ(ErrorPosition("SELECT * FROM T GROUP BY a"), 17u);
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

TEST(SqlParser, ReservedWordsIgnoreLetterCase) {
    EXPECT_TRUE(IsReservedWord("table"));
    EXPECT_TRUE(IsReservedWord("Order"));
    EXPECT_FALSE(IsReservedWord("Round"));
    EXPECT_FALSE(IsReservedWord("Section"));
}
