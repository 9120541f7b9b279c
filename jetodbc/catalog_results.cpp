#include "jetodbc/catalog_results.h"

#include <sqlext.h>
#include <algorithm>

#include "jetodbc/driver_error.h"
#include "jetodbc/search_pattern.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

constexpr SQLULEN kNameLength = 128;

ResultColumn Varchar(const char* name, SQLULEN length = kNameLength) {
    ResultColumn c;
    c.name = name;
    c.type = VarcharType(length);
    return c;
}

ResultColumn Smallint(const char* name, SQLSMALLINT nullable = SQL_NULLABLE) {
    ResultColumn c;
    c.name = name;
    c.type = SmallintType();
    c.nullable = nullable;
    return c;
}

ResultColumn Integer(const char* name) {
    ResultColumn c;
    c.name = name;
    c.type = IntegerType();
    return c;
}

ResultColumn NotNull(ResultColumn c) {
    c.nullable = SQL_NO_NULLS;
    return c;
}

Value TextValue(const std::string& cp1252) { return Value::Text(DecodeCp1252(cp1252)); }

// Whether name fits pattern (UTF-8, as every argument arrives).
// A name argument of a catalog call, decoded once for the names it is
// matched against: a search pattern, or with identifiers an exact name; no
// argument matches every name.
class NamePattern {
  public:
    NamePattern(const OptionalText& pattern, bool identifiers)
        : pattern_(pattern), identifiers_(identifiers) {
        if (pattern && !identifiers) wide_ = DecodeUtf8(*pattern);
    }
    bool Matches(const Utf16& name) const {
        if (!pattern_) return true;
        if (identifiers_) return SameName(*pattern_, name);
        return MatchesSearchPattern(wide_, name);
    }

  private:
    const OptionalText& pattern_;
    bool identifiers_;
    Utf16 wide_;
};

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The types named in a SQLTables type list; empty means every type.
std::vector<std::string> TypeList(const OptionalText& types) {
    std::vector<std::string> list;
    if (!types) return list;
    size_t start = 0;
    while (start <= types->size()) {
        size_t comma = types->find(',', start);
        if (comma == std::string::npos) comma = types->size();
        std::string item = Trim(types->substr(start, comma - start));
        if (item.size() >= 2 && item.front() == '\'' && item.back() == '\'') {
            item = Trim(item.substr(1, item.size() - 2));
        }
        if (!item.empty()) list.push_back(item);
        start = comma + 1;
    }
    return list;
}

// Built once, and never destroyed, so that a call made while the process
// exits still finds it: every SQLTables call shares it.
const ResultColumns& TablesColumns() {
    static const auto* columns = new ResultColumns(
        std::make_shared<const std::vector<ResultColumn>>(std::vector<ResultColumn>{
            Varchar("TABLE_CAT"), Varchar("TABLE_SCHEM"), Varchar("TABLE_NAME"),
            Varchar("TABLE_TYPE"), Varchar("REMARKS", 254)}));
    return *columns;
}

bool IsEmpty(const OptionalText& t) { return t && t->empty(); }

}  // namespace

ResultSet TablesResult(const Database& db, const OptionalText& catalog, const OptionalText& schema,
                       const OptionalText& table, const OptionalText& tableTypes,
                       bool identifiers) {
    std::vector<std::vector<Value>> rows;
    const Value none;
    // The three enumerations ODBC defines through special arguments.
    if (catalog && *catalog == SQL_ALL_CATALOGS && IsEmpty(schema) && IsEmpty(table)) {
        rows.push_back({TextValue(db.catalog_name()), none, none, none, none});
        return ResultSet::FromRows(TablesColumns(), std::move(rows));
    }
    if (schema && *schema == SQL_ALL_SCHEMAS && IsEmpty(catalog) && IsEmpty(table)) {
        return ResultSet::FromRows(TablesColumns(), std::move(rows));
    }
    if (tableTypes && *tableTypes == SQL_ALL_TABLE_TYPES && IsEmpty(catalog) && IsEmpty(schema) &&
        IsEmpty(table)) {
        for (const char* type : {"LINK", "SYSTEM TABLE", "TABLE", "VIEW"}) {
            rows.push_back({none, none, none, TextValue(type), none});
        }
        return ResultSet::FromRows(TablesColumns(), std::move(rows));
    }

    const std::vector<std::string> types = TypeList(tableTypes);
    std::vector<const CatalogEntry*> matches;
    const NamePattern tablePattern(table, identifiers);
    for (const CatalogEntry& e : db.objects()) {
        if (!tablePattern.Matches(e.wideName)) continue;
        const std::string type = TableTypeName(e.kind);
        if (!types.empty() && std::none_of(types.begin(), types.end(), [&](const std::string& t) {
                return EqualsNoCase(t, type);
            })) {
            continue;
        }
        matches.push_back(&e);
    }
    std::stable_sort(
        matches.begin(), matches.end(), [](const CatalogEntry* a, const CatalogEntry* b) {
            const int byType = std::string(TableTypeName(a->kind)).compare(TableTypeName(b->kind));
            if (byType != 0) return byType < 0;
            return CompareNoCase(a->wideName, b->wideName) < 0;
        });
    const Value catalogName = TextValue(db.catalog_name());
    for (const CatalogEntry* e : matches) {
        rows.push_back(
            {catalogName, none, Value::Text(e->wideName), TextValue(TableTypeName(e->kind)), none});
    }
    return ResultSet::FromRows(TablesColumns(), std::move(rows));
}

