// Runs the built controller as a club scoring program would, in an empty
// directory, and checks what it writes and how it ends.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/support/controller_run.h"

namespace {

const std::string kBanner = "Vellamo controller Release Version 1.1 starting ...\n";
const std::string kWorking =
    "Controller working. Please ignore if ACBLscore reports, that the remote server could not "
    "be loaded.\n";
const std::string kNoFormat = "Failed to match bws to a known format";

// True when text is made only of driver diagnostics: three lines each, the
// state, the native code and the message.
bool OnlyDiagnostics(const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
        for (const char* start : {"[INFO] State:", "\tCode:", "\tMsg:"}) {
            if (text.compare(at, std::strlen(start), start) != 0) return false;
            const size_t end = text.find('\n', at);
            if (end == std::string::npos) return false;
            at = end + 1;
        }
    }
    return true;
}

// Checks that output is prefix, then nothing but driver diagnostics, then suffix.
void ExpectFramedDiagnostics(const std::string& output, const std::string& prefix,
                             const std::string& suffix) {
    ASSERT_GE(output.size(), prefix.size() + suffix.size()) << output;
    EXPECT_EQ(output.substr(0, prefix.size()), prefix);
    EXPECT_EQ(output.substr(output.size() - suffix.size()), suffix);
    const std::string middle =
        output.substr(prefix.size(), output.size() - prefix.size() - suffix.size());
    EXPECT_TRUE(OnlyDiagnostics(middle)) << middle;
}

using RunResult = ControllerOutcome;

// Content and modification time of every file in a directory but the run log.
std::map<std::string, std::string> FileStates(const std::string& directory) {
    std::map<std::string, std::string> states;
    DIR* listing = opendir(directory.c_str());
    if (listing == nullptr) return states;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        const std::string path = directory + "/" + name;
        struct stat status;
        if (name == "VLM_Log.txt" || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        std::ifstream in(path, std::ios::binary);
        states[name] = std::string(std::istreambuf_iterator<char>(in), {}) + "@" +
                       std::to_string(status.st_mtim.tv_sec) + "." +
                       std::to_string(status.st_mtim.tv_nsec);
    }
    closedir(listing);
    return states;
}

