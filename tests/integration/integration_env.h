// Shared helpers of the database tests: a temporary folder for the files a
// test writes, and the switch of the process's database to another file.
#pragma once

#include <string>

#include "tests/support/bws_fixture.h"

// A fresh empty folder, removed with its content by the destructor.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Closes every connection and makes path the BWS file that the next
// connection opens.
void UseDatabase(const std::string& path);

// Writes the fixture to path and makes it the current database; fails the
// calling test when the file cannot be written.
void WriteAndUse(const BwsFixture& fixture, const std::string& path);

// Runs a command and returns its standard output (standard error dropped);
// *status receives its exit status.
std::string RunCommand(const std::string& command, int* status);

// The whole content of a file ("" when it cannot be read).
std::string ReadWhole(const std::string& path);

// A file's bytes and modification time, to show that a run left it as it was.
struct FileState {
    std::string bytes;
    long long seconds = 0;
    long nanoseconds = 0;
    bool operator==(const FileState& other) const {
        return bytes == other.bytes && seconds == other.seconds && nanoseconds == other.nanoseconds;
    }
};
FileState StateOf(const std::string& path);

// The line a run writes once the BWS file exists.
extern const std::string kWorkingLine;
