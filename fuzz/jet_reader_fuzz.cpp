// Fuzzes the driver's reading of a file: the input becomes a file, which is
// opened as a database (the image, the definitions through libmdb, the
// catalog), and every table's definition and all its rows are read. Each
// field also goes the way a bound fetch puts it straight into a client's
// buffer, as text, a long, a double and a timestamp, and must land there just
// as the general conversion of its decoded value puts it. A damaged file may
// only be refused with DriverError; anything else (a crash, a sanitizer
// report, another exception, a hang, a bound field unlike the converted one)
// is a fault.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "jetodbc/database.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/field_transfer.h"
#include "jetodbc/type_convert.h"

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

// Column of row (reached by cursor) bound as cType into a buffer of length
// bytes, through the direct route where there is one; aborts when what it
// puts in the buffer or the indicator differs from what ConvertValue puts
// there for the decoded value.
void BindLikeAFetch(const jetodbc::TableRows& rows, const jetodbc::TableDefinition& def,
                    jetodbc::RowCursor& cursor, size_t row, size_t column, SQLSMALLINT cType,
                    SQLLEN length) {
    const jetodbc::ColumnLayout* layout = rows.layout(column);
    if (layout == nullptr || column >= def.types.size()) return;
    const jetodbc::FieldRoute route = jetodbc::ChooseFieldRoute(*layout, cType);
    if (route == jetodbc::FieldRoute::General) return;
    unsigned char direct[512];
    unsigned char general[512];
    std::memset(direct, 0xA5, sizeof direct);
    std::memset(general, 0xA5, sizeof general);
    SQLLEN directIndicator = -7;
    SQLLEN generalIndicator = -7;
    const jetodbc::BoundBuffer out{direct, length, &directIndicator, 0};
    const jetodbc::FieldOutcome outcome = jetodbc::PutField(route, cType, layout->type, rows.jet3(),
                                                            cursor.Field(rows, row, column), out);
    if (outcome == jetodbc::FieldOutcome::General) return;
    std::string warning;
    const jetodbc::ClientBuffer buffer{general, length, &generalIndicator, nullptr, 0, &warning};
    SQLRETURN rc = SQL_ERROR;
    try {
        rc = jetodbc::ConvertValue(cursor.At(rows, row, column), def.types[column], cType, buffer);
    } catch (const jetodbc::DriverError&) {
        // The bound route gave a value where the general one fails.
    }
    const bool cut = outcome == jetodbc::FieldOutcome::Truncated;
    const bool sameReturn =
        cut ? rc == SQL_SUCCESS_WITH_INFO && warning == "01004" : rc == SQL_SUCCESS;
    if (!sameReturn || directIndicator != generalIndicator ||
        std::memcmp(direct, general, sizeof direct) != 0) {
        std::fprintf(stderr, "bound field of column %zu, C type %d, row %zu unlike its value\n",
                     column, cType, row);
        std::abort();
    }
}

void BindEveryField(const jetodbc::TableRows& rows, const jetodbc::TableDefinition& def,
                    jetodbc::RowCursor& cursor, size_t row) {
    for (size_t column = 0; column < def.columns.size(); ++column) {
        BindLikeAFetch(rows, def, cursor, row, column, SQL_C_CHAR, 512);
        BindLikeAFetch(rows, def, cursor, row, column, SQL_C_CHAR, 6);  // a text cut short
        BindLikeAFetch(rows, def, cursor, row, column, SQL_C_SLONG, 0);
        BindLikeAFetch(rows, def, cursor, row, column, SQL_C_DOUBLE, 0);
        BindLikeAFetch(rows, def, cursor, row, column, SQL_C_TYPE_TIMESTAMP, 0);
    }
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
                const auto def = db->Definition(entry);
                const auto rows = db->Rows(entry);
                jetodbc::RowCursor cursor;
                for (size_t row = 0; row < rows->size(); ++row) {
                    cursor.Row(*rows, row, {});  // every field decoded
                    BindEveryField(*rows, *def, cursor, row);
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
