#include "db/regexp.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// The program bytes (MAGIC to the closing END), read node by node: only
// literals and sets have operands of their own in the byte stream.
std::vector<int> programBytes(const Regexp& re) {
    const unsigned char* p =
        reinterpret_cast<const unsigned char*>(re.Program()) + offsetof(Regexp::regexp, program);
    const unsigned char* scan = p + 1;
    while (*scan != Regexp::END) {
        const unsigned char op = *scan;
        scan += 3;
        if (op == Regexp::EXACTLY || op == Regexp::ANYOF || op == Regexp::ANYBUT) {
            scan += std::strlen(reinterpret_cast<const char*>(scan)) + 1;
        }
    }
    return std::vector<int>(p, scan + 3);
}

// Text of group i of the last match, or "<unset>".
std::string group(const Regexp& re, int i) {
    const char* from = re.Program()->matchStarts[i];
    const char* to = re.Program()->matchEnds[i];
    if (from == nullptr || to == nullptr) return "<unset>";
    return std::string(from, to);
}

// The whole leftmost match, or "<none>".
std::string match(const char* pattern, const char* text) {
    Regexp re(pattern);
    EXPECT_NE(re.Program(), nullptr) << pattern;
    return re.regexec(text) ? group(re, 0) : "<none>";
}

std::string sub(Regexp& re, const char* templ, std::size_t n = static_cast<std::size_t>(-1)) {
    std::string out = "unchanged";
    re.regsub(templ, out, n);
    return out;
}

const char* const kDriverPattern = "\\[.+\\]\\[.+\\]\\[.+\\](.+)";

}  // namespace

TEST(RegexpProgram, NodeLayoutOfSmallPatterns) {
    // BRANCH(next 8) EXACTLY(next 5) "a" NUL END
    EXPECT_EQ(programBytes(Regexp("a")),
              (std::vector<int>{156, 6, 0, 8, 8, 0, 5, 'a', 0, 0, 0, 0}));
    // STAR's operand is an EXACTLY with no next of its own.
    EXPECT_EQ(programBytes(Regexp("a*")),
              (std::vector<int>{156, 6, 0, 11, 10, 0, 8, 8, 0, 0, 'a', 0, 0, 0, 0}));
    EXPECT_EQ(programBytes(Regexp("[a-c]")),
              (std::vector<int>{156, 6, 0, 10, 4, 0, 7, 'a', 'b', 'c', 0, 0, 0, 0}));
    EXPECT_EQ(programBytes(Regexp("a?")), (std::vector<int>{156, 6, 0, 17, 6, 0, 8, 8, 0, 8, 'a',
                                                            0,   6, 0, 3,  9, 0, 3, 0, 0, 0}));
    // Group loop: BRANCH around OPEN..CLOSE, BACK 17 bytes back to it, then
    // BRANCH(NOTHING).
    EXPECT_EQ(programBytes(Regexp("(a)*")),
              (std::vector<int>{156, 6,  0, 29, 6, 0, 20, 21, 0, 3, 6, 0, 8, 8, 0, 5, 'a',
                                0,   31, 0, 3,  7, 0, 17, 6,  0, 3, 9, 0, 3, 0, 0, 0}));
}

TEST(RegexpProgram, NextOffsetsAreBigEndian) {
    Regexp re(std::string(300, 'x').c_str());
    std::vector<int> bytes = programBytes(re);
    ASSERT_EQ(bytes.size(), 311u);
    EXPECT_EQ(bytes[2], 0x01);  // BRANCH -> END: 307
    EXPECT_EQ(bytes[3], 0x33);
    EXPECT_EQ(bytes[5], 0x01);  // EXACTLY -> END: 304
    EXPECT_EQ(bytes[6], 0x30);
}

TEST(RegexpProgram, BarAndNewlineGiveTheSameProgram) {
    EXPECT_EQ(programBytes(Regexp("a|b")), programBytes(Regexp("a\nb")));
    EXPECT_EQ(programBytes(Regexp("a|b")), (std::vector<int>{156, 6, 0, 8, 8, 0,   13, 'a', 0, 6,
                                                             0,   8, 8, 0, 5, 'b', 0,  0,   0, 0}));
    EXPECT_EQ(programBytes(Regexp("(x|yz|)")), programBytes(Regexp("(x\nyz\n)")));
}

