// Where SQLFetchScroll moves the rowset, by ODBC's cursor positioning rules.
#include "jetodbc/scroll_position.h"

#include <gtest/gtest.h>

using jetodbc::ScrollTarget;

namespace {
// Rowset start for 10 rows in rowsets of 3.
int64_t Move(int64_t current, SQLSMALLINT orientation, int64_t offset, bool* clamped) {
    return ScrollTarget(current, 10, 3, orientation, offset, clamped);
}
}  // namespace

TEST(ScrollPosition, NextPriorFirstLast) {
    bool clamped = false;
    EXPECT_EQ(Move(0, SQL_FETCH_NEXT, 0, &clamped), 1);
    EXPECT_EQ(Move(7, SQL_FETCH_NEXT, 0, &clamped), 10);
    EXPECT_EQ(Move(10, SQL_FETCH_NEXT, 0, &clamped), 11);  // past the end
    EXPECT_EQ(Move(11, SQL_FETCH_NEXT, 0, &clamped), 11);
    EXPECT_EQ(Move(11, SQL_FETCH_PRIOR, 0, &clamped), 8);
    EXPECT_EQ(Move(7, SQL_FETCH_PRIOR, 0, &clamped), 4);
    EXPECT_EQ(Move(1, SQL_FETCH_PRIOR, 0, &clamped), 0);
    EXPECT_FALSE(clamped);
    EXPECT_EQ(Move(2, SQL_FETCH_PRIOR, 0, &clamped), 1);
    EXPECT_TRUE(clamped);
    EXPECT_EQ(Move(5, SQL_FETCH_FIRST, 0, &clamped), 1);
    EXPECT_EQ(Move(5, SQL_FETCH_LAST, 0, &clamped), 8);
    EXPECT_EQ(ScrollTarget(0, 2, 3, SQL_FETCH_LAST, 0, &clamped), 1);
    EXPECT_EQ(ScrollTarget(0, 0, 1, SQL_FETCH_FIRST, 0, &clamped), 1);  // no row: past the end
    EXPECT_EQ(ScrollTarget(0, 0, 1, SQL_FETCH_LAST, 0, &clamped), 1);
}

TEST(ScrollPosition, AbsoluteAndRelative) {
    bool clamped = false;
    EXPECT_EQ(Move(4, SQL_FETCH_ABSOLUTE, 6, &clamped), 6);
    EXPECT_EQ(Move(4, SQL_FETCH_ABSOLUTE, -1, &clamped), 10);
    EXPECT_EQ(Move(4, SQL_FETCH_ABSOLUTE, 0, &clamped), 0);
    EXPECT_EQ(Move(4, SQL_FETCH_ABSOLUTE, 11, &clamped), 11);
    EXPECT_EQ(Move(4, SQL_FETCH_ABSOLUTE, -20, &clamped), 0);
    EXPECT_FALSE(clamped);
    EXPECT_EQ(ScrollTarget(4, 2, 3, SQL_FETCH_ABSOLUTE, -3, &clamped), 1);
    EXPECT_TRUE(clamped);
    EXPECT_EQ(Move(4, SQL_FETCH_RELATIVE, 2, &clamped), 6);
    EXPECT_EQ(Move(4, SQL_FETCH_RELATIVE, 7, &clamped), 11);
    EXPECT_EQ(Move(4, SQL_FETCH_RELATIVE, -5, &clamped), 0);
    EXPECT_EQ(Move(0, SQL_FETCH_RELATIVE, 3, &clamped), 3);
    EXPECT_EQ(Move(0, SQL_FETCH_RELATIVE, -3, &clamped), 0);
    EXPECT_EQ(Move(11, SQL_FETCH_RELATIVE, -2, &clamped), 9);
    EXPECT_EQ(Move(11, SQL_FETCH_RELATIVE, 1, &clamped), 11);
    clamped = false;
    EXPECT_EQ(Move(3, SQL_FETCH_RELATIVE, -3, &clamped), 1);
    EXPECT_TRUE(clamped);
}
