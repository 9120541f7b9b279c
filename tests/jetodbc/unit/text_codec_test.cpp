// Text encodings: Jet 4's plain and compressed UCS-2, Windows-1252 in both
// directions, UTF-8, and case folding.
#include "jetodbc/text_codec.h"

#include <gtest/gtest.h>

#include "tests/support/windows1252_chart.h"

using namespace jetodbc;

namespace {
std::u16string Jet4(const std::vector<uint8_t>& bytes) {
    return DecodeJet4Text(bytes.data(), bytes.size());
}
}  // namespace

TEST(TextCodec, Jet4PlainAndCompressed) {
    EXPECT_EQ(Jet4({'A', 0, 0xE9, 0, 0xAC, 0x20}), u"A\u00e9\u20ac");
    EXPECT_EQ(Jet4({'A', 0, 'B'}), u"A");  // an odd byte is dropped
    // Compressed: one byte a character, 0x00 switches to two-byte characters.
    EXPECT_EQ(Jet4({0xFF, 0xFE, 'C', 'a', 'f', 0xE9}), u"Caf\u00e9");
    EXPECT_EQ(Jet4({0xFF, 0xFE, 'x', 0x00, 0xAC, 0x20, 0x00, 'y'}), u"x\u20acy");
    EXPECT_EQ(Jet4({0xFF, 0xFE}), u"");
    EXPECT_EQ(Jet4({0xFF, 0xFE, 'a', 0x00, 0x41}), u"a");  // a half character at the end
    EXPECT_EQ(Jet4({}), u"");
}

TEST(TextCodec, Windows1252BothWaysWithQuestionMarks) {
    const std::string high = "\x80\x8a\x9f\xe9\xff";
    EXPECT_EQ(DecodeCp1252(high), u"\u20ac\u0160\u0178\u00e9\u00ff");
    EXPECT_EQ(EncodeCp1252(DecodeCp1252(high)), high);
    // The undefined bytes round-trip through the C1 controls.
    EXPECT_EQ(EncodeCp1252(DecodeCp1252("\x81\x8d\x8f\x90\x9d")), "\x81\x8d\x8f\x90\x9d");
    EXPECT_EQ(EncodeCp1252(u"\u4e00-\u0100"), "?-?");
    EXPECT_EQ(EncodeCp1252(u"\U0001F600!"), "?!");  // a surrogate pair is one character
}

TEST(TextCodec, Windows1252From80To9FIsThePublishedChart) {
    for (const Windows1252ChartEntry& entry : kWindows1252Chart) {
        const std::string byte(1, static_cast<char>(entry.byte));
        EXPECT_EQ(DecodeCp1252(byte), std::u16string(1, entry.character)) << int{entry.byte};
        EXPECT_EQ(EncodeCp1252(std::u16string(1, entry.character)), byte) << int{entry.byte};
    }
}

TEST(TextCodec, Utf8BothWaysAndMalformedInput) {
    const std::u16string text = u"\u00d8deg\u00e5rd \u4e00 \U0001F600";
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(DecodeUtf8("a\xC3"), u"a\ufffd");
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), u"\ufffd\ufffd");              // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80x"), u"\ufffd\ufffd\ufffdx");  // a surrogate
    EXPECT_EQ(EncodeUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextCodec, CaseFoldingCoversWindows1252Letters) {
    EXPECT_EQ(CompareNoCase(u"stra\u00dfe", u"STRA\u00dfE"), 0);
    EXPECT_EQ(CompareNoCase(u"\u00e5\u00f8\u00e6", u"\u00c5\u00d8\u00c6"), 0);
    EXPECT_EQ(CompareNoCase(u"\u00ff\u0161", u"\u0178\u0160"), 0);
    EXPECT_NE(CompareNoCase(u"\u00f7", u"\u00d7"), 0);  // division and multiplication signs
    EXPECT_LT(CompareNoCase(u"ab", u"ABC"), 0);
    EXPECT_TRUE(EqualsNoCase("Round\xe9", "ROUND\xc9"));
    EXPECT_FALSE(EqualsNoCase("Round", "Rounds"));
}

TEST(TextCodec, StoredTextStraightToWindows1252WithinTheRoomGiven) {
    auto stored = [](bool jet3, const std::vector<uint8_t>& bytes, size_t room) {
        std::string out(8, '#');
        const size_t length = StoredTextAsCp1252(jet3, bytes.data(), bytes.size(), &out[0], room);
        return std::to_string(length) + ":" + out;
    };
    EXPECT_EQ(stored(false, {'A', 0, 0xE9, 0, 0xAC, 0x20}, 8), "3:A\xE9\x80#####");
    EXPECT_EQ(stored(false, {'A', 0, 0xE9, 0, 0xAC, 0x20}, 2), "3:A\xE9######");
    // A surrogate pair is one '?'; a lone surrogate is one too.
    EXPECT_EQ(stored(false, {0x3D, 0xD8, 0x00, 0xDE, '!', 0}, 8), "2:?!######");
    EXPECT_EQ(stored(false, {0x3D, 0xD8, 'a', 0}, 8), "2:?a######");
    // Compressed; U+0080 (a one-byte character) has no Windows-1252 form.
    EXPECT_EQ(stored(false, {0xFF, 0xFE, 'x', 0x00, 0xAC, 0x20, 0x00, 0x80}, 8), "3:x\x80?#####");
    EXPECT_EQ(stored(true, {0x81, 0x80, 'z'}, 2), "3:\x81\x80######");
}
