#include "run/run_log.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/shared_file.h"

const char* const kRunLogName = "VLM_Log.txt";

namespace {
// The database of the run: the log is never written into it.
std::string guardedPath;
}  // namespace

void KeepRunLogOff(std::string path) { guardedPath = std::move(path); }

void WriteLog(std::string message) {
    std::fwrite(message.data(), 1, message.size(), stdout);
    AppendToRunLog(std::move(message));
}

void AppendToRunLog(std::string message) {
    SharedFile log;
    if (!log.OpenForAppending(kRunLogName)) return;
    if (!guardedPath.empty()) {
        SharedFile database;
        if (database.OpenForReading(guardedPath.c_str()) && database.IsSameFileAs(log)) return;
    }
#ifdef _WIN32
    // Stored as a text-mode stream stores it: each line feed as CR LF.
    std::string stored;
    stored.reserve(message.size());
    for (char c : message) {
        if (c == '\n') stored += '\r';
        stored += c;
    }
    message.swap(stored);
#endif
    log.WriteAll(message.data(), static_cast<uint32_t>(message.size()));
}

void ExitWithLog(std::string message) {
    WriteLog(std::move(message));
    std::exit(0);
}
