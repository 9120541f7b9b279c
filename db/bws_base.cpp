#include "db/bws_base.h"

#include <cstring>

#include "db/connection.h"
#include "db/error_check.h"
#include "platform/byte_array.h"
#include "platform/win32_types.h"

namespace {

std::string UpperCased(const char* name) {
    std::string upper = name != nullptr ? name : "";
    // ASCII letters only, as the C locale's toupper, without a call per character.
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool SameFields(const SYSTEMTIME& left, const SYSTEMTIME& right) {
    return left.wYear == right.wYear && left.wMonth == right.wMonth && left.wDay == right.wDay &&
           left.wHour == right.wHour && left.wMinute == right.wMinute &&
           left.wSecond == right.wSecond;
}

}  // namespace

BWSbase::BWSbase() : selectList("*") {}

BWSbase::~BWSbase() = default;

void BWSbase::AddColumn(ColumnDesc descriptor) {
    std::string key = UpperCased(descriptor.name.c_str());
    columns.emplace(std::move(key), std::move(descriptor));
}

void BWSbase::AddShortColumn(const char* name, short* member) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = Integer;
    descriptor.member = member;
    descriptor.size = 2;
    descriptor.flags = ColFixed;
    descriptor.sqlType = SQL_SMALLINT;
    descriptor.cType = SQL_C_SSHORT;
    AddColumn(std::move(descriptor));
}

void BWSbase::AddLongColumn(const char* name, int* member) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = Integer;
    descriptor.member = member;
    descriptor.size = 4;
    descriptor.flags = ColFixed;
    descriptor.sqlType = SQL_INTEGER;
    descriptor.cType = SQL_C_LONG;
    AddColumn(std::move(descriptor));
}

void BWSbase::AddBoolColumn(const char* name, int* member) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = Boolean;
    descriptor.member = member;
    descriptor.size = 4;
    descriptor.sqlType = SQL_BIT;
    descriptor.cType = SQL_C_BIT;
    descriptor.buffer.reset(new unsigned char[1]());
    AddColumn(std::move(descriptor));
}

void BWSbase::AddDateTimeColumn(const char* name, COleDateTime* member) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = DateTime;
    descriptor.member = member;
    descriptor.size = 0;
    descriptor.sqlType = SQL_TYPE_TIMESTAMP;
    descriptor.cType = SQL_C_TYPE_TIMESTAMP;
    descriptor.buffer.reset(new unsigned char[sizeof(SQL_TIMESTAMP_STRUCT)]());
    AddColumn(std::move(descriptor));
}

void BWSbase::AddTextColumn(const char* name, CString* member, int width) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = Text;
    descriptor.member = member;
    descriptor.size = width;
    descriptor.flags = ColVariable;
    descriptor.sqlType = SQL_VARCHAR;
    descriptor.cType = SQL_C_CHAR;
    AddColumn(std::move(descriptor));
}

void BWSbase::AddStringColumn(const char* name, std::string* member) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = String;
    descriptor.member = member;
    descriptor.size = 255;
    descriptor.flags = ColVariable;
    descriptor.sqlType = SQL_VARCHAR;
    descriptor.cType = SQL_C_CHAR;
    AddColumn(std::move(descriptor));
}

void BWSbase::AddDoubleColumn(const char* name, double* member) {
    ColumnDesc descriptor;
    descriptor.name = name;
    descriptor.kind = Double;
    descriptor.member = member;
    descriptor.size = 8;
    descriptor.flags = ColFixed;
    descriptor.sqlType = SQL_DOUBLE;
    descriptor.cType = SQL_C_DOUBLE;
    AddColumn(std::move(descriptor));
}

void BWSbase::SetTable(const char* table) {
    tableName = table;
    if (selectList == "*") {
        selectList = "[";
        selectList += table;
        selectList += "].*";
    }
}

