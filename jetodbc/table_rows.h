// The rows of one table in stored order, as statements read them, and the
// cursor through which a reader takes their values. Rows read from a table
// are kept only as where each lies in the database image, and a row is split
// and its fields decoded when a reader reaches it, so that a connection holds
// no second, many times larger copy of the file's contents and reading the
// first rows of a large table costs only those rows; rows made up for a
// catalog call are kept as values. A store never changes once made and may
// be shared by the statements of a connection.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "jetodbc/jet_image.h"
#include "jetodbc/jet_row_format.h"
#include "jetodbc/jet_table_reader.h"
#include "jetodbc/value.h"

namespace jetodbc {

class TableRows {
  public:
    // A store of the given rows.
    explicit TableRows(std::vector<std::vector<Value>> rows);

    // The live rows of a table of image. Where each lies is found here: the
    // table's pages and its moved rows' pointers are checked now, a row's own
    // fields when a cursor reaches it. Throws DamagedFile as
    // TableRowReader::LocateRows.
    TableRows(std::shared_ptr<const JetImage> image, const TableStructure& structure,
              std::vector<ColumnLayout> columns);

    TableRows(const TableRows&) = delete;
    TableRows& operator=(const TableRows&) = delete;

    size_t size() const { return located_ ? spans_.size() : rows_.size(); }

    // How column's field is stored, for rows read from a table; null for
    // rows given as values.
    const ColumnLayout* layout(size_t column) const {
        return located_ ? &reader_->columns()[column] : nullptr;
    }
    // True when the rows were read from a table rather than given as values.
    bool located() const { return located_; }
    // True when the rows were read from a Jet 3 file.
    bool jet3() const { return located_ && image_->jet3(); }

  private:
    friend class RowCursor;

    bool located_ = false;
    std::vector<std::vector<Value>> rows_;   // the rows given, when not located
    std::shared_ptr<const JetImage> image_;  // kept alive for reader_ and spans_
    std::unique_ptr<TableRowReader> reader_;
    std::vector<RowSpan> spans_;
};

// One row of a store at a time: the row is split when first reached and each
// of its values decoded the first time it is asked for, then kept until
// another row is asked for (the strings' room is kept for the next row).
// Every reader of a store (a result set, a query's filter) has its own.
class RowCursor {
  public:
    // The value of column (below the store's column count) of row index
    // (below rows.size()). Valid until the cursor is next asked for another
    // row. Throws DamagedFile when the row's stored fields do not hold
    // together; the cursor then holds no row.
    const Value& At(const TableRows& rows, size_t index, size_t column) {
        if (!rows.located_) return rows.rows_[index][column];
        if (&rows != rows_ || index != row_) Reach(rows, index);
        if (decoded_[column] != stamp_) DecodeColumn(column);
        return values_[column];
    }

    // The stored field of column of row index, for rows read from a table
    // (rows.layout(column) says how to read it); valid, and throws, as At.
    const FieldSlice& Field(const TableRows& rows, size_t index, size_t column) {
        if (&rows != rows_ || index != row_) Reach(rows, index);
        return fields_[column];
    }
    // Every stored field of row index, by column, as Field gives them one at
    // a time; valid, and throws, as At.
    const FieldSlice* Fields(const TableRows& rows, size_t index) {
        if (&rows != rows_ || index != row_) Reach(rows, index);
        return fields_.data();
    }

    // Row index with every column whose entry in wanted is true decoded
    // (wanted empty: every column); the other columns' entries mean nothing.
    // Valid, and throws, as At.
    const std::vector<Value>& Row(const TableRows& rows, size_t index,
                                  const std::vector<bool>& wanted);

  private:
    static constexpr size_t kNoRow = static_cast<size_t>(-1);

    // Splits row index of rows, no value of it decoded yet.
    void Reach(const TableRows& rows, size_t index);
    // Decodes column of the row reached into values_.
    void DecodeColumn(size_t column);

    const TableRows* rows_ = nullptr;
    size_t row_ = kNoRow;
    std::vector<FieldSlice> fields_;
    std::vector<Value> values_;
    // Per column: values_ holds this row's value when its entry is stamp_,
    // which changes with every row reached.
    std::vector<uint32_t> decoded_;
    uint32_t stamp_ = 0;
};

}  // namespace jetodbc
