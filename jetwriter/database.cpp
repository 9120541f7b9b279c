#include "jetwriter/database.h"

#include <utility>

namespace jetwriter {

Column MakeColumn(std::string name, ColumnType type) {
    Column column;
    column.name = std::move(name);
    column.type = type;
    return column;
}

Column MakeTextColumn(std::string name, int length) {
    Column column;
    column.name = std::move(name);
    column.type = ColumnType::kText;
    column.text_length = length;
    return column;
}

Column MakeNumericColumn(std::string name, int precision, int scale) {
    Column column;
    column.name = std::move(name);
    column.type = ColumnType::kNumeric;
    column.precision = precision;
    column.scale = scale;
    return column;
}

}  // namespace jetwriter
