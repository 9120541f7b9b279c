// TableLayout: where each column of a table lives in a Jet 4 row and what its
// column entry records: its number (and bit in the null mask), its place in
// the fixed-length area or among the variable-length columns, and its entry
// length. Columns are numbered in the order given; fixed columns are packed
// in that order, variable ones indexed in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jetwriter/database.h"

namespace jetwriter {

struct ColumnPlacement {
    uint16_t number = 0;
    bool fixed = true;
    uint16_t fixedOffset = 0;    // fixed columns: offset in the fixed-length area
    uint16_t variableIndex = 0;  // variable columns: index among them
    uint16_t entryLength = 0;    // the length a column entry records
};

class TableLayout {
  public:
    // columns must hold at most 255 columns, Text lengths from 1 to 255.
    explicit TableLayout(const std::vector<Column>& columns);

    const ColumnPlacement& placement(size_t column) const { return placements_[column]; }
    size_t column_count() const { return placements_.size(); }
    size_t fixed_area_size() const { return fixedAreaSize_; }
    size_t variable_column_count() const { return variableColumns_.size(); }
    // Indexes (into the column list) of the variable columns, in their order.
    const std::vector<size_t>& variable_columns() const { return variableColumns_; }
    size_t null_mask_size() const { return (placements_.size() + 7) / 8; }

  private:
    std::vector<ColumnPlacement> placements_;
    std::vector<size_t> variableColumns_;
    size_t fixedAreaSize_ = 0;
};

}  // namespace jetwriter