ResultSet ColumnsResult(Database& db, const OptionalText&, const OptionalText&,
                        const OptionalText& table, const OptionalText& column, bool identifiers,
                        std::vector<DriverError>* unreadable) {
    std::vector<ResultColumn> columns = {Varchar("TABLE_CAT"),
                                         Varchar("TABLE_SCHEM"),
                                         NotNull(Varchar("TABLE_NAME")),
                                         NotNull(Varchar("COLUMN_NAME")),
                                         Smallint("DATA_TYPE", SQL_NO_NULLS),
                                         NotNull(Varchar("TYPE_NAME")),
                                         Integer("COLUMN_SIZE"),
                                         Integer("BUFFER_LENGTH"),
                                         Smallint("DECIMAL_DIGITS"),
                                         Smallint("NUM_PREC_RADIX"),
                                         Smallint("NULLABLE", SQL_NO_NULLS),
                                         Varchar("REMARKS", 254),
                                         Varchar("COLUMN_DEF", 254),
                                         Smallint("SQL_DATA_TYPE", SQL_NO_NULLS),
                                         Smallint("SQL_DATETIME_SUB"),
                                         Integer("CHAR_OCTET_LENGTH"),
                                         NotNull(Integer("ORDINAL_POSITION")),
                                         Varchar("IS_NULLABLE", 254)};
    std::vector<const CatalogEntry*> tables;
    const NamePattern tablePattern(table, identifiers);
    const NamePattern columnPattern(column, identifiers);
    for (const CatalogEntry& e : db.objects()) {
        if (e.kind != ObjectKind::Table && e.kind != ObjectKind::SystemTable) continue;
        if (tablePattern.Matches(e.wideName)) tables.push_back(&e);
    }
    std::stable_sort(tables.begin(), tables.end(),
                     [](const CatalogEntry* a, const CatalogEntry* b) {
                         return CompareNoCase(a->wideName, b->wideName) < 0;
                     });
    const Value none;
    const Value catalogName = TextValue(db.catalog_name());
    std::vector<std::vector<Value>> rows;
    std::vector<DriverError> failed;
    bool anyRead = false;
    for (const CatalogEntry* e : tables) {
        std::shared_ptr<const TableDefinition> def;
        try {
            def = db.Definition(*e);
        } catch (const DriverError& error) {
            failed.push_back(error);
            continue;
        }
        anyRead = true;
        for (size_t i = 0; i < def->columns.size(); ++i) {
            const ColumnDefinition& c = def->columns[i];
            if (!columnPattern.Matches(c.wideName)) continue;
            const SqlTypeInfo& t = def->types[i];
            const bool datetime = t.type == SQL_TYPE_TIMESTAMP;
            const bool characters = t.type == SQL_VARCHAR || t.type == SQL_LONGVARCHAR ||
                                    t.type == SQL_BINARY || t.type == SQL_LONGVARBINARY;
            const bool nullable = def->Nullable(i);
            rows.push_back({
                catalogName,
                none,
                Value::Text(def->wideName),
                Value::Text(c.wideName),
                Value::Integer(t.type),
                TextValue(t.typeName),
                Value::Integer(static_cast<int64_t>(t.columnSize)),
                Value::Integer(t.octetLength),
                t.radix ? Value::Integer(t.decimalDigits) : none,
                t.radix ? Value::Integer(t.radix) : none,
                Value::Integer(nullable ? SQL_NULLABLE : SQL_NO_NULLS),
                none,
                none,
                Value::Integer(datetime ? SQL_DATETIME : t.type),
                datetime ? Value::Integer(SQL_CODE_TIMESTAMP) : none,
                characters ? Value::Integer(t.octetLength) : none,
                Value::Integer(static_cast<int64_t>(i + 1)),
                TextValue(nullable ? "YES" : "NO"),
            });
        }
    }
    if (!anyRead && !failed.empty()) throw failed.front();
    if (unreadable) *unreadable = std::move(failed);
    return ResultSet::FromRows(std::move(columns), std::move(rows));
}

