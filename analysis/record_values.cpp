#include "analysis/record_values.h"

#include "platform/cstring.h"

const BWSbase::ColumnDesc* FindColumn(const BWSbase& record, const char* upperName) {
    auto found = record.columns.find(upperName);
    return found == record.columns.end() ? nullptr : &found->second;
}

int IntegerValue(const BWSbase::ColumnDesc* column) {
    if (column == nullptr) return 0;
    switch (column->kind) {
        case BWSbase::Integer:
            if (column->size == 2) return *static_cast<const short*>(column->member);
            if (column->size == 4) return *static_cast<const int*>(column->member);
            return 0;
        case BWSbase::Boolean:
            return *static_cast<const int*>(column->member);
        default:
            return 0;
    }
}

std::string TextValue(const BWSbase::ColumnDesc* column) {
    if (column == nullptr) return std::string();
    if (column->kind == BWSbase::Text) {
        const CString& text = *static_cast<const CString*>(column->member);
        return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
    }
    if (column->kind == BWSbase::String) return *static_cast<const std::string*>(column->member);
    return std::string();
}

int IntegerValue(const BWSbase& record, const char* upperName) {
    return IntegerValue(FindColumn(record, upperName));
}

std::string TextValue(const BWSbase& record, const char* upperName) {
    return TextValue(FindColumn(record, upperName));
}
