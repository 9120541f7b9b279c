// Whole runs of the controller: median wall time, peak memory and the
// instructions one run executes (counted by callgrind, when valgrind is
// installed) on the bundled sample, on a club evening of real size (two
// sections, every result with its bidding and play) and on a large event (30
// sections of 15 tables, 27 boards, every result), beside the time
// mdb-export takes to dump every table of the same files, which is the cost
// of reading them at all.
// Run: build/bench/whole_run_bench [runs]   (ODBCSYSINI must reach the driver)
//      build/bench/whole_run_bench --files DIR   writes the files and stops
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/bws_fixture.h"

extern char** environ;

namespace {

// Runs argv with standard output and error sent to /dev/null; returns the
// wall time in milliseconds.
double RunOnce(const std::vector<std::string>& argv, const std::string& directory) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string previous = getcwd(nullptr, 0);
    if (chdir(directory.c_str()) != 0) return -1;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (chdir(previous.c_str()) != 0) return -1;
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The median over runs of the time all of commands take, one after another.
double MedianMs(const std::vector<std::vector<std::string>>& commands, const std::string& directory,
                int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        double total = 0;
        for (const auto& command : commands) total += RunOnce(command, directory);
        times.push_back(total);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::vector<std::vector<std::string>> ExportEveryTable(const BwsFixture& fixture,
                                                       const std::string& path) {
    std::vector<std::vector<std::string>> commands;
    for (const auto& table : fixture.database.tables) {
        commands.push_back({"mdb-export", path, table.name});
    }
    return commands;
}

// True when a run on argument ends with a report, so that the timings are of
// whole runs and not of early failures.
bool WritesAReport(const std::string& argument, const std::string& directory) {
    const std::string command =
        "cd '" + directory + "' && '" VELLAMO_EXECUTABLE "' '" + argument + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    std::string output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    return pclose(pipe) == 0 && output.find("\"DBformat\"") != std::string::npos;
}

// Runs argv (from this small process, not the bench with its fixtures in
// memory, whose size a child started from it would inherit in its peak) and
// prints the child's peak resident size in KB.
int ReportPeak(char** argv) {
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv, environ) != 0) return 1;
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

// The peak resident size of one run of argv, in KB, as ReportPeak measures
// it in a fresh copy of this program; 0 when that fails.
long PeakKb(const std::string& self, const std::vector<std::string>& argv,
            const std::string& directory) {
    std::string command = "cd '" + directory + "' && '" + self + "' --peak";
    for (const std::string& arg : argv) command += " '" + arg + "'";
    command += " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return 0;
    char line[64] = {0};
    long peak = 0;
    while (std::fgets(line, sizeof line, pipe) != nullptr) peak = std::atol(line);
    pclose(pipe);
    return peak;
}

// The instructions one run of argv executes, as callgrind counts them; 0
// when valgrind is missing or says nothing.
long long CountInstructions(const std::vector<std::string>& argv, const std::string& directory) {
    std::string command =
        "cd '" + directory + "' && valgrind --tool=callgrind --callgrind-out-file=/dev/null";
    for (const std::string& arg : argv) command += " '" + arg + "'";
    command += " 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return 0;
    long long instructions = 0;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const char* collected = std::strstr(line, "Collected : ");
        if (collected != nullptr) instructions = std::atoll(collected + 12);
    }
    pclose(pipe);
    return instructions;
}

