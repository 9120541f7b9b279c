// WHERE conditions bound to a table and evaluated in three-valued logic,
// and the orders values sort in.
#include "jetodbc/sql_condition.h"

#include <gtest/gtest.h>

#include "jetodbc/driver_error.h"
#include "jetodbc/sql_parser.h"

using namespace jetodbc;

namespace {

TableDefinition MakeTable() {
    TableDefinition t;
    t.name = "RoundData";
    t.wideName = u"RoundData";
    auto add = [&](const char* name, uint8_t type, uint16_t size) {
        ColumnDefinition c;
        c.name = name;
        c.wideName = DecodeCp1252(name);
        c.layout.type = type;
        c.layout.size = size;
        t.columns.push_back(c);
        t.types.push_back(DescribeColumnType(c.layout, false, false));
    };
    add("Section", kJetInt, 2);
    add("Name", kJetText, 40);
    add("Done", kJetBool, 0);
    add("Logged", kJetDateTime, 8);
    return t;
}

// The truth of condition text (after WHERE) for one row.
Truth Eval(const std::string& where, const std::vector<Value>& row) {
    static const TableDefinition table = MakeTable();
    const SelectStatement s = ParseSelect("SELECT * FROM RoundData WHERE " + where);
    return BoundCondition::Bind(*s.where, table)->Evaluate(row);
}

const std::vector<Value> kRow = {Value::Integer(2), Value::Text(u"Anne"), Value::Bit(true),
                                 Value::DateTime(45000.5)};
const std::vector<Value> kNulls = {Value::Null(), Value::Null(), Value::Bit(false), Value::Null()};

// The SQLSTATE binding where fails with, or "" when it binds.
std::string StateOf(const std::string& where) {
    try {
        Eval(where, kRow);
        return "";
    } catch (const DriverError& e) {
        return e.state();
    }
}

}  // namespace

TEST(SqlCondition, ComparisonsOfEveryOperator) {
    EXPECT_EQ(Eval("Section = 2", kRow), Truth::True);
    EXPECT_EQ(Eval("Section <> 2", kRow), Truth::False);
    EXPECT_EQ(Eval("Section < 2.5", kRow), Truth::True);
    EXPECT_EQ(Eval("Section <= 1", kRow), Truth::False);
    EXPECT_EQ(Eval("Section > -1", kRow), Truth::True);
    EXPECT_EQ(Eval("3 >= Section", kRow), Truth::True);
    EXPECT_EQ(Eval("Logged > 45000", kRow), Truth::True);
}

TEST(SqlCondition, TextComparesWithoutLetterCase) {
    EXPECT_EQ(Eval("Name = 'ANNE'", kRow), Truth::True);
    EXPECT_EQ(Eval("[RoundData].[name] < 'bob'", kRow), Truth::True);
    EXPECT_EQ(Eval("Name = 'Ann'", kRow), Truth::False);
}

TEST(SqlCondition, YesNoIsJetsMinusOneWhenTrue) {
    EXPECT_EQ(Eval("Done = -1", kRow), Truth::True);
    EXPECT_EQ(Eval("Done = TRUE", kRow), Truth::True);
    EXPECT_EQ(Eval("Done = 1", kRow), Truth::False);
    EXPECT_EQ(Eval("Done", kRow), Truth::True);
    EXPECT_EQ(Eval("Done", kNulls), Truth::False);
    EXPECT_EQ(Eval("NOT Done", kNulls), Truth::True);
}

TEST(SqlCondition, NullComparesWithNothing) {
    EXPECT_EQ(Eval("Section = 2", kNulls), Truth::Unknown);
    EXPECT_EQ(Eval("Section <> 2", kNulls), Truth::Unknown);
    EXPECT_EQ(Eval("NOT Section = 2", kNulls), Truth::Unknown);
    EXPECT_EQ(Eval("Section = NULL", kRow), Truth::Unknown);
    EXPECT_EQ(Eval("Section IS NULL", kNulls), Truth::True);
    EXPECT_EQ(Eval("Section IS NOT NULL", kNulls), Truth::False);
    EXPECT_EQ(Eval("Name IS NOT NULL", kRow), Truth::True);
}

