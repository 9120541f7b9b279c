#include "jetodbc/database.h"

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_table_reader.h"
#include "jetodbc/jet_usage_map.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

int TableDefinition::FindColumn(std::string_view wanted) const {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (SameName(wanted, columns[i].wideName)) return static_cast<int>(i);
    }
    return -1;
}

bool TableDefinition::Nullable(size_t i) const {
    if (columns[i].autoNumber || types[i].type == SQL_BIT) return false;
    for (const IndexDefinition& index : indexes) {
        if (!index.primary) continue;
        for (const auto& key : index.keys) {
            if (key.first == static_cast<int>(i)) return false;
        }
    }
    return true;
}

std::shared_ptr<Database> Database::Open(const std::string& path) {
    std::shared_ptr<Database> db(new Database());
    db->path_ = path;
    db->image_ = JetImage::Load(path);
    db->definitions_ = std::make_unique<MdbDefinitions>(*db->image_);
    db->catalog_ = ReadCatalog(*db->image_, *db->definitions_);
    return db;
}

std::string Database::catalog_name() const {
    const size_t slash = path_.find_last_of('/');
    const size_t dot = path_.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
        return path_.substr(0, dot);
    }
    return path_;
}

const CatalogEntry* Database::Find(std::string_view name) const {
    for (const CatalogEntry& e : catalog_) {
        if (SameName(name, e.wideName)) return &e;
    }
    return nullptr;
}

std::shared_ptr<const TableDefinition> Database::Definition(const CatalogEntry& entry) {
    if (entry.kind == ObjectKind::View || entry.kind == ObjectKind::Link) {
        throw DriverError("HYC00",
                          "'" + entry.name + "' is a " +
                              (entry.kind == ObjectKind::View ? "saved query" : "linked table") +
                              ", which this driver cannot read.");
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto cached = definitionCache_.find(entry.definitionPage);
    if (cached != definitionCache_.end()) return cached->second;
    auto def = std::make_shared<TableDefinition>();
    def->name = entry.name;
    def->wideName = entry.wideName;
    // Checked here, on first use, so that one unreadable table leaves the
    // rest of the file usable.
    try {
        def->structure = ReadTableStructure(*image_, entry.definitionPage);
        ReadUsageMap(*image_, def->structure.usageMap);
    } catch (const DriverError& error) {
        throw DriverError(error.state(),
                          std::string(error.what()) + " (table '" + entry.name + "')",
                          error.native());
    }
    def->columns = definitions_->ReadColumns(entry.definitionPage, entry.name,
                                             def->structure.columnCount, &def->indexes);
    for (const ColumnDefinition& c : def->columns) {
        def->types.push_back(DescribeColumnType(c.layout, image_->jet3(), c.autoNumber));
    }
    definitionCache_[entry.definitionPage] = def;
    return def;
}

std::shared_ptr<const TableRows> Database::Rows(const CatalogEntry& entry) {
    const std::shared_ptr<const TableDefinition> def = Definition(entry);
    std::lock_guard<std::mutex> lock(mutex_);
    auto cached = rowCache_.find(entry.definitionPage);
    if (cached != rowCache_.end()) return cached->second;
    std::vector<ColumnLayout> layouts;
    for (const ColumnDefinition& c : def->columns) layouts.push_back(c.layout);
    auto rows = std::make_shared<const TableRows>(image_, def->structure, std::move(layouts));
    rowCache_[entry.definitionPage] = rows;
    return rows;
}

std::shared_ptr<const Query> Database::KeptQuery(std::string_view sql) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto kept = queryCache_.find(sql);
    return kept == queryCache_.end() ? nullptr : kept->second;
}

void Database::KeepQuery(std::string_view sql, std::shared_ptr<const Query> query) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (queryCache_.find(sql) != queryCache_.end()) return;
    if (queryOrder_.size() >= kKeptQueries) {
        queryCache_.erase(queryOrder_.front());
        queryOrder_.erase(queryOrder_.begin());
    }
    queryOrder_.emplace_back(sql);
    queryCache_.emplace(std::string(sql), std::move(query));
}

}  // namespace jetodbc