bool BWSbase::Open() {
    if (isOpen) Close();
    eof = true;
    fetchFailed = false;
    if (!stmt.IsValid() && !stmt.Create(GetConnection(), ODBCStatement::KeysetUpdatable)) {
        return false;
    }

    if (!fullSql.IsEmpty()) {
        sqlText = fullSql;
    } else {
        sqlText = "SELECT ";
        sqlText += selectList;
        sqlText += " FROM ";
        if (!fromText.IsEmpty()) {
            sqlText += fromText;
        } else {
            sqlText += "[";
            sqlText += tableName;
            sqlText += "]";
        }
        if (!where.IsEmpty()) {
            sqlText += " WHERE ";
            sqlText += where;
        }
        if (!orderBy.IsEmpty()) {
            sqlText += " ORDER BY ";
            sqlText += orderBy;
        }
    }

    SQLRETURN code = SQLExecDirect(
        stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sqlText.GetString())), SQL_NTS);
    if (code != SQL_NO_DATA && !ODBCErrorCheck(stmt, SQL_HANDLE_STMT, code, true)) return false;
    if (!DescribeResult()) return false;
    if (!BindFixedColumns()) return false;
    bool ok = BindVariableColumns();

    code = SQLFetch(stmt);
    if (code == SQL_NO_DATA) {
        eof = true;
    } else {
        eof = false;
        if (!ODBCErrorCheck(stmt, SQL_HANDLE_STMT, code, true)) {
            ok = false;
            fetchFailed = true;
        }
    }
    if (TransferRow(eof) && ok) {
        isOpen = true;
        return true;
    }
    eof = true;
    return false;
}

void BWSbase::MoveNext() {
    if (!isOpen || eof) return;
    BindVariableColumns();
    SQLRETURN code = SQLFetchScroll(stmt, SQL_FETCH_NEXT, 0);
    if (code == SQL_NO_DATA) {
        eof = true;
    } else {
        eof = !stmt.IsValid() || !ODBCErrorCheck(stmt, SQL_HANDLE_STMT, code, true);
        fetchFailed = eof;
    }
    TransferRow(eof);
}

void BWSbase::Close() {
    if (stmt.IsValid()) {
        ODBCErrorCheck(stmt, SQL_HANDLE_STMT, SQLCancel(stmt), true);
        ODBCErrorCheck(stmt, SQL_HANDLE_STMT, SQLFreeStmt(stmt, SQL_UNBIND), true);
        stmt.Free();
    }
    eof = true;
    isOpen = false;
}

bool BWSbase::DescribeResult() {
    resultColumns.clear();
    ordered_.clear();
    for (auto& entry : columns) {
        entry.second.inResult = false;
        ordered_.push_back(&entry.second);
    }
    const short count = stmt.GetColumnCount();
    for (short column = 1; column <= count; ++column) {
        char name[256] = {0};
        SQLSMALLINT nameLength = 0, dataType = 0, scale = 0, nullable = 0;
        SQLULEN size = 0;
        SQLRETURN code = SQLDescribeCol(stmt, static_cast<SQLUSMALLINT>(column),
                                        reinterpret_cast<SQLCHAR*>(name), sizeof name, &nameLength,
                                        &dataType, &size, &scale, &nullable);
        if (!ODBCErrorCheck(stmt, SQL_HANDLE_STMT, code, true)) return false;
        resultColumns.push_back({UpperCased(name), static_cast<unsigned short>(dataType)});
    }
    return true;
}

bool BWSbase::BindFixedColumns() {
    for (size_t i = 0; i < resultColumns.size(); ++i) {
        auto found = columns.find(resultColumns[i].name);
        if (found == columns.end()) continue;
        ColumnDesc& descriptor = found->second;
        const auto position = static_cast<unsigned short>(i + 1);
        descriptor.column = position;
        descriptor.inResult = true;
        SQLRETURN code = SQL_SUCCESS;
        if (descriptor.flags & ColFixed) {
            descriptor.indicator = descriptor.size;
            code = SQLBindCol(stmt, position, descriptor.cType, descriptor.member, descriptor.size,
                              &descriptor.indicator);
        } else if (!(descriptor.flags & ColVariable)) {
            code = SQLBindCol(stmt, position, descriptor.cType, descriptor.buffer.get(), 0,
                              &descriptor.indicator);
        }
        ODBCErrorCheck(stmt, SQL_HANDLE_STMT, code, true);
    }
    return true;
}