class ControllerRun : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/vellamo-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + directory_ + "'").c_str()); }

    // Runs the controller in the test's directory with the given arguments.
    // Checks that no file there but the run log changed.
    RunResult Run(const std::vector<std::string>& arguments) {
        const auto before = FileStates(directory_);
        RunResult result =
            RunController(directory_, [&](const std::string& program, const std::string& folder) {
                std::vector<std::string> copies;
                for (const std::string& argument : arguments)
                    copies.push_back(ReplaceAll(argument, directory_, folder));
                return Execute(program, folder, copies);
            });
        EXPECT_EQ(FileStates(directory_), before) << "a file of the run's directory changed";
        return result;
    }

    // Runs program in folder with the given arguments.
    static RunResult Execute(std::string program, const std::string& folder,
                             std::vector<std::string> arguments) {
        const auto start = std::chrono::steady_clock::now();
        int pipeEnds[2];
        EXPECT_EQ(pipe(pipeEnds), 0);
        pid_t child = fork();
        if (child == 0) {
            dup2(pipeEnds[1], 1);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
            if (chdir(folder.c_str()) != 0) _exit(127);
            std::vector<char*> argv;
            argv.push_back(program.data());
            for (std::string& argument : arguments) argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(pipeEnds[1]);
        RunResult result;
        char buffer[4096];
        ssize_t got;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
            result.output.append(buffer, got);
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return result;
    }

    std::string Path(const std::string& name) const { return directory_ + "/" + name; }
    std::string Log() const {
        std::ifstream in(Path("VLM_Log.txt"), std::ios::binary);
        return WithLinuxLineEnds(
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    void MakeFile(const std::string& name, const std::string& bytes = "not a database\n") {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    static std::string Argument(const std::string& path) { return "\\f:[" + path + "]"; }

    std::string directory_;
};

TEST_F(ControllerRun, NoArgumentAsksForTheFileNameAndExitsWithOne) {
    RunResult run = Run({});
    EXPECT_EQ(run.output, kBanner + "First argument must be the BWS file name.\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Log(), run.output);
    // The message stays on screen for three seconds before the exit.
    EXPECT_GE(run.seconds, 2.9);
}

TEST_F(ControllerRun, EightCharacterArgumentIsRefused) {
    const std::string argument = "\\f:[abc]";
    ASSERT_EQ(argument.size(), 8u);
    MakeFile("abc");
    RunResult run = Run({argument});
    EXPECT_EQ(run.output, kBanner + "Using " + argument + "\n" +
                              "Invalid File Name. Must start with '\\f:[' \n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Log(), run.output);
    EXPECT_GE(run.seconds, 2.9);
}

TEST_F(ControllerRun, NineCharacterArgumentGivesAFourCharacterPath) {
    const std::string argument = "\\f:[abcd]";
    MakeFile("abcd");
    RunResult run = Run({argument, "ignored second argument"});
    ExpectFramedDiagnostics(run.output, kBanner + "Using " + argument + "\n" + kWorking, kNoFormat);
    EXPECT_EQ(run.status, 0);
    // Driver diagnostics go to standard output only.
    EXPECT_EQ(Log(), kBanner + "Using " + argument + "\n" + kWorking + kNoFormat);
}

TEST_F(ControllerRun, MissingFileEndsWithoutALineEnd) {
    const std::string argument = Argument(Path("absent.bws"));
    RunResult run = Run({argument});
    EXPECT_EQ(run.output, kBanner + "Using " + argument + "\n" + "File does not exist");
    EXPECT_EQ(run.status, 0);
}

TEST_F(ControllerRun, DirectoryIsNotAnOpenableFile) {
    ASSERT_EQ(mkdir(Path("club.bws").c_str(), 0755), 0);
    RunResult run = Run({Argument(Path("club.bws"))});
    EXPECT_EQ(run.output.substr(run.output.size() - 19), "File does not exist");
    EXPECT_EQ(run.status, 0);
}

TEST_F(ControllerRun, ExistingFileReachesTheChoiceOfFormat) {
    MakeFile("club.bws");
    const std::string argument = Argument(Path("club.bws"));
    RunResult run = Run({argument});
    ExpectFramedDiagnostics(run.output, kBanner + "Using " + argument + "\n" + kWorking, kNoFormat);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Log(), kBanner + "Using " + argument + "\n" + kWorking + kNoFormat);
}

TEST_F(ControllerRun, PrefixAndClosingCharacterAreDroppedWhateverTheyAre) {
    MakeFile("club.bws");
    // A bare path loses its first four and its last character.
    RunResult bare = Run({Path("club.bws")});
    EXPECT_NE(bare.output.find("File does not exist"), std::string::npos);
    // Any four characters and any last character frame the path.
    RunResult framed = Run({"XXXX" + Path("club.bws") + "X"});
    EXPECT_NE(framed.output.find(kWorking), std::string::npos);
}

TEST_F(ControllerRun, UnwritableLogChangesNothingOnStandardOutput) {
    ASSERT_EQ(mkdir(Path("VLM_Log.txt").c_str(), 0755), 0);
    MakeFile("club.bws");
    const std::string argument = Argument(Path("club.bws"));
    RunResult run = Run({argument});
    ExpectFramedDiagnostics(run.output, kBanner + "Using " + argument + "\n" + kWorking, kNoFormat);
    EXPECT_EQ(run.status, 0);
}

TEST_F(ControllerRun, LogGrowsAcrossRunsAndMessagesRunOn) {
    MakeFile("club.bws");
    const std::string argument = Argument(Path("club.bws"));
    Run({argument});
    Run({argument});
    const std::string oneRun = kBanner + "Using " + argument + "\n" + kWorking + kNoFormat;
    EXPECT_EQ(Log(), oneRun + oneRun);
}

TEST_F(ControllerRun, LongestArgumentIsAcceptedAndOneMoreIsRefused) {
    // 2047 characters fit the argument buffer with its terminator.
    std::string longest = "\\f:[" + std::string(2042, 'a') + "]";
    ASSERT_EQ(longest.size(), 2047u);
    RunResult accepted = Run({longest});
    EXPECT_EQ(accepted.output, kBanner + "Using " + longest + "\n" + "File does not exist");
    EXPECT_EQ(accepted.status, 0);

    std::string tooLong = longest + "b";
    RunResult refused = Run({tooLong});
    EXPECT_EQ(refused.output, kBanner + "Using " + tooLong + "\n" +
                                  "Invalid File Name. Must be shorter than 2048 characters \n");
    EXPECT_EQ(refused.status, 1);
}

TEST_F(ControllerRun, TheBwsFileIsNeverWritten) {
    MakeFile("club.bws", "Standard Jet DB");
    struct stat before;
    ASSERT_EQ(stat(Path("club.bws").c_str(), &before), 0);
    Run({Argument(Path("club.bws"))});
    struct stat after;
    ASSERT_EQ(stat(Path("club.bws").c_str(), &after), 0);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

}  // namespace
