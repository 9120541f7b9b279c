// Statement attributes, and the substitutions a read-only driver makes.
#include "jetodbc/statement_attributes.h"

#include <gtest/gtest.h>

#include "jetodbc/driver_error.h"

using namespace jetodbc;

namespace {
SQLPOINTER V(SQLULEN v) { return reinterpret_cast<SQLPOINTER>(v); }

std::string Set(StatementAttributes& a, SQLINTEGER attribute, SQLULEN value) {
    std::string warning;
    try {
        SetStatementAttribute(a, attribute, V(value), &warning);
        return warning;
    } catch (const DriverError& e) {
        return e.state();
    }
}

SQLULEN Get(const StatementAttributes& a, SQLINTEGER attribute) {
    SQLULEN v = 0;
    GetStatementAttribute(a, attribute, &v, nullptr);
    return v;
}
}  // namespace

TEST(StatementAttributes, TheTableReadersKeysetAndRowVersionPair) {
    StatementAttributes a;
    EXPECT_EQ(Set(a, SQL_ATTR_CONCURRENCY, SQL_CONCUR_ROWVER), "01S02");
    EXPECT_EQ(Get(a, SQL_ATTR_CONCURRENCY), SQL_CONCUR_READ_ONLY);
    EXPECT_EQ(Set(a, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_KEYSET_DRIVEN), "");
    EXPECT_EQ(Get(a, SQL_ATTR_CURSOR_TYPE), SQL_CURSOR_KEYSET_DRIVEN);
    EXPECT_EQ(Get(a, SQL_ATTR_CURSOR_SCROLLABLE), SQL_SCROLLABLE);
    // The probe's forward-only, read-only pair needs no substitution.
    EXPECT_EQ(Set(a, SQL_ATTR_CONCURRENCY, SQL_CONCUR_READ_ONLY), "");
    EXPECT_EQ(Set(a, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY), "");
    EXPECT_EQ(Get(a, SQL_ATTR_CURSOR_SCROLLABLE), SQL_NONSCROLLABLE);
}

TEST(StatementAttributes, SubstitutionsAndInvalidValues) {
    StatementAttributes a;
    EXPECT_EQ(Set(a, SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_DYNAMIC), "01S02");
    EXPECT_EQ(Get(a, SQL_ATTR_CURSOR_TYPE), SQL_CURSOR_KEYSET_DRIVEN);
    EXPECT_EQ(Set(a, SQL_ATTR_CURSOR_SENSITIVITY, SQL_SENSITIVE), "01S02");
    EXPECT_EQ(Set(a, SQL_ATTR_CONCURRENCY, 99), "HY024");
    EXPECT_EQ(Set(a, SQL_ATTR_CURSOR_TYPE, 99), "HY024");
    EXPECT_EQ(Set(a, SQL_ATTR_ROW_ARRAY_SIZE, 0), "HY024");
    EXPECT_EQ(Set(a, SQL_ATTR_USE_BOOKMARKS, SQL_UB_VARIABLE), "HYC00");
    EXPECT_EQ(Set(a, SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON), "HYC00");
    EXPECT_EQ(Set(a, 31999, 1), "HY092");
    EXPECT_EQ(Set(a, SQL_ATTR_CURSOR_SCROLLABLE, SQL_SCROLLABLE), "");
    EXPECT_EQ(Set(a, SQL_ATTR_ROW_ARRAY_SIZE, 5), "");
    EXPECT_EQ(Get(a, SQL_ROWSET_SIZE), 5u);
    EXPECT_THROW(Get(a, 31999), DriverError);
}