bool BWSbase::BindVariableColumns() {
    bool ok = true;
    for (ColumnDesc* column : ordered_) {
        ColumnDesc& descriptor = *column;
        descriptor.indicator = 0;
        if (!(descriptor.flags & ColVariable)) continue;
        if (descriptor.column == 0 || !descriptor.inResult) {
            ok = false;
            continue;
        }
        void* buffer = nullptr;
        SQLLEN bufferLength = 0;
        switch (descriptor.kind) {
            case Text:
                buffer = static_cast<CString*>(descriptor.member)->GetBuffer(descriptor.size);
                bufferLength = descriptor.size + 1;
                break;
            case String: {
                auto* text = static_cast<std::string*>(descriptor.member);
                text->assign(static_cast<size_t>(descriptor.size) + 1, '\0');
                buffer = text->data();
                bufferLength = descriptor.size + 1;
                break;
            }
            case Binary: {
                auto* bytes = static_cast<CByteArray*>(descriptor.member);
                bytes->SetSize(descriptor.size);
                buffer = bytes->GetData();
                bufferLength = descriptor.size;
                break;
            }
            default:
                ok = false;
                continue;
        }
        // Checked only when it did not plainly succeed: this runs for every
        // variable column before every fetch.
        const SQLRETURN code = SQLBindCol(stmt, descriptor.column, descriptor.cType, buffer,
                                          bufferLength, &descriptor.indicator);
        if (code != SQL_SUCCESS) ODBCErrorCheck(stmt, SQL_HANDLE_STMT, code, true);
    }
    return ok;
}

bool BWSbase::TransferRow(bool atEnd) {
    bool ok = true;
    for (ColumnDesc* column : ordered_) {
        ColumnDesc& descriptor = *column;
        if (atEnd) descriptor.indicator = SQL_NULL_DATA;
        if (descriptor.flags & ColFixed) {
            if (descriptor.indicator == SQL_NULL_DATA) SetNull(descriptor);
        } else if (descriptor.flags & ColVariable) {
            ok = FinishVariable(descriptor) && ok;
        } else {
            ok = ConvertBuffered(descriptor) && ok;
        }
    }
    return ok;
}

void BWSbase::SetNull(ColumnDesc& descriptor) {
    switch (descriptor.kind) {
        case Integer:
            if (descriptor.size == 1) *static_cast<signed char*>(descriptor.member) = 0;
            if (descriptor.size == 2) *static_cast<short*>(descriptor.member) = 0;
            if (descriptor.size == 4) *static_cast<int*>(descriptor.member) = 0;
            break;
        case Boolean:
            *static_cast<int*>(descriptor.member) = 0;
            break;
        case Text:
            static_cast<CString*>(descriptor.member)->Empty();
            break;
        case String: {
            auto* text = static_cast<std::string*>(descriptor.member);
            text->clear();
            text->shrink_to_fit();
            break;
        }
        case DateTime: {
            auto* date = static_cast<COleDateTime*>(descriptor.member);
            date->m_dt = 0.0;
            date->m_status = COleDateTime::valid;
            break;
        }
        case Binary:
            static_cast<CByteArray*>(descriptor.member)->RemoveAll();
            break;
        case Reserved:
            std::memset(descriptor.member, 0, 8);
            break;
        case Double:
            *static_cast<double*>(descriptor.member) = 0.0;
            break;
    }
}