namespace {

// The definition of the table named exactly table, or null.
std::shared_ptr<const TableDefinition> NamedTable(Database& db, const OptionalText& table) {
    if (!table) throw DriverError("HY009", "Invalid use of null pointer: a table name is needed.");
    const CatalogEntry* e = db.Find(*table);
    if (!e || (e->kind != ObjectKind::Table && e->kind != ObjectKind::SystemTable)) return nullptr;
    return db.Definition(*e);
}

// The index that identifies a row best: the primary key, else the first
// unique index; null when there is neither.
const IndexDefinition* BestKey(const TableDefinition& def) {
    const IndexDefinition* best = nullptr;
    for (const IndexDefinition& i : def.indexes) {
        if (i.primary) return &i;
        if (i.unique && !best) best = &i;
    }
    return best;
}

}  // namespace

ResultSet StatisticsResult(Database& db, const OptionalText& table, bool uniqueOnly, bool ensure) {
    std::vector<ResultColumn> columns = {
        Varchar("TABLE_CAT"),       Varchar("TABLE_SCHEM"),       NotNull(Varchar("TABLE_NAME")),
        Smallint("NON_UNIQUE"),     Varchar("INDEX_QUALIFIER"),   Varchar("INDEX_NAME"),
        NotNull(Smallint("TYPE")),  Smallint("ORDINAL_POSITION"), Varchar("COLUMN_NAME"),
        Varchar("ASC_OR_DESC", 1),  Integer("CARDINALITY"),       Integer("PAGES"),
        Varchar("FILTER_CONDITION")};
    std::vector<std::vector<Value>> rows;
    const std::shared_ptr<const TableDefinition> def = NamedTable(db, table);
    if (!def) return ResultSet::FromRows(std::move(columns), std::move(rows));
    const Value none;
    const Value catalogName = TextValue(db.catalog_name());
    const Value tableName = Value::Text(def->wideName);
    Value cardinality;
    if (ensure) {
        cardinality = Value::Integer(
            static_cast<int64_t>(db.Rows(*db.Find(EncodeUtf8(def->wideName)))->size()));
    }
    rows.push_back({catalogName, none, tableName, none, none, none, Value::Integer(SQL_TABLE_STAT),
                    none, none, none, cardinality, none, none});
    // Unique indexes first, then by name, as ODBC orders the result.
    std::vector<const IndexDefinition*> indexes;
    for (const IndexDefinition& i : def->indexes) {
        if (!uniqueOnly || i.unique) indexes.push_back(&i);
    }
    std::stable_sort(indexes.begin(), indexes.end(),
                     [](const IndexDefinition* a, const IndexDefinition* b) {
                         if (a->unique != b->unique) return a->unique;
                         return CompareNoCase(a->name, b->name) < 0;
                     });
    for (const IndexDefinition* i : indexes) {
        for (size_t k = 0; k < i->keys.size(); ++k) {
            const auto& [column, descending] = i->keys[k];
            rows.push_back({catalogName, none, tableName, Value::Integer(i->unique ? 0 : 1),
                            catalogName, Value::Text(i->name), Value::Integer(SQL_INDEX_OTHER),
                            Value::Integer(static_cast<int64_t>(k + 1)),
                            Value::Text(def->columns[column].wideName),
                            TextValue(descending ? "D" : "A"), none, none, none});
        }
    }
    return ResultSet::FromRows(std::move(columns), std::move(rows));
}

