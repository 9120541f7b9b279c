// Whole runs of the controller: median wall time and peak memory on the
// bundled sample and on a large event (30 sections of 15 tables, 27 boards,
// every result), beside the time mdb-export takes to dump every table of the
// same files, which is the cost of reading them at all.
// Run: build/bench/whole_run_bench [runs]   (ODBCSYSINI must reach the driver)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/bws_fixture.h"

extern char** environ;

namespace {

struct Timing {
    double medianMs = 0;
    long peakKb = 0;
};

// Runs argv with standard output and error sent to /dev/null; returns the
// wall time in milliseconds and the child's peak resident size.
double RunOnce(const std::vector<std::string>& argv, const std::string& directory, long* peakKb) {
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
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (chdir(previous.c_str()) != 0) return -1;
    posix_spawn_file_actions_destroy(&actions);
    *peakKb = std::max(*peakKb, usage.ru_maxrss);
    return std::chrono::duration<double, std::milli>(end - start).count();
}

Timing Measure(const std::vector<std::vector<std::string>>& commands, const std::string& directory,
               int runs) {
    std::vector<double> times;
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        double total = 0;
        for (const auto& command : commands) total += RunOnce(command, directory, &timing.peakKb);
        times.push_back(total);
    }
    std::sort(times.begin(), times.end());
    timing.medianMs = times[times.size() / 2];
    return timing;
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
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    char folderName[] = "/tmp/vellamo-bench-XXXXXX";
    if (mkdtemp(folderName) == nullptr) return 1;
    const std::string folder = folderName;

    // The sample is made by bwsmake from its description, as the README does.
    const std::string samplePath = folder + "/sample.bws";
    const std::string sample = std::string(VELLAMO_SOURCE_DIR) + "/examples/club-evening.jdesc";
    long ignored = 0;
    RunOnce({BWSMAKE_EXECUTABLE, "--force", sample, samplePath}, folder, &ignored);
    BwsFixture sampleTables;  // only its table names, for mdb-export
    for (const char* table : {"Session", "RoundData", "Section", "PlayerNumbers", "PlayerNames",
                              "ReceivedData", "HandRecord", "IntermediateData", "BiddingData",
                              "PlayData", "Clients", "Settings", "Tables"}) {
        sampleTables.Table(table);
    }
    const BwsFixture large = LargeEvent();
    const std::string largePath = folder + "/large.bws";
    if (!large.Write(largePath).empty()) return 1;

    struct File {
        const char* label;
        std::string path;
        const BwsFixture* tables;
    };
    const File files[] = {{"sample (club-evening)", samplePath, &sampleTables},
                          {"large event (30 x 15 tables, 27 boards)", largePath, &large}};

    std::printf("%-44s %12s %12s %16s\n", "file", "run median", "run peak", "mdb-export all");
    for (const File& file : files) {
        const std::string argument = "\\f:[" + file.path + "]";
        if (!WritesAReport(argument, folder)) {
            std::fprintf(stderr,
                         "%s: the run wrote no report (is ODBCSYSINI an absolute path to "
                         "the build's odbc folder?)\n",
                         file.label);
            return 1;
        }
        Timing run = Measure({{VELLAMO_EXECUTABLE, argument}}, folder, runs);
        Timing dump = Measure(ExportEveryTable(*file.tables, file.path), folder, runs);
        std::printf("%-44s %9.1f ms %9ld KB %13.1f ms\n", file.label, run.medianMs, run.peakKb,
                    dump.medianMs);
    }
    std::system(("rm -rf '" + folder + "'").c_str());
    return 0;
}
