#include "jetodbc/jet_table_reader.h"

#include <unordered_set>

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_field_value.h"
#include "jetodbc/jet_page.h"
#include "jetodbc/jet_usage_map.h"

namespace jetodbc {

namespace {

// A moved row may in principle be moved again; more hops than this is a loop.
constexpr int kMaxMoves = 8;

uint64_t RowKey(uint32_t page, uint32_t row) { return (uint64_t{page} << 8) | row; }

}  // namespace

TableRowReader::TableRowReader(const JetImage& image, const TableStructure& structure,
                               std::vector<ColumnLayout> columns)
    : image_(image), structure_(structure), columns_(std::move(columns)), shape_(columns_) {}

std::vector<RowSpan> TableRowReader::LocateRows() const {
    const std::vector<uint32_t> pages = ReadUsageMap(image_, structure_.usageMap);
    std::vector<DataPage> owned;
    owned.reserve(pages.size());
    size_t entries = 0;
    for (uint32_t number : pages) {
        DataPage page(image_, number);
        // A usage map may list pages that another table has since taken over.
        if (page.type() == kPageData && page.owner() == structure_.definitionPage) {
            owned.push_back(page);
            entries += page.row_count();
        }
    }

    std::unordered_set<uint64_t> movedTargets;
    for (const DataPage& page : owned) {
        for (uint32_t i = 0; i < page.row_count(); ++i) {
            if (page.IsDeleted(i) || !page.IsOverflow(i)) continue;
            const RowBytes pointer = page.Row(i);
            if (pointer.size < 4) throw DamagedFile("a moved row's pointer is cut short");
            const uint32_t target = ReadU32(pointer.data);
            movedTargets.insert(RowKey(PointerPage(target), PointerRow(target)));
        }
    }

    const uint8_t* const start = image_.Page(0);
    std::vector<RowSpan> rows;
    rows.reserve(entries);
    const bool anyMoved = !movedTargets.empty();
    for (const DataPage& page : owned) {
        for (uint32_t i = 0; i < page.row_count(); ++i) {
            if (page.IsDeleted(i)) continue;
            if (anyMoved && movedTargets.count(RowKey(page.number(), i))) continue;
            RowBytes row = page.Row(i);
            for (int moves = 0; row.overflow; ++moves) {
                if (moves == kMaxMoves || row.size < 4) {
                    throw DamagedFile("a moved row cannot be followed");
                }
                const uint32_t target = ReadU32(row.data);
                const DataPage targetPage(image_, PointerPage(target));
                if (targetPage.type() != kPageData) {
                    throw DamagedFile("a moved row points to a non-data page");
                }
                row = targetPage.Row(PointerRow(target));
            }
            rows.push_back(
                RowSpan{static_cast<uint32_t>(row.data - start), static_cast<uint32_t>(row.size)});
        }
    }
    return rows;
}

void TableRowReader::SplitRow(RowSpan row, FieldSlice* fields) const {
    CrackRow(image_.jet3(), image_.Page(0) + row.offset, row.size, shape_, fields);
}

void TableRowReader::DecodeValue(const FieldSlice& field, size_t column, Value* value) const {
    DecodeField(image_, columns_[column], field, value);
}

void TableRowReader::ReadRows(const std::vector<bool>& wanted,
                              const std::function<void(std::vector<Value>&)>& onRow) const {
    std::vector<FieldSlice> fields(columns_.size());
    std::vector<Value> values;
    for (const RowSpan row : LocateRows()) {
        SplitRow(row, fields.data());
        // Decoded in place into NULLs: onRow may take the vector.
        values.clear();
        values.resize(columns_.size());
        for (size_t c = 0; c < columns_.size(); ++c) {
            if (wanted.empty() || wanted[c])
                DecodeField(image_, columns_[c], fields[c], &values[c]);
        }
        onRow(values);
    }
}

}  // namespace jetodbc
