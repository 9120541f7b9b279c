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

constexpr size_t kMemoHeaderSize = 12;
constexpr size_t kJumpSpan = 256;
constexpr uint8_t kUnusedJump = 0xFF;
// A jump byte names an offset by its index; 255 is the highest it can name.
constexpr size_t kMaxJumpTarget = 255;

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

// Stores a decimal number as Jet keeps a Numeric value: a sign byte (0x80
// when negative), then the number times 10^scale as a 128-bit magnitude in
// four little-endian 32-bit words, the most significant word first.
std::string StoreDecimal(const Column& column, const std::string& number, uint8_t* field) {
    const std::string type =
        "Numeric(" + std::to_string(column.precision) + "," + std::to_string(column.scale) + ")";
    size_t at = 0;
    bool negative = false;
    if (!number.empty() && (number[0] == '-' || number[0] == '+')) negative = number[at++] == '-';
    std::string digits;
    int decimals = 0;
    bool point = false;
    for (; at < number.size(); ++at) {
        const char c = number[at];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            decimals += point ? 1 : 0;
        } else {
            digits.clear();
            break;
        }
    }
    if (digits.empty()) return ColumnLabel(column) + "\"" + number + "\" is not a decimal number";
    if (decimals > column.scale) {
        return ColumnLabel(column) + number + " has more decimals than the " +
               std::to_string(column.scale) + " of " + type;
    }
    digits.append(static_cast<size_t>(column.scale - decimals), '0');
    digits.erase(0, digits.find_first_not_of('0'));  // all of it for zero
    if (digits.size() > static_cast<size_t>(column.precision)) {
        return ColumnLabel(column) + number + " has more digits than the " +
               std::to_string(column.precision) + " of " + type;
    }
    uint32_t words[4] = {0, 0, 0, 0};  // at most 28 digits: always fits
    for (const char c : digits) {
        uint64_t carry = static_cast<uint64_t>(c - '0');
        for (int w = 3; w >= 0; --w) {
            const uint64_t next = static_cast<uint64_t>(words[w]) * 10 + carry;
            words[w] = static_cast<uint32_t>(next);
            carry = next >> 32;
        }
    }
    field[0] = negative && !digits.empty() ? 0x80 : 0x00;
    for (int w = 0; w < 4; ++w) StoreU32(field + 1 + 4 * w, words[w]);
    return {};
}

}  // namespace

RowEncoder::RowEncoder(const std::vector<Column>& columns, LongValueWriter* longValues)
    : columns_(columns),
      spec_(longValues->spec()),
      layout_(columns, spec_.format),
      longValues_(longValues),
      variableData_(layout_.variable_column_count()),
      variableOffsets_(layout_.variable_column_count()),
      nullMask_(layout_.null_mask_size()) {}

std::string RowEncoder::CheckAndPlaceFixed(size_t column, const Value& value) {
    const Column& definition = columns_[column];
    uint8_t* field =
        rowBytes_.data() + spec_.rowCountFieldSize + layout_.placement(column).fixedOffset;
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
        case ColumnType::kNumeric:
            if (value.kind() != Value::Kind::kDecimal) return WrongKind(definition, value);
            problem = StoreDecimal(definition, value.text(), field);
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
    if (spec_.format == JetFormat::kJet4) {
        AppendJetText(utf16_, &data);
    } else {
        char32_t missing = 0;
        if (!AppendWindows1252Text(utf16_, &data, &missing)) {
            return ColumnLabel(definition) + "the character " + DescribeCharacter(missing) +
                   " cannot be stored in a Jet 3 file (its code page is Windows-1252)";
        }
    }
    if (data.size() > kMaxMemoBytes) {
        return ColumnLabel(definition) + "the text is longer than a memo can hold";
    }
    nullMask_[column / 8] |= static_cast<uint8_t>(1 << (column % 8));
    return {};
}

