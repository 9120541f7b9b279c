#include "jetwriter/row_encoder.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "jetwriter/calendar.h"
#include "jetwriter/jet_text.h"
#include "jetwriter/little_endian.h"
#include "jetwriter/utf8.h"

namespace jetwriter {
namespace {

constexpr size_t kColumnCountSize = 2;
constexpr size_t kMemoHeaderSize = 12;

std::string ColumnLabel(const Column& column) { return "column " + column.name + ": "; }

std::string WrongKind(const Column& column, const Value& value) {
    return ColumnLabel(column) + ColumnTypeName(column.type) + " cannot hold a " +
           ValueKindName(value.kind());
}

std::string OutOfRange(const Column& column, int64_t value, int64_t lowest, int64_t highest) {
    return ColumnLabel(column) + std::to_string(value) + " is outside the " +
           ColumnTypeName(column.type) + " range " + std::to_string(lowest) + " to " +
           std::to_string(highest);
}

// Checks an integer value's kind and range.
std::string CheckInteger(const Column& column, const Value& value, int64_t lowest,
                         int64_t highest) {
    if (value.kind() != Value::Kind::kInteger) return WrongKind(column, value);
    if (value.integer() < lowest || value.integer() > highest) {
        return OutOfRange(column, value.integer(), lowest, highest);
    }
    return {};
}

}  // namespace

RowEncoder::RowEncoder(const std::vector<Column>& columns, LongValueWriter* longValues)
    : columns_(columns),
      layout_(columns),
      longValues_(longValues),
      variableData_(layout_.variable_column_count()),
      variableOffsets_(layout_.variable_column_count()),
      nullMask_(layout_.null_mask_size()) {}

std::string RowEncoder::CheckAndPlaceFixed(size_t column, const Value& value) {
    const Column& definition = columns_[column];
    uint8_t* field = rowBytes_.data() + kColumnCountSize + layout_.placement(column).fixedOffset;
    if (definition.type == ColumnType::kYesNo) {
        if (value.kind() != Value::Kind::kBoolean) {
            if (value.is_null()) return ColumnLabel(definition) + "Yes/No cannot be NULL";
            return WrongKind(definition, value);
        }
        if (value.boolean()) nullMask_[column / 8] |= static_cast<uint8_t>(1 << (column % 8));
        return {};
    }
    if (value.is_null()) return {};  // zeros, and the mask bit stays clear
    std::string problem;
    switch (definition.type) {
        case ColumnType::kByte:
            problem = CheckInteger(definition, value, 0, 255);
            if (problem.empty()) field[0] = static_cast<uint8_t>(value.integer());
            break;
        case ColumnType::kInteger:
            problem = CheckInteger(definition, value, INT16_MIN, INT16_MAX);
            if (problem.empty()) StoreU16(field, static_cast<uint16_t>(value.integer()));
            break;
        case ColumnType::kLongInteger:
            problem = CheckInteger(definition, value, INT32_MIN, INT32_MAX);
            if (problem.empty()) StoreU32(field, static_cast<uint32_t>(value.integer()));
            break;
        case ColumnType::kSingle:
            if (value.kind() != Value::Kind::kReal) return WrongKind(definition, value);
            if (!std::isfinite(value.real()) || std::fabs(value.real()) > FLT_MAX) {
                return ColumnLabel(definition) + "the number is outside the Single range";
            }
            StoreF32(field, static_cast<float>(value.real()));
            break;
        case ColumnType::kDouble:
            if (value.kind() != Value::Kind::kReal) return WrongKind(definition, value);
            if (!std::isfinite(value.real())) {
                return ColumnLabel(definition) + "the number is not finite";
            }
            StoreF64(field, value.real());
            break;
        case ColumnType::kCurrency:
            if (value.kind() != Value::Kind::kCurrency) return WrongKind(definition, value);
            StoreU64(field, static_cast<uint64_t>(value.currency()));
            break;
        case ColumnType::kDateTime:
            if (value.kind() != Value::Kind::kDateTime) return WrongKind(definition, value);
            if (!IsDayNumberInRange(value.date_time())) {
                return ColumnLabel(definition) + "the date is outside the years " +
                       std::to_string(kFirstYear) + " to " + std::to_string(kLastYear);
            }
            StoreF64(field, value.date_time());
            break;
        default:
            break;
    }
    if (!problem.empty()) return problem;
    nullMask_[column / 8] |= static_cast<uint8_t>(1 << (column % 8));
    return {};
}

std::string RowEncoder::CheckAndEncodeVariable(size_t column, const Value& value) {
    const Column& definition = columns_[column];
    const size_t index = layout_.placement(column).variableIndex;
    std::vector<uint8_t>& data = variableData_[index];
    data.clear();
    if (value.is_null()) return {};
    if (!HoldsText(definition.type)) {
        return ColumnLabel(definition) + ColumnTypeName(definition.type) +
               " columns can only be NULL";
    }
    if (value.kind() != Value::Kind::kText) return WrongKind(definition, value);
    if (!Utf8ToUtf16(value.text(), &utf16_)) {
        return ColumnLabel(definition) + "the text is not valid UTF-8";
    }
    if (utf16_.find(u'\0') != std::u16string::npos) {
        return ColumnLabel(definition) + "the text holds the character U+0000";
    }
    if (definition.type == ColumnType::kText &&
        utf16_.size() > static_cast<size_t>(definition.text_length)) {
        return ColumnLabel(definition) + "the text has " + std::to_string(utf16_.size()) +
               " characters, more than the " + std::to_string(definition.text_length) +
               " of Text(" + std::to_string(definition.text_length) + ")";
    }
    AppendJetText(utf16_, &data);
    if (data.size() > kMaxMemoBytes) {
        return ColumnLabel(definition) + "the text is longer than a memo can hold";
    }
    nullMask_[column / 8] |= static_cast<uint8_t>(1 << (column % 8));
    return {};
}

std::string RowEncoder::Encode(const std::vector<Value>& row) {
    if (row.size() != columns_.size()) {
        return "the row has " + std::to_string(row.size()) + " values for " +
               std::to_string(columns_.size()) + " columns";
    }
    rowBytes_.assign(kColumnCountSize + layout_.fixed_area_size(), 0);
    StoreU16(rowBytes_.data(), static_cast<uint16_t>(columns_.size()));
    std::fill(nullMask_.begin(), nullMask_.end(), 0);
    for (size_t column = 0; column < columns_.size(); ++column) {
        std::string problem = layout_.placement(column).fixed
                                  ? CheckAndPlaceFixed(column, row[column])
                                  : CheckAndEncodeVariable(column, row[column]);
        if (!problem.empty()) return problem;
    }

    // The smallest the row can be: every non-empty memo moved out to
    // long-value pages, leaving its 12-byte header.
    const std::vector<size_t>& variableColumns = layout_.variable_columns();
    const size_t variableCount = variableColumns.size();
    size_t size = rowBytes_.size() + nullMask_.size();
    if (variableCount > 0) size += 2 + 2 * variableCount + 2;
    for (size_t index = 0; index < variableCount; ++index) {
        const bool memo = columns_[variableColumns[index]].type == ColumnType::kMemo;
        const size_t length = variableData_[index].size();
        size += memo && length > 0 ? kMemoHeaderSize : length;
    }
    if (size > kMaxRowSize) {
        return "the row takes " + std::to_string(size) + " bytes, more than the " +
               std::to_string(kMaxRowSize) + " a page holds";
    }

    for (size_t index = 0; index < variableCount; ++index) {
        variableOffsets_[index] = static_cast<uint16_t>(rowBytes_.size());
        const std::vector<uint8_t>& data = variableData_[index];
        const bool memo = columns_[variableColumns[index]].type == ColumnType::kMemo;
        if (!memo || data.empty()) {
            rowBytes_.insert(rowBytes_.end(), data.begin(), data.end());
            continue;
        }
        uint8_t header[kMemoHeaderSize] = {};
        const bool inRow = data.size() <= kInRowMemoLimit && size + data.size() <= kMaxRowSize;
        if (inRow) {
            size += data.size();
            StoreU32(header, static_cast<uint32_t>(data.size()) | kMemoInRow);
        } else {
            const MemoReference reference = longValues_->Store(data.data(), data.size());
            StoreU32(header, reference.lengthAndFlags);
            StoreU32(header + 4, reference.rowPointer);
        }
        rowBytes_.insert(rowBytes_.end(), header, header + kMemoHeaderSize);
        if (inRow) rowBytes_.insert(rowBytes_.end(), data.begin(), data.end());
    }
    if (variableCount > 0) {
        AppendU16(&rowBytes_, static_cast<uint16_t>(rowBytes_.size()));
        for (size_t index = variableCount; index-- > 0;)
            AppendU16(&rowBytes_, variableOffsets_[index]);
        AppendU16(&rowBytes_, static_cast<uint16_t>(variableCount));
    }
    rowBytes_.insert(rowBytes_.end(), nullMask_.begin(), nullMask_.end());
    return {};
}

}  // namespace jetwriter
