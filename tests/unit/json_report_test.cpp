#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "analysis/tournament_reader.h"
#include "report/tour_name.h"

namespace {

std::string Report(TournamentReader& reader, int formatErrors = 0) {
    std::ostringstream out;
    EXPECT_TRUE(reader.WriteReport(formatErrors, out));
    return out.str();
}

TEST(JsonReportTest, OneSectionReportReadsLineByLine) {
    TournamentReader reader(SC0_BWS);
    CBWS_SectionInfo& section = reader.Sections[1];
    section.Section = 1;
    section.SectionName = "A";
    section.Tables = 7;
    const std::string expected =
        "{\n"
        "    \"DBformat\": \"27\",\n"
        "    \"DBformatName\": \"SC0_BWS\",\n"
        "    \"ToolVersion\": \"1.01\",\n"
        "    \"FormatErrors\": \"0\",\n"
        "    \"SectionCount\": \"1\",\n"
        "    \"TourName\": \"\",\n"
        "    \"Sections\": [\n"
        "        {\n"
        "            \"Section\": \"1\",\n"
        "            \"SectionName\": \"A\",\n"
        "            \"Tables\": \"7\",\n"
        "            \"Rounds\": \"0\",\n"
        "            \"LowBoard\": \"1\",\n"
        "            \"HighBoard\": \"1\",\n"
        "            \"BoardsPerRound\": \"0\",\n"
        "            \"BoardsNeeded\": \"0\",\n"
        "            \"Pairs\": \"0\",\n"
        "            \"Teams\": \"0\",\n"
        "            \"First\": \"true\",\n"
        "            \"Barometer\": \"true\",\n"
        "            \"UnsortedRounds\": \"false\",\n"
        "            \"Transformable\": \"true\",\n"
        "            \"Team\": \"false\",\n"
        "            \"Halfs\": \"0\",\n"
        "            \"Individual\": \"false\",\n"
        "            \"Ignore\": \"false\",\n"
        "            \"MovementType\": \"0\",\n"
        "            \"PlayerNamesRead\": \"0\",\n"
        "            \"ReceivedDataRead\": \"0\",\n"
        "            \"HandRecordsRead\": \"0\"\n"
        "        }\n"
        "    ]\n"
        "}\n";
    EXPECT_EQ(Report(reader), expected);
}

TEST(JsonReportTest, NoSectionsWritesAnEmptyString) {
    TournamentReader reader(US0_BWS);
    reader.TourName = "Club";
    const std::string expected =
        "{\n"
        "    \"DBformat\": \"5\",\n"
        "    \"DBformatName\": \"US0_BWS\",\n"
        "    \"ToolVersion\": \"1.01\",\n"
        "    \"FormatErrors\": \"3\",\n"
        "    \"SectionCount\": \"0\",\n"
        "    \"TourName\": \"Club\",\n"
        "    \"Sections\": \"\"\n"
        "}\n";
    EXPECT_EQ(Report(reader, 3), expected);
}

TEST(JsonReportTest, SectionsComeInAscendingNumberWhateverTheInsertionOrder) {
    TournamentReader reader(DK0_BWS);
    for (int number : {9, 2, 5}) reader.Sections[number].Section = number;
    const std::string report = Report(reader);
    const size_t two = report.find("\"Section\": \"2\"");
    const size_t five = report.find("\"Section\": \"5\"");
    const size_t nine = report.find("\"Section\": \"9\"");
    ASSERT_NE(two, std::string::npos);
    EXPECT_LT(two, five);
    EXPECT_LT(five, nine);
    EXPECT_NE(report.find("\"SectionCount\": \"3\""), std::string::npos);
}

TEST(JsonReportTest, EveryFormatWritesItsNumberAndName) {
    const struct {
        eImportType format;
        const char* number;
        const char* name;
    } cases[] = {{US0_BWS, "5", "US0_BWS"},  {Ups, "9", "Ups"},
                 {UK1_BWS, "18", "UK1_BWS"}, {SW4_BWS, "21", "SW4_BWS"},
                 {IS0_BWS, "25", "IS0_BWS"}, {US6_BWS, "28", "US6_BWS"}};
    for (const auto& c : cases) {
        TournamentReader reader(c.format);
        const std::string report = Report(reader);
        EXPECT_NE(report.find(std::string("\"DBformat\": \"") + c.number + "\""),
                  std::string::npos);
        EXPECT_NE(report.find(std::string("\"DBformatName\": \"") + c.name + "\""),
                  std::string::npos);
    }
}

// The escaping that the calling program expects, byte by byte.
std::string Escaped(unsigned char byte) {
    switch (byte) {
        case '\b':
            return "\\b";
        case '\f':
            return "\\f";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        case '/':
            return "\\/";
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        default:
            break;
    }
    if (byte == 0x20 || byte == 0x21 || (byte >= 0x23 && byte <= 0x2E) ||
        (byte >= 0x30 && byte <= 0x5B) || byte >= 0x5D) {
        return std::string(1, static_cast<char>(byte));
    }
    char text[8];
    std::snprintf(text, sizeof text, "\\u00%02X", byte);
    return text;
}

TEST(JsonReportTest, TextIsEscapedByteByByte) {
    TournamentReader reader(US0_BWS);
    std::string everyByte;
    std::string expected;
    for (int byte = 1; byte < 128; ++byte) {
        everyByte += static_cast<char>(byte);
        expected += Escaped(static_cast<unsigned char>(byte));
    }
    reader.Sections[1].SectionName = everyByte;
    reader.Sections[2].SectionName = "\xD8\x80";  // Windows-1252: O stroke, euro
    const std::string report = Report(reader);
    EXPECT_NE(report.find("\"SectionName\": \"" + expected + "\",\n"), std::string::npos);
    EXPECT_NE(expected.find("\\u001F"), std::string::npos);
    EXPECT_NE(report.find("\\u0001\\u0002"), std::string::npos);
    EXPECT_NE(report.find("[\\\\]^"), std::string::npos);  // only the backslash is escaped
    EXPECT_NE(report.find("~\x7F\""), std::string::npos);  // DEL passes unchanged
    EXPECT_NE(report.find("\"SectionName\": \"\xC3\x98\xE2\x82\xAC\""), std::string::npos);
}

TEST(JsonReportTest, TourNameIsConvertedBeforeItIsWritten) {
    TournamentReader reader(US0_BWS);
    reader.TourName = "  Caf\xE9 \"du\" Nord\t\n";
    const std::string report = Report(reader);
    EXPECT_NE(report.find("\"TourName\": \"Caf\xC3\xA9 \\\"du\\\" Nord\",\n"), std::string::npos);
    EXPECT_EQ(reader.TourName, "Caf\xC3\xA9 \"du\" Nord");
}

TEST(JsonReportTest, FailingStreamGivesFalse) {
    TournamentReader reader(US0_BWS);
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(reader.WriteReport(0, out));
}

// Takes the first limit characters written to it, then refuses the rest.
class FullAfter : public std::stringbuf {
  public:
    explicit FullAfter(size_t limit) : limit_(limit) {}

  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        const auto room = static_cast<std::streamsize>(limit_ - str().size());
        return std::stringbuf::xsputn(text, count < room ? count : room);
    }
    int_type overflow(int_type c) override {
        return str().size() < limit_ ? std::stringbuf::overflow(c) : traits_type::eof();
    }

