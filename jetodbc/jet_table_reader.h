// Reading the live rows of one table straight from the database image: the
// usage map gives the table's pages; each data page that the table owns
// gives its rows in directory order. Deleted rows are skipped; a row that was
// moved leaves a pointer behind, which is followed, and the moved row is then
// not read a second time where it lies. Rows come out in stored order.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "jetodbc/jet_image.h"
#include "jetodbc/jet_page.h"
#include "jetodbc/jet_row_format.h"
#include "jetodbc/jet_table_structure.h"
#include "jetodbc/value.h"

namespace jetodbc {

// Where a live row is listed: its data page and its index in that page's
// directory (a moved row is listed where its pointer lies).
struct RowLocation {
    uint32_t page = 0;
    uint16_t row = 0;
};

class TableRowReader {
  public:
    // image must outlive the reader; columns describe the fields to cut.
    TableRowReader(const JetImage& image, const TableStructure& structure,
                   std::vector<ColumnLayout> columns);

    // Calls onRow once for every live row with one value per column; a
    // column whose entry in wanted is false is left NULL without being read
    // (wanted may be empty: every column is read). The vector passed to onRow
    // may be moved from. Throws DamagedFile on the first structure that does
    // not hold; rows already passed to onRow stay passed.
    void ReadRows(const std::vector<bool>& wanted,
                  const std::function<void(std::vector<Value>&)>& onRow) const;

    // As ReadRows, and passes each row's location with it.
    void ReadLocatedRows(const std::vector<bool>& wanted,
                         const std::function<void(RowLocation, std::vector<Value>&)>& onRow) const;

    // The row at a location that ReadRows passed, one value per column as
    // ReadRows gives it, into *values. Throws DamagedFile as ReadRows.
    void ReadRow(RowLocation location, const std::vector<bool>& wanted,
                 std::vector<Value>* values) const;

  private:
    // Follows a moved row to where it lies and cuts it into values.
    void Decode(RowBytes row, const std::vector<bool>& wanted, std::vector<FieldSlice>* fields,
                std::vector<Value>* values) const;

    const JetImage& image_;
    TableStructure structure_;
    std::vector<ColumnLayout> columns_;
};

}  // namespace jetodbc
