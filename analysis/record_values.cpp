#include "analysis/record_values.h"

#include "platform/cstring.h"

namespace {

[[noreturn]] void Undeclared(const BWSbase& record, const char* upperName, const char* kind) {
    throw UndeclaredColumn(std::string("Table ") + record.tableName.GetString() + " declares no " +
                           kind + " column " + upperName);
}

const BWSbase::ColumnDesc* Declared(const BWSbase& record, const char* upperName) {
    auto found = record.columns.find(upperName);
    return found == record.columns.end() ? nullptr : &found->second;
}

int IntegerOf(const BWSbase& record, const char* upperName, const BWSbase::ColumnDesc* column) {
    if (column != nullptr && column->kind == BWSbase::Integer) {
        if (column->size == 2) return *static_cast<const short*>(column->member);
        if (column->size == 4) return *static_cast<const int*>(column->member);
    }
    if (column != nullptr && column->kind == BWSbase::Boolean) {
        return *static_cast<const int*>(column->member);
    }
    Undeclared(record, upperName, "integer");
}

std::string TextOf(const BWSbase& record, const char* upperName,
                   const BWSbase::ColumnDesc* column) {
    if (column != nullptr && column->kind == BWSbase::Text) {
        const CString& text = *static_cast<const CString*>(column->member);
        return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
    }
    if (column != nullptr && column->kind == BWSbase::String) {
        return *static_cast<const std::string*>(column->member);
    }
    Undeclared(record, upperName, "text");
}

}  // namespace

int IntegerValue(const BWSbase& record, const char* upperName) {
    return IntegerOf(record, upperName, Declared(record, upperName));
}

std::string TextValue(const BWSbase& record, const char* upperName) {
    return TextOf(record, upperName, Declared(record, upperName));
}

RecordColumn::RecordColumn(const BWSbase& record, const char* upperName)
    : record_(record), name_(upperName), column_(Declared(record, upperName)) {}

int RecordColumn::Integer() const { return IntegerOf(record_, name_, column_); }

std::string RecordColumn::Text() const { return TextOf(record_, name_, column_); }
