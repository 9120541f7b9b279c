// UnnamedMutex: a process-private mutex created without a name, as Windows'
// CreateMutexA(nullptr, FALSE, nullptr). The owning thread may wait on it
// again while it holds it (each wait needs its own release).
#pragma once

#ifdef _WIN32
#include "platform/win32_types.h"
#else
#include <mutex>
#endif

class UnnamedMutex {
  public:
    UnnamedMutex();
    // Waits for the mutex, then closes it.
    ~UnnamedMutex();
    UnnamedMutex(const UnnamedMutex&) = delete;
    UnnamedMutex& operator=(const UnnamedMutex&) = delete;

    // Waits without time-out. Returns false only if the mutex could not be
    // created or the wait failed.
    bool Wait();
    // Releases one wait of the calling thread.
    void Release();

  private:
#ifdef _WIN32
    HANDLE handle_;
#else
    std::recursive_mutex mutex_;
#endif
};