ResultSet PrimaryKeysResult(Database& db, const OptionalText& table) {
    std::vector<ResultColumn> columns = {
        Varchar("TABLE_CAT"),           Varchar("TABLE_SCHEM"),
        NotNull(Varchar("TABLE_NAME")), NotNull(Varchar("COLUMN_NAME")),
        NotNull(Smallint("KEY_SEQ")),   Varchar("PK_NAME")};
    std::vector<std::vector<Value>> rows;
    const std::shared_ptr<const TableDefinition> def = NamedTable(db, table);
    for (const IndexDefinition& i : def ? def->indexes : std::vector<IndexDefinition>()) {
        if (!i.primary) continue;
        for (size_t k = 0; k < i.keys.size(); ++k) {
            rows.push_back({TextValue(db.catalog_name()), Value(), Value::Text(def->wideName),
                            Value::Text(def->columns[i.keys[k].first].wideName),
                            Value::Integer(static_cast<int64_t>(k + 1)), Value::Text(i.name)});
        }
    }
    return ResultSet::FromRows(std::move(columns), std::move(rows));
}

ResultSet SpecialColumnsResult(Database& db, SQLUSMALLINT identifierType,
                               const OptionalText& table) {
    std::vector<ResultColumn> columns = {Smallint("SCOPE"),
                                         NotNull(Varchar("COLUMN_NAME")),
                                         NotNull(Smallint("DATA_TYPE")),
                                         NotNull(Varchar("TYPE_NAME")),
                                         Integer("COLUMN_SIZE"),
                                         Integer("BUFFER_LENGTH"),
                                         Smallint("DECIMAL_DIGITS"),
                                         Smallint("PSEUDO_COLUMN")};
    std::vector<std::vector<Value>> rows;
    const std::shared_ptr<const TableDefinition> def =
        identifierType == SQL_BEST_ROWID ? NamedTable(db, table) : nullptr;
    const IndexDefinition* key = def ? BestKey(*def) : nullptr;
    for (size_t k = 0; key && k < key->keys.size(); ++k) {
        const int column = key->keys[k].first;
        const SqlTypeInfo& t = def->types[column];
        rows.push_back({Value::Integer(SQL_SCOPE_SESSION),
                        Value::Text(def->columns[column].wideName), Value::Integer(t.type),
                        TextValue(t.typeName), Value::Integer(static_cast<int64_t>(t.columnSize)),
                        Value::Integer(t.octetLength),
                        t.radix ? Value::Integer(t.decimalDigits) : Value(),
                        Value::Integer(SQL_PC_NOT_PSEUDO)});
    }
    return ResultSet::FromRows(std::move(columns), std::move(rows));
}

