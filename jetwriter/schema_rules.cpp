#include "jetwriter/schema_rules.h"

#include <cctype>

#include "jetwriter/utf8.h"

namespace jetwriter {

const char* const kCatalogName = "MSysObjects";

std::string CheckObjectName(const std::string& name) {
    std::u16string units;
    if (!Utf8ToUtf16(name, &units)) return "the name is not valid UTF-8";
    if (units.empty()) return "the name is empty";
    if (units.size() > kMaxNameLength) {
        return "the name \"" + name + "\" is longer than " + std::to_string(kMaxNameLength) +
               " characters";
    }
    if (units.front() == u' ') return "the name \"" + name + "\" starts with a space";
    for (char16_t unit : units) {
        if (unit < 0x20 || unit == 0x7F) {
            return "the name \"" + name + "\" holds a control character";
        }
        if (unit == u'.' || unit == u'!' || unit == u'`' || unit == u'[' || unit == u']') {
            return "the name \"" + name + "\" holds one of . ! ` [ ]";
        }
    }
    return {};
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto left = static_cast<unsigned char>(a[i]);
        const auto right = static_cast<unsigned char>(b[i]);
        if (left < 0x80 && right < 0x80 ? std::tolower(left) != std::tolower(right)
                                        : left != right) {
            return false;
        }
    }
    return true;
}

std::string CheckTableSchema(const Table& table) {
    std::string problem = CheckObjectName(table.name);
    if (!problem.empty()) return "table name: " + problem;
    if (table.columns.empty()) return "the table has no columns";
    if (table.columns.size() > kMaxColumns) {
        return "the table has " + std::to_string(table.columns.size()) + " columns, more than " +
               std::to_string(kMaxColumns);
    }
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const Column& column = table.columns[i];
        problem = CheckObjectName(column.name);
        if (!problem.empty()) return "column " + std::to_string(i + 1) + ": " + problem;
        if (column.type == ColumnType::kText &&
            (column.text_length < 1 || column.text_length > kMaxTextLength)) {
            return "column " + column.name + ": Text length " + std::to_string(column.text_length) +
                   " is not from 1 to " + std::to_string(kMaxTextLength);
        }
        if (column.type == ColumnType::kNumeric &&
            (column.precision < 1 || column.precision > kMaxNumericPrecision || column.scale < 0 ||
             column.scale > column.precision)) {
            return "column " + column.name + ": Numeric(" + std::to_string(column.precision) + "," +
                   std::to_string(column.scale) + ") needs a precision from 1 to " +
                   std::to_string(kMaxNumericPrecision) + " and a scale from 0 to the precision";
        }
        for (size_t j = 0; j < i; ++j) {
            if (SameName(column.name, table.columns[j].name)) {
                return "column " + column.name + " appears twice";
            }
        }
    }
    return {};
}

}  // namespace jetwriter
