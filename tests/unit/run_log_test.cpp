#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "db/process_names.h"
#include "run/file_helpers.h"
#include "run/run_log.h"

namespace {

// Runs each test in an empty directory of its own.
class InTemporaryDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/vellamo-unit-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        char previous[4096];
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        previous_ = previous;
        ASSERT_EQ(chdir(directory_.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous_.c_str()), 0);
        std::system(("rm -rf '" + directory_ + "'").c_str());
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static bool Exists(const std::string& path) {
        struct stat info;
        return stat(path.c_str(), &info) == 0;
    }

    std::string directory_;
    std::string previous_;
};

using RunLogTest = InTemporaryDirectory;

TEST_F(RunLogTest, MessagesGoToStandardOutputAndAppendToTheLog) {
    testing::internal::CaptureStdout();
    WriteLog("first line\n");
    WriteLog("no line end");
    WriteLog(" runs on\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "first line\nno line end runs on\n");
    EXPECT_EQ(ReadFile("VLM_Log.txt"), "first line\nno line end runs on\n");

    WriteLog("again\n");  // the log is never cut
    EXPECT_EQ(ReadFile("VLM_Log.txt"), "first line\nno line end runs on\nagain\n");
}

TEST_F(RunLogTest, MessagesWithZeroBytesAreWrittenWhole) {
    testing::internal::CaptureStdout();
    WriteLog(std::string("a\0b\n", 4));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("a\0b\n", 4));
    EXPECT_EQ(ReadFile("VLM_Log.txt"), std::string("a\0b\n", 4));
}

TEST_F(RunLogTest, UnopenableLogStillReachesStandardOutput) {
    ASSERT_EQ(mkdir("VLM_Log.txt", 0755), 0);  // a directory cannot be opened for appending
    testing::internal::CaptureStdout();
    WriteLog("still shown\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "still shown\n");
}

TEST_F(RunLogTest, ExitWithLogWritesThenExitsWithStatusZero) {
    EXPECT_EXIT(ExitWithLog("bye"), testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile("VLM_Log.txt"), "bye");
}

TEST(ProcessNamesTest, FileNameIsStoredAsGiven) {
    setFileName("C:\\data\\club.bws");
    EXPECT_EQ(getFileName(), "C:\\data\\club.bws");
    setFileName("");
    EXPECT_EQ(getFileName(), "");
}

TEST(ProcessNamesTest, MutexNameIsMdbUntilReplaced) {
    EXPECT_STREQ(getMutexName(), "MDB");
    setMutexName("Other");
    EXPECT_STREQ(getMutexName(), "Other");
    setMutexName("MDB");
}

using FileHelpersTest = InTemporaryDirectory;

TEST_F(FileHelpersTest, FileExistIsTrueOnlyForOpenableFiles) {
    WriteFile("present.txt", "x");
    EXPECT_TRUE(FileExist("present.txt"));
    EXPECT_FALSE(FileExist("missing.txt"));
    ASSERT_EQ(mkdir("folder", 0755), 0);
    EXPECT_FALSE(FileExist("folder"));
    EXPECT_FALSE(FileExist(""));
    EXPECT_FALSE(FileExist(nullptr));
}

TEST_F(FileHelpersTest, FileAtTheLimitIsLeftAlone) {
    WriteFile("log.txt", "0123456789");
    EXPECT_EQ(LimitFileSize("log.txt", 10, 4), 1);
    EXPECT_EQ(ReadFile("log.txt"), "0123456789");
}

TEST_F(FileHelpersTest, FileOneByteOverKeepsExactlyItsTail) {
    WriteFile("log.txt", "line one\nline two\n");
    EXPECT_EQ(LimitFileSize("log.txt", 17, 6), 1);
    EXPECT_EQ(ReadFile("log.txt"), "e two\n");
}

TEST_F(FileHelpersTest, LargeFileIsCutToItsTail) {
    std::string content;
    for (int i = 0; i < 200000; ++i) content += static_cast<char>('a' + i % 26);
    WriteFile("big.txt", content);
    EXPECT_EQ(LimitFileSize("big.txt", 100000, 70001), 1);
    EXPECT_EQ(ReadFile("big.txt"), content.substr(content.size() - 70001));
}

TEST_F(FileHelpersTest, KeepingNothingEmptiesTheFile) {
    WriteFile("log.txt", "abc");
    EXPECT_EQ(LimitFileSize("log.txt", 2, 0), 1);
    EXPECT_TRUE(Exists("log.txt"));
    EXPECT_EQ(ReadFile("log.txt"), "");
}

TEST_F(FileHelpersTest, KeepSizeBeyondTheFileKeepsItWhole) {
    WriteFile("log.txt", "abcdef");
    EXPECT_EQ(LimitFileSize("log.txt", 2, 50), 1);
    EXPECT_EQ(ReadFile("log.txt"), "abcdef");
}

TEST_F(FileHelpersTest, MissingFileGivesZeroAndCreatesNothing) {
    EXPECT_EQ(LimitFileSize("missing.txt", 0, 0), 0);
    EXPECT_FALSE(Exists("missing.txt"));
}

TEST_F(FileHelpersTest, DirectoryGivesZero) {
    ASSERT_EQ(mkdir("folder", 0755), 0);
    EXPECT_EQ(LimitFileSize("folder", 0, 0), 0);
}

}  // namespace
