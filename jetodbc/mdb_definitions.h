// The driver's use of libmdb: opening the database image and reading table
// definitions (column names, types, sizes and positions) with libmdb's own
// parser. Each definition is checked by ReadTableStructure before libmdb is
// handed its pages, and every call runs with standard output and error
// silenced. The rows themselves are read by TableRowReader, which checks
// every bound, so libmdb never walks data pages.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "jetodbc/jet_image.h"
#include "jetodbc/jet_row_format.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

// One column of a table as the definition declares it.
struct ColumnDefinition {
    std::string name;  // Windows-1252, in the file's own letter case
    Utf16 wideName;
    ColumnLayout layout;
    bool autoNumber = false;
};

// One index of a table as its definition declares it.
struct IndexDefinition {
    Utf16 name;
    bool primary = false;
    bool unique = false;
    std::vector<std::pair<int, bool>> keys;  // column (0-based), descending
};

class MdbDefinitions {
  public:
    // Opens libmdb on image, which must outlive this object and stay
    // unchanged. Throws DriverError (HY000) when libmdb refuses the image.
    explicit MdbDefinitions(JetImage& image);
    ~MdbDefinitions();

    MdbDefinitions(const MdbDefinitions&) = delete;
    MdbDefinitions& operator=(const MdbDefinitions&) = delete;

    // The columns of the table named name whose definition starts at
    // definitionPage, in column-number order, as libmdb reads them. The
    // definition must have passed ReadTableStructure. Throws DamagedFile when
    // libmdb cannot read it or it does not agree with expectedColumns. When
    // indexes is given it receives the table's indexes (the logical ones
    // behind relationships left out); an index section libmdb cannot read
    // leaves it empty.
    std::vector<ColumnDefinition> ReadColumns(uint32_t definitionPage, const std::string& name,
                                              uint16_t expectedColumns,
                                              std::vector<IndexDefinition>* indexes = nullptr);

  private:
    // libmdb's MdbHandle; its type (mdbtools.h, with glib behind it) stays
    // out of the driver's headers.
    void* handle_ = nullptr;
};

}  // namespace jetodbc
