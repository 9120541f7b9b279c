#include "run/program_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "analysis/tournament_reader.h"
#include "db/connection.h"
#include "db/process_names.h"
#include "platform/cstring.h"
#include "platform/shared_file.h"
#include "platform/win32_types.h"
#include "run/format_choice.h"
#include "run/run_log.h"
#include "schema/format_detection.h"

namespace {

constexpr const char* kToolName = "Vellamo controller ";
constexpr const char* kReleaseText = "Release Version 1.1";
constexpr DWORD kArgumentErrorPauseMs = 3000;

// Characters of the "\f:[" prefix and of the closing character around the path.
constexpr size_t kPrefixLength = 4;
constexpr size_t kShortestArgument = 9;

[[noreturn]] void ExitOnArgumentError(const char* message) {
    WriteLog(message);
    Sleep(kArgumentErrorPauseMs);
    std::exit(1);
}

}  // namespace

void RunController(int argc, char** argv) {
    // Registered first, so it runs at every exit before the static objects go.
    std::atexit(CloseAllConnections);
    // The log must never land in the database, not even the banner.
    if (argc >= 2 && argv[1] != nullptr) {
        const size_t length = std::strlen(argv[1]);
        if (length >= kShortestArgument && length < static_cast<size_t>(kArgumentBufferSize)) {
            KeepRunLogOff(std::string(argv[1] + kPrefixLength, length - kPrefixLength - 1));
        }
    }
    WriteLog(std::string(kToolName) + kReleaseText + " starting ...\n");
    if (argc < 2 || argv[1] == nullptr) {
        ExitOnArgumentError("First argument must be the BWS file name.\n");
    }

    const std::string argument = argv[1];
    WriteLog("Using " + argument + "\n");
    if (argument.size() < kShortestArgument) {
        ExitOnArgumentError("Invalid File Name. Must start with '\\f:[' \n");
    }
    // The argument buffer holds at most 2047 characters; a longer argument is
    // refused rather than cut, since a cut path would name another file.
    if (argument.size() >= static_cast<size_t>(kArgumentBufferSize)) {
        ExitOnArgumentError("Invalid File Name. Must be shorter than 2048 characters \n");
    }

    const std::string path = argument.substr(kPrefixLength, argument.size() - kPrefixLength - 1);
    if (!SharedFile::CanOpenForReading(path.c_str())) ExitWithLog("File does not exist");
    setFileName(path.c_str());
    WriteLog(
        "Controller working. Please ignore if ACBLscore reports, that the remote server could "
        "not be loaded.\n");

    std::map<eImportType, unsigned> scores;
    for (eImportType format : kFormatTryOrder) {
        CString errorText;  // never shown: only the score tells the result
        unsigned counters[3] = {0, 0, 0};
        bool testRan = DetectFormat(format, errorText, counters);
        scores[format] = ScoreDetection(testRan, counters);
    }

    eImportType chosen = US0_BWS;
    if (!ChooseFormat(scores, &chosen)) ExitWithLog("Failed to match bws to a known format");

    TournamentReader reader(chosen);
    CString readError;
    if (!reader.Read(readError)) ExitWithLog(readError.GetString());
    // The caller parses the report: one that did not reach it whole is a failure.
    const bool written = reader.WriteReport(0);
    if (!written || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        AppendToRunLog("The report could not be written to standard output\n");
        std::exit(1);
    }
    std::exit(0);
}
