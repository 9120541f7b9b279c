// The rows of one table in stored order, as statements read them. Rows read
// from a table are kept as their locations in the database image and cut into
// values when asked for, so that a connection holds no second, many times
// larger copy of the file's contents; rows made up for a catalog call are
// kept as values. A store never changes once made and may be shared by the
// statements of a connection.
#pragma once

#include <memory>
#include <vector>

#include "jetodbc/jet_image.h"
#include "jetodbc/jet_table_reader.h"
#include "jetodbc/value.h"

namespace jetodbc {

class TableRows {
  public:
    // A store of the given rows.
    explicit TableRows(std::vector<std::vector<Value>> rows);

    // The live rows of a table of image, each cut once here so that a damaged
    // row is found now. Throws DamagedFile as TableRowReader::ReadRows.
    TableRows(std::shared_ptr<const JetImage> image, const TableStructure& structure,
              std::vector<ColumnLayout> columns);

    TableRows(const TableRows&) = delete;
    TableRows& operator=(const TableRows&) = delete;

    size_t size() const { return located_ ? locations_.size() : rows_.size(); }

    // Row index (below size()), one value per column. The answer is either
    // the stored row or *scratch filled with it; it stays valid while the
    // store and *scratch are unchanged. A column whose entry in wanted is
    // false may be left NULL (wanted empty: every column).
    const std::vector<Value>& Row(size_t index, std::vector<Value>* scratch,
                                  const std::vector<bool>& wanted = {}) const;

  private:
    bool located_ = false;
    std::vector<std::vector<Value>> rows_;
    std::shared_ptr<const JetImage> image_;  // kept alive for reader_
    std::unique_ptr<TableRowReader> reader_;
    std::vector<RowLocation> locations_;
};

}  // namespace jetodbc