TEST(RegexpProgram, SpeedUps) {
    Regexp literal("abc");
    EXPECT_EQ(literal.Program()->firstChar, 'a');
    EXPECT_EQ(literal.Program()->anchored, 0);
    EXPECT_EQ(literal.Program()->mustText, nullptr);

    Regexp anchored("^abc");
    EXPECT_EQ(anchored.Program()->anchored, 1);
    EXPECT_EQ(anchored.Program()->firstChar, 0);
    EXPECT_EQ(anchored.regexec("xabc"), 0);

    Regexp twoBranches("ab|ac");
    EXPECT_EQ(twoBranches.Program()->firstChar, 0);

    // Leading loop: the longest literal of the chain, the later on a tie.
    Regexp loop("x*ab[0-9]*de");
    ASSERT_NE(loop.Program()->mustText, nullptr);
    EXPECT_EQ(std::string(loop.Program()->mustText, 2), "de");
    EXPECT_EQ(loop.Program()->mustLength, 2);
    EXPECT_EQ(loop.regexec("xxab12d"), 0);
    EXPECT_EQ(loop.regexec("xxab12de"), 1);

    EXPECT_EQ(std::string(Regexp("a+bcd").Program()->mustText), "bcd");
    EXPECT_EQ(std::string(Regexp("(a*)bcd").Program()->mustText), "bcd");
    // Only leading '*' and '+' pieces set it; a literal inside a group is optional.
    EXPECT_EQ(Regexp("a?bcd").Program()->mustText, nullptr);
    EXPECT_EQ(Regexp("ab*cde").Program()->mustText, nullptr);
    EXPECT_EQ(Regexp("x*(abc)?").Program()->mustText, nullptr);
}

TEST(RegexpMatch, DriverMessagePattern) {
    Regexp re(kDriverPattern);
    const char* text = "[Microsoft][ODBC Driver Manager][Access] Data source name not found";
    ASSERT_EQ(re.regexec(text), 1);
    EXPECT_EQ(group(re, 1), " Data source name not found");
    EXPECT_EQ(re.FirstChar(), text);
    EXPECT_EQ(re.LastChar(), text + std::strlen(text));
    char dest[1024];
    re.regsub("\\1", dest, 512);
    EXPECT_STREQ(dest, " Data source name not found");

    ASSERT_EQ(re.regexec("[A][B][C] word"), 1);
    EXPECT_EQ(group(re, 1), " word");
    EXPECT_EQ(re.regexec("[Microsoft][ODBC Driver Manager] Data source name not found"), 0);
}

TEST(RegexpMatch, BacktrackingOrder) {
    EXPECT_EQ(match("a*a", "aaa"), "aaa");
    EXPECT_EQ(match("x.*y", "xayby"), "xayby");
    EXPECT_EQ(match("ba+", "baaac"), "baaa");
    EXPECT_EQ(match("ba+", "bc"), "<none>");
    EXPECT_EQ(match("b", "abcb"), "b");
    EXPECT_EQ(match("colou?r", "color"), "color");
    EXPECT_EQ(match("ab*", "abbbc"), "abbb");  // the star takes one character
    EXPECT_EQ(match("", "xyz"), "");

    Regexp empty("");
    const char* text = "xyz";
    ASSERT_EQ(empty.regexec(text), 1);
    EXPECT_EQ(empty.FirstChar(), text);
    EXPECT_EQ(empty.regexec(""), 1);

    Regexp alt("(a|ab)(c|bcd)");
    ASSERT_EQ(alt.regexec("abcd"), 1);
    EXPECT_EQ(group(alt, 1), "a");
    EXPECT_EQ(group(alt, 2), "bcd");

    Regexp greedy("x(a*)(a*)");
    ASSERT_EQ(greedy.regexec("xaa"), 1);
    EXPECT_EQ(group(greedy, 1), "aa");
    EXPECT_EQ(group(greedy, 2), "");
}

