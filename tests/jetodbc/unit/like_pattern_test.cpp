// LIKE patterns: the cases a greedy matcher gets wrong, and the pattern
// characters that stand for themselves.
#include "jetodbc/like_pattern.h"

#include <gtest/gtest.h>

using namespace jetodbc;

namespace {

bool Like(const char16_t* text, const char16_t* pattern) {
    return LikePattern(pattern).Matches(text);
}

}  // namespace

TEST(LikePattern, StarsBacktrackAndLiteralsStandForThemselves) {
    EXPECT_TRUE(Like(u"aXbYbc", u"a*b*c"));
    EXPECT_TRUE(Like(u"abcbc", u"*bc"));
    EXPECT_FALSE(Like(u"abcb", u"*bc"));
    EXPECT_TRUE(Like(u"", u"%*"));
    EXPECT_FALSE(Like(u"", u"_"));
    EXPECT_TRUE(Like(u"5*", u"#[*]"));                      // "[*]" is a star
    EXPECT_TRUE(Like(u"[ab", u"[ab"));                      // an unclosed '[' is itself
    EXPECT_TRUE(Like(u"\u00c9t\u00e9", u"\u00e9T\u00c9"));  // letters without case
    EXPECT_TRUE(Like(u"Q", u"[a-cq]"));
    EXPECT_FALSE(Like(u"7", u"[!0-9]"));
    std::u16string many(5000, u'a');
    EXPECT_FALSE(LikePattern(u"*a*a*a*b").Matches(many));
}
