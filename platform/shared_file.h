// SharedFile: a file opened as Windows' CreateFileA opens it with read and
// write sharing. Only regular files open: a directory is not an openable
// file. The handle is closed by the destructor.
#pragma once

#include <cstdint>

class SharedFile {
  public:
    SharedFile() = default;
    ~SharedFile();
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    // True when the path names an existing file that opens for reading with
    // read and write sharing (generic read, open-existing). Nothing is kept
    // open.
    static bool CanOpenForReading(const char* path);

    // Opens an existing file for reading. False when it does not open.
    bool OpenForReading(const char* path);
    // Creates the file, or cuts an existing one to length 0, for writing.
    bool CreateForWriting(const char* path);
    // Opens the file for appending, creating it when it does not exist. Never
    // waits: a pipe, a device or anything else that is not a file on disk
    // does not open.
    bool OpenForAppending(const char* path);

    // True when both are open on one and the same file, whatever names they
    // were opened by (device and inode; on Windows volume and file ID).
    bool IsSameFileAs(const SharedFile& other) const;

    // The low 32 bits of the open file's length; false on failure.
    bool GetSize(uint32_t* size) const;
    // Reads exactly count bytes from the current position. False when fewer
    // arrived or the read failed.
    bool ReadExactly(void* buffer, uint32_t count);
    // Writes all count bytes. False when the write failed or fell short.
    bool WriteAll(const void* buffer, uint32_t count);

    bool IsOpen() const;
    void Close();

  private:
#ifdef _WIN32
    void* handle_ = reinterpret_cast<void*>(-1);
#else
    int descriptor_ = -1;
#endif
};