  private:
    size_t limit_;
};

TEST(JsonReportTest, StreamFailingWithinTheSectionsGivesFalseAndKeepsWhatWasWritten) {
    TournamentReader reader(US0_BWS);
    reader.Sections[1].SectionName = "A";
    reader.Sections[2].SectionName = "B";
    std::ostringstream whole;
    ASSERT_TRUE(reader.WriteReport(0, whole));
    const size_t secondSection = whole.str().find("\"SectionName\": \"B\"");
    ASSERT_NE(secondSection, std::string::npos);

    FullAfter buffer(secondSection);
    std::ostream out(&buffer);
    EXPECT_FALSE(reader.WriteReport(0, out));
    EXPECT_EQ(buffer.str(), whole.str().substr(0, secondSection));
}

std::string Converted(std::string name) {
    ConvertTourName(name);
    return name;
}

TEST(TourNameTest, TrimsWhiteSpaceAtBothEndsOnly) {
    EXPECT_EQ(Converted(" \t\n\v\f\rSpring  Pairs \r\n"), "Spring  Pairs");
    EXPECT_EQ(Converted("   "), "");
    EXPECT_EQ(Converted(""), "");
    // The no-break space is not white space; it stays, as UTF-8.
    EXPECT_EQ(Converted("\xA0Name\xA0"), "\xC2\xA0Name\xC2\xA0");
}

