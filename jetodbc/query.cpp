#include "jetodbc/query.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

#include "jetodbc/driver_error.h"
#include "jetodbc/sql_lexer.h"
#include "jetodbc/sql_parser.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

DriverError UnknownTable(const std::string& utf8) {
    return Utf8Error("42S02",
                     "The table '" + utf8 +
                         "' does not exist. Make sure it exists and that "
                         "its name is spelled correctly.",
                     -1305);
}

DriverError Overflow() { return DriverError("22003", "Overflow.", -3034); }

SqlTypeInfo DoubleType() {
    ColumnLayout layout;
    layout.type = kJetDouble;
    layout.size = 8;
    return DescribeColumnType(layout, false, false);
}

bool IsIntegerType(SQLSMALLINT type) {
    return type == SQL_BIT || type == SQL_TINYINT || type == SQL_SMALLINT || type == SQL_INTEGER;
}

bool IsTextOrBytes(SQLSMALLINT type) {
    switch (type) {
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_BINARY:
        case SQL_LONGVARBINARY:
        case SQL_GUID:
            return true;
        default:
            return false;
    }
}

// The running state of one aggregate over one group.
struct Accumulator {
    int64_t count = 0;  // values seen (rows, for COUNT(*))
    int64_t whole = 0;  // exact sum of integers or of currency
    double real = 0.0;  // sum of other numbers
    Value best;         // the chosen value (first, least or greatest)
    bool hasBest = false;

    void Choose(const Value& v) {
        best = v;
        hasBest = true;
    }
};

// The rows' order by their values in columns, lexicographically.
struct KeyLess {
    bool operator()(const std::vector<Value>& a, const std::vector<Value>& b) const {
        for (size_t i = 0; i < a.size(); ++i) {
            const int c = CompareForOrder(a[i], b[i]);
            if (c != 0) return c < 0;
        }
        return false;
    }
};

}  // namespace

std::shared_ptr<const Query> Query::PrepareKept(Database& db, std::string_view sql) {
    if (std::shared_ptr<const Query> kept = db.KeptQuery(sql)) return kept;
    auto query = std::make_shared<const Query>(Prepare(db, sql));
    db.KeepQuery(sql, query);
    return query;
}

