#include "jetwriter/catalog.h"

#include "jetwriter/jet_page.h"
#include "jetwriter/schema_rules.h"

namespace jetwriter {
namespace {

// Positions in CatalogColumns() of the columns a row fills; the rest is NULL.
constexpr size_t kIdColumn = 0;
constexpr size_t kNameColumn = 2;
constexpr size_t kTypeColumn = 3;
constexpr size_t kDateCreateColumn = 4;
constexpr size_t kDateUpdateColumn = 5;
constexpr size_t kFlagsColumn = 7;
constexpr size_t kCatalogColumnCount = 17;

constexpr int64_t kTableObjectType = 1;
constexpr int64_t kUserTableFlags = 0;
// Marks the catalog's own row as a system table (0x80000002 as a signed Long).
constexpr int64_t kSystemTableFlags = static_cast<int32_t>(0x80000002u);

std::vector<Value> CatalogRow(uint32_t definitionPage, const std::string& name, int64_t flags,
                              double created) {
    std::vector<Value> row(kCatalogColumnCount);
    row[kIdColumn] = Value::Integer(definitionPage);
    row[kNameColumn] = Value::Text(name);
    row[kTypeColumn] = Value::Integer(kTableObjectType);
    row[kDateCreateColumn] = Value::DateTime(created);
    row[kDateUpdateColumn] = Value::DateTime(created);
    row[kFlagsColumn] = Value::Integer(flags);
    return row;
}

}  // namespace

std::vector<Column> CatalogColumns() {
    return {
        MakeColumn("Id", ColumnType::kLongInteger),
        MakeColumn("ParentId", ColumnType::kLongInteger),
        MakeTextColumn("Name", 255),
        MakeColumn("Type", ColumnType::kInteger),
        MakeColumn("DateCreate", ColumnType::kDateTime),
        MakeColumn("DateUpdate", ColumnType::kDateTime),
        MakeColumn("Owner", ColumnType::kBinary),
        MakeColumn("Flags", ColumnType::kLongInteger),
        MakeColumn("Database", ColumnType::kMemo),
        MakeColumn("Connect", ColumnType::kMemo),
        MakeTextColumn("ForeignName", 255),
        MakeColumn("RmtInfoShort", ColumnType::kBinary),
        MakeColumn("RmtInfoLong", ColumnType::kOle),
        MakeColumn("Lv", ColumnType::kOle),
        MakeColumn("LvProp", ColumnType::kOle),
        MakeColumn("LvModule", ColumnType::kOle),
        MakeColumn("LvExtra", ColumnType::kOle),
    };
}

Table BuildCatalogTable(const Database& database, const std::vector<uint32_t>& definitionPages) {
    Table catalog;
    catalog.name = kCatalogName;
    catalog.columns = CatalogColumns();
    catalog.rows.push_back(
        CatalogRow(kCatalogDefinitionPage, kCatalogName, kSystemTableFlags, database.created));
    for (size_t i = 0; i < database.tables.size(); ++i) {
        catalog.rows.push_back(CatalogRow(definitionPages[i], database.tables[i].name,
                                          kUserTableFlags, database.created));
    }
    return catalog;
}

}  // namespace jetwriter
