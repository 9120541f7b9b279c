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

// Where a live row's bytes lie in the image, a moved row's where it was
// moved to: the compact form in which a table's rows are kept for a
// connection's life (an image holds at most 2^19 pages of 4096 bytes).
struct RowSpan {
    uint32_t offset = 0;  // from the image's first byte
    uint32_t size = 0;
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

    // Where every live row lies, in stored order, moved rows followed: the
    // rows' bytes are not looked into, so a row whose fields do not hold
    // together is found only when it is split (SplitRow). Throws DamagedFile
    // when a page or a moved row's pointer does not hold.
    std::vector<RowSpan> LocateRows() const;

    // Splits row, one of LocateRows', into one field per column, written
    // to columns().size() fields from fields on. Throws DamagedFile as
    // CrackRow.
    void SplitRow(RowSpan row, FieldSlice* fields) const;

    // Puts the value of field, column's field of a row SplitRow split, into
    // *value (which must hold NULL). Throws DamagedFile as DecodeField.
    void DecodeValue(const FieldSlice& field, size_t column, Value* value) const;

    // The columns the reader cuts, as given.
    const std::vector<ColumnLayout>& columns() const { return columns_; }

  private:
    const JetImage& image_;
    TableStructure structure_;
    std::vector<ColumnLayout> columns_;
    RowShape shape_;  // of columns_
};

}  // namespace jetodbc
