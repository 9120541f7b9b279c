// The run's message channel: every message goes to standard output and is
// appended to the run log "VLM_Log.txt" in the working directory, exactly as
// given (no time stamp, no prefix, no line end added).
#pragma once

#include <string>

// Name of the run log, relative to the working directory.
extern const char* const kRunLogName;

// Names the database of the run. From then on the log is not written when
// it is that same file, under whatever name.
void KeepRunLogOff(std::string path);

// Writes the message to standard output, then appends it to the run log.
// A log that cannot be opened without waiting, that is not a regular file
// or that is the run's database is skipped silently.
void WriteLog(std::string message);

// Appends the message to the run log only, under the same rules.
void AppendToRunLog(std::string message);

// WriteLog, then ends the process through the orderly exit with status 0,
// so that the registered exit handlers run.
[[noreturn]] void ExitWithLog(std::string message);