ResultSet TypeInfoResult(SQLSMALLINT dataType, int odbcVersion) {
    struct TypeRow {
        const char* name;
        SQLSMALLINT type;
        int64_t size;
        const char* prefix;
        const char* suffix;
        const char* params;
        bool caseSensitive;
        bool isUnsigned;  // meaningful for numbers only
        bool money;
        bool autoUnique;
        bool numeric;
        int minScale, maxScale;
    };
    static const TypeRow kTypes[] = {
        {"GUID", SQL_GUID, 36, "{guid ", "}", nullptr, false, false, false, false, false, -1, -1},
        {"BIT", SQL_BIT, 1, nullptr, nullptr, nullptr, false, false, false, false, false, 0, 0},
        {"BYTE", SQL_TINYINT, 3, nullptr, nullptr, nullptr, false, true, false, false, true, 0, 0},
        {"LONGBINARY", SQL_LONGVARBINARY, 1073741823, "0x", nullptr, nullptr, false, false, false,
         false, false, -1, -1},
        {"BINARY", SQL_BINARY, 510, "0x", nullptr, "max length", false, false, false, false, false,
         -1, -1},
        {"LONGCHAR", SQL_LONGVARCHAR, 1073741823, "'", "'", nullptr, false, false, false, false,
         false, -1, -1},
        {"CURRENCY", SQL_NUMERIC, 19, nullptr, nullptr, nullptr, false, false, true, false, true, 4,
         4},
        {"DECIMAL", SQL_NUMERIC, 28, nullptr, nullptr, "precision,scale", false, false, false,
         false, true, 0, 28},
        {"COUNTER", SQL_INTEGER, 10, nullptr, nullptr, nullptr, false, false, false, true, true, 0,
         0},
        {"INTEGER", SQL_INTEGER, 10, nullptr, nullptr, nullptr, false, false, false, false, true, 0,
         0},
        {"SMALLINT", SQL_SMALLINT, 5, nullptr, nullptr, nullptr, false, false, false, false, true,
         0, 0},
        {"REAL", SQL_REAL, 7, nullptr, nullptr, nullptr, false, false, false, false, true, -1, -1},
        {"DOUBLE", SQL_DOUBLE, 15, nullptr, nullptr, nullptr, false, false, false, false, true, -1,
         -1},
        {"VARCHAR", SQL_VARCHAR, 255, "'", "'", "max length", false, false, false, false, false, -1,
         -1},
        {"DATETIME", SQL_TYPE_TIMESTAMP, 19, "#", "#", nullptr, false, false, false, false, false,
         -1, -1},
    };
    SQLSMALLINT wanted = dataType;
    if (wanted == SQL_TIMESTAMP) wanted = SQL_TYPE_TIMESTAMP;
    static const SQLSMALLINT kKnown[] = {
        SQL_ALL_TYPES, SQL_CHAR,         SQL_VARCHAR,        SQL_LONGVARCHAR, SQL_WCHAR,
        SQL_WVARCHAR,  SQL_WLONGVARCHAR, SQL_DECIMAL,        SQL_NUMERIC,     SQL_SMALLINT,
        SQL_INTEGER,   SQL_REAL,         SQL_FLOAT,          SQL_DOUBLE,      SQL_BIT,
        SQL_TINYINT,   SQL_BIGINT,       SQL_BINARY,         SQL_VARBINARY,   SQL_LONGVARBINARY,
        SQL_TYPE_DATE, SQL_TYPE_TIME,    SQL_TYPE_TIMESTAMP, SQL_DATE,        SQL_TIME,
        SQL_GUID};
    if (std::find(std::begin(kKnown), std::end(kKnown), dataType) == std::end(kKnown)) {
        throw DriverError("HY004", "Invalid SQL data type.", 0);
    }
    const Value none;
    auto text = [&](const char* s) { return s ? TextValue(s) : none; };
    std::vector<std::vector<Value>> rows;
    for (const TypeRow& t : kTypes) {
        if (wanted != SQL_ALL_TYPES && t.type != wanted) continue;
        const SQLSMALLINT shown = TypeForVersion(t.type, odbcVersion);
        const bool datetime = t.type == SQL_TYPE_TIMESTAMP;
        rows.push_back({
            TextValue(t.name),
            Value::Integer(shown),
            Value::Integer(t.size),
            text(t.prefix),
            text(t.suffix),
            text(t.params),
            Value::Integer(t.autoUnique ? SQL_NO_NULLS : SQL_NULLABLE),
            Value::Integer(t.caseSensitive ? SQL_TRUE : SQL_FALSE),
            Value::Integer(SQL_SEARCHABLE),
            t.numeric ? Value::Integer(t.isUnsigned ? SQL_TRUE : SQL_FALSE) : none,
            Value::Integer(t.money ? SQL_TRUE : SQL_FALSE),
            t.numeric ? Value::Integer(t.autoUnique ? SQL_TRUE : SQL_FALSE) : none,
            TextValue(t.name),
            t.minScale >= 0 ? Value::Integer(t.minScale) : none,
            t.maxScale >= 0 ? Value::Integer(t.maxScale) : none,
            Value::Integer(datetime ? SQL_DATETIME : t.type),
            datetime ? Value::Integer(SQL_CODE_TIMESTAMP) : none,
            t.numeric ? Value::Integer(10) : none,
            none,
        });
    }
    std::vector<ResultColumn> columns = {NotNull(Varchar("TYPE_NAME")),
                                         Smallint("DATA_TYPE", SQL_NO_NULLS),
                                         Integer("COLUMN_SIZE"),
                                         Varchar("LITERAL_PREFIX"),
                                         Varchar("LITERAL_SUFFIX"),
                                         Varchar("CREATE_PARAMS"),
                                         Smallint("NULLABLE", SQL_NO_NULLS),
                                         Smallint("CASE_SENSITIVE", SQL_NO_NULLS),
                                         Smallint("SEARCHABLE", SQL_NO_NULLS),
                                         Smallint("UNSIGNED_ATTRIBUTE"),
                                         Smallint("FIXED_PREC_SCALE", SQL_NO_NULLS),
                                         Smallint("AUTO_UNIQUE_VALUE"),
                                         Varchar("LOCAL_TYPE_NAME"),
                                         Smallint("MINIMUM_SCALE"),
                                         Smallint("MAXIMUM_SCALE"),
                                         Smallint("SQL_DATA_TYPE", SQL_NO_NULLS),
                                         Smallint("SQL_DATETIME_SUB"),
                                         Integer("NUM_PREC_RADIX"),
                                         Smallint("INTERVAL_PRECISION")};
    return ResultSet::FromRows(std::move(columns), std::move(rows));
}

}  // namespace jetodbc
