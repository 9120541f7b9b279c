// The database's catalog: the objects that MSysObjects (the table whose
// definition is always at page 2) lists, reduced to what ODBC clients see:
// tables, system tables, saved queries (views) and linked tables. Read once
// per connection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jetodbc/jet_image.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

class MdbDefinitions;

enum class ObjectKind { Table, SystemTable, View, Link };

struct CatalogEntry {
    std::string name;  // Windows-1252, in the file's own letter case
    Utf16 wideName;    // the same, whole
    ObjectKind kind = ObjectKind::Table;
    uint32_t definitionPage = 0;  // tables only
};

// The TABLE_TYPE text that SQLTables reports for kind.
const char* TableTypeName(ObjectKind kind);

// The page of MSysObjects' definition.
constexpr uint32_t kCatalogDefinitionPage = 2;

// Reads MSysObjects from image and returns its tables, views and links in
// stored order; forms, reports, modules, hidden queries and containers are
// left out. A table is a system table when its flags mark it so or its name
// begins with "MSys". Throws DamagedFile when MSysObjects cannot be read.
std::vector<CatalogEntry> ReadCatalog(const JetImage& image, MdbDefinitions& definitions);

}  // namespace jetodbc
