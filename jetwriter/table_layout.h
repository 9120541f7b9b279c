// TableLayout: where each column of a table lives in a row and what its
// column entry records: its number (and bit in the null mask), its place in
// the fixed-length area or among the variable-length columns, and its entry
// length. Every column the table ever had is numbered, in the order given;
// fixed columns are packed in that order, variable ones indexed in that
// order, so a row written when the table had its first k columns uses a
// prefix of the fixed area and of the variable columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jetwriter/database.h"
#include "jetwriter/jet_format.h"

namespace jetwriter {

struct ColumnPlacement {
    uint16_t number = 0;
    bool fixed = true;
    uint16_t fixedOffset = 0;    // fixed columns: offset in the fixed-length area
    uint16_t variableIndex = 0;  // variable columns: index among them; fixed
                                 // ones: how many variable columns come before
    uint16_t entryLength = 0;    // the length a column entry records
};

class TableLayout {
  public:
    // columns must hold at most 255 columns, Text lengths from 1 to 255.
    TableLayout(const std::vector<Column>& columns, JetFormat format);

    const ColumnPlacement& placement(size_t column) const { return placements_[column]; }
    size_t column_count() const { return placements_.size(); }
    size_t fixed_area_size() const { return fixedAreaEnd_.back(); }
    size_t variable_column_count() const { return variableColumns_.size(); }
    // Indexes (into the column list) of the variable columns, in their order.
    const std::vector<size_t>& variable_columns() const { return variableColumns_; }
    size_t null_mask_size() const { return (placements_.size() + 7) / 8; }

    // The same for a row of the first `width` columns.
    size_t fixed_area_size(size_t width) const { return fixedAreaEnd_[width]; }
    size_t variable_column_count(size_t width) const { return variablesBefore_[width]; }

  private:
    std::vector<ColumnPlacement> placements_;
    std::vector<size_t> variableColumns_;
    std::vector<size_t> fixedAreaEnd_;     // by width
    std::vector<size_t> variablesBefore_;  // by width
};

}  // namespace jetwriter
