#include "run/file_helpers.h"

#include <cstdint>
#include <memory>
#include <new>

#include "platform/shared_file.h"

bool FileExist(const char* path) { return path != nullptr && SharedFile::CanOpenForReading(path); }

namespace {

// Reads and drops count bytes, moving the file's position past them.
bool SkipBytes(SharedFile& file, uint32_t count) {
    constexpr uint32_t kChunk = 64 * 1024;
    std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[kChunk]);
    if (!scratch) return false;
    while (count > 0) {
        uint32_t piece = count < kChunk ? count : kChunk;
        if (!file.ReadExactly(scratch.get(), piece)) return false;
        count -= piece;
    }
    return true;
}

}  // namespace

int LimitFileSize(const char* path, unsigned maxSize, unsigned keepSize) {
    if (path == nullptr) return 0;
    uint32_t size = 0;
    {
        SharedFile file;
        if (!file.OpenForReading(path) || !file.GetSize(&size)) return 0;
    }
    if (size <= maxSize) return 1;
    if (keepSize > size) keepSize = size;

    std::unique_ptr<uint8_t[]> tail(new (std::nothrow) uint8_t[keepSize > 0 ? keepSize : 1]);
    if (!tail) return 0;
    {
        SharedFile file;
        if (!file.OpenForReading(path)) return 0;
        if (!SkipBytes(file, size - keepSize)) return 0;
        if (keepSize > 0 && !file.ReadExactly(tail.get(), keepSize)) return 0;
    }
    SharedFile file;
    if (!file.CreateForWriting(path)) return 0;
    if (keepSize > 0 && !file.WriteAll(tail.get(), keepSize)) return 0;
    return 1;
}
