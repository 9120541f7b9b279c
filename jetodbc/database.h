// One open database as a connection sees it: the image of the file taken at
// connect time, libmdb opened on that image, the catalog, and the table
// definitions and rows read so far (each read once, on first use, and kept
// for the connection's life; the image never changes, so neither do they).
// Results of its statements point into the image: statements are freed
// before their connection lets go of the database.
// Statements of the connection share it; it is safe to use from several
// threads.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "jetodbc/catalog.h"
#include "jetodbc/jet_image.h"
#include "jetodbc/jet_table_reader.h"
#include "jetodbc/jet_table_structure.h"
#include "jetodbc/mdb_definitions.h"
#include "jetodbc/sql_type_info.h"
#include "jetodbc/value.h"

namespace jetodbc {

struct TableDefinition {
    std::string name;
    TableStructure structure;
    std::vector<ColumnDefinition> columns;
    std::vector<SqlTypeInfo> types;  // one per column

    // Index of the column named name (ignoring letter case), or -1.
    int FindColumn(std::string_view name) const;
};

// A table's rows in stored order, one value per column of its definition.
struct TableRows {
    std::vector<std::vector<Value>> rows;
};

// A table's live rows as the file holds them: where each one lies in the
// image, found once per connection and kept. A row's fields are split and
// decoded only when a result reaches them, so that reading the first rows of
// a large table costs those rows, and nothing is held a value at a time.
struct StoredRows {
    std::unique_ptr<TableRowReader> reader;  // reads the database's image
    std::vector<RowBytes> rows;
};

class Database {
  public:
    // Reads the file at path, checks it and reads its catalog. The tables'
    // own definitions are checked when each is first used (Definition).
    // Throws DriverError: 08001 when the file cannot be read, HY000 when it
    // is not a database or its catalog is damaged.
    static std::shared_ptr<Database> Open(const std::string& path);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& path() const { return path_; }
    // The catalog name clients see: the file's path without its extension.
    std::string catalog_name() const;
    bool jet3() const { return image_->jet3(); }

    const std::vector<CatalogEntry>& objects() const { return catalog_; }

    // The catalog object named name (ignoring letter case), or null.
    const CatalogEntry* Find(std::string_view name) const;

    // The definition of table entry (read and checked on first use: its
    // definition pages and page list inside the file). Throws DriverError:
    // HYC00 for a view or linked table, HY000 naming the table when the
    // definition is damaged (again on every later call).
    std::shared_ptr<const TableDefinition> Definition(const CatalogEntry& entry);

    // Where the rows of table entry lie (found on first use). Throws as
    // Definition, and HY000 when a page or a moved row is damaged; a row
    // whose own fields are damaged fails when it is split.
    std::shared_ptr<const StoredRows> Rows(const CatalogEntry& entry);

    // All rows of table entry decoded, for a query that must look at every
    // row (a condition, an order); decoded on first use and kept. Throws as
    // Rows, and HY000 when any row is damaged.
    std::shared_ptr<const TableRows> DecodedRows(const CatalogEntry& entry);

  private:
    Database() = default;

    std::string path_;
    std::unique_ptr<JetImage> image_;
    std::unique_ptr<MdbDefinitions> definitions_;
    std::vector<CatalogEntry> catalog_;

    std::mutex mutex_;  // guards the two caches
    std::map<uint32_t, std::shared_ptr<const TableDefinition>> definitionCache_;
    std::map<uint32_t, std::shared_ptr<const StoredRows>> rowCache_;
    std::map<uint32_t, std::shared_ptr<const TableRows>> decodedCache_;
};

}  // namespace jetodbc
