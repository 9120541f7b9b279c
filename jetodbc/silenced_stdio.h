// While an object of this class lives, the process's standard output and
// standard error lead to /dev/null, so that libmdb's complaints about a file
// reach neither the client's output nor its error stream. The driver holds
// one only around its few calls into libmdb. Objects serialize on a
// process-wide lock, which also keeps libmdb from being entered by two
// threads at once.
#pragma once

#include <mutex>

namespace jetodbc {

class SilencedStdio {
  public:
    // Flushes both streams (so that the client's own pending output still
    // goes where it was meant to) and redirects them.
    SilencedStdio();
    // Flushes whatever libmdb wrote into the void and restores both streams.
    ~SilencedStdio();

    SilencedStdio(const SilencedStdio&) = delete;
    SilencedStdio& operator=(const SilencedStdio&) = delete;

  private:
    std::unique_lock<std::mutex> lock_;
    int savedOut_ = -1;
    int savedErr_ = -1;
};

}  // namespace jetodbc