Query Query::Prepare(Database& db, std::string_view sql) {
    const SelectStatement statement = ParseSelect(sql);
    Query q;
    std::vector<ResultColumn> resultColumns;  // worked out here, then shared
    q.table_ = db.Find(statement.table);
    if (!q.table_) throw UnknownTable(statement.table);
    q.definition_ = db.Definition(*q.table_);
    const TableDefinition& def = *q.definition_;
    const std::string& alias = statement.tableAlias;
    auto resolve = [&](const ColumnRef& ref) { return ResolveColumn(ref, def, alias); };

    q.distinct_ = statement.distinct;
    q.hasTop_ = statement.hasTop;
    q.top_ = statement.top;
    q.topPercent_ = statement.topPercent;
    for (const ColumnRef& ref : statement.groupBy) q.groupBy_.push_back(resolve(ref));
    q.grouped_ =
        !statement.groupBy.empty() ||
        std::any_of(statement.items.begin(), statement.items.end(),
                    [](const SelectItem& i) { return i.kind == SelectItem::Kind::Aggregate; });

    auto tableColumn = [&](int index, const std::string& shownAs) {
        ResultColumn c;
        c.wideName = shownAs.empty() ? def.columns[index].wideName : DecodeUtf8(shownAs);
        c.name = EncodeCp1252(c.wideName);
        c.table = def.name;
        c.wideTable = def.wideName;
        c.type = def.types[index];
        c.autoNumber = def.columns[index].autoNumber;
        c.nullable = def.Nullable(index) ? SQL_NULLABLE : SQL_NO_NULLS;
        return c;
    };
    // The output of an aggregate, checked against its column's type.
    auto aggregate = [&](Aggregate function, bool countRows, const ColumnRef& ref, size_t position,
                         SqlTypeInfo* type) {
        Output o;
        o.function = function;
        if (!countRows) o.column = resolve(ref);
        if (function == Aggregate::Count) {
            *type = IntegerType();
        } else {
            const SqlTypeInfo& column = def.types[o.column];
            if ((function == Aggregate::Sum || function == Aggregate::Avg) &&
                IsTextOrBytes(column.type)) {
                throw DriverError("22018",
                                  "Data type mismatch in the aggregate at position " +
                                      std::to_string(position) + ".",
                                  -3030);
            }
            if (function == Aggregate::Min || function == Aggregate::Max) {
                *type = column;
            } else if (function == Aggregate::Sum && IsIntegerType(column.type)) {
                *type = IntegerType();
            } else if (function == Aggregate::Sum && column.fixedPrecScale) {
                *type = column;  // currency sums stay exact
            } else {
                *type = DoubleType();
            }
        }
        return o;
    };
    auto notGrouped = [&](size_t position, const std::string& what) {
        return SyntaxErrorAt(position,
                             "'" + what + "' is neither in GROUP BY nor in an aggregate function");
    };

    int unnamed = 0;                   // Access names expressions Expr1000, Expr1001, ...
    std::vector<std::string> aliases;  // per result column, empty when none
    for (const SelectItem& item : statement.items) {
        switch (item.kind) {
            case SelectItem::Kind::TableAllColumns:
                if (!SameName(item.table, def.wideName) &&
                    !(alias.size() && SameName(item.table, DecodeUtf8(alias)))) {
                    throw UnknownTable(item.table);
                }
                [[fallthrough]];
            case SelectItem::Kind::AllColumns:
                if (q.grouped_) throw notGrouped(item.position, "*");
                for (size_t i = 0; i < def.columns.size(); ++i) {
                    resultColumns.push_back(tableColumn(static_cast<int>(i), ""));
                    aliases.emplace_back();
                    q.projection_.push_back(static_cast<uint32_t>(i));
                }
                break;
            case SelectItem::Kind::Column: {
                const int index = resolve(item.column);
                resultColumns.push_back(tableColumn(index, item.alias));
                aliases.push_back(item.alias);
                q.projection_.push_back(static_cast<uint32_t>(index));
                if (q.grouped_) {
                    if (std::find(q.groupBy_.begin(), q.groupBy_.end(), index) ==
                        q.groupBy_.end()) {
                        throw notGrouped(item.column.position, item.column.name);
                    }
                    Output o;
                    o.column = index;
                    q.outputs_.push_back(o);
                }
                break;
            }
            case SelectItem::Kind::Aggregate: {
                ResultColumn c;
                q.outputs_.push_back(
                    aggregate(item.function, item.countRows, item.column, item.position, &c.type));
                c.wideName = DecodeUtf8(
                    item.alias.empty() ? "Expr" + std::to_string(1000 + unnamed++) : item.alias);
                c.name = EncodeCp1252(c.wideName);
                resultColumns.push_back(std::move(c));
                aliases.push_back(item.alias);
                break;
            }
        }
    }

    std::vector<ParameterUse> uses(statement.parameterCount);
    if (statement.where) q.where_ = BoundCondition::Bind(*statement.where, def, alias, &uses);
    q.parameters_ = std::move(uses);

    for (const OrderItem& item : statement.orderBy) {
        // A result column by number or by its (alias) name.
        int result = -1;
        if (item.resultColumn) {
            if (item.resultColumn > resultColumns.size()) {
                throw SyntaxErrorAt(item.position, "there is no result column " +
                                                       std::to_string(item.resultColumn));
            }
            result = static_cast<int>(item.resultColumn) - 1;
        } else if (item.function == Aggregate::None && item.column.table.empty()) {
            for (size_t k = 0; k < aliases.size() && result < 0; ++k) {
                if (!aliases[k].empty() && SameName(item.column.name, DecodeUtf8(aliases[k]))) {
                    result = static_cast<int>(k);
                }
            }
        }
        if (!q.grouped_) {
            if (item.function != Aggregate::None) {
                throw SyntaxErrorAt(item.position, "an aggregate needs an aggregate query");
            }
            const int column =
                result >= 0 ? static_cast<int>(q.projection_[result]) : resolve(item.column);
            q.order_.push_back({column, item.descending});
            continue;
        }
        if (result < 0) {
            // A grouped column or an aggregate: shown, or added unseen.
            Output wanted;
            SqlTypeInfo unused;
            if (item.function != Aggregate::None) {
                wanted =
                    aggregate(item.function, item.countRows, item.column, item.position, &unused);
            } else {
                wanted.column = resolve(item.column);
                if (std::find(q.groupBy_.begin(), q.groupBy_.end(), wanted.column) ==
                    q.groupBy_.end()) {
                    throw notGrouped(item.column.position, item.column.name);
                }
            }
            for (size_t k = 0; k < q.outputs_.size() && result < 0; ++k) {
                if (q.outputs_[k].function == wanted.function &&
                    q.outputs_[k].column == wanted.column) {
                    result = static_cast<int>(k);
                }
            }
            if (result < 0) {
                result = static_cast<int>(q.outputs_.size());
                q.outputs_.push_back(wanted);
            }
        }
        q.order_.push_back({result, item.descending});
    }
    q.columns_ = std::make_shared<const std::vector<ResultColumn>>(std::move(resultColumns));
    return q;
}

