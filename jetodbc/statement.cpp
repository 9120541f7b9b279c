#include "jetodbc/statement.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "jetodbc/column_description.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/out_string.h"
#include "jetodbc/scroll_position.h"

namespace jetodbc {

namespace {

DriverError InvalidCursorState() { return DriverError("24000", "Invalid cursor state.", 0); }
DriverError SequenceError() { return DriverError("HY010", "Function sequence error.", 0); }
DriverError BadColumn() { return DriverError("07009", "Invalid descriptor index.", 0); }

}  // namespace

Statement::Statement(Connection* owner)
    : connection(owner), attributes_(owner->statementDefaults) {}

Database& Statement::database() const {
    if (!connection->database) throw DriverError("08003", "Connection not open.", 0);
    return *connection->database;
}

const std::vector<ResultColumn>* Statement::Described() const {
    if (result_) return result_->columns.get();
    if (prepared_) return &prepared_->columns();
    return nullptr;
}

void Statement::RequireCursor() const {
    if (!result_) throw InvalidCursorState();
}

void Statement::OpenResult(ResultSet result) {
    if (attributes_.maxRows > 0) result.order.Truncate(attributes_.maxRows);
    rowCount_ = static_cast<SQLLEN>(result.row_count());
    diag.set_cursor_row_count(rowCount_);
    result_ = std::move(result);
    bindingsPlanned_ = false;
    if (++resultNumber_ == 0) {  // wrapped: no binding may claim the new result
        for (Binding& b : bindings_) b.plannedFor = 0;
        resultNumber_ = 1;
    }
    rowsetStart_ = 0;
    rowsetSize_ = 0;
    rowInRowset_ = 0;
    pieceColumn_ = 0;
    piece_ = PieceState();
}

void Statement::CloseResult() {
    result_.reset();
    rowsetStart_ = 0;
    rowsetSize_ = 0;
    pieceColumn_ = 0;
}

SQLRETURN Statement::Prepare(std::string_view sql) {
    if (result_) throw InvalidCursorState();
    prepared_.reset();
    prepared_ = Query::PrepareKept(database(), sql);
    return SQL_SUCCESS;
}

SQLRETURN Statement::Execute() {
    if (!prepared_) throw SequenceError();
    if (result_) throw InvalidCursorState();
    const size_t markers = prepared_->parameters().size();
    std::vector<Value> values;
    values.reserve(markers);
    const SQLULEN offset = attributes_.paramBindOffset ? *attributes_.paramBindOffset : 0;
    for (size_t i = 1; i <= markers; ++i) {
        const auto bound = parameters_.find(static_cast<SQLUSMALLINT>(i));
        if (bound == parameters_.end()) {
            throw DriverError(
                "07002", "COUNT field incorrect: parameter " + std::to_string(i) + " is not bound.",
                -3010);
        }
        values.push_back(ParameterValue(bound->second, offset));
    }
    OpenResult(prepared_->Execute(database(), std::move(values)));
    if (attributes_.paramsProcessed) *attributes_.paramsProcessed = 1;
    if (attributes_.paramStatus) attributes_.paramStatus[0] = SQL_PARAM_SUCCESS;
    return SQL_SUCCESS;
}

SQLRETURN Statement::ExecDirect(std::string_view sql) {
    Prepare(sql);
    return Execute();
}

SQLRETURN Statement::Tables(const OptionalText& catalog, const OptionalText& schema,
                            const OptionalText& table, const OptionalText& types) {
    if (result_) throw InvalidCursorState();
    prepared_.reset();
    OpenResult(TablesResult(database(), catalog, schema, table, types,
                            attributes_.metadataId == SQL_TRUE));
    return SQL_SUCCESS;
}

SQLRETURN Statement::Columns(const OptionalText& catalog, const OptionalText& schema,
                             const OptionalText& table, const OptionalText& column) {
    if (result_) throw InvalidCursorState();
    prepared_.reset();
    std::vector<DriverError> unreadable;
    OpenResult(ColumnsResult(database(), catalog, schema, table, column,
                             attributes_.metadataId == SQL_TRUE, &unreadable));
    // Each table left out is named in a general warning.
    for (const DriverError& e : unreadable) {
        diag.Add("01000", std::string("Columns left out: ") + e.what(), e.native());
    }
    return unreadable.empty() ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
}

SQLRETURN Statement::GetTypeInfo(SQLSMALLINT dataType) {
    if (result_) throw InvalidCursorState();
    prepared_.reset();
    OpenResult(TypeInfoResult(dataType, connection->odbc_version()));
    return SQL_SUCCESS;
}

SQLRETURN Statement::Statistics(const OptionalText& table, SQLUSMALLINT unique,
                                SQLUSMALLINT reserved) {
    if (result_) throw InvalidCursorState();
    if (unique != SQL_INDEX_UNIQUE && unique != SQL_INDEX_ALL) {
        throw DriverError("HY100", "Uniqueness option type out of range.", 0);
    }
    if (reserved != SQL_ENSURE && reserved != SQL_QUICK) {
        throw DriverError("HY101", "Accuracy option type out of range.", 0);
    }
    prepared_.reset();
    OpenResult(
        StatisticsResult(database(), table, unique == SQL_INDEX_UNIQUE, reserved == SQL_ENSURE));
    return SQL_SUCCESS;
}

SQLRETURN Statement::PrimaryKeys(const OptionalText& table) {
    if (result_) throw InvalidCursorState();
    prepared_.reset();
    OpenResult(PrimaryKeysResult(database(), table));
    return SQL_SUCCESS;
}

SQLRETURN Statement::SpecialColumns(SQLUSMALLINT identifierType, const OptionalText& table) {
    if (result_) throw InvalidCursorState();
    if (identifierType != SQL_BEST_ROWID && identifierType != SQL_ROWVER) {
        throw DriverError("HY097", "Column type out of range.", 0);
    }
    prepared_.reset();
    OpenResult(SpecialColumnsResult(database(), identifierType, table));
    return SQL_SUCCESS;
}

SQLRETURN Statement::NumResultCols(SQLSMALLINT* count) {
    const std::vector<ResultColumn>* columns = Described();
    if (count) *count = columns ? static_cast<SQLSMALLINT>(columns->size()) : 0;
    return SQL_SUCCESS;
}

SQLRETURN Statement::DescribeCol(SQLUSMALLINT column, bool wide, void* name,
                                 SQLSMALLINT bufferLength, SQLSMALLINT* nameLength,
                                 SQLSMALLINT* dataType, SQLULEN* columnSize,
                                 SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable) {
    const std::vector<ResultColumn>* columns = Described();
    if (!columns) throw SequenceError();
    if (column < 1 || column > columns->size()) throw BadColumn();
    std::string warning;
    const SQLRETURN rc =
        DescribeColumn((*columns)[column - 1], connection->odbc_version(), wide, name, bufferLength,
                       nameLength, dataType, columnSize, decimalDigits, nullable, &warning);
    if (!warning.empty()) diag.AddWarning(warning);
    return rc;
}

SQLRETURN Statement::ColAttribute(SQLUSMALLINT column, bool wide, SQLUSMALLINT field,
                                  SQLPOINTER text, SQLSMALLINT bufferLength,
                                  SQLSMALLINT* textLength, SQLLEN* number) {
    const std::vector<ResultColumn>* columns = Described();
    if (!columns) throw SequenceError();
    if (field == SQL_DESC_COUNT || field == SQL_COLUMN_COUNT) {
        if (number) *number = static_cast<SQLLEN>(columns->size());
        return SQL_SUCCESS;
    }
    if (column < 1 || column > columns->size()) throw BadColumn();
    std::string warning;
    const SQLRETURN rc =
        ColumnAttribute((*columns)[column - 1], static_cast<SQLSMALLINT>(columns->size()),
                        connection->odbc_version(), wide, database().catalog_name(), field, text,
                        bufferLength, textLength, number, &warning);
    if (!warning.empty()) diag.AddWarning(warning);
    return rc;
}

SQLRETURN Statement::RowCount(SQLLEN* count) {
    if (count) *count = rowCount_;
    return SQL_SUCCESS;
}

SQLRETURN Statement::NumParams(SQLSMALLINT* count) {
    if (!prepared_) throw SequenceError();
    if (count) *count = static_cast<SQLSMALLINT>(prepared_->parameters().size());
    return SQL_SUCCESS;
}

SQLRETURN Statement::DescribeParam(SQLUSMALLINT number, SQLSMALLINT* dataType, SQLULEN* size,
                                   SQLSMALLINT* decimalDigits, SQLSMALLINT* nullable) {
    if (!prepared_) throw SequenceError();
    const std::vector<ParameterUse>& uses = prepared_->parameters();
    if (number < 1 || number > uses.size()) throw BadColumn();
    const ParameterUse& use = uses[number - 1];
    SqlTypeInfo type = VarcharType(255);
    if (use.hasType) {
        type = use.type;
    } else if (use.category == Category::Number) {
        ColumnLayout layout;
        layout.type = kJetDouble;
        layout.size = 8;
        type = DescribeColumnType(layout, false, false);
    }
    if (dataType) *dataType = TypeForVersion(type.type, connection->odbc_version());
    if (size) *size = type.columnSize;
    if (decimalDigits) *decimalDigits = type.decimalDigits;
    if (nullable) *nullable = SQL_NULLABLE;
    return SQL_SUCCESS;
}

SQLRETURN Statement::BindParameter(SQLUSMALLINT number, SQLSMALLINT ioType, SQLSMALLINT cType,
                                   SQLSMALLINT sqlType, SQLULEN columnSize,
                                   SQLSMALLINT decimalDigits, SQLPOINTER data, SQLLEN bufferLength,
                                   SQLLEN* indicator) {
    if (number == 0) throw BadColumn();
    if (ioType != SQL_PARAM_INPUT) {
        throw DriverError("HY105", "Invalid parameter type: only input parameters are taken.", 0);
    }
    if (!IsKnownCType(cType)) throw DriverError("HY003", "Program type out of range.", 0);
    if (bufferLength < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
    if (!data && !indicator) throw DriverError("HY009", "Invalid use of null pointer.", 0);
    parameters_[number] =
        ParameterBinding{cType, sqlType, columnSize, decimalDigits, data, bufferLength, indicator};
    return SQL_SUCCESS;
}

SQLRETURN Statement::BindCol(SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target,
                             SQLLEN bufferLength, SQLLEN* indicator) {
    if (column == 0) throw BadColumn();  // bookmarks are off
    const size_t slot = column - 1u;
    if (!target) {  // unbinding: only the one column; the slot keeps its type for a rebind
        if (slot < bindings_.size()) bindings_[slot].target = nullptr;
        return SQL_SUCCESS;
    }
    const std::vector<ResultColumn>* columns = Described();
    if (columns && column > columns->size()) throw BadColumn();
    // A client that binds a buffer before each fetch and unbinds it after
    // rebinds the same kind of buffer: the type and length were checked then.
    if (slot < bindings_.size()) {
        Binding& b = bindings_[slot];
        if (b.cType != 0 && b.cType == cType && b.bufferLength == bufferLength) {
            b.target = target;
            b.indicator = indicator;
            if (b.plannedFor != resultNumber_) bindingsPlanned_ = false;
            return SQL_SUCCESS;
        }
    }
    if (!IsKnownCType(cType)) throw DriverError("HY003", "Program type out of range.", 0);
    if (bufferLength < 0 && IsVariableCType(cType)) {
        throw DriverError("HY090", "Invalid string or buffer length.", 0);
    }
    if (slot >= bindings_.size()) bindings_.resize(slot + 1);
    bindings_[slot] = Binding{cType, target, bufferLength, indicator};
    bindingsPlanned_ = false;
    return SQL_SUCCESS;
}

void Statement::Plan(Binding& b, size_t slot) const {
    const ResultColumn& column = (*result_->columns)[slot];
    b.resolved = b.cType == SQL_C_DEFAULT ? DefaultCType(column.type) : b.cType;
    b.element =
        IsVariableCType(b.resolved) ? static_cast<size_t>(b.bufferLength) : CTypeSize(b.resolved);
    const ColumnLayout* stored = result_->StoredLayout(slot);
    b.route = stored ? ChooseFieldRoute(*stored, b.resolved) : FieldRoute::General;
    b.jetType = stored ? stored->type : 0;
    b.plannedFor = resultNumber_;
}

SQLUSMALLINT Statement::TransferRow(size_t resultRow, SQLULEN i, bool* error, bool* warning) {
    const SQLULEN offset = attributes_.bindOffset ? *attributes_.bindOffset : 0;
    const bool byColumn = attributes_.rowBindType == SQL_BIND_BY_COLUMN;
    const bool jet3 = result_->jet3();
    const SQLULEN maxLength = attributes_.maxLength;
    SQLUSMALLINT status = SQL_ROW_SUCCESS;
    const size_t bound = std::min(bindings_.size(), result_->columns->size());
    // The row is split once for every column that takes a direct route
    // (only rows read from a table have one); a row that cannot be split
    // gives each of those columns the split's error.
    const FieldSlice* fields = nullptr;
    std::optional<DriverError> unsplit;
    if (result_->store->located()) {
        try {
            fields = result_->FieldsOf(resultRow);
        } catch (const DriverError& e) {
            unsplit = e;
        }
    }
    const uint32_t* projection = result_->projection.data();
    for (size_t slot = 0; slot < bound; ++slot) {
        const Binding& b = bindings_[slot];
        if (!b.target) continue;
        char* target = static_cast<char*>(b.target) + offset;
        SQLLEN* indicator = nullptr;
        if (i > 0) {  // the element size matters only past the rowset's first row
            target += i * (byColumn ? b.element : static_cast<size_t>(attributes_.rowBindType));
        }
        if (b.indicator) {
            char* base = reinterpret_cast<char*>(b.indicator) + offset;
            indicator = reinterpret_cast<SQLLEN*>(
                base + i * (byColumn ? sizeof(SQLLEN) : attributes_.rowBindType));
        }
        const auto column = static_cast<SQLUSMALLINT>(slot + 1);
        const SQLLEN rowNumber = static_cast<SQLLEN>(i + 1);
        FieldOutcome outcome = FieldOutcome::General;
        if (b.route != FieldRoute::General) {
            if (unsplit) {
                diag.Add(*unsplit, rowNumber, column);
                *error = true;
                status = SQL_ROW_ERROR;
                continue;
            }
            const BoundBuffer out{target, b.bufferLength, indicator, maxLength};
            outcome = PutField(b.route, b.resolved, b.jetType, jet3, fields[projection[slot]], out);
            if (outcome == FieldOutcome::Done) continue;
        }
        try {
            std::string w;  // a conversion's warning
            if (outcome == FieldOutcome::General) {
                const ClientBuffer buffer{target,  b.bufferLength, indicator,
                                          nullptr, maxLength,      &w};
                if (ConvertValue(result_->At(resultRow, slot), (*result_->columns)[slot].type,
                                 b.resolved, buffer) != SQL_SUCCESS_WITH_INFO) {
                    continue;
                }
            } else if (outcome == FieldOutcome::Truncated) {
                w = "01004";
            } else {
                continue;
            }
            diag.AddWarning(w, rowNumber, column);
            *warning = true;
            if (status == SQL_ROW_SUCCESS) status = SQL_ROW_SUCCESS_WITH_INFO;
        } catch (const DriverError& e) {
            diag.Add(e, rowNumber, column);
            *error = true;
            status = SQL_ROW_ERROR;
        }
    }
    return status;
}

SQLRETURN Statement::FetchScroll(SQLSMALLINT orientation, SQLLEN offset) {
    RequireCursor();
    switch (orientation) {
        case SQL_FETCH_NEXT:
            break;
        case SQL_FETCH_PRIOR:
        case SQL_FETCH_FIRST:
        case SQL_FETCH_LAST:
        case SQL_FETCH_ABSOLUTE:
        case SQL_FETCH_RELATIVE:
            if (attributes_.cursorType == SQL_CURSOR_FORWARD_ONLY) {
                throw DriverError("HY106", "Fetch type out of range.", 0);
            }
            break;
        case SQL_FETCH_BOOKMARK:
            throw DriverError("HYC00", "Bookmarks are not supported.", 0);
        default:
            throw DriverError("HY106", "Fetch type out of range.", 0);
    }
    const int64_t rows = static_cast<int64_t>(result_->row_count());
    const SQLULEN size = attributes_.rowArraySize;
    bool clamped = false;
    const int64_t step =
        rowsetSize_ ? static_cast<int64_t>(rowsetSize_) : static_cast<int64_t>(size);
    int64_t start = ScrollTarget(rowsetStart_, rows,
                                 orientation == SQL_FETCH_NEXT ? step : static_cast<int64_t>(size),
                                 orientation, offset, &clamped);
    rowsetStart_ = start;
    rowInRowset_ = 0;
    pieceColumn_ = 0;
    piece_ = PieceState();
    if (start < 1 || start > rows) {
        rowsetSize_ = 0;
        if (attributes_.rowsFetched) *attributes_.rowsFetched = 0;
        if (attributes_.rowStatus) {
            for (SQLULEN i = 0; i < size; ++i) attributes_.rowStatus[i] = SQL_ROW_NOROW;
        }
        return SQL_NO_DATA;
    }
    rowsetSize_ = size;
    const size_t bound = std::min(bindings_.size(), result_->columns->size());
    if (!bindingsPlanned_) {
        for (size_t slot = 0; slot < bound; ++slot) {
            Binding& b = bindings_[slot];
            if (b.target && b.plannedFor != resultNumber_) Plan(b, slot);
        }
        bindingsPlanned_ = true;
    }
    bool error = false, warning = clamped;
    if (clamped) diag.AddWarning("01S06");
    SQLULEN fetched = 0;
    for (SQLULEN i = 0; i < size; ++i) {
        const int64_t row = start - 1 + static_cast<int64_t>(i);
        SQLUSMALLINT status = SQL_ROW_NOROW;
        if (row < rows) {
            ++fetched;
            status = TransferRow(static_cast<size_t>(row), i, &error, &warning);
        }
        if (attributes_.rowStatus) attributes_.rowStatus[i] = status;
    }
    if (attributes_.rowsFetched) *attributes_.rowsFetched = fetched;
    if (error) return size == 1 ? SQL_ERROR : SQL_SUCCESS_WITH_INFO;
    return warning ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

SQLRETURN Statement::GetData(SQLUSMALLINT column, SQLSMALLINT cType, SQLPOINTER target,
                             SQLLEN bufferLength, SQLLEN* indicator) {
    RequireCursor();
    if (column == 0 || column > result_->columns->size()) throw BadColumn();
    const int64_t row = rowsetStart_ - 1 + static_cast<int64_t>(rowInRowset_);
    if (rowsetStart_ < 1 || row >= static_cast<int64_t>(result_->row_count())) {
        throw InvalidCursorState();
    }
    if (!target) throw DriverError("HY009", "Invalid use of null pointer.", 0);
    if (!IsKnownCType(cType)) throw DriverError("HY003", "Program type out of range.", 0);
    if (bufferLength < 0 && IsVariableCType(cType)) {
        throw DriverError("HY090", "Invalid string or buffer length.", 0);
    }
    if (column != pieceColumn_) {
        pieceColumn_ = column;
        piece_ = PieceState();
    }
    std::string warning;
    const ResultColumn& rc = (*result_->columns)[column - 1];
    const ClientBuffer buffer{target,  bufferLength,          indicator,
                              &piece_, attributes_.maxLength, &warning};
    const SQLRETURN ret =
        ConvertValue(result_->At(static_cast<size_t>(row), column - 1), rc.type, cType, buffer);
    if (!warning.empty()) diag.AddWarning(warning);
    return ret;
}

SQLRETURN Statement::SetPos(SQLSETPOSIROW row, SQLUSMALLINT operation, SQLUSMALLINT lock) {
    RequireCursor();
    if (lock != SQL_LOCK_NO_CHANGE) {
        throw DriverError("HYC00", "Row locking is not supported.", 0);
    }
    switch (operation) {
        case SQL_POSITION:
        case SQL_REFRESH:
            if (rowsetStart_ < 1 || rowsetSize_ == 0) throw InvalidCursorState();
            if (row == 0 && operation == SQL_REFRESH) return SQL_SUCCESS;
            if (row < 1 || row > rowsetSize_ ||
                rowsetStart_ - 1 + static_cast<int64_t>(row) >
                    static_cast<int64_t>(result_->row_count())) {
                throw DriverError("HY107", "Row value out of range.", 0);
            }
            rowInRowset_ = row - 1;
            pieceColumn_ = 0;
            return SQL_SUCCESS;
        case SQL_UPDATE:
        case SQL_DELETE:
        case SQL_ADD:
            throw ReadOnlyDatabase();
        default:
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
    }
}

SQLRETURN Statement::BulkOperations(SQLSMALLINT operation) {
    switch (operation) {
        case SQL_ADD:
        case SQL_UPDATE_BY_BOOKMARK:
        case SQL_DELETE_BY_BOOKMARK:
        case SQL_FETCH_BY_BOOKMARK:
            throw ReadOnlyDatabase();
        default:
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
    }
}

SQLRETURN Statement::MoreResults() {
    CloseResult();
    return SQL_NO_DATA;
}

SQLRETURN Statement::FreeStmt(SQLUSMALLINT option) {
    switch (option) {
        case SQL_CLOSE:
            CloseResult();
            return SQL_SUCCESS;
        case SQL_UNBIND:
            bindings_.clear();
            return SQL_SUCCESS;
        case SQL_RESET_PARAMS:
            parameters_.clear();
            return SQL_SUCCESS;
        default:
            throw DriverError("HY092", "Invalid attribute/option identifier.", 0);
    }
}

SQLRETURN Statement::CloseCursor() {
    RequireCursor();
    CloseResult();
    return SQL_SUCCESS;
}

SQLRETURN Statement::Cancel() {
    CloseResult();
    return SQL_SUCCESS;
}

SQLRETURN Statement::SetAttr(SQLINTEGER attribute, SQLPOINTER value) {
    if (IsCursorAttribute(attribute) && result_) throw InvalidCursorState();
    if (attribute == SQL_ATTR_APP_ROW_DESC || attribute == SQL_ATTR_APP_PARAM_DESC) {
        throw DriverError("HYC00", "Descriptors are not supported.", 0);
    }
    std::string warning;
    const SQLRETURN rc = SetStatementAttribute(attributes_, attribute, value, &warning);
    if (!warning.empty()) diag.AddWarning(warning);
    return rc;
}

SQLRETURN Statement::GetAttr(SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                             SQLINTEGER* length) {
    switch (attribute) {
        case SQL_ATTR_ROW_NUMBER: {
            RequireCursor();
            const SQLULEN row =
                rowsetStart_ >= 1 && rowsetStart_ <= static_cast<int64_t>(result_->row_count())
                    ? static_cast<SQLULEN>(rowsetStart_) + rowInRowset_
                    : 0;
            StoreNumber<SQLULEN>(value, row);
            if (length) *length = sizeof(SQLULEN);
            return SQL_SUCCESS;
        }
        case SQL_ATTR_APP_ROW_DESC:
        case SQL_ATTR_APP_PARAM_DESC:
        case SQL_ATTR_IMP_ROW_DESC:
        case SQL_ATTR_IMP_PARAM_DESC:
            // The driver manager asks for all four on every new statement:
            // an ordinary answer, so a record rather than an exception.
            diag.Add("HYC00", "Descriptors are not supported.");
            return SQL_ERROR;
        default:
            GetStatementAttribute(attributes_, attribute, value, length);
            return SQL_SUCCESS;
    }
}

SQLRETURN Statement::SetCursorName(std::string_view name) {
    if (name.empty() || name.compare(0, 6, "SQLCUR") == 0 || name.compare(0, 7, "SQL_CUR") == 0) {
        throw DriverError("34000", "Invalid cursor name.", 0);
    }
    cursorName_ = std::string(name);
    return SQL_SUCCESS;
}

SQLRETURN Statement::GetCursorName(SQLCHAR* name, SQLSMALLINT bufferLength, SQLSMALLINT* length) {
    if (bufferLength < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
    // The name the driver gives is made when first asked for: hardly any
    // client asks, and every statement would otherwise format one.
    if (cursorName_.empty()) {
        char made[32];
        std::snprintf(made, sizeof made, "SQL_CUR%p", static_cast<void*>(this));
        cursorName_ = made;
    }
    if (CopyText(cursorName_, name, bufferLength, length) && name) {
        diag.AddWarning("01004");
        return SQL_SUCCESS_WITH_INFO;
    }
    return SQL_SUCCESS;
}

}  // namespace jetodbc
