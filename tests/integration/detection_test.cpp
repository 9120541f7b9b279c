// Format detection on real files: every format's layout, and the edge cases
// of the comparison rules.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "run/format_choice.h"
#include "schema/format_catalogue.h"
#include "schema/format_detection.h"
#include "schema/schema_probe.h"
#include "tests/integration/format_model.h"
#include "tests/integration/integration_env.h"

namespace {

using jetwriter::ColumnType;

struct Detection {
    bool ran = false;
    CString errorText;
    unsigned counters[3] = {0, 0, 0};
};

Detection Detect(eImportType format) {
    Detection detection;
    detection.ran = DetectFormat(format, detection.errorText, detection.counters);
    return detection;
}

bool ChosenFormat(eImportType* chosen) {
    std::map<eImportType, unsigned> scores;
    for (eImportType format : kFormatTryOrder) {
        Detection detection = Detect(format);
        scores[format] = ScoreDetection(detection.ran, detection.counters);
    }
    return ChooseFormat(scores, chosen);
}

class DetectionTest : public ::testing::Test {
  protected:
    TemporaryFolder folder_;
};

// The format reported for a file laid out as each format, worked out by hand
// from the catalogue's layouts of the seven compared tables and the
// comparison rules: a format accepts a layout when it declares no more
// columns and every column of the file that is not exempt is one it declares.
// Exempt extras let a layout accept its larger relatives: ReceivedData E
// (23 columns) accepts F, so SW0 takes the SW2 and SW4 files; IntermediateData
// B with PlayerNumbers B and ReceivedData B (DK2) accepts the Ups file, whose
// ReceivedData C only adds SuspiciousContract; RoundData A accepts C but not
// B (South, West), and RoundData B accepts C. A file without
// IntermediateData fits only a format without it (UK0, UK1, AU0, AU1).
const std::pair<eImportType, eImportType> kReportedFormat[] = {
    {US0_BWS, US0_BWS}, {DK0_BWS, DK0_BWS}, {DK1_BWS, US0_BWS}, {DK2_BWS, DK2_BWS},
    {Ups, DK2_BWS},     {US1_BWS, US1_BWS}, {US2_BWS, US0_BWS}, {UK0_BWS, UK0_BWS},
    {US3_BWS, US1_BWS}, {US4_BWS, US4_BWS}, {US5_BWS, US4_BWS}, {SW0_BWS, SW0_BWS},
    {SW2_BWS, SW0_BWS}, {UK1_BWS, UK1_BWS}, {SW3_BWS, SW0_BWS}, {AU0_BWS, AU0_BWS},
    {SW4_BWS, SW0_BWS}, {AU1_BWS, AU1_BWS}, {AU2_BWS, US1_BWS}, {AU3_BWS, AU3_BWS},
    {IS0_BWS, IS0_BWS}, {AU4_BWS, AU4_BWS}, {SC0_BWS, AU4_BWS}, {US6_BWS, US6_BWS},
};

TEST_F(DetectionTest, EveryLayoutIsRecognisedAsTheLowestFormatThatAcceptsIt) {
    ASSERT_EQ(std::size(kReportedFormat), size_t{kLastImportType - kFirstImportType + 1});
    for (const auto& [layout, reported] : kReportedFormat) {
        WriteAndUse(BwsFixture(layout), folder_.Path(std::string(FormatName(layout)) + ".bws"));
        eImportType chosen = US0_BWS;
        ASSERT_TRUE(ChosenFormat(&chosen)) << FormatName(layout);
        EXPECT_EQ(chosen, reported) << "file laid out as " << FormatName(layout);
        // The whole-run tests take their expectations from the model.
        EXPECT_EQ(ExpectedFormat(layout), reported) << FormatName(layout);
    }
}

TEST_F(DetectionTest, OwnLayoutScoresZeroAndLowerClassesWin) {
    // A lower format of one class accepts the file too, and the lower number wins.
    const std::pair<eImportType, eImportType> cases[] = {{DK1_BWS, US0_BWS}, {US2_BWS, US0_BWS},
                                                         {AU2_BWS, US1_BWS}, {US5_BWS, US4_BWS},
                                                         {SW3_BWS, SW0_BWS}, {SW4_BWS, SW0_BWS}};
    for (const auto& [layout, reported] : cases) {
        EXPECT_EQ(ExpectedFormat(layout), reported) << FormatName(layout);
    }
}

TEST_F(DetectionTest, NoConnectionMakesEveryTestFail) {
    UseDatabase(folder_.Path("missing.bws"));
    testing::internal::CaptureStdout();
    Detection detection = Detect(US0_BWS);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(detection.ran);
    EXPECT_EQ(std::string(detection.errorText), "Missing connection to DB\n");
    EXPECT_EQ(detection.counters[0] + detection.counters[1] + detection.counters[2], 0u);
    EXPECT_NE(printed.find("[INFO] State:"), std::string::npos);
}

TEST_F(DetectionTest, MissingSettingsIsOnlyAProbe) {
    BwsFixture fixture(US0_BWS);
    fixture.DropTable("Settings");
    WriteAndUse(fixture, folder_.Path("no-settings.bws"));
    Detection detection = Detect(US0_BWS);
    EXPECT_TRUE(detection.ran);
    EXPECT_EQ(ScoreDetection(detection.ran, detection.counters), 0u);
}

TEST_F(DetectionTest, MissingIntermediateDataCostsTheWholeLayout) {
    BwsFixture fixture(US0_BWS);
    fixture.DropTable("IntermediateData");
    WriteAndUse(fixture, folder_.Path("no-intermediate.bws"));
    testing::internal::CaptureStdout();
    Detection us0 = Detect(US0_BWS);
    Detection uk0 = Detect(UK0_BWS);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(us0.ran);
    EXPECT_EQ(us0.counters[2], 21u);
    // UK0 has no IntermediateData table, so its count does not change.
    BwsFixture whole(US0_BWS);
    WriteAndUse(whole, folder_.Path("whole.bws"));
    Detection uk0Whole = Detect(UK0_BWS);
    EXPECT_EQ(uk0.counters[2], uk0Whole.counters[2]);
}

TEST_F(DetectionTest, ExternalUpdateFitsLayoutAAndShortensLayoutF) {
    BwsFixture fixture(DK0_BWS);  // ReceivedData layout A
    fixture.AddColumn("ReceivedData", jetwriter::MakeColumn("ExternalUpdate", ColumnType::kYesNo));
    WriteAndUse(fixture, folder_.Path("external-update.bws"));
    testing::internal::CaptureStdout();
    Detection dk0 = Detect(DK0_BWS);
    Detection sw2 = Detect(SW2_BWS);  // ReceivedData layout F
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(ScoreDetection(dk0.ran, dk0.counters), 0u);

    BwsFixture plain(DK0_BWS);
    WriteAndUse(plain, folder_.Path("plain.bws"));
    testing::internal::CaptureStdout();
    Detection sw2Plain = Detect(SW2_BWS);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(sw2Plain.counters[2] - sw2.counters[2], 1u);  // 24 - 22 instead of 24 - 21
}

TEST_F(DetectionTest, UndeclaredColumnCostsEveryFormatOne) {
    BwsFixture fixture(DK0_BWS);
    fixture.AddColumn("ReceivedData", jetwriter::MakeTextColumn("Notes", 50));
    WriteAndUse(fixture, folder_.Path("notes.bws"));
    testing::internal::CaptureStdout();
    Detection dk0 = Detect(DK0_BWS);
    Detection us0 = Detect(US0_BWS);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(dk0.counters[1], 1u);
    EXPECT_GE(us0.counters[1], 1u);
}

TEST_F(DetectionTest, Us4AcceptsFourPlayerNumberColumnsWhateverTheirNames) {
    BwsFixture fixture(US4_BWS);
    fixture.DropColumn("PlayerNumbers", "Name");
    fixture.AddColumn("PlayerNumbers", jetwriter::MakeColumn("Anything", ColumnType::kDouble));
    fixture.DropColumn("PlayerNumbers", "Number");
    WriteAndUse(fixture, folder_.Path("us4-four.bws"));
    Detection four = Detect(US4_BWS);
    EXPECT_EQ(ScoreDetection(four.ran, four.counters), 0u);

    BwsFixture three(US4_BWS);
    three.DropColumn("PlayerNumbers", "Name");
    three.DropColumn("PlayerNumbers", "Number");
    WriteAndUse(three, folder_.Path("us4-three.bws"));
    Detection shortened = Detect(US4_BWS);
    EXPECT_EQ(shortened.counters[2], 2u);
    EXPECT_EQ(shortened.counters[1], 0u);
}

TEST_F(DetectionTest, TableNamesInCapitalsAreFound) {
    BwsFixture fixture(US0_BWS);
    fixture.RenameTable("Section", "SECTION");
    fixture.RenameTable("RoundData", "ROUNDDATA");
    WriteAndUse(fixture, folder_.Path("capitals.bws"));
    Detection detection = Detect(US0_BWS);
    EXPECT_TRUE(detection.ran) << std::string(detection.errorText);
    EXPECT_EQ(ScoreDetection(detection.ran, detection.counters), 0u);
}

TEST_F(DetectionTest, LongWhereIntegerIsDeclaredPassesButByteDoesNot) {
    BwsFixture asLong(US0_BWS);
    asLong.Retype("RoundData", "Section", ColumnType::kLongInteger);
    WriteAndUse(asLong, folder_.Path("long.bws"));
    Detection widened = Detect(US0_BWS);
    EXPECT_EQ(ScoreDetection(widened.ran, widened.counters), 0u);

    BwsFixture asByte(US0_BWS);
    asByte.Retype("RoundData", "Section", ColumnType::kByte);
    WriteAndUse(asByte, folder_.Path("byte.bws"));
    Detection narrowed = Detect(US0_BWS);
    EXPECT_EQ(narrowed.counters[1], 1u);
}

}  // namespace

