// The system catalog, MSysObjects: the table through which readers find the
// user tables. It has the seventeen columns Access gives it, one row for
// itself and one per user table (type 1, Id = the table's definition page,
// flags 0 so that readers count it as a user table).
#pragma once

#include <cstdint>
#include <vector>

#include "jetwriter/database.h"

namespace jetwriter {

// The catalog's columns, in order.
std::vector<Column> CatalogColumns();

// The catalog of database, whose user table i has its definition on page
// definitionPages[i].
Table BuildCatalogTable(const Database& database, const std::vector<uint32_t>& definitionPages);

}  // namespace jetwriter
