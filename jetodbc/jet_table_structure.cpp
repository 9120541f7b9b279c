#include "jetodbc/jet_table_structure.h"

#include <string>
#include <unordered_set>

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_page.h"

namespace jetodbc {

namespace {

// Where the fields of the definition lie, by format.
struct DefinitionLayout {
    uint32_t rowCount, variableColumns, columns, realIndexes, usageMap, freeMap, sections;
    uint32_t realIndexEntry, columnEntry, nameLengthBytes;
};

constexpr DefinitionLayout kJet3 = {12, 23, 25, 31, 35, 39, 43, 8, 18, 1};
constexpr DefinitionLayout kJet4 = {16, 43, 45, 51, 55, 59, 63, 12, 25, 2};

// Access tables have at most 255 columns; a definition claiming more is damaged.
constexpr uint32_t kMaxColumns = 256;
// A definition longer than this many pages is taken for a loop in disguise.
constexpr size_t kMaxDefinitionPages = 64;

DriverError Damaged(uint32_t page, const std::string& what) {
    return DamagedFile("the definition of the table at page " + std::to_string(page) + " " + what);
}

}  // namespace

std::vector<uint8_t> ReadDefinitionStream(const JetImage& image, uint32_t page) {
    std::vector<uint8_t> stream;
    std::unordered_set<uint32_t> seen;
    uint32_t current = page;
    while (true) {
        const uint8_t* bytes = image.Page(current);
        if (!bytes) throw Damaged(page, "continues past the end of the file");
        if (bytes[0] != kPageTableDefinition) {
            throw Damaged(page, "includes page " + std::to_string(current) +
                                    ", which is not a definition page");
        }
        if (!seen.insert(current).second || seen.size() > kMaxDefinitionPages) {
            throw Damaged(page, "loops back on itself");
        }
        const size_t skip = stream.empty() ? 0 : 8;
        stream.insert(stream.end(), bytes + skip, bytes + image.page_size());
        current = ReadU32(bytes + 4);
        if (current == 0) break;
    }
    return stream;
}

TableStructure ReadTableStructure(const JetImage& image, uint32_t page) {
    const std::vector<uint8_t> stream = ReadDefinitionStream(image, page);
    const DefinitionLayout& at = image.jet3() ? kJet3 : kJet4;
    const uint8_t* s = stream.data();
    TableStructure t;
    t.definitionPage = page;
    t.rowCount = ReadU32(s + at.rowCount);
    t.variableColumnCount = ReadU16(s + at.variableColumns);
    t.columnCount = ReadU16(s + at.columns);
    t.realIndexCount = ReadU32(s + at.realIndexes);
    t.usageMap = ReadU32(s + at.usageMap);
    t.freeSpaceMap = ReadU32(s + at.freeMap);
    if (t.columnCount == 0 || t.columnCount > kMaxColumns) {
        throw Damaged(page, "claims " + std::to_string(t.columnCount) + " columns");
    }
    uint64_t cursor = at.sections + uint64_t{t.realIndexCount} * at.realIndexEntry +
                      uint64_t{t.columnCount} * at.columnEntry;
    if (cursor > stream.size()) throw Damaged(page, "is shorter than its column entries");
    for (uint32_t c = 0; c < t.columnCount; ++c) {
        if (cursor + at.nameLengthBytes > stream.size()) {
            throw Damaged(page, "is shorter than its column names");
        }
        const uint32_t length = at.nameLengthBytes == 1 ? s[cursor] : ReadU16(s + cursor);
        if (length == 0 || length > 256) throw Damaged(page, "holds a column name of bad length");
        cursor += at.nameLengthBytes + length;
        if (cursor > stream.size()) throw Damaged(page, "is shorter than its column names");
    }
    // libmdb copies both maps when it reads the definition: their rows must exist.
    for (const uint32_t map : {t.usageMap, t.freeSpaceMap}) {
        const DataPage holder(image, PointerPage(map));
        holder.Row(PointerRow(map));
    }
    return t;
}

}  // namespace jetodbc