TEST(RegexpMatch, RepeatedGroupReportsItsLastPass) {
    Regexp star("(a)*");
    const char* text = "aaa";
    ASSERT_EQ(star.regexec(text), 1);
    EXPECT_EQ(star[1], text + 2);
    EXPECT_EQ(group(star, 1), "a");

    Regexp nested("((a)b)+");
    ASSERT_EQ(nested.regexec("abab"), 1);
    EXPECT_EQ(group(nested, 1), "ab");
    EXPECT_EQ(nested[1], nested.FirstChar() + 2);

    // A group the last pass skipped keeps an earlier pass's text.
    Regexp skipped("((a)|b)+");
    ASSERT_EQ(skipped.regexec("ab"), 1);
    EXPECT_EQ(group(skipped, 1), "b");
    EXPECT_EQ(group(skipped, 2), "a");
    EXPECT_EQ(skipped[3], nullptr);
    EXPECT_EQ(skipped[10], nullptr);
    EXPECT_EQ(skipped[-1], nullptr);
}

TEST(RegexpMatch, AnchorsAndEscapes) {
    EXPECT_EQ(match("^b", "ab"), "<none>");
    EXPECT_EQ(match("c$", "abc"), "c");
    EXPECT_EQ(match("b$", "abc"), "<none>");
    EXPECT_EQ(match("^$", ""), "");
    EXPECT_EQ(match("(^a|b)", "xb"), "b");
    EXPECT_EQ(match("(^a|b)", "xa"), "<none>");
    EXPECT_EQ(match("a\\.b", "axb a.b"), "a.b");
    EXPECT_EQ(match("a\\.*", "a..x"), "a..");
    EXPECT_EQ(match("\\(\\*\\|\\)", "(*|)"), "(*|)");
    EXPECT_EQ(match("a\\\\b", "a\\b"), "a\\b");
    EXPECT_EQ(match("cat\ndog", "hotdog"), "dog");
    // A multiplier with nothing before it stands for itself.
    EXPECT_EQ(match("*a", "x*a"), "*a");
    EXPECT_EQ(match("(+)", "1+1"), "+");
}

TEST(RegexpMatch, SetsAndRanges) {
    EXPECT_EQ(match("[abc]+", "xxbcay"), "bca");
    EXPECT_EQ(match("[^abc]+", "abxyc"), "xy");
    EXPECT_EQ(match("[]a]+", "x]a]"), "]a]");
    EXPECT_EQ(match("[^]]+", "]]ab]"), "ab");
    EXPECT_EQ(match("[a-]+", "x-a-"), "-a-");
    EXPECT_EQ(match("[-a]+", "x-a-"), "-a-");
    EXPECT_EQ(match("[a-a]", "ba"), "a");
    EXPECT_EQ(match("[a-c-e]+", "xdaey"), "dae");
    // A range reversed by one adds nothing beyond its first member.
    EXPECT_EQ(match("[b-a]+", "xab"), "b");
    EXPECT_EQ(match("a[^x]", "a"), "<none>");

    EXPECT_EQ(match("[\x80-\xff]+",
                    "ab\xe9\x80\xff"
                    "c"),
              "\xe9\x80\xff");
    EXPECT_EQ(match("[^\x80-\xff]+",
                    "\xe9"
                    "ab\xff"),
              "ab");
    EXPECT_EQ(match("[\x7e-\x81]+", "a\x7f\x80\x81\x82"), "\x7f\x80\x81");
    EXPECT_EQ(match("\xe9+", "a\xe9\xe9"), "\xe9\xe9");
    EXPECT_EQ(match(".", "\xff"), "\xff");
}

TEST(RegexpMatch, WordBoundaries) {
    const char* text = "other the";
    Regexp word("\\<the\\>");
    ASSERT_EQ(word.regexec(text), 1);
    EXPECT_EQ(word.FirstChar(), text + 6);
    EXPECT_EQ(match("\\<the", "bathe"), "<none>");
    EXPECT_EQ(match("the\\>", "thereby"), "<none>");
    EXPECT_EQ(match("\\<b", "_b"), "<none>");
    EXPECT_EQ(match("\\<b", "b"), "b");
    EXPECT_EQ(match("\\<abc",
                    "\xe9"
                    "abc"),
              "abc");
    EXPECT_EQ(match("ab\\>", "ab\xe9"), "ab");
    EXPECT_EQ(match("x\\<y", "xy"), "<none>");
}

