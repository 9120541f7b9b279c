// Fuzzes the driver's reading of a file: the input becomes a file, which is
// opened as a database (the image, the definitions through libmdb, the
// catalog), and every table's definition and all its rows are read. A damaged
// file may only be refused with DriverError; anything else (a crash, a
// sanitizer report, another exception, a hang) is a fault.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "jetodbc/database.h"
#include "jetodbc/driver_error.h"

namespace {

// A file of this process's own, rewritten for every input.
const std::string& ScratchPath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = std::string(folder ? folder : "/tmp") + "/jet-reader-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        close(fd);
        return pattern;
    }();
    return path;
}

bool WriteWhole(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = ScratchPath();
    if (!WriteWhole(path, data, size)) std::abort();
    try {
        auto db = jetodbc::Database::Open(path);
        for (const jetodbc::CatalogEntry& entry : db->objects()) {
            if (entry.kind != jetodbc::ObjectKind::Table &&
                entry.kind != jetodbc::ObjectKind::SystemTable) {
                continue;
            }
            try {
                db->Definition(entry);
                const auto rows = db->Rows(entry);
                jetodbc::RowCursor cursor;
                for (size_t row = 0; row < rows->size(); ++row) {
                    cursor.Row(*rows, row, {});  // every field decoded
                }
            } catch (const jetodbc::DriverError&) {
                // One damaged table leaves the others readable.
            }
        }
    } catch (const jetodbc::DriverError&) {
        // Not a database, or its catalog is damaged.
    }
    return 0;
}
