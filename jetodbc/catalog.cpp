#include "jetodbc/catalog.h"

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_table_reader.h"
#include "jetodbc/jet_table_structure.h"
#include "jetodbc/mdb_definitions.h"

namespace jetodbc {

namespace {

// MSysObjects' Type column.
constexpr int64_t kTypeTable = 1;
constexpr int64_t kTypeLinkedOdbc = 4;
constexpr int64_t kTypeQuery = 5;
constexpr int64_t kTypeLinked = 6;
// Flags that mark a system object.
constexpr int64_t kSystemFlags = 0x80000002;

int FindColumn(const std::vector<ColumnDefinition>& columns, const char* name) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (EqualsNoCase(columns[i].name, name)) return static_cast<int>(i);
    }
    throw DamagedFile(std::string("the catalog has no column ") + name);
}

}  // namespace

const char* TableTypeName(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Table:
            return "TABLE";
        case ObjectKind::SystemTable:
            return "SYSTEM TABLE";
        case ObjectKind::View:
            return "VIEW";
        case ObjectKind::Link:
            return "LINK";
    }
    return "TABLE";
}

std::vector<CatalogEntry> ReadCatalog(const JetImage& image, MdbDefinitions& definitions) {
    const TableStructure structure = ReadTableStructure(image, kCatalogDefinitionPage);
    const std::vector<ColumnDefinition> columns =
        definitions.ReadColumns(kCatalogDefinitionPage, "MSysObjects", structure.columnCount);
    const int id = FindColumn(columns, "Id");
    const int name = FindColumn(columns, "Name");
    const int type = FindColumn(columns, "Type");
    const int flags = FindColumn(columns, "Flags");

    std::vector<ColumnLayout> layouts;
    std::vector<bool> wanted(columns.size(), false);
    for (const ColumnDefinition& c : columns) layouts.push_back(c.layout);
    wanted[id] = wanted[name] = wanted[type] = wanted[flags] = true;

    std::vector<CatalogEntry> entries;
    TableRowReader(image, structure, layouts).ReadRows(wanted, [&](std::vector<Value>& row) {
        if (row[name].kind != ValueKind::Text || row[name].text.empty()) return;
        CatalogEntry e;
        e.name = EncodeCp1252(row[name].text);
        e.wideName = row[name].text;
        const int64_t objectType = row[type].integer & 0x7f;
        const int64_t objectFlags = row[flags].integer & 0xffffffff;
        if (objectType == kTypeTable) {
            const bool system =
                (objectFlags & kSystemFlags) != 0 || EqualsNoCase(e.name.substr(0, 4), "MSys");
            e.kind = system ? ObjectKind::SystemTable : ObjectKind::Table;
            e.definitionPage = static_cast<uint32_t>(row[id].integer & 0x00ffffff);
        } else if (objectType == kTypeQuery) {
            if (e.name[0] == '~') return;  // the hidden queries behind forms and reports
            e.kind = ObjectKind::View;
        } else if (objectType == kTypeLinked || objectType == kTypeLinkedOdbc) {
            e.kind = ObjectKind::Link;
        } else {
            return;
        }
        entries.push_back(std::move(e));
    });
    return entries;
}

}  // namespace jetodbc