TEST(RegexpSubstitute, TemplateCodes) {
    Regexp re("(a+)(x)?(b+)");
    ASSERT_EQ(re.regexec("zaabbz"), 1);
    EXPECT_EQ(sub(re, "&&"), "aabbaabb");
    EXPECT_EQ(sub(re, "\\&"), "&");
    EXPECT_EQ(sub(re, "\\\\"), "\\");
    EXPECT_EQ(sub(re, "<\\3-\\1>\\0"), "<bb-aa>aabb");
    EXPECT_EQ(sub(re, "[\\2][\\9]"), "[][]");
    EXPECT_EQ(sub(re, "\\x\\"), "\\x\\");
    // n cuts each insertion, not the whole result.
    EXPECT_EQ(sub(re, "&-&", 2), "aa-aa");
    EXPECT_EQ(sub(re, "a&b", 0), "ab");

    char dest[16];
    std::memset(dest, 'Z', sizeof dest);
    re.regsub("\\1:", dest, 1);
    EXPECT_STREQ(dest, "a:");
    EXPECT_EQ(dest[3], 'Z');
}

TEST(RegexpSubstitute, StringResultCanExceedN) {
    std::string text(2000, 'q');
    Regexp re("q+");
    ASSERT_EQ(re.regexec(text.c_str()), 1);
    EXPECT_EQ(sub(re, "&&", 1500), std::string(3000, 'q'));
    EXPECT_EQ(sub(re, "&&&&&&&&", 3), std::string(24, 'q'));
}

TEST(RegexpSubstitute, StopsAtNulInsideAChangedText) {
    char text[] = "abcdef";
    Regexp re("b.*");
    ASSERT_EQ(re.regexec(text), 1);
    text[3] = '\0';
    char dest[16];
    std::memset(dest, 'Z', sizeof dest);
    re.regsub("<&>", dest, static_cast<std::size_t>(-1));
    EXPECT_STREQ(dest, "<bc");
}

TEST(RegexpNextMatch, WalksAllMatches) {
    Regexp re("[0-9]+");
    std::vector<std::string> found;
    for (int ok = re.regexec("a12b345c6"); ok; ok = re.NextMatch()) found.push_back(group(re, 0));
    EXPECT_EQ(found, (std::vector<std::string>{"12", "345", "6"}));
    EXPECT_EQ(re.FirstChar(), nullptr);
    EXPECT_EQ(re.NextMatch(), 0);

    // The rest of the text counts as a new start for '^'.
    Regexp bol("^a");
    const char* text = "aab";
    ASSERT_EQ(bol.regexec(text), 1);
    ASSERT_EQ(bol.NextMatch(), 1);
    EXPECT_EQ(bol.FirstChar(), text + 1);
    EXPECT_EQ(bol.NextMatch(), 0);

    // An empty match ends where it began, so it is found again.
    Regexp empty("x*");
    ASSERT_EQ(empty.regexec("abc"), 1);
    const char* at = empty.FirstChar();
    ASSERT_EQ(empty.NextMatch(), 1);
    EXPECT_EQ(empty.FirstChar(), at);

    EXPECT_EQ(Regexp("a").NextMatch(), 0);
}

TEST(RegexpCompile, Errors) {
    const char* const bad[] = {
        "a**",
        "a*+",
        "a?*",
        "(a)+?",  // nested multiplier
        "(a*)*",
        "(a*)+",
        "^*",
        "$+",
        "\\<*",
        "(|a)*",  // operand could be empty
        "abc\\",
        "\\",  // trailing backslash
        "[abc",
        "[",
        "[]",
        "[^]",
        "[a-",  // missing ]
        "[z-a]",
        "[c-a]",  // bad range
        "(abc",
        "((a)",
        "(",  // unclosed (
        "abc)",
        ")",
        "a|b)",  // unmatched )
        "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)",
        "((((((((((a))))))))))",  // tenth group
    };
    for (const char* pattern : bad) {
        Regexp re;
        EXPECT_EQ(re.Create(pattern), 0) << pattern;
        EXPECT_EQ(re.Program(), nullptr) << pattern;
    }
    EXPECT_EQ(Regexp().Create(nullptr), 0);
    EXPECT_EQ(Regexp(nullptr).Program(), nullptr);

    EXPECT_NE(Regexp("(a*)?").Program(), nullptr);
    EXPECT_NE(Regexp("^?$?").Program(), nullptr);
    EXPECT_NE(Regexp("(a)(b)(c)(d)(e)(f)(g)(h)(i)").Program(), nullptr);
    EXPECT_EQ(match("(((((((((a)))))))))", "xa"), "a");
}