ResultSet Query::Execute(Database& db, std::vector<Value> parameters) const {
    parameters.resize(parameters_.size());
    CoerceParameters(parameters_, &parameters);
    std::shared_ptr<const TableRows> store = db.Rows(*table_);
    if (grouped_) return Grouped(*store, parameters);
    return Plain(std::move(store), parameters);
}

ResultSet Query::Plain(std::shared_ptr<const TableRows> store,
                       const std::vector<Value>& parameters) const {
    ResultSet r;
    r.columns = columns_;  // shared, not copied
    r.projection = projection_;
    const TableRows& rows = *store;
    r.store = std::move(store);

    // Of each chosen row only what Finish needs is kept, row after row in
    // keys: its sort keys, then for DISTINCT its shown values.
    std::vector<uint32_t> keyColumns;
    for (const OrderKey& key : order_) keyColumns.push_back(static_cast<uint32_t>(key.column));
    if (distinct_) keyColumns.insert(keyColumns.end(), projection_.begin(), projection_.end());
    const size_t width = keyColumns.size();
    std::vector<Value> keys;
    auto keyAt = [&](uint32_t row, uint32_t column) -> const Value& {
        return keys[row * width + column];
    };
    if (!where_ && keyColumns.empty()) {
        // Every row in stored order: nothing is split until it is fetched.
        if (!hasTop_) {
            r.order = RowOrder::Stored(rows.size());
            return r;
        }
        std::vector<uint32_t> all(rows.size());
        std::iota(all.begin(), all.end(), 0u);
        Finish(keyAt, {}, {}, &all);
        r.order = RowOrder(std::move(all));
        return r;
    }
    // Rows are reached one at a time and only the columns that the
    // condition and the keys read are decoded.
    std::vector<bool> wanted(definition_->columns.size(), false);
    if (where_) where_->MarkColumns(&wanted);
    for (uint32_t c : keyColumns) wanted[c] = true;
    RowCursor cursor;
    std::vector<uint32_t> kept;
    if (!where_) {  // every row is kept
        kept.reserve(rows.size());
        keys.reserve(rows.size() * width);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<Value>& row = cursor.Row(rows, i, wanted);
        if (where_ && where_->Evaluate(row, parameters) != Truth::True) continue;
        kept.push_back(static_cast<uint32_t>(i));
        for (uint32_t c : keyColumns) keys.push_back(row[c]);
    }

    std::vector<uint32_t> sortColumns(order_.size());
    for (size_t k = 0; k < sortColumns.size(); ++k) sortColumns[k] = static_cast<uint32_t>(k);
    std::vector<uint32_t> shownColumns;
    for (size_t k = order_.size(); k < width; ++k) shownColumns.push_back(static_cast<uint32_t>(k));
    std::vector<uint32_t> positions(kept.size());
    for (size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<uint32_t>(i);
    Finish(keyAt, shownColumns, sortColumns, &positions);
    std::vector<uint32_t> shown(positions.size());
    for (size_t i = 0; i < positions.size(); ++i) shown[i] = kept[positions[i]];
    r.order = RowOrder(std::move(shown));
    return r;
}

ResultSet Query::Grouped(const TableRows& table, const std::vector<Value>& parameters) const {
    // Groups in key order, each with one accumulator per output. Rows are cut
    // one at a time, so an accumulator keeps its own copy of a chosen value.
    std::map<std::vector<Value>, std::vector<Accumulator>, KeyLess> groups;
    std::vector<Value> key(groupBy_.size());
    // Only the columns that the condition, the groups and the aggregates
    // read are decoded.
    std::vector<bool> wanted(definition_->columns.size(), false);
    if (where_) where_->MarkColumns(&wanted);
    for (int c : groupBy_) wanted[c] = true;
    for (const Output& out : outputs_) {
        if (out.column >= 0) wanted[out.column] = true;
    }
    RowCursor cursor;
    for (size_t index = 0; index < table.size(); ++index) {
        const std::vector<Value>& row = cursor.Row(table, index, wanted);
        if (where_ && where_->Evaluate(row, parameters) != Truth::True) continue;
        for (size_t k = 0; k < groupBy_.size(); ++k) key[k] = row[groupBy_[k]];
        auto [at, fresh] = groups.try_emplace(key);
        std::vector<Accumulator>& accumulators = at->second;
        if (fresh) accumulators.resize(outputs_.size());
        for (size_t o = 0; o < outputs_.size(); ++o) {
            const Output& out = outputs_[o];
            Accumulator& a = accumulators[o];
            if (out.column < 0) {
                ++a.count;
                continue;
            }
            const Value& v = row[out.column];
            if (v.IsNull() && out.function != Aggregate::None) continue;
            ++a.count;
            switch (out.function) {
                case Aggregate::None:
                    if (!a.hasBest) a.Choose(v);
                    break;
                case Aggregate::Min:
                    if (!a.hasBest || CompareForOrder(v, a.best) < 0) a.Choose(v);
                    break;
                case Aggregate::Max:
                    if (!a.hasBest || CompareForOrder(v, a.best) > 0) a.Choose(v);
                    break;
                case Aggregate::Sum:
                case Aggregate::Avg:
                    if (v.kind == ValueKind::Integer || v.kind == ValueKind::Bit ||
                        v.kind == ValueKind::Currency) {
                        const int64_t amount = v.kind == ValueKind::Bit ? -v.integer : v.integer;
                        if (__builtin_add_overflow(a.whole, amount, &a.whole)) throw Overflow();
                    } else {
                        a.real += v.Amount();
                    }
                    break;
                case Aggregate::Count:
                    break;
            }
        }
    }
    // With no GROUP BY an aggregate query has one row, even over no rows.
    if (groupBy_.empty() && groups.empty()) groups[{}].resize(outputs_.size());

    std::vector<std::vector<Value>> folded;
    folded.reserve(groups.size());
    for (auto& [groupKey, accumulators] : groups) {
        std::vector<Value> row(outputs_.size());
        for (size_t o = 0; o < outputs_.size(); ++o) {
            const Output& out = outputs_[o];
            Accumulator& a = accumulators[o];
            const bool currency = out.column >= 0 && definition_->types[out.column].fixedPrecScale;
            const bool whole =
                out.column >= 0 && IsIntegerType(definition_->types[out.column].type);
            switch (out.function) {
                case Aggregate::None:
                case Aggregate::Min:
                case Aggregate::Max:
                    if (a.hasBest) row[o] = std::move(a.best);
                    break;
                case Aggregate::Count:
                    row[o] = Value::Integer(a.count);
                    break;
                case Aggregate::Sum:
                    if (a.count == 0) break;
                    if (whole) {
                        if (a.whole < INT32_MIN || a.whole > INT32_MAX) throw Overflow();
                        row[o] = Value::Integer(a.whole);
                    } else if (currency) {
                        row[o] = Value::Currency(a.whole);
                    } else {
                        row[o] = Value::Double(a.real);
                    }
                    break;
                case Aggregate::Avg:
                    if (a.count == 0) break;
                    row[o] = Value::Double((currency ? static_cast<double>(a.whole) / 10000.0
                                                     : static_cast<double>(a.whole) + a.real) /
                                           static_cast<double>(a.count));
                    break;
            }
        }
        folded.push_back(std::move(row));
    }
    groups.clear();

    std::vector<uint32_t> shown(columns_->size());
    for (size_t i = 0; i < shown.size(); ++i) shown[i] = static_cast<uint32_t>(i);
    std::vector<uint32_t> sortColumns;
    for (const OrderKey& k : order_) sortColumns.push_back(static_cast<uint32_t>(k.column));
    std::vector<uint32_t> order(folded.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    Finish([&](uint32_t row, uint32_t column) -> const Value& { return folded[row][column]; },
           distinct_ ? shown : std::vector<uint32_t>{}, sortColumns, &order);
    ResultSet r = ResultSet::FromRows(columns_, std::move(folded));
    r.order = RowOrder(std::move(order));
    return r;
}

template <class ValueAt>
bool Query::SortByWholeNumbers(const ValueAt& value, const std::vector<uint32_t>& sortColumns,
                               std::vector<uint32_t>* order) const {
    // NULL sorts before every value, and no stored whole number reaches the
    // smallest int64.
    constexpr int64_t kNullKey = std::numeric_limits<int64_t>::min();
    const size_t width = sortColumns.size();
    uint32_t rows = 0;
    for (uint32_t row : *order) rows = std::max(rows, row + 1);
    std::vector<int64_t> keys(static_cast<size_t>(rows) * width, kNullKey);
    for (uint32_t row : *order) {
        for (size_t k = 0; k < width; ++k) {
            const Value& v = value(row, sortColumns[k]);
            int64_t& key = keys[row * width + k];
            if (v.kind == ValueKind::Integer) {
                key = v.integer;
            } else if (v.kind == ValueKind::Bit) {
                key = -v.integer;  // Yes is -1, as Jet counts it
            } else if (v.kind != ValueKind::Null) {
                return false;
            }
            if (v.kind != ValueKind::Null && key == kNullKey) return false;
        }
    }
    std::stable_sort(order->begin(), order->end(), [&](uint32_t x, uint32_t y) {
        const int64_t* a = &keys[x * width];
        const int64_t* b = &keys[y * width];
        for (size_t k = 0; k < width; ++k) {
            if (a[k] != b[k]) return order_[k].descending ? a[k] > b[k] : a[k] < b[k];
        }
        return false;
    });
    return true;
}

template <class ValueAt>
void Query::Finish(const ValueAt& value, const std::vector<uint32_t>& distinctColumns,
                   const std::vector<uint32_t>& sortColumns, std::vector<uint32_t>* order) const {
    if (!distinctColumns.empty() && order->size() > 1) {
        // Sort a copy by the shown values (stably, so the first of equal rows
        // leads its run) and keep the first of each run, in the old order.
        auto less = [&](uint32_t x, uint32_t y) {
            for (uint32_t c : distinctColumns) {
                const int cmp = CompareForOrder(value(x, c), value(y, c));
                if (cmp != 0) return cmp < 0;
            }
            return false;
        };
        std::vector<uint32_t> sorted = *order;
        std::stable_sort(sorted.begin(), sorted.end(), less);
        std::vector<bool> repeated(order->size(), false);
        for (size_t i = 1; i < sorted.size(); ++i) {
            if (!less(sorted[i - 1], sorted[i])) repeated[sorted[i]] = true;
        }
        order->erase(std::remove_if(order->begin(), order->end(),
                                    [&](uint32_t row) { return repeated[row]; }),
                     order->end());
    }
    if (!sortColumns.empty() && !SortByWholeNumbers(value, sortColumns, order)) {
        std::stable_sort(order->begin(), order->end(), [&](uint32_t x, uint32_t y) {
            for (size_t k = 0; k < sortColumns.size(); ++k) {
                const int c = CompareForOrder(value(x, sortColumns[k]), value(y, sortColumns[k]));
                if (c != 0) return order_[k].descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    if (hasTop_) {
        uint64_t keep = top_;
        if (topPercent_) {
            const uint64_t percent = std::min<uint64_t>(top_, 100);
            keep = (order->size() * percent + 99) / 100;
        }
        if (keep < order->size()) order->resize(static_cast<size_t>(keep));
    }
}

}  // namespace jetodbc
