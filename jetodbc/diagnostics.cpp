#include "jetodbc/diagnostics.h"

#include "jetodbc/driver_error.h"
#include "jetodbc/out_string.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

// SQLSTATEs that ODBC defines beyond ISO 9075: the classes HY and IM, and
// subclasses beginning with 'S'.
bool OdbcClass(const std::string& state) {
    return state.compare(0, 2, "HY") == 0 || state.compare(0, 2, "IM") == 0;
}

bool OdbcSubclass(const std::string& state) {
    return OdbcClass(state) || (state.size() == 5 && state[2] == 'S');
}

}  // namespace

std::u16string DiagRecord::WideMessage() const {
    return wideMessage.empty() ? DecodeCp1252(message) : wideMessage;
}

void Diagnostics::Add(std::string_view state, std::string_view text, int32_t native, SQLLEN row,
                      SQLINTEGER column) {
    DiagRecord record;
    record.state.assign(state);
    record.native = native;
    record.row = row;
    record.column = column;
    const std::string_view prefix(kPrefix);
    record.message.reserve(prefix.size() + text.size());
    record.message.append(prefix).append(text);
    records_.push_back(std::move(record));
}

void Diagnostics::Add(const DriverError& error, SQLLEN row, SQLINTEGER column) {
    Add(error.state(), error.what(), error.native(), row, column);
    if (!error.wide().empty()) records_.back().wideMessage = DecodeCp1252(kPrefix) + error.wide();
}

void Diagnostics::AddWarning(const std::string& state, SQLLEN row, SQLINTEGER column) {
    const char* text = "Warning.";
    if (state == "01004") text = "String data, right truncated.";
    if (state == "01S02") text = "Option value changed.";
    if (state == "01S06")
        text = "Attempt to fetch before the result set returned the first rowset.";
    if (state == "01S07") text = "Fractional truncation.";
    Add(state, text, 0, row, column);
}

SQLRETURN Diagnostics::GetRec(SQLSMALLINT number, SQLCHAR* state, SQLINTEGER* native,
                              SQLCHAR* message, SQLSMALLINT bufferLength,
                              SQLSMALLINT* textLength) const {
    if (number < 1 || bufferLength < 0) return SQL_ERROR;
    if (static_cast<size_t>(number) > records_.size()) return SQL_NO_DATA;
    const DiagRecord& r = records_[number - 1];
    if (state) CopyText<SQLSMALLINT>(r.state, state, 6, nullptr);
    if (native) *native = r.native;
    const bool cut = CopyText(r.message, message, bufferLength, textLength);
    return cut && message ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

SQLRETURN Diagnostics::GetField(SQLSMALLINT handleType, SQLSMALLINT number, SQLSMALLINT identifier,
                                SQLPOINTER info, SQLSMALLINT bufferLength,
                                SQLSMALLINT* stringLength) const {
    auto text = [&](const std::string& s) {
        if (bufferLength < 0) return SQL_ERROR;
        return CopyText(s, info, bufferLength, stringLength) && info ? SQL_SUCCESS_WITH_INFO
                                                                     : SQL_SUCCESS;
    };
    switch (identifier) {  // header fields
        case SQL_DIAG_NUMBER:
            StoreNumber<SQLINTEGER>(info, records_.size());
            return SQL_SUCCESS;
        case SQL_DIAG_RETURNCODE:
            StoreNumber<SQLRETURN>(info, returnCode_);
            return SQL_SUCCESS;
        case SQL_DIAG_ROW_COUNT:
        case SQL_DIAG_CURSOR_ROW_COUNT:
        case SQL_DIAG_DYNAMIC_FUNCTION:
        case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
            if (handleType != SQL_HANDLE_STMT) return SQL_ERROR;
            if (identifier == SQL_DIAG_ROW_COUNT) {
                StoreNumber<SQLLEN>(info, rowCount_);
            } else if (identifier == SQL_DIAG_CURSOR_ROW_COUNT) {
                StoreNumber<SQLLEN>(info, cursorRowCount_);
            } else if (identifier == SQL_DIAG_DYNAMIC_FUNCTION) {
                return text("SELECT CURSOR");
            } else {
                StoreNumber<SQLINTEGER>(info, SQL_DIAG_SELECT_CURSOR);
            }
            return SQL_SUCCESS;
        default:
            break;
    }
    if (number < 1) return SQL_ERROR;
    if (static_cast<size_t>(number) > records_.size()) return SQL_NO_DATA;
    const DiagRecord& r = records_[number - 1];
    switch (identifier) {
        case SQL_DIAG_SQLSTATE:
            return text(r.state);
        case SQL_DIAG_NATIVE:
            StoreNumber<SQLINTEGER>(info, r.native);
            return SQL_SUCCESS;
        case SQL_DIAG_MESSAGE_TEXT:
            return text(r.message);
        case SQL_DIAG_CLASS_ORIGIN:
            return text(OdbcClass(r.state) ? "ODBC 3.0" : "ISO 9075");
        case SQL_DIAG_SUBCLASS_ORIGIN:
            return text(OdbcSubclass(r.state) ? "ODBC 3.0" : "ISO 9075");
        case SQL_DIAG_CONNECTION_NAME:
        case SQL_DIAG_SERVER_NAME:
            return text("");
        case SQL_DIAG_COLUMN_NUMBER:
            StoreNumber<SQLINTEGER>(info, r.column);
            return SQL_SUCCESS;
        case SQL_DIAG_ROW_NUMBER:
            StoreNumber<SQLLEN>(info, r.row);
            return SQL_SUCCESS;
        default:
            return SQL_ERROR;
    }
}

}  // namespace jetodbc
