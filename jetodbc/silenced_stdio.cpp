#include "jetodbc/silenced_stdio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace jetodbc {

namespace {

// Never destroyed: a client may disconnect from an exit handler, after the
// driver's own static objects are gone.
std::mutex& LibraryLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

// Points fd at target (when both exist); returns the saved copy or -1.
int Redirect(int fd, int target) {
    if (target < 0) return -1;
    const int saved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (saved < 0) return -1;
    if (::dup2(target, fd) < 0) {
        ::close(saved);
        return -1;
    }
    return saved;
}

void Restore(int fd, int saved) {
    if (saved < 0) return;
    ::dup2(saved, fd);
    ::close(saved);
}

}  // namespace

SilencedStdio::SilencedStdio() : lock_(LibraryLock()) {
    std::fflush(stdout);
    std::fflush(stderr);
    const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    savedOut_ = Redirect(STDOUT_FILENO, sink);
    savedErr_ = Redirect(STDERR_FILENO, sink);
    if (sink >= 0) ::close(sink);
}

SilencedStdio::~SilencedStdio() {
    std::fflush(stdout);
    std::fflush(stderr);
    Restore(STDOUT_FILENO, savedOut_);
    Restore(STDERR_FILENO, savedErr_);
}

}  // namespace jetodbc
