// Whole runs of the controller: median wall time, peak memory and the
// instructions one run executes (counted by callgrind, when valgrind is
// installed) on the bundled sample, on a club evening of real size (two
// sections, every result with its bidding and play), on a large event (30
// sections of 15 tables, 27 boards, every result), on 32,768 sections of one
// table and one board each and on 65,536 sections of one row (many
// summaries from a small file) and on a sparse 1 GiB file that is not a
// database, beside the file's size, the memory bound README.md states, and the
// time mdb-export takes to dump every table of the same files, which is the
// cost of reading them at all.
// Run: build/bench/whole_run_bench --help   tells how.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

namespace {

struct Timing {
    double medianMs = 0;
    long peakKb = 0;
};

// Runs the measured commands from a process forked while the bench was still
// small: a child starts with the peak resident size of the process it was
// forked from, so commands started from the bench itself, once it holds its
// fixtures, would all report at least the bench's own size.
class Launcher {
  public:
    Launcher() {
        int toLauncher[2];
        int fromLauncher[2];
        if (pipe(toLauncher) != 0 || pipe(fromLauncher) != 0) std::exit(1);
        child_ = fork();
        if (child_ < 0) std::exit(1);
        if (child_ == 0) {
            close(toLauncher[1]);
            close(fromLauncher[0]);
            Serve(toLauncher[0], fromLauncher[1]);
            _exit(0);
        }
        close(toLauncher[0]);
        close(fromLauncher[1]);
        requests_ = toLauncher[1];
        answers_ = fromLauncher[0];
    }
    ~Launcher() {
        close(requests_);
        close(answers_);
        waitpid(child_, nullptr, 0);
    }
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Runs argv in directory with standard output and error sent to
    // /dev/null; returns the wall time in milliseconds (-1 when it could not
    // be run) and raises *peakKb to the command's peak resident size.
    double Run(const std::vector<std::string>& argv, const std::string& directory, long* peakKb) {
        std::vector<std::string> request = argv;
        request.insert(request.begin(), directory);
        WriteAll(requests_, static_cast<uint32_t>(request.size()));
        for (const std::string& text : request) {
            WriteAll(requests_, static_cast<uint32_t>(text.size()));
            if (write(requests_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
                return -1;
            }
        }
        Answer answer{};
        if (read(answers_, &answer, sizeof answer) != static_cast<ssize_t>(sizeof answer))
            return -1;
        *peakKb = std::max(*peakKb, answer.peakKb);
        return answer.ms;
    }

  private:
    struct Answer {
        double ms;
        long peakKb;
    };

    static void WriteAll(int fd, uint32_t value) {
        if (write(fd, &value, sizeof value) != static_cast<ssize_t>(sizeof value)) std::exit(1);
    }
    static bool ReadString(int fd, std::string* text) {
        uint32_t size = 0;
        if (read(fd, &size, sizeof size) != static_cast<ssize_t>(sizeof size)) return false;
        text->resize(size);
        size_t done = 0;
        while (done < size) {
            const ssize_t got = read(fd, text->data() + done, size - done);
            if (got <= 0) return false;
            done += static_cast<size_t>(got);
        }
        return true;
    }

    static void Serve(int requests, int answers) {
        for (;;) {
            uint32_t count = 0;
            if (read(requests, &count, sizeof count) != static_cast<ssize_t>(sizeof count)) return;
            std::vector<std::string> request(count);
            for (std::string& text : request) {
                if (!ReadString(requests, &text)) return;
            }
            Answer answer{-1, 0};
            const auto start = std::chrono::steady_clock::now();
            const pid_t command = fork();
            if (command == 0) {
                const int null = open("/dev/null", O_WRONLY);
                if (null < 0 || chdir(request[0].c_str()) != 0) _exit(127);
                dup2(null, 1);
                dup2(null, 2);
                std::vector<char*> args;
                for (size_t i = 1; i < request.size(); ++i) args.push_back(request[i].data());
                args.push_back(nullptr);
                execvp(args[0], args.data());
                _exit(127);
            }
            int status = 0;
            struct rusage usage {};
            if (command > 0 && wait4(command, &status, 0, &usage) == command) {
                answer.ms = std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - start)
                                .count();
                answer.peakKb = usage.ru_maxrss;
            }
            if (write(answers, &answer, sizeof answer) != static_cast<ssize_t>(sizeof answer)) {
                return;
            }
        }
    }

