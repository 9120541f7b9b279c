#include "platform/shared_file.h"

#ifdef _WIN32
#include "platform/win32_types.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

SharedFile::~SharedFile() { Close(); }

bool SharedFile::CanOpenForReading(const char* path) {
    SharedFile file;
    return file.OpenForReading(path);
}

#ifdef _WIN32

namespace {

// Large transfers go in pieces so that no single call needs a huge buffer
// locked by the system.
constexpr DWORD kChunk = 1u << 24;

HANDLE OpenShared(const char* path, DWORD access, DWORD disposition) {
    if (path == nullptr || *path == '\0') return INVALID_HANDLE_VALUE;
    HANDLE handle = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                disposition, 0, nullptr);
    // Devices and pipes also open by name; only files on disk count.
    if (handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

}  // namespace

bool SharedFile::OpenForReading(const char* path) {
    Close();
    handle_ = OpenShared(path, GENERIC_READ, OPEN_EXISTING);
    return IsOpen();
}

bool SharedFile::CreateForWriting(const char* path) {
    Close();
    handle_ = OpenShared(path, GENERIC_WRITE, CREATE_ALWAYS);
    return IsOpen();
}

bool SharedFile::OpenForAppending(const char* path) {
    Close();
    handle_ = OpenShared(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    return IsOpen();
}

bool SharedFile::IsSameFileAs(const SharedFile& other) const {
    if (!IsOpen() || !other.IsOpen()) return false;
    BY_HANDLE_FILE_INFORMATION mine{};
    BY_HANDLE_FILE_INFORMATION theirs{};
    if (!GetFileInformationByHandle(handle_, &mine) ||
        !GetFileInformationByHandle(other.handle_, &theirs)) {
        return false;
    }
    return mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
           mine.nFileIndexHigh == theirs.nFileIndexHigh &&
           mine.nFileIndexLow == theirs.nFileIndexLow;
}

bool SharedFile::GetSize(uint32_t* size) const {
    if (!IsOpen() || size == nullptr) return false;
    DWORD high = 0;
    // INVALID_FILE_SIZE is also a valid low half; only the error code tells.
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    *size = low;
    return true;
}

bool SharedFile::ReadExactly(void* buffer, uint32_t count) {
    if (!IsOpen() || (buffer == nullptr && count > 0)) return false;
    char* next = static_cast<char*>(buffer);
    while (count > 0) {
        const DWORD wanted = count < kChunk ? count : kChunk;
        DWORD got = 0;
        if (!ReadFile(handle_, next, wanted, &got, nullptr) || got == 0) return false;
        next += got;
        count -= got;
    }
    return true;
}

bool SharedFile::WriteAll(const void* buffer, uint32_t count) {
    if (!IsOpen() || (buffer == nullptr && count > 0)) return false;
    const char* next = static_cast<const char*>(buffer);
    while (count > 0) {
        const DWORD wanted = count < kChunk ? count : kChunk;
        DWORD written = 0;
        if (!WriteFile(handle_, next, wanted, &written, nullptr) || written == 0) return false;
        next += written;
        count -= written;
    }
    return true;
}

bool SharedFile::IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

void SharedFile::Close() {
    if (IsOpen()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

#else

namespace {

// Opens without blocking (a FIFO without a writer would otherwise wait
// forever), keeps only regular files, then restores blocking transfers.
int OpenRegular(const char* path, int flags) {
    if (path == nullptr || *path == '\0') return -1;
    int descriptor;
    do {
        descriptor = open(path, flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return -1;
    struct stat status {};
    const int fileFlags = fcntl(descriptor, F_GETFL);
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || fileFlags < 0 ||
        fcntl(descriptor, F_SETFL, fileFlags & ~O_NONBLOCK) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

}  // namespace

bool SharedFile::OpenForReading(const char* path) {
    Close();
    descriptor_ = OpenRegular(path, O_RDONLY);
    return IsOpen();
}

bool SharedFile::CreateForWriting(const char* path) {
    Close();
    descriptor_ = OpenRegular(path, O_WRONLY | O_CREAT | O_TRUNC);
    return IsOpen();
}

bool SharedFile::OpenForAppending(const char* path) {
    Close();
    descriptor_ = OpenRegular(path, O_WRONLY | O_CREAT | O_APPEND);
    return IsOpen();
}

bool SharedFile::IsSameFileAs(const SharedFile& other) const {
    if (!IsOpen() || !other.IsOpen()) return false;
    struct stat mine {};
    struct stat theirs {};
    if (fstat(descriptor_, &mine) != 0 || fstat(other.descriptor_, &theirs) != 0) return false;
    return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

bool SharedFile::GetSize(uint32_t* size) const {
    if (!IsOpen() || size == nullptr) return false;
    struct stat status {};
    if (fstat(descriptor_, &status) != 0) return false;
    *size = static_cast<uint32_t>(static_cast<uint64_t>(status.st_size) & 0xFFFFFFFFu);
    return true;
}

bool SharedFile::ReadExactly(void* buffer, uint32_t count) {
    if (!IsOpen() || (buffer == nullptr && count > 0)) return false;
    char* next = static_cast<char*>(buffer);
    size_t left = count;
    while (left > 0) {
        const ssize_t got = read(descriptor_, next, left);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        next += got;
        left -= static_cast<size_t>(got);
    }
    return true;
}

bool SharedFile::WriteAll(const void* buffer, uint32_t count) {
    if (!IsOpen() || (buffer == nullptr && count > 0)) return false;
    const char* next = static_cast<const char*>(buffer);
    size_t left = count;
    while (left > 0) {
        const ssize_t written = write(descriptor_, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        next += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

bool SharedFile::IsOpen() const { return descriptor_ >= 0; }

void SharedFile::Close() {
    // close() is not retried on EINTR: the descriptor is gone either way.
    if (IsOpen()) close(descriptor_);
    descriptor_ = -1;
}

#endif
