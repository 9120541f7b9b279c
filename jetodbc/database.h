// One open database as a connection sees it: the image of the file taken at
// connect time, libmdb opened on that image, the catalog, and the table
// definitions and row stores made so far (each made once, on first use, and
// kept for the connection's life; the image never changes, so neither do
// they).
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
#include "jetodbc/jet_table_structure.h"
#include "jetodbc/mdb_definitions.h"
#include "jetodbc/sql_type_info.h"
#include "jetodbc/table_rows.h"
#include "jetodbc/value.h"

namespace jetodbc {

class Query;

struct TableDefinition {
    std::string name;  // Windows-1252
    Utf16 wideName;
    TableStructure structure;
    std::vector<ColumnDefinition> columns;
    std::vector<SqlTypeInfo> types;  // one per column
    std::vector<IndexDefinition> indexes;

    // Index of the column named name (UTF-8, ignoring letter case), or -1.
    int FindColumn(std::string_view name) const;

    // Whether column i can hold NULL: not an AutoNumber, a Yes/No (Jet keeps
    // its value in the row's null mask, so it is never NULL) or a column of
    // the primary key. SQLColumns and SQLDescribeCol both answer from this.
    bool Nullable(size_t i) const;
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

    // The catalog object named name (UTF-8, ignoring letter case), or null.
    const CatalogEntry* Find(std::string_view name) const;

    // The definition of table entry (read and checked on first use: its
    // definition pages and page list inside the file). Throws DriverError:
    // HYC00 for a view or linked table, HY000 naming the table when the
    // definition is damaged (again on every later call).
    std::shared_ptr<const TableDefinition> Definition(const CatalogEntry& entry);

    // The rows of table entry, located on first use. Throws as Definition,
    // and HY000 when a page or a moved row is damaged; a row whose own fields
    // are damaged fails when a cursor reaches it.
    std::shared_ptr<const TableRows> Rows(const CatalogEntry& entry);

    // A statement prepared earlier on this database from exactly the text
    // sql, or null. Prepared statements depend only on their text and the
    // file, which never changes while it is open, so clients that run the
    // same statement again (as the controller's detection does) prepare it
    // once. At most kKeptQueries are kept; the oldest kept go first.
    std::shared_ptr<const Query> KeptQuery(std::string_view sql);
    void KeepQuery(std::string_view sql, std::shared_ptr<const Query> query);
    static constexpr size_t kKeptQueries = 256;

  private:
    Database() = default;

    std::string path_;
    std::shared_ptr<JetImage> image_;  // shared with the row stores
    std::unique_ptr<MdbDefinitions> definitions_;
    std::vector<CatalogEntry> catalog_;

    std::mutex mutex_;  // guards the caches
    std::map<uint32_t, std::shared_ptr<const TableDefinition>> definitionCache_;
    std::map<uint32_t, std::shared_ptr<const TableRows>> rowCache_;
    std::map<std::string, std::shared_ptr<const Query>, std::less<>> queryCache_;
    std::vector<std::string> queryOrder_;  // the kept statements' texts, oldest first
};

}  // namespace jetodbc