TEST(RegexpCompile, ProgramSizeLimit) {
    // A literal of L characters takes L + 11 bytes: MAGIC, BRANCH, EXACTLY + NUL, END.
    Regexp re;
    EXPECT_EQ(re.Create(std::string(32755, 'k').c_str()), 1);
    EXPECT_EQ(re.Create(std::string(32756, 'k').c_str()), 0);
    EXPECT_EQ(re.Create(std::string(1000000, '(').c_str()), 0);
}

TEST(RegexpObject, WithoutProgram) {
    Regexp re;
    char dest[4] = "xyz";
    std::string s = "keep";
    EXPECT_EQ(re.regexec("abc"), 0);
    re.regsub("&", dest, 3);
    re.regsub("&", s, 3);
    EXPECT_STREQ(dest, "xyz");
    EXPECT_EQ(s, "keep");
    EXPECT_EQ(re.FirstChar(), nullptr);
    EXPECT_EQ(re.LastChar(), nullptr);
    EXPECT_EQ(re[0], nullptr);

    // A failed Create drops the earlier program.
    ASSERT_EQ(re.Create("abc"), 1);
    EXPECT_EQ(re.regexec(nullptr), 0);
    EXPECT_EQ(re.Create("(abc"), 0);
    EXPECT_EQ(re.regexec("abc"), 0);
    ASSERT_EQ(re.Create("b"), 1);
    EXPECT_EQ(re.regexec("abc"), 1);
}

TEST(RegexpObject, CopiesOwnTheirProgram) {
    auto original = std::make_unique<Regexp>("x*(ab)cd");
    ASSERT_EQ(original->regexec("zabcd"), 1);
    Regexp copy(*original);
    ASSERT_NE(copy.Program(), original->Program());
    EXPECT_EQ(copy.FirstChar(), original->FirstChar());
    // mustText follows the program into the copy's block.
    const char* block = reinterpret_cast<const char*>(copy.Program());
    EXPECT_GT(copy.Program()->mustText, block);
    EXPECT_EQ(std::string(copy.Program()->mustText), "cd");

    Regexp assigned("q");
    assigned = *original;
    Regexp& same = assigned;
    assigned = same;
    original.reset();
    ASSERT_EQ(copy.regexec("abcd"), 1);
    EXPECT_EQ(group(copy, 1), "ab");
    EXPECT_EQ(assigned.regexec("xxabcd"), 1);

    Regexp moved(std::move(assigned));
    EXPECT_EQ(assigned.Program(), nullptr);
    EXPECT_EQ(moved.regexec("abcd"), 1);
    Regexp none;
    moved = none;
    EXPECT_EQ(moved.regexec("abcd"), 0);
}

TEST(RegexpLimits, RunawayMatchesEndAsNoMatch) {
    // Each start among the a's has exponentially many splits to try before it
    // fails; the work limit gives up before the real match "ax" at the end.
    std::string text(60, 'a');
    text += "bax";
    EXPECT_EQ(Regexp("(a|aa)+x").regexec(text.c_str()), 0);
    EXPECT_EQ(Regexp("(a|aa)+x").regexec("aabax"), 1);

    // Each pass through a group loop recurses: a long run passes the depth cap.
    std::string many(100000, 'a');
    Regexp loop("(a)*");
    EXPECT_EQ(loop.regexec(many.c_str()), 0);
    std::string some(500, 'a');
    ASSERT_EQ(loop.regexec(some.c_str()), 1);
    EXPECT_EQ(loop.LastChar(), some.c_str() + 500);

    // Sets of thousands of bytes count their size per character tested.
    std::string sets = "y[";
    for (int i = 0; i < 100; ++i) sets += "\x01-\xff";
    sets += "]*z";
    Regexp wide(sets.c_str());
    EXPECT_EQ(wide.regexec(std::string(20000, 'y').c_str()), 0);
    EXPECT_EQ(wide.regexec("xyyz"), 1);
}
