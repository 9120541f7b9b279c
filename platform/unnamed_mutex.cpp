#include "platform/unnamed_mutex.h"

#ifdef _WIN32

UnnamedMutex::UnnamedMutex() : handle_(CreateMutexA(nullptr, FALSE, nullptr)) {}

UnnamedMutex::~UnnamedMutex() {
    if (handle_ == nullptr) return;
    // Whoever still holds the mutex finishes first; closing it while owned
    // by this thread is allowed.
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
}

bool UnnamedMutex::Wait() {
    if (handle_ == nullptr) return false;
    // An abandoned mutex is still owned by the caller once the wait ends.
    const DWORD result = WaitForSingleObject(handle_, INFINITE);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void UnnamedMutex::Release() {
    if (handle_ != nullptr) ReleaseMutex(handle_);
}

#else

#include <system_error>

UnnamedMutex::UnnamedMutex() = default;

UnnamedMutex::~UnnamedMutex() {
    // A std::mutex must not be destroyed while held: wait for the holder,
    // then let go again so that the destruction finds it free.
    try {
        mutex_.lock();
        mutex_.unlock();
    } catch (const std::system_error&) {
    }
}

bool UnnamedMutex::Wait() {
    try {
        mutex_.lock();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void UnnamedMutex::Release() { mutex_.unlock(); }

#endif
