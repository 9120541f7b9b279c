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

}  // namespace

int IntegerValue(const BWSbase& record, const char* upperName) {
    const BWSbase::ColumnDesc* column = Declared(record, upperName);
    if (column != nullptr && column->kind == BWSbase::Integer) {
        if (column->size == 2) return *static_cast<const short*>(column->member);
        if (column->size == 4) return *static_cast<const int*>(column->member);
    }
    if (column != nullptr && column->kind == BWSbase::Boolean) {
        return *static_cast<const int*>(column->member);
    }
    Undeclared(record, upperName, "integer");
}

std::string TextValue(const BWSbase& record, const char* upperName) {
    const BWSbase::ColumnDesc* column = Declared(record, upperName);
    if (column != nullptr && column->kind == BWSbase::Text) {
        const CString& text = *static_cast<const CString*>(column->member);
        return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
    }
    if (column != nullptr && column->kind == BWSbase::String) {
        return *static_cast<const std::string*>(column->member);
    }
    Undeclared(record, upperName, "text");
}