    pid_t child_ = -1;
    int requests_ = -1;
    int answers_ = -1;
};

Launcher* launcher = nullptr;

double RunOnce(const std::vector<std::string>& argv, const std::string& directory, long* peakKb) {
    return launcher->Run(argv, directory, peakKb);
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
                AddRound(fixture, section, table, round, table, ew, 3 * round - 2, 3 * round);
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
                AddRound(fixture, section, table, round, table, ew, 3 * round - 2, 3 * round);
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

// 32,768 sections (every number from 0 to 32767), each one table playing
// one board in one round: many summaries from a small file.
BwsFixture ManySections() {
    BwsFixture fixture(DK0_BWS);
    for (int section = 0; section <= 32767; ++section) {
        AddRound(fixture, section, 1, 1, 1, 2, 1, 1);
        AddSection(fixture, section, "A", 1);
    }
    return fixture;
}

// 65,536 sections (every Integer section number) of one RoundData row each
// and no Section rows: the most summaries for the least file.
BwsFixture SectionsOfOneRowEach() {
    BwsFixture fixture(DK0_BWS);
    for (int section = -32768; section <= 32767; ++section) {
        AddRound(fixture, section, 1, 1, 1, 2, 1, 1);
    }
    return fixture;
}

// The peak memory README.md allows a run: 16 MiB and 64 times the file (a
// file refused from its first page: the 16 MiB).
long BoundKb(long fileKb) { return 16 * 1024 + 64 * fileKb; }

long FileKb(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size / 1024) : -1;
}

}  // namespace

const char kUsage[] =
    "Usage: whole_run_bench [RUNS]       median of RUNS runs (9 unless given) of the\n"
    "                                    controller and of mdb-export on each file\n"
    "       whole_run_bench --files DIR  writes the files into DIR and stops\n"
    "       whole_run_bench --help       prints this\n"
    "ODBCSYSINI must be the absolute path of the build's odbc folder.\n";

int main(int argc, char** argv) {
    // --files DIR: only write the files into DIR (to profile a run).
    const bool onlyFiles = argc == 3 && std::string(argv[1]) == "--files";
    if (argc > 1 && std::string(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!onlyFiles && (argc > 2 || (argc == 2 && std::atoi(argv[1]) <= 0))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Launcher commands;
    launcher = &commands;
    const int runs = argc > 1 && !onlyFiles ? std::max(1, std::atoi(argv[1])) : 9;
    char folderName[] = "/tmp/vellamo-bench-XXXXXX";
    if (!onlyFiles && mkdtemp(folderName) == nullptr) return 1;
    const std::string folder = onlyFiles ? std::string(argv[2]) : std::string(folderName);

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
    const BwsFixture club = ClubEvening();
    const std::string clubPath = folder + "/club.bws";
    if (!club.Write(clubPath).empty()) return 1;
    const BwsFixture large = LargeEvent();
    const std::string largePath = folder + "/large.bws";
    if (!large.Write(largePath).empty()) return 1;
    const BwsFixture many = ManySections();
    const std::string manyPath = folder + "/many.bws";
    if (!many.Write(manyPath).empty()) return 1;
    const BwsFixture rows = SectionsOfOneRowEach();
    const std::string rowsPath = folder + "/rows.bws";
    if (!rows.Write(rowsPath).empty()) return 1;
    if (onlyFiles) return 0;

    struct File {
        const char* label;
        std::string path;
        const BwsFixture* tables;
    };
    const File files[] = {{"sample (club-evening)", samplePath, &sampleTables},
                          {"club evening (2 x 13 tables, bids, play)", clubPath, &club},
                          {"large event (30 x 15 tables, 27 boards)", largePath, &large},
                          {"32,768 sections of one table", manyPath, &many},
                          {"65,536 sections of one RoundData row", rowsPath, &rows}};

    std::printf("%-42s %10s %11s %10s %10s %14s %14s %7s\n", "file", "file size", "run median",
                "run peak", "bound", "instructions", "mdb-export all", "ratio");
    for (const File& file : files) {
        const std::string argument = "\\f:[" + file.path + "]";
        if (!WritesAReport(argument, folder)) {
            std::fprintf(stderr,
                         "%s: the run wrote no report (is ODBCSYSINI an absolute path to "
                         "the build's odbc folder?)\n",
                         file.label);
            return 1;
        }
        const Timing run = Measure({{VELLAMO_EXECUTABLE, argument}}, folder, runs);
        const Timing dump = Measure(ExportEveryTable(*file.tables, file.path), folder, runs);
        const long long instructions = CountInstructions({VELLAMO_EXECUTABLE, argument}, folder);
        std::printf("%-42s %7ld KB %8.2f ms %7ld KB %7ld KB %14lld %11.1f ms %7.3f\n", file.label,
                    FileKb(file.path), run.medianMs, run.peakKb, BoundKb(FileKb(file.path)),
                    instructions, dump.medianMs, run.medianMs / dump.medianMs);
    }
    // Refused from its header: neither time nor memory may follow its size.
    const std::string sparsePath = folder + "/sparse.bws";
    const int sparse = open(sparsePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (sparse < 0 || ftruncate(sparse, off_t{1} << 30) != 0) return 1;
    close(sparse);
    const std::string sparseArgument = "\\f:[" + sparsePath + "]";
    const Timing refused = Measure({{VELLAMO_EXECUTABLE, sparseArgument}}, folder, runs);
    const long long refusedInstructions =
        CountInstructions({VELLAMO_EXECUTABLE, sparseArgument}, folder);
    std::printf("%-42s %7ld KB %8.2f ms %7ld KB %7ld KB %14lld\n", "sparse file, not a database",
                FileKb(sparsePath), refused.medianMs, refused.peakKb, BoundKb(0),
                refusedInstructions);
    std::system(("rm -rf '" + folder + "'").c_str());
    return 0;
}
