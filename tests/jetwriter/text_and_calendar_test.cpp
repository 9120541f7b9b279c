// The encodings under the file layout that MDB Tools cannot show: which form
// a text is stored in, which UTF-8 is refused, and day numbers outside the
// range MDB Tools displays.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "jetwriter/calendar.h"
#include "jetwriter/jet_text.h"
#include "jetwriter/utf8.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes JetText(const std::u16string& text) {
    Bytes bytes;
    jetwriter::AppendJetText(text, &bytes);
    return bytes;
}

TEST(JetText, CompressedOnlyWhenShorterAndPossible) {
    EXPECT_EQ(JetText(u"Hello"), (Bytes{0xFF, 0xFE, 'H', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(JetText(u"\u00e9\u00f8\u00df"), (Bytes{0xFF, 0xFE, 0xE9, 0xF8, 0xDF}));
    EXPECT_EQ(JetText(u""), Bytes{});
    EXPECT_EQ(JetText(u"ab"), (Bytes{'a', 0x00, 'b', 0x00}));  // no shorter
    EXPECT_EQ(JetText(u"\u4e01\u4e02"), (Bytes{0x01, 0x4E, 0x02, 0x4E}));
    // A zero low byte would read as a mode switch.
    EXPECT_EQ(JetText(u"abcd\u0100"), (Bytes{'a', 0, 'b', 0, 'c', 0, 'd', 0, 0x00, 0x01}));
}

TEST(JetText, TwoByteRunsSwitchBackOnlyWhenThatIsShorter) {
    EXPECT_EQ(JetText(u"abc\u4e01def"),
              (Bytes{0xFF, 0xFE, 'a', 'b', 'c', 0x00, 0x01, 0x4E, 0x00, 'd', 'e', 'f'}));
    // One narrow character between wide ones stays in two-byte mode.
    EXPECT_EQ(JetText(u"abc\u4e01x\u4e01def"), (Bytes{0xFF, 0xFE, 'a', 'b', 'c', 0x00, 0x01, 0x4E,
                                                      'x', 0x00, 0x01, 0x4E, 0x00, 'd', 'e', 'f'}));
    // Two at the end: staying costs 4 bytes, switching 3.
    EXPECT_EQ(JetText(u"abcd\u4e01xy"),
              (Bytes{0xFF, 0xFE, 'a', 'b', 'c', 'd', 0x00, 0x01, 0x4E, 0x00, 'x', 'y'}));
}

TEST(Utf8, DecodesToUtf16AndRejectsMalformedInput) {
    std::u16string units;
    ASSERT_TRUE(jetwriter::Utf8ToUtf16("A\u00e9\u4e00\U0001F600", &units));
    EXPECT_EQ(units, (std::u16string{0x0041, 0x00E9, 0x4E00, 0xD83D, 0xDE00}));
    for (const char* bad : {"\xC0\x80", "\xE0\x80\xAF",  // overlong forms
                            "\xED\xA0\x80",              // a surrogate
                            "\xF4\x90\x80\x80",          // above U+10FFFF
                            "\xE4\xB8", "a\x80", "\xC3\x28", "\xFF"}) {
        EXPECT_FALSE(jetwriter::Utf8ToUtf16(bad, &units)) << bad;
        EXPECT_FALSE(jetwriter::IsValidUtf8(bad)) << bad;
    }
}

TEST(Calendar, DayNumbersAndTheirRange) {
    EXPECT_EQ(jetwriter::DaysSinceEpoch(1899, 12, 30), 0);
    EXPECT_EQ(jetwriter::DaysSinceEpoch(1900, 3, 1), 61);  // 1900 has no 29 February
    EXPECT_EQ(jetwriter::DaysSinceEpoch(100, 1, 1), -657434);
    EXPECT_EQ(jetwriter::DaysSinceEpoch(9999, 12, 31), 2958465);
    // Before the epoch the time still adds: 1899-12-29 06:00 is -1.25.
    EXPECT_DOUBLE_EQ(jetwriter::DayNumber(-1, 6 * 3600), -1.25);
    EXPECT_DOUBLE_EQ(jetwriter::DayNumber(2, 6 * 3600), 2.25);

    EXPECT_TRUE(jetwriter::IsValidDate(2000, 2, 29));
    EXPECT_FALSE(jetwriter::IsValidDate(2100, 2, 29));
    EXPECT_FALSE(jetwriter::IsValidDate(2026, 4, 31));
    EXPECT_FALSE(jetwriter::IsValidDate(99, 12, 31));
    EXPECT_FALSE(jetwriter::IsValidDate(10000, 1, 1));
    EXPECT_TRUE(jetwriter::IsDayNumberInRange(-657434.99));  // 0100-01-01 23:45
    EXPECT_FALSE(jetwriter::IsDayNumberInRange(-657435.0));
    EXPECT_TRUE(jetwriter::IsDayNumberInRange(2958465.9999));
    EXPECT_FALSE(jetwriter::IsDayNumberInRange(2958466.0));
    EXPECT_FALSE(jetwriter::IsDayNumberInRange(std::nan("")));
}

}  // namespace