namespace {

// A record of any table name, for probing the catalog directly.
class NamedRecord : public BWSbase {
  public:
    explicit NamedRecord(const char* table) { SetTable(table); }
};

TEST_F(DetectionTest, ProbeAnswersFoundMissingOrFails) {
    BwsFixture fixture(US0_BWS);
    fixture.RenameTable("Settings", "SETTINGS");
    fixture.AddColumn("RoundX", jetwriter::MakeColumn("X", ColumnType::kInteger));
    WriteAndUse(fixture, folder_.Path("probe.bws"));

    bool found = false;
    NamedRecord settings("Settings");
    EXPECT_TRUE(ProbeTable(settings, &found));
    EXPECT_TRUE(found);

    NamedRecord absent("IntermediateDat");
    found = true;
    EXPECT_TRUE(ProbeTable(absent, &found));
    EXPECT_FALSE(found);

    // A name that the catalog reads as a pattern: two tables match, or the
    // one that matches has another name.
    testing::internal::CaptureStdout();
    NamedRecord twoMatches("Round%");
    EXPECT_FALSE(ProbeTable(twoMatches, &found));
    NamedRecord otherName("Round_");
    EXPECT_FALSE(ProbeTable(otherName, &found));
    testing::internal::GetCapturedStdout();
}

}  // namespace