// A club evening as a scoring program leaves it after play: two Mitchell
// sections of 13 tables, 9 rounds of 3 boards, and for every result its
// bidding (8 calls) and play (52 cards), the players' numbers and the hands.
BwsFixture ClubEvening() {
    using jetwriter::Value;
    BwsFixture fixture(DK0_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text("Club evening")}});
    const char* const calls[] = {"1S", "PASS", "2S", "PASS", "4S", "PASS", "PASS", "PASS"};
    const char* const directions[] = {"N", "E", "S", "W"};
    const char* const suits = "SHDC";
    const char* const ranks = "AKQJT98765432";
    int resultId = 0, bidId = 0, cardId = 0;
    for (int section = 1; section <= 2; ++section) {
        fixture.AddRow("Section", {{"ID", Value::Integer(section)},
                                   {"Letter", Value::Text(section == 1 ? "A" : "B")},
                                   {"Tables", Value::Integer(13)},
                                   {"ScoringType", Value::Integer(1)}});
        for (int board = 1; board <= 27; ++board) {
            std::map<std::string, Value> hand{{"Section", Value::Integer(section)},
                                              {"Board", Value::Integer(board)}};
            for (const char* seat : {"North", "East", "South", "West"}) {
                for (const char* suit : {"Spades", "Hearts", "Diamonds", "Clubs"}) {
                    hand[std::string(seat) + suit] = Value::Text("AQ84");
                }
            }
            fixture.AddRow("HandRecord", hand);
        }
        for (int table = 1; table <= 13; ++table) {
            for (const char* direction : directions) {
                fixture.AddRow("PlayerNumbers",
                               {{"Section", Value::Integer(section)},
                                {"Table", Value::Integer(table)},
                                {"Direction", Value::Text(direction)},
                                {"Number", Value::Text(std::to_string(1000 + table))},
                                {"Name", Value::Text("Player " + std::to_string(table))}});
            }
        }
        for (int round = 1; round <= 9; ++round) {
            for (int table = 1; table <= 13; ++table) {
                const int ew = (table - 1 + round - 1) % 13 + 1;
                fixture.AddRow("RoundData", {{"Section", Value::Integer(section)},
                                             {"Table", Value::Integer(table)},
                                             {"Round", Value::Integer(round)},
                                             {"NSPair", Value::Integer(table)},
                                             {"EWPair", Value::Integer(ew)},
                                             {"LowBoard", Value::Integer(3 * round - 2)},
                                             {"HighBoard", Value::Integer(3 * round)}});
                for (int board = 3 * round - 2; board <= 3 * round; ++board) {
                    const std::map<std::string, Value> where{{"Section", Value::Integer(section)},
                                                             {"Table", Value::Integer(table)},
                                                             {"Round", Value::Integer(round)},
                                                             {"Board", Value::Integer(board)}};
                    auto row = where;
                    row["ID"] = Value::Integer(++resultId);
                    row["PairNS"] = Value::Integer(table);
                    row["PairEW"] = Value::Integer(ew);
                    row["Contract"] = Value::Text("4 S");
                    row["Result"] = Value::Text("=");
                    fixture.AddRow("ReceivedData", row);
                    for (int call = 0; call < 8; ++call) {
                        row = where;
                        row["ID"] = Value::Integer(++bidId);
                        row["Counter"] = Value::Integer(call + 1);
                        row["Direction"] = Value::Text(directions[call % 4]);
                        row["Bid"] = Value::Text(calls[call]);
                        fixture.AddRow("BiddingData", row);
                    }
                    for (int card = 0; card < 52; ++card) {
                        row = where;
                        row["ID"] = Value::Integer(++cardId);
                        row["Counter"] = Value::Integer(card + 1);
                        row["Direction"] = Value::Text(directions[card % 4]);
                        row["Card"] =
                            Value::Text(std::string(1, suits[card / 13]) + ranks[card % 13]);
                        fixture.AddRow("PlayData", row);
                    }
                }
            }
        }
    }
    return fixture;
}