TEST(TourNameTest, ScandinavianLettersBecomeUtf8) {
    EXPECT_EQ(Converted("\xE5\xC5\xF8\xD8\xE6\xC6"),
              "\xC3\xA5\xC3\x85\xC3\xB8\xC3\x98\xC3\xA6\xC3\x86");
}

TEST(TourNameTest, CedillaBecomesTheLetterCAndABlank) {
    EXPECT_EQ(Converted("Fran\xE7ois"), "Franc ois");
    EXPECT_EQ(Converted("\xC7"), "\xC3\x87");  // the capital is a table letter of its own
}

TEST(TourNameTest, LetterFollowedByAcuteSignBecomesLetterAndBlank) {
    EXPECT_EQ(Converted("c\xB4"
                        "d\xB4"
                        "a\xB4"
                        "e\xB4"
                        "i\xB4"
                        "o\xB4"
                        "u\xB4"),
              "c d a e i o u ");
    EXPECT_EQ(Converted("C\xB4"
                        "D\xB4"
                        "A\xB4"
                        "E\xB4"
                        "I\xB4"
                        "O\xB4"
                        "U\xB4"),
              "C D A E I O U ");
    EXPECT_EQ(Converted("x\xB4"), "x\xC2\xB4");  // other letters keep the sign
}

TEST(TourNameTest, LatinLettersBecomeTheirOwnUtf8Form) {
    const unsigned char letters[] = {
        0xDD, 0xDE, 0xC7, 0xD0, 0xFD, 0xFE, 0xF0, 0xE9, 0xE8, 0xEB, 0xEA, 0xC9, 0xC8,
        0xCB, 0xCA, 0xE1, 0xE0, 0xE4, 0xE2, 0xC1, 0xC0, 0xC4, 0xC2, 0xFA, 0xF9, 0xFC,
        0xFB, 0xDA, 0xD9, 0xDC, 0xDB, 0xED, 0xEC, 0xEF, 0xEE, 0xCD, 0xCC, 0xCE, 0xCF,
        0xF3, 0xF2, 0xF6, 0xF4, 0xD3, 0xD2, 0xD6, 0xD4, 0xF1, 0xD1, 0xF5, 0xD5, 0xE3};
    for (unsigned char letter : letters) {
        const std::string utf8 = {static_cast<char>(0xC3), static_cast<char>(letter - 0x40)};
        EXPECT_EQ(Converted(std::string("<") + static_cast<char>(letter) + ">"), "<" + utf8 + ">")
            << std::hex << static_cast<int>(letter);
    }
}

TEST(TourNameTest, CapitalIWithCircumflexAndWithDiaeresisStayDistinct) {
    EXPECT_EQ(Converted("\xCE"), "\xC3\x8E");
    EXPECT_EQ(Converted("\xCF"), "\xC3\x8F");
}

TEST(TourNameTest, EveryOtherByteBecomesTheUtf8FormOfItsWindows1252Character) {
    // From the Windows-1252 chart: sharp s, A tilde, y diaeresis, euro, S caron,
    // oe, left double quote, and 81 (undefined) as the C1 control U+0081.
    EXPECT_EQ(Converted("Stra\xDF"
                        "e \xC3 \xFF \x80 \x8A \x9C \x93 \x81"),
              "Stra\xC3\x9F"
              "e \xC3\x83 \xC3\xBF \xE2\x82\xAC \xC5\xA0 \xC5\x93 \xE2\x80\x9C \xC2\x81");
}

TEST(TourNameTest, ReplacementsDoNotFeedLaterRows) {
    // Every replacement yields C3 and a byte below C0; neither is searched again.
    EXPECT_EQ(Converted("\xE9\xE9\xC5"), "\xC3\xA9\xC3\xA9\xC3\x85");
}

}  // namespace