bool BWSbase::ConvertBuffered(ColumnDesc& descriptor) {
    // A column the result lacks was never bound: its value is NULL rather
    // than whatever its buffer held.
    if (!descriptor.inResult) descriptor.indicator = SQL_NULL_DATA;
    if (descriptor.indicator == SQL_NO_TOTAL) return false;
    if (descriptor.kind == Boolean && descriptor.cType == SQL_C_BIT) {
        if (descriptor.indicator == SQL_NULL_DATA) {
            SetNull(descriptor);
        } else {
            *static_cast<int*>(descriptor.member) = descriptor.buffer[0];
        }
        return true;
    }
    if (descriptor.kind == DateTime && descriptor.cType == SQL_C_TYPE_TIMESTAMP) {
        if (descriptor.indicator == SQL_NULL_DATA) {
            SetNull(descriptor);
            return true;
        }
        SQL_TIMESTAMP_STRUCT stamp;
        std::memcpy(&stamp, descriptor.buffer.get(), sizeof stamp);
        SYSTEMTIME fields = {};
        fields.wYear = static_cast<WORD>(stamp.year);
        fields.wMonth = stamp.month;
        fields.wDay = stamp.day;
        fields.wHour = stamp.hour;
        fields.wMinute = stamp.minute;
        fields.wSecond = stamp.second;
        auto* date = static_cast<COleDateTime*>(descriptor.member);
        SYSTEMTIME back = {};
        if (stamp.year >= 0 && SystemTimeToVariantTime(&fields, &date->m_dt) &&
            VariantTimeToSystemTime(date->m_dt, &back) && SameFields(fields, back)) {
            date->m_status = COleDateTime::valid;
            return true;
        }
        date->m_status = COleDateTime::invalid;
        return false;
    }
    return false;
}

bool BWSbase::FinishVariable(ColumnDesc& descriptor) {
    if (descriptor.column == 0 || !descriptor.inResult) return false;
    const SQLRETURN unbound =
        SQLBindCol(stmt, descriptor.column, SQL_C_DEFAULT, nullptr, 0, nullptr);
    if (unbound != SQL_SUCCESS) ODBCErrorCheck(stmt, SQL_HANDLE_STMT, unbound, true);
    const SQLLEN indicator = descriptor.indicator;
    switch (descriptor.kind) {
        case Text: {
            auto* text = static_cast<CString*>(descriptor.member);
            if (indicator == SQL_NULL_DATA) {
                text->ReleaseBuffer(0);
                SetNull(descriptor);
                return true;
            }
            if (indicator == SQL_NO_TOTAL) {
                text->ReleaseBuffer(-1);
                return true;
            }
            if (indicator >= 0 && indicator <= descriptor.size) {
                text->ReleaseBuffer(static_cast<int>(indicator));
                return true;
            }
            text->ReleaseBuffer(0);
            if (indicator < 0) return false;
            return stmt.GetString(descriptor.column, *text, static_cast<long>(indicator));
        }
        case String: {
            auto* text = static_cast<std::string*>(descriptor.member);
            if (indicator == SQL_NO_TOTAL) {
                text->resize(std::strlen(text->c_str()));
                return true;
            }
            if (indicator == SQL_NULL_DATA) {
                SetNull(descriptor);
                return true;
            }
            if (indicator > descriptor.size) {
                text->clear();
                CString whole;
                if (!stmt.GetString(descriptor.column, whole, static_cast<long>(indicator))) {
                    return false;
                }
                *text = whole.GetString();
                return true;
            }
            if (indicator < 0) {
                text->clear();
                return false;
            }
            text->resize(static_cast<size_t>(indicator));
            text->shrink_to_fit();
            return true;
        }
        case Binary: {
            auto* bytes = static_cast<CByteArray*>(descriptor.member);
            if (indicator == SQL_NULL_DATA) {
                SetNull(descriptor);
                return true;
            }
            if (indicator == SQL_NO_TOTAL) return true;
            if (indicator >= 0 && indicator <= descriptor.size) {
                bytes->SetSize(static_cast<long>(indicator));
                bytes->FreeExtra();
                return true;
            }
            if (indicator < 0) return false;
            return stmt.GetByteArray(descriptor.column, *bytes, static_cast<long>(indicator));
        }
        default:
            return false;
    }
}