BwsFixture LargeEvent() {
    using jetwriter::Value;
    BwsFixture fixture(DK0_BWS);
    fixture.AddRow("Session", {{"Name", Value::Text("Regional Pairs")}});
    int resultId = 0;
    for (int section = 1; section <= 30; ++section) {
        fixture.AddRow("Section",
                       {{"ID", Value::Integer(section)},
                        {"Letter", Value::Text(std::string(1, 'A' + (section - 1) % 26))},
                        {"Tables", Value::Integer(15)},
                        {"ScoringType", Value::Integer(1)}});
        for (int round = 1; round <= 9; ++round) {
            for (int table = 1; table <= 15; ++table) {
                const int ew = 15 + (table - 1 + round - 1) % 15 + 1;
                fixture.AddRow("RoundData", {{"Section", Value::Integer(section)},
                                             {"Table", Value::Integer(table)},
                                             {"Round", Value::Integer(round)},
                                             {"NSPair", Value::Integer(table)},
                                             {"EWPair", Value::Integer(ew)},
                                             {"LowBoard", Value::Integer(3 * round - 2)},
                                             {"HighBoard", Value::Integer(3 * round)}});
                for (int board = 3 * round - 2; board <= 3 * round; ++board) {
                    fixture.AddRow("ReceivedData", {{"ID", Value::Integer(++resultId)},
                                                    {"Section", Value::Integer(section)},
                                                    {"Table", Value::Integer(table)},
                                                    {"Round", Value::Integer(round)},
                                                    {"Board", Value::Integer(board)},
                                                    {"PairNS", Value::Integer(table)},
                                                    {"PairEW", Value::Integer(ew)},
                                                    {"Contract", Value::Text("4 S")},
                                                    {"Result", Value::Text("=")}});
                }
            }
        }
    }
    return fixture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--peak") return ReportPeak(argv + 2);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    // --files DIR: only write the three files into DIR (to profile a run).
    const bool onlyFiles = argc > 2 && std::string(argv[1]) == "--files";
    const int runs = argc > 1 && !onlyFiles ? std::max(1, std::atoi(argv[1])) : 9;
    char folderName[] = "/tmp/vellamo-bench-XXXXXX";
    if (!onlyFiles && mkdtemp(folderName) == nullptr) return 1;
    const std::string folder = onlyFiles ? std::string(argv[2]) : std::string(folderName);

    // The sample is made by bwsmake from its description, as the README does.
    const std::string samplePath = folder + "/sample.bws";
    const std::string sample = std::string(VELLAMO_SOURCE_DIR) + "/examples/club-evening.jdesc";
    RunOnce({BWSMAKE_EXECUTABLE, "--force", sample, samplePath}, folder);
    BwsFixture sampleTables;  // only its table names, for mdb-export
    for (const char* table : {"Session", "RoundData", "Section", "PlayerNumbers", "PlayerNames",
                              "ReceivedData", "HandRecord", "IntermediateData", "BiddingData",
                              "PlayData", "Clients", "Settings", "Tables"}) {
        sampleTables.Table(table);
    }
    const BwsFixture club = ClubEvening();
    const std::string clubPath = folder + "/club.bws";
    if (!club.Write(clubPath).empty()) return 1;
    const BwsFixture large = LargeEvent();
    const std::string largePath = folder + "/large.bws";
    if (!large.Write(largePath).empty()) return 1;
    if (onlyFiles) return 0;

    struct File {
        const char* label;
        std::string path;
        const BwsFixture* tables;
    };
    const File files[] = {{"sample (club-evening)", samplePath, &sampleTables},
                          {"club evening (2 x 13 tables, bids, play)", clubPath, &club},
                          {"large event (30 x 15 tables, 27 boards)", largePath, &large}};

    std::printf("%-42s %8s %11s %10s %14s %14s %8s\n", "file", "KB", "run median", "run peak",
                "instructions", "mdb-export all", "ratio");
    for (const File& file : files) {
        const std::string argument = "\\f:[" + file.path + "]";
        if (!WritesAReport(argument, folder)) {
            std::fprintf(stderr,
                         "%s: the run wrote no report (is ODBCSYSINI an absolute path to "
                         "the build's odbc folder?)\n",
                         file.label);
            return 1;
        }
        const double runMs = MedianMs({{VELLAMO_EXECUTABLE, argument}}, folder, runs);
        const double dumpMs = MedianMs(ExportEveryTable(*file.tables, file.path), folder, runs);
        const long peakKb = PeakKb(self, {VELLAMO_EXECUTABLE, argument}, folder);
        const long long instructions = CountInstructions({VELLAMO_EXECUTABLE, argument}, folder);
        const auto kb = static_cast<long>(std::filesystem::file_size(file.path) / 1024);
        std::printf("%-42s %8ld %8.2f ms %7ld KB %14lld %11.1f ms %8.3f\n", file.label, kb, runMs,
                    peakKb, instructions, dumpMs, runMs / dumpMs);
    }
    std::system(("rm -rf '" + folder + "'").c_str());
    return 0;
}