std::string RowEncoder::Encode(const std::vector<Value>& row, size_t rowIndex) {
    // The row is stored with every column made before it, dropped ones too.
    size_t width = 0;
    size_t given = 0;
    for (const Column& column : columns_) {
        if (column.added_at_row > rowIndex) break;
        ++width;
        if (column.ExistsFor(rowIndex)) ++given;
    }
    if (row.size() != given) {
        return "the row has " + std::to_string(row.size()) + " values for " +
               std::to_string(given) + " columns";
    }
    rowBytes_.assign(spec_.rowCountFieldSize + layout_.fixed_area_size(width), 0);
    if (spec_.rowCountFieldSize == 1) {
        rowBytes_[0] = static_cast<uint8_t>(width);
    } else {
        StoreU16(rowBytes_.data(), static_cast<uint16_t>(width));
    }
    nullMask_.assign((width + 7) / 8, 0);
    const size_t variableCount = layout_.variable_column_count(width);
    for (size_t index = 0; index < variableCount; ++index) variableData_[index].clear();
    size_t next = 0;
    for (size_t column = 0; column < width; ++column) {
        if (!columns_[column].ExistsFor(rowIndex)) continue;  // dropped: NULL
        const Value& value = row[next++];
        std::string problem = layout_.placement(column).fixed
                                  ? CheckAndPlaceFixed(column, value)
                                  : CheckAndEncodeVariable(column, value);
        if (!problem.empty()) return problem;
    }

    // The smallest the row can be: every non-empty memo moved out to
    // long-value pages, leaving its 12-byte header.
    const std::vector<size_t>& variableColumns = layout_.variable_columns();
    size_t dataEnd = rowBytes_.size();
    for (size_t index = 0; index < variableCount; ++index) {
        const bool memo = columns_[variableColumns[index]].type == ColumnType::kMemo;
        const size_t length = variableData_[index].size();
        dataEnd += memo && length > 0 ? kMemoHeaderSize : length;
    }
    auto rowSize = [&](size_t end) {
        end += JumpPadding(end, variableCount);
        return end + VariableTableSize(end, variableCount) + nullMask_.size();
    };
    if (rowSize(dataEnd) > spec_.maxRowSize()) {
        return "the row takes " + std::to_string(rowSize(dataEnd)) + " bytes, more than the " +
               std::to_string(spec_.maxRowSize()) + " a page holds";
    }

    for (size_t index = 0; index < variableCount; ++index) {
        variableOffsets_[index] = rowBytes_.size();
        const std::vector<uint8_t>& data = variableData_[index];
        const bool memo = columns_[variableColumns[index]].type == ColumnType::kMemo;
        if (!memo || data.empty()) {
            rowBytes_.insert(rowBytes_.end(), data.begin(), data.end());
            continue;
        }
        uint8_t header[kMemoHeaderSize] = {};
        const bool inRow =
            data.size() <= kInRowMemoLimit && rowSize(dataEnd + data.size()) <= spec_.maxRowSize();
        if (inRow) {
            dataEnd += data.size();
            StoreU32(header, static_cast<uint32_t>(data.size()) | kMemoInRow);
        } else {
            const MemoReference reference = longValues_->Store(data.data(), data.size());
            StoreU32(header, reference.lengthAndFlags);
            StoreU32(header + 4, reference.rowPointer);
        }
        rowBytes_.insert(rowBytes_.end(), header, header + kMemoHeaderSize);
        if (inRow) rowBytes_.insert(rowBytes_.end(), data.begin(), data.end());
    }
    const size_t padding = JumpPadding(rowBytes_.size(), variableCount);
    if (padding > 0) {
        const size_t firstVariable = spec_.rowCountFieldSize + layout_.fixed_area_size(width);
        rowBytes_.insert(rowBytes_.begin() + static_cast<std::ptrdiff_t>(firstVariable), padding,
                         0);
        for (size_t index = 0; index < variableCount; ++index) variableOffsets_[index] += padding;
    }
    if (variableCount > 0) AppendVariableTable(variableCount);
    rowBytes_.insert(rowBytes_.end(), nullMask_.begin(), nullMask_.end());
    return {};
}

size_t RowEncoder::JumpCount(size_t dataEnd, size_t variableCount) const {
    // Readers take the number of jump bytes from the row's length L as
    // (L - 1) / 256, and the row's length includes them.
    const size_t fixedPart = dataEnd + (variableCount + 1) + 1 + nullMask_.size();
    size_t jumps = 0;
    while ((fixedPart + jumps - 1) / kJumpSpan > jumps) ++jumps;
    return jumps;
}

size_t RowEncoder::JumpPadding(size_t dataEnd, size_t variableCount) const {
    // Readers drop at most one unused jump byte (the last), and with 255
    // variable columns every byte value names an offset (255 the end of the
    // data), so a second unused one would be taken for a jump. Moving the
    // data up to the next 256-byte boundary leaves exactly one unused jump.
    if (spec_.format != JetFormat::kJet3 || variableCount < kMaxJumpTarget) return 0;
    if (JumpCount(dataEnd, variableCount) < dataEnd / kJumpSpan + 2) return 0;
    return kJumpSpan - dataEnd % kJumpSpan;
}

size_t RowEncoder::VariableTableSize(size_t dataEnd, size_t variableCount) const {
    if (variableCount == 0) return 0;
    if (spec_.format == JetFormat::kJet4) return 2 * (variableCount + 2);
    return variableCount + 2 + JumpCount(dataEnd, variableCount);
}

void RowEncoder::AppendVariableTable(size_t variableCount) {
    const size_t dataEnd = rowBytes_.size();
    if (spec_.format == JetFormat::kJet4) {
        AppendU16(&rowBytes_, static_cast<uint16_t>(dataEnd));
        for (size_t index = variableCount; index-- > 0;)
            AppendU16(&rowBytes_, static_cast<uint16_t>(variableOffsets_[index]));
        AppendU16(&rowBytes_, static_cast<uint16_t>(variableCount));
        return;
    }
    // Jet 3: one byte per offset, the end of the data first, then the
    // offsets from the last column to the first; then the jump table, whose
    // byte j (stored last to first) names the first offset that is at least
    // 256 * (j + 1); then the variable-column count.
    rowBytes_.push_back(static_cast<uint8_t>(dataEnd));
    for (size_t index = variableCount; index-- > 0;)
        rowBytes_.push_back(static_cast<uint8_t>(variableOffsets_[index]));
    const size_t jumps = JumpCount(dataEnd, variableCount);
    // Readers drop the last jump byte when the data ends below its boundary.
    const size_t used = dataEnd / kJumpSpan;
    for (size_t jump = jumps; jump-- > 0;) {
        if (jump >= used) {
            rowBytes_.push_back(kUnusedJump);
            continue;
        }
        size_t first = 0;
        while (first < variableCount && variableOffsets_[first] < kJumpSpan * (jump + 1)) ++first;
        rowBytes_.push_back(static_cast<uint8_t>(first));
    }
    rowBytes_.push_back(static_cast<uint8_t>(variableCount));
}

}  // namespace jetwriter
