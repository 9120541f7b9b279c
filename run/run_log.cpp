#include "run/run_log.h"

#include <cstdio>
#include <cstdlib>

const char* const kRunLogName = "VLM_Log.txt";

void WriteLog(std::string message) {
    std::fwrite(message.data(), 1, message.size(), stdout);
    // Text mode: on Windows each line feed is stored as CR LF.
    if (std::FILE* log = std::fopen(kRunLogName, "a")) {
        std::fwrite(message.data(), 1, message.size(), log);
        std::fclose(log);
    }
}

void ExitWithLog(std::string message) {
    WriteLog(std::move(message));
    std::exit(0);
}
