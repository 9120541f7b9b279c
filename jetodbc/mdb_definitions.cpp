#include "jetodbc/mdb_definitions.h"

#include <mdbtools.h>

#include <cstring>
#include <memory>

#include "jetodbc/driver_error.h"
#include "jetodbc/silenced_stdio.h"

namespace jetodbc {

namespace {

// Owns a table definition that libmdb allocated.
struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

}  // namespace

MdbDefinitions::MdbDefinitions(JetImage& image) {
    SilencedStdio quiet;
    handle_ = mdb_open_buffer(image.data(), image.size(), MDB_NOFLAGS);
    if (!handle_) {
        throw DriverError("HY000", "The database file could not be opened by libmdb.", -1206);
    }
}

MdbDefinitions::~MdbDefinitions() {
    SilencedStdio quiet;
    mdb_close(static_cast<MdbHandle*>(handle_));
}

std::vector<ColumnDefinition> MdbDefinitions::ReadColumns(uint32_t definitionPage,
                                                          const std::string& name,
                                                          uint16_t expectedColumns,
                                                          std::vector<IndexDefinition>* indexes) {
    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = static_cast<MdbHandle*>(handle_);
    entry.object_type = MDB_TABLE;
    entry.table_pg = definitionPage;
    std::strncpy(entry.object_name, name.c_str(), MDB_MAX_OBJ_NAME);

    std::vector<ColumnDefinition> columns;
    {
        SilencedStdio quiet;
        std::unique_ptr<MdbTableDef, TableDefDeleter> table(mdb_read_table(&entry));
        if (!table || !mdb_read_columns(table.get()) || table->num_cols != expectedColumns ||
            table->columns->len != expectedColumns) {
            throw DamagedFile("the definition of table '" + name + "' cannot be read");
        }
        for (guint i = 0; i < table->columns->len; ++i) {
            const MdbColumn* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            ColumnDefinition c;
            c.wideName = DecodeUtf8(col->name);
            c.name = EncodeCp1252(c.wideName);
            c.layout.type = static_cast<uint8_t>(col->col_type);
            c.layout.number = static_cast<uint16_t>(col->col_num);
            c.layout.variableIndex = static_cast<uint16_t>(col->var_col_num);
            c.layout.fixedOffset = static_cast<uint16_t>(col->fixed_offset);
            c.layout.size = static_cast<uint16_t>(col->col_size);
            c.layout.fixed = col->is_fixed != 0;
            // The column entry holds precision, then scale; libmdb reads the
            // two bytes into col_scale and col_prec, in that order.
            c.layout.precision = static_cast<uint8_t>(col->col_scale);
            c.layout.scale = static_cast<uint8_t>(col->col_prec);
            c.autoNumber = col->is_long_auto != 0;
            columns.push_back(std::move(c));
        }
        // Index type 1 is the primary key, 2 the index behind a relationship.
        // mdb_read_indices fills table->indices (its return value is not it).
        if (indexes && table->num_idxs > 0) mdb_read_indices(table.get());
        if (indexes && table->num_idxs > 0 && table->indices) {
            for (guint i = 0; i < table->indices->len; ++i) {
                const MdbIndex* idx = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
                if (idx->index_type == 2 || idx->num_keys == 0 ||
                    idx->num_keys > MDB_MAX_IDX_COLS) {
                    continue;
                }
                IndexDefinition d;
                d.name = DecodeUtf8(idx->name);
                d.primary = idx->index_type == 1;
                d.unique = d.primary || (idx->flags & MDB_IDX_UNIQUE) != 0;
                for (unsigned k = 0; k < idx->num_keys; ++k) {
                    const int column = idx->key_col_num[k] - 1;
                    if (column < 0 || column >= static_cast<int>(columns.size())) {
                        d.keys.clear();
                        break;
                    }
                    d.keys.emplace_back(column, idx->key_col_order[k] == MDB_DESC);
                }
                if (!d.keys.empty()) indexes->push_back(std::move(d));
            }
        }
    }
    for (const ColumnDefinition& c : columns) {
        if (c.name.empty()) throw DamagedFile("a column of table '" + name + "' has no name");
    }
    return columns;
}

}  // namespace jetodbc