TEST(SqlCondition, ThreeValuedAndOr) {
    EXPECT_EQ(Eval("Section = 2 AND Name = 'x'", kNulls), Truth::Unknown);
    EXPECT_EQ(Eval("Section = 2 OR Section IS NULL", kNulls), Truth::True);
    EXPECT_EQ(Eval("Section = 2 AND Section IS NOT NULL", kNulls), Truth::False);
    EXPECT_EQ(Eval("Section = 2 OR Name = 'x'", kNulls), Truth::Unknown);
    EXPECT_EQ(Eval("(Section = 1 OR Section = 2) AND NOT (Name = 'bob')", kRow), Truth::True);
}

TEST(SqlCondition, ChainsOfAHundredThousandTermsEvaluate) {
    std::string any = "Section = 100000", all = "Section = 2";
    for (int i = 0; i < 100000; ++i) {
        any += " OR Section = " + std::to_string(i);
        all += " AND Section <> " + std::to_string(i + 3);
    }
    EXPECT_EQ(Eval(any, kRow), Truth::True);  // only the third term holds
    EXPECT_EQ(Eval(all, kRow), Truth::True);
    EXPECT_EQ(Eval(all + " AND Section = 1", kRow), Truth::False);
}

TEST(SqlCondition, RejectsUnknownColumnsAndMismatchedKinds) {
    EXPECT_EQ(StateOf("Sektion = 1"), "42S22");
    EXPECT_EQ(StateOf("Other.Section = 1"), "42S22");
    EXPECT_EQ(StateOf("Name = 1"), "22018");
    EXPECT_EQ(StateOf("Section = '1'"), "22018");
    EXPECT_EQ(StateOf("Logged = 'today'"), "22018");
    EXPECT_EQ(StateOf("Name = Section"), "22018");
    EXPECT_EQ(StateOf("Name"), "22018");
    EXPECT_EQ(StateOf("Name IS NULL"), "");
}

TEST(ValueOrder, NullFirstNumbersByAmountTextWithoutCase) {
    EXPECT_LT(CompareForOrder(Value::Null(), Value::Integer(-5)), 0);
    EXPECT_EQ(CompareForOrder(Value::Null(), Value::Null()), 0);
    EXPECT_GT(CompareForOrder(Value::Integer(3), Value::Null()), 0);
    EXPECT_LT(CompareForOrder(Value::Integer(2), Value::Double(2.5)), 0);
    EXPECT_EQ(CompareForOrder(Value::Currency(25000), Value::Double(2.5)), 0);
    EXPECT_LT(CompareForOrder(Value::Bit(true), Value::Bit(false)), 0);  // -1 before 0
    EXPECT_EQ(CompareForOrder(Value::Text(u"beta"), Value::Text(u"BETA")), 0);
    EXPECT_LT(CompareForOrder(Value::Text(u"Alpha"), Value::Text(u"beta")), 0);
    EXPECT_LT(CompareForOrder(Value::Text(u"\u00e9t\u00e9"), Value::Text(u"\u00c9T\u00c9S")), 0);
    EXPECT_EQ(CompareForOrder(Value::Text(u"a"), Value::Integer(1)), 0);
}

TEST(ValueCompare, ExactForLargeIntegersAndMismatchThrows) {
    EXPECT_LT(
        *CompareForCondition(Value::Integer(9007199254740992), Value::Integer(9007199254740993)),
        0);
    EXPECT_FALSE(CompareForCondition(Value::Null(), Value::Integer(1)).has_value());
    EXPECT_EQ(*CompareForCondition(Value::Binary("ab"), Value::Binary("ab")), 0);
    EXPECT_THROW(CompareForCondition(Value::Text(u"1"), Value::Integer(1)), DriverError);
}
