#include "jetwriter/description_parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "jetwriter/calendar.h"
#include "jetwriter/schema_rules.h"
#include "jetwriter/utf8.h"

namespace jetwriter {
namespace {

// The separator of LineCursor::Until that takes the rest of the line.
constexpr char kToLineEnd = '\0';

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Letters, digits, '_' and every byte of a non-ASCII UTF-8 character.
bool IsNameCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) || c == '_' || byte >= 0x80;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// A position in one line of the description.
class LineCursor {
  public:
    explicit LineCursor(std::string_view line) : line_(line) {}

    void SkipSpaces() {
        while (position_ < line_.size() && IsSpace(line_[position_])) ++position_;
    }
    // True when only spaces and maybe a comment are left.
    bool AtEnd() {
        SkipSpaces();
        return position_ == line_.size() || line_[position_] == '#';
    }
    char Peek() const { return position_ < line_.size() ? line_[position_] : '\0'; }
    bool Accept(char c) {
        SkipSpaces();
        if (Peek() != c) return false;
        ++position_;
        return true;
    }
    // A run of name characters (maybe empty).
    std::string_view Word() {
        SkipSpaces();
        const size_t start = position_;
        while (position_ < line_.size() && IsNameCharacter(line_[position_])) ++position_;
        return line_.substr(start, position_ - start);
    }
    // Everything up to the separator stop (kToLineEnd: none), a comment or
    // the end of the line, without surrounding spaces.
    std::string_view Until(char stop) {
        SkipSpaces();
        const size_t start = position_;
        while (position_ < line_.size() && line_[position_] != '#' &&
               (stop == kToLineEnd || line_[position_] != stop)) {
            ++position_;
        }
        return Trim(line_.substr(start, position_ - start));
    }
    // Reads a double-quoted string at the cursor (which must be at '"'),
    // resolving escapes. Returns an empty string, or what is wrong.
    std::string Quoted(std::string* text);

  private:
    std::string_view line_;
    size_t position_ = 0;
};

std::string LineCursor::Quoted(std::string* text) {
    text->clear();
    ++position_;  // the opening quote
    while (position_ < line_.size()) {
        const char c = line_[position_++];
        if (c == '"') return {};
        if (c != '\\') {
            text->push_back(c);
            continue;
        }
        if (position_ == line_.size()) break;
        const char escaped = line_[position_++];
        switch (escaped) {
            case '"':
                text->push_back('"');
                break;
            case '\\':
                text->push_back('\\');
                break;
            case 'n':
                text->push_back('\n');
                break;
            case 'r':
                text->push_back('\r');
                break;
            case 't':
                text->push_back('\t');
                break;
            case 'u': {
                const size_t close = line_.find('}', position_);
                if (Peek() != '{' || close == std::string_view::npos) {
                    return "\\u must be followed by {hex digits}";
                }
                const std::string_view digits = line_.substr(position_ + 1, close - position_ - 1);
                uint32_t codePoint = 0;
                const auto [end, status] =
                    std::from_chars(digits.data(), digits.data() + digits.size(), codePoint, 16);
                if (digits.empty() || digits.size() > 6 || status != std::errc() ||
                    end != digits.data() + digits.size() || !AppendUtf8(codePoint, text)) {
                    return "\\u{" + std::string(digits) + "} is not a Unicode character";
                }
                position_ = close + 1;
                break;
            }
            default:
                return std::string("unknown escape \\") + escaped;
        }
    }
    return "the text has no closing quote";
}

// Reads [+-]digits into *number. False when malformed or out of int64 range.
bool ParseWholeNumber(std::string_view token, int64_t* number) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.front() == '+') return false;
    const auto [end, status] = std::from_chars(token.data(), token.data() + token.size(), *number);
    return status == std::errc() && end == token.data() + token.size();
}

bool ParseReal(std::string_view token, double* number) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.front() == '+') return false;
    for (char c : token) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != 'e' &&
            c != 'E' && c != '+') {
            return false;  // keeps out inf, nan and hexadecimal forms
        }
    }
    const auto [end, status] = std::from_chars(token.data(), token.data() + token.size(), *number);
    return status == std::errc() && end == token.data() + token.size();
}

// [+-]digits[.d{1,4}] into ten-thousandths.
bool ParseCurrency(std::string_view token, int64_t* tenThousandths) {
    bool negative = false;
    if (!token.empty() && (token.front() == '+' || token.front() == '-')) {
        negative = token.front() == '-';
        token.remove_prefix(1);
    }
    const size_t point = token.find('.');
    const std::string_view whole = token.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : token.substr(point + 1);
    if (whole.empty() || fraction.size() > 4 ||
        (point != std::string_view::npos && fraction.empty())) {
        return false;
    }
    // The magnitude may reach 2^63 for the most negative amount.
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + negative;
    uint64_t magnitude = 0;
    for (size_t i = 0; i < whole.size() + 4; ++i) {
        const char c = i < whole.size()                     ? whole[i]
                       : i - whole.size() < fraction.size() ? fraction[i - whole.size()]
                                                            : '0';
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    *tenThousandths =
        negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

// Reads exactly `width` digits at text[*at] into *number, moving *at on.
bool ParseDigits(std::string_view text, size_t* at, size_t width, int* number) {
    if (text.size() < *at + width) return false;
    *number = 0;
    for (size_t i = 0; i < width; ++i) {
        const char c = text[*at + i];
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        *number = *number * 10 + (c - '0');
    }
    *at += width;
    return true;
}

// hh:mm or hh:mm:ss from *at, into seconds after midnight.
bool ParseTime(std::string_view text, size_t* at, int* seconds) {
    int hour = 0, minute = 0, second = 0;
    if (!ParseDigits(text, at, 2, &hour) || *at >= text.size() || text[(*at)++] != ':' ||
        !ParseDigits(text, at, 2, &minute)) {
        return false;
    }
    if (*at < text.size() && text[*at] == ':') {
        ++*at;
        if (!ParseDigits(text, at, 2, &second)) return false;
    }
    if (hour > 23 || minute > 59 || second > 59) return false;
    *seconds = hour * 3600 + minute * 60 + second;
    return true;
}

// YYYY-MM-DD, YYYY-MM-DD hh:mm[:ss] or hh:mm[:ss] (on 1899-12-30).
bool ParseDateTime(std::string_view token, double* dayNumber) {
    size_t at = 0;
    int seconds = 0;
    if (token.size() >= 3 && token[2] == ':') {
        if (!ParseTime(token, &at, &seconds) || at != token.size()) return false;
        *dayNumber = DayNumber(0, seconds);
        return true;
    }
    int year = 0, month = 0, day = 0;
    if (!ParseDigits(token, &at, 4, &year) || at >= token.size() || token[at++] != '-' ||
        !ParseDigits(token, &at, 2, &month) || at >= token.size() || token[at++] != '-' ||
        !ParseDigits(token, &at, 2, &day) || !IsValidDate(year, month, day)) {
        return false;
    }
    if (at < token.size()) {
        if (token[at++] != ' ') return false;
        while (at < token.size() && token[at] == ' ') ++at;
        if (!ParseTime(token, &at, &seconds) || at != token.size()) return false;
    }
    *dayNumber = DayNumber(DaysSinceEpoch(year, month, day), seconds);
    return true;
}

// True for an optional sign, digits and an optional point with more digits
// (at least one digit in all, no exponent).
bool IsDecimalNumber(std::string_view token) {
    size_t at = !token.empty() && (token[0] == '-' || token[0] == '+') ? 1 : 0;
    bool digit = false, point = false;
    for (; at < token.size(); ++at) {
        if (token[at] == '.' && !point) {
            point = true;
        } else if (token[at] >= '0' && token[at] <= '9') {
            digit = true;
        } else {
            return false;
        }
    }
    return digit;
}

// Interprets an unquoted token for a column. Returns an empty string, or
// what is wrong.
std::string ParseBareValue(std::string_view token, const Column& column, Value* value) {
    if (EqualsIgnoringCase(token, "NULL")) {
        *value = Value::Null();
        return {};
    }
    // Built only on failure: this runs for every value of every row.
    auto refuse = [&](const std::string& takes) {
        return "column " + column.name + " (" + ColumnTypeName(column.type) + ") takes " + takes +
               ", not \"" + std::string(token) + "\"";
    };
    int64_t whole = 0;
    double real = 0;
    switch (column.type) {
        case ColumnType::kYesNo:
            if (EqualsIgnoringCase(token, "true") || EqualsIgnoringCase(token, "yes") ||
                token == "1") {
                *value = Value::Boolean(true);
            } else if (EqualsIgnoringCase(token, "false") || EqualsIgnoringCase(token, "no") ||
                       token == "0") {
                *value = Value::Boolean(false);
            } else {
                return refuse("true or false");
            }
            return {};
        case ColumnType::kByte:
        case ColumnType::kInteger:
        case ColumnType::kLongInteger:
            if (!ParseWholeNumber(token, &whole)) return refuse("a whole number");
            *value = Value::Integer(whole);
            return {};
        case ColumnType::kSingle:
        case ColumnType::kDouble:
            if (!ParseReal(token, &real)) return refuse("a number");
            *value = Value::Real(real);
            return {};
        case ColumnType::kCurrency:
            if (!ParseCurrency(token, &whole)) return refuse("an amount with at most 4 decimals");
            *value = Value::Currency(whole);
            return {};
        case ColumnType::kNumeric:
            if (!IsDecimalNumber(token)) return refuse("a decimal number");
            *value = Value::Decimal(std::string(token));
            return {};
        case ColumnType::kDateTime:
            if (!ParseDateTime(token, &real)) {
                return refuse("YYYY-MM-DD, YYYY-MM-DD hh:mm[:ss] or hh:mm[:ss] (years " +
                              std::to_string(kFirstYear) + " to " + std::to_string(kLastYear) +
                              ")");
            }
            *value = Value::DateTime(real);
            return {};
        default:
            return refuse("a text in double quotes or NULL");
    }
}

// Reads a quoted text and its optional "* count" repetition.
std::string ParseQuotedValue(LineCursor* cursor, std::string* text) {
    std::string problem = cursor->Quoted(text);
    if (!problem.empty()) return problem;
    if (!cursor->Accept('*')) return {};
    int64_t count = 0;
    const std::string_view token = cursor->Until(',');
    if (!ParseWholeNumber(token, &count) || count < 0) {
        return "a text can only be repeated a whole number of times, not \"" + std::string(token) +
               "\"";
    }
    if (count > 0 && text->size() > kMaxDescribedTextBytes / static_cast<uint64_t>(count)) {
        return "the repeated text is longer than " + std::to_string(kMaxDescribedTextBytes) +
               " bytes";
    }
    std::string piece = std::move(*text);
    text->clear();
    text->reserve(piece.size() * count);
    for (int64_t i = 0; i < count; ++i) text->append(piece);
    return {};
}

// Reads a table or column name: a word of name characters or a quoted text.
std::string ParseName(LineCursor* cursor, const char* what, std::string* name) {
    cursor->SkipSpaces();
    if (cursor->Peek() == '"') {
        std::string problem = cursor->Quoted(name);
        if (!problem.empty()) return problem;
    } else {
        *name = std::string(cursor->Word());
        if (name->empty()) {
            return std::string("expected a ") + what +
                   " name (letters, digits, _ or a name in double quotes)";
        }
    }
    std::string problem = CheckObjectName(*name);
    if (!problem.empty()) return std::string(what) + " name: " + problem;
    return {};
}

bool ParseColumnType(std::string_view text, Column* column) {
    struct Named {
        const char* name;
        ColumnType type;
    };
    static const Named kTypes[] = {
        {"Yes/No", ColumnType::kYesNo},
        {"Byte", ColumnType::kByte},
        {"Integer", ColumnType::kInteger},
        {"Long", ColumnType::kLongInteger},
        {"Long Integer", ColumnType::kLongInteger},
        {"Single", ColumnType::kSingle},
        {"Double", ColumnType::kDouble},
        {"Currency", ColumnType::kCurrency},
        {"Date/Time", ColumnType::kDateTime},
        {"Memo", ColumnType::kMemo},
    };
    for (const Named& named : kTypes) {
        if (EqualsIgnoringCase(text, named.name)) {
            column->type = named.type;
            return true;
        }
    }
    // Text(n) and Numeric(p,s), spaces allowed around the parts.
    auto number = [](std::string_view digits, int* value) {
        digits = Trim(digits);
        const auto [end, status] =
            std::from_chars(digits.data(), digits.data() + digits.size(), *value);
        return !digits.empty() && status == std::errc() && end == digits.data() + digits.size();
    };
    const bool numeric = text.size() >= 7 && EqualsIgnoringCase(text.substr(0, 7), "numeric");
    if (!numeric && (text.size() < 4 || !EqualsIgnoringCase(text.substr(0, 4), "text"))) {
        return false;
    }
    text = Trim(text.substr(numeric ? 7 : 4));
    if (text.size() < 3 || text.front() != '(' || text.back() != ')') return false;
    const std::string_view inside = text.substr(1, text.size() - 2);
    if (numeric) {
        const size_t comma = inside.find(',');
        if (comma == std::string_view::npos ||
            !number(inside.substr(0, comma), &column->precision) ||
            !number(inside.substr(comma + 1), &column->scale)) {
            return false;
        }
        column->type = ColumnType::kNumeric;
        return true;
    }
    if (!number(inside, &column->text_length)) return false;
    column->type = ColumnType::kText;
    return true;
}

// The parser's state between lines.
class Parser {
  public:
    explicit Parser(Description* description) : description_(description) {}

    // Handles one line; returns an empty string or what is wrong with it.
    std::string ParseLine(std::string_view line, size_t number);
    // Checks what can only be checked at the end.
    std::string Finish();
    // The line a problem belongs to when not the line being parsed, else 0.
    size_t problem_line() const { return problemLine_; }

  private:
    std::string ParseDatabase(LineCursor* cursor);
    std::string ParseFormat(LineCursor* cursor);
    std::string ParseTable(LineCursor* cursor, size_t number);
    std::string ParseColumn(LineCursor* cursor, size_t number);
    std::string ParseDropColumn(LineCursor* cursor);
    std::string ParseRow(LineCursor* cursor, size_t number, RowFate fate);
    std::string CheckTableHasColumns();

    Description* description_;
    bool sawDatabase_ = false;
    bool sawOther_ = false;  // a statement other than database
    size_t problemLine_ = 0;
};

std::string Parser::ParseLine(std::string_view line, size_t number) {
    if (!IsValidUtf8(line)) return "the line is not valid UTF-8";
    LineCursor cursor(line);
    if (cursor.AtEnd()) return {};
    const std::string_view keyword = cursor.Word();
    std::string problem;
    if (EqualsIgnoringCase(keyword, "database")) {
        problem = ParseDatabase(&cursor);
    } else if (!sawDatabase_) {
        return "the description must start with a database line (database created=YYYY-MM-DD)";
    } else if (EqualsIgnoringCase(keyword, "format")) {
        problem = ParseFormat(&cursor);
    } else if (EqualsIgnoringCase(keyword, "table")) {
        problem = ParseTable(&cursor, number);
    } else if (EqualsIgnoringCase(keyword, "column")) {
        problem = ParseColumn(&cursor, number);
    } else if (EqualsIgnoringCase(keyword, "drop")) {
        if (!EqualsIgnoringCase(cursor.Word(), "column")) return "expected column after drop";
        problem = ParseDropColumn(&cursor);
    } else if (EqualsIgnoringCase(keyword, "row")) {
        problem = ParseRow(&cursor, number, RowFate::kStored);
    } else if (EqualsIgnoringCase(keyword, "deleted") || EqualsIgnoringCase(keyword, "moved")) {
        const RowFate fate =
            EqualsIgnoringCase(keyword, "deleted") ? RowFate::kDeleted : RowFate::kMoved;
        if (!EqualsIgnoringCase(cursor.Word(), "row")) {
            return "expected row after " + std::string(keyword);
        }
        problem = ParseRow(&cursor, number, fate);
    } else {
        const std::string_view shown = keyword.empty() ? cursor.Until(kToLineEnd) : keyword;
        return "expected database, format, table, column, drop column or row, not \"" +
               std::string(shown) + "\"";
    }
    if (!EqualsIgnoringCase(keyword, "database")) sawOther_ = true;
    if (problem.empty() && !cursor.AtEnd()) {
        problem =
            "unexpected \"" + std::string(cursor.Until(kToLineEnd)) + "\" at the end of the line";
    }
    return problem;
}

std::string Parser::ParseDatabase(LineCursor* cursor) {
    if (sawDatabase_) return "the database line appears twice";
    sawDatabase_ = true;
    if (!EqualsIgnoringCase(cursor->Word(), "created") || !cursor->Accept('=')) {
        return "expected created=YYYY-MM-DD after database";
    }
    const std::string_view date = cursor->Until(kToLineEnd);
    if (!ParseDateTime(date, &description_->database.created)) {
        return "the creation date must be YYYY-MM-DD or YYYY-MM-DD hh:mm[:ss], not \"" +
               std::string(date) + "\"";
    }
    return {};
}

std::string Parser::ParseFormat(LineCursor* cursor) {
    if (sawOther_) return "the format line must come right after the database line";
    const std::string_view name = cursor->Word();
    if (EqualsIgnoringCase(name, "jet3")) {
        description_->database.format = JetFormat::kJet3;
    } else if (EqualsIgnoringCase(name, "jet4")) {
        description_->database.format = JetFormat::kJet4;
    } else {
        return "expected format jet3 or format jet4, not \"" + std::string(name) + "\"";
    }
    return {};
}

std::string Parser::CheckTableHasColumns() {
    if (!description_->database.tables.empty() &&
        description_->database.tables.back().columns.empty()) {
        problemLine_ = description_->tableLines.back();
        return "table " + description_->database.tables.back().name + " has no columns";
    }
    return {};
}

std::string Parser::ParseTable(LineCursor* cursor, size_t number) {
    std::string problem = CheckTableHasColumns();
    if (!problem.empty()) return problem;
    Table table;
    problem = ParseName(cursor, "table", &table.name);
    if (!problem.empty()) return problem;
    if (SameName(table.name, kCatalogName)) return "the name " + table.name + " is taken";
    for (const Table& earlier : description_->database.tables) {
        if (SameName(earlier.name, table.name)) return "table " + table.name + " appears twice";
    }
    description_->database.tables.push_back(std::move(table));
    description_->tableLines.push_back(number);
    description_->rowLines.emplace_back();
    description_->columnLines.emplace_back();
    return {};
}

std::string Parser::ParseColumn(LineCursor* cursor, size_t number) {
    if (description_->database.tables.empty()) return "a column line must follow a table line";
    Table& table = description_->database.tables.back();
    if (table.columns.size() == kMaxColumns) {
        return "a table has at most " + std::to_string(kMaxColumns) + " columns";
    }
    Column column;
    std::string problem = ParseName(cursor, "column", &column.name);
    if (!problem.empty()) return problem;
    for (const Column& earlier : table.columns) {
        if (!earlier.dropped() && SameName(earlier.name, column.name)) {
            return "column " + column.name + " appears twice";
        }
    }
    const std::string_view type = cursor->Until(kToLineEnd);
    if (!ParseColumnType(type, &column)) {
        return "unknown column type \"" + std::string(type) +
               "\" (Yes/No, Byte, Integer, Long, Single, Double, Currency, Date/Time, Text(n), "
               "Memo, Numeric(p,s))";
    }
    if (column.type == ColumnType::kText &&
        (column.text_length < 1 || column.text_length > kMaxTextLength)) {
        return "Text(n) takes n from 1 to " + std::to_string(kMaxTextLength);
    }
    if (column.type == ColumnType::kNumeric &&
        (column.precision < 1 || column.precision > kMaxNumericPrecision || column.scale < 0 ||
         column.scale > column.precision)) {
        return "Numeric(p,s) takes p from 1 to " + std::to_string(kMaxNumericPrecision) +
               " and s from 0 to p";
    }
    // A column after rows was added later: the rows before it do not have it.
    column.added_at_row = table.rows.size();
    table.columns.push_back(std::move(column));
    description_->columnLines.back().push_back(number);
    return {};
}

std::string Parser::ParseDropColumn(LineCursor* cursor) {
    if (description_->database.tables.empty()) return "a drop column line must follow a table line";
    Table& table = description_->database.tables.back();
    std::string name;
    std::string problem = ParseName(cursor, "column", &name);
    if (!problem.empty()) return problem;
    for (Column& column : table.columns) {
        if (!column.dropped() && SameName(column.name, name)) {
            // Rows written from now on no longer have it.
            column.dropped_at_row = table.rows.size();
            return {};
        }
    }
    return "table " + table.name + " has no column " + name + " to drop";
}

std::string Parser::ParseRow(LineCursor* cursor, size_t number, RowFate fate) {
    if (description_->database.tables.empty()) return "a row line must follow a table line";
    Table& table = description_->database.tables.back();
    // A new row has a value for every column not dropped so far.
    std::vector<const Column*> live;
    for (const Column& column : table.columns) {
        if (!column.dropped()) live.push_back(&column);
    }
    if (live.empty()) return "a row line must follow the table's column lines";
    std::vector<Value> row;
    row.reserve(live.size());
    do {
        if (row.size() == live.size()) {
            return "the row has more values than the table's " + std::to_string(live.size()) +
                   " columns";
        }
        const Column& column = *live[row.size()];
        cursor->SkipSpaces();
        Value value;
        if (cursor->Peek() == '"') {
            if (!HoldsText(column.type)) {
                return "column " + column.name + " (" + ColumnTypeName(column.type) +
                       ") takes a value without quotes";
            }
            std::string text;
            std::string problem = ParseQuotedValue(cursor, &text);
            if (!problem.empty()) return problem;
            value = Value::Text(std::move(text));
        } else {
            const std::string_view token = cursor->Until(',');
            if (token.empty()) {
                return "value " + std::to_string(row.size() + 1) + " (column " + column.name +
                       ") is missing";
            }
            std::string problem = ParseBareValue(token, column, &value);
            if (!problem.empty()) return problem;
        }
        row.push_back(std::move(value));
    } while (cursor->Accept(','));
    if (row.size() != live.size()) {
        return "the row has " + std::to_string(row.size()) + " values for the table's " +
               std::to_string(live.size()) + " columns";
    }
    if (fate != RowFate::kStored) table.row_fates.resize(table.rows.size(), RowFate::kStored);
    if (!table.row_fates.empty()) table.row_fates.push_back(fate);
    table.rows.push_back(std::move(row));
    description_->rowLines.back().push_back(number);
    return {};
}

std::string Parser::Finish() {
    if (!sawDatabase_) {
        return "the description must start with a database line (database created=YYYY-MM-DD)";
    }
    return CheckTableHasColumns();
}

}  // namespace

bool ParseDescription(std::string_view text, Description* description, DescriptionError* error) {
    *description = Description();
    Parser parser(description);
    size_t number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        std::string problem = parser.ParseLine(text.substr(start, end - start), number);
        if (!problem.empty()) {
            error->line = parser.problem_line() != 0 ? parser.problem_line() : number;
            error->message = std::move(problem);
            return false;
        }
        start = end + 1;
    }
    std::string problem = parser.Finish();
    if (problem.empty()) return true;
    error->line = parser.problem_line() != 0 ? parser.problem_line() : std::max<size_t>(number, 1);
    error->message = std::move(problem);
    return false;
}

size_t LineOfProblem(const Description& description, const WriteProblem& problem) {
    if (problem.table >= description.tableLines.size()) return 0;
    const std::vector<size_t>& rows = description.rowLines[problem.table];
    if (problem.row < rows.size()) return rows[problem.row];
    const std::vector<size_t>& columns = description.columnLines[problem.table];
    if (problem.column < columns.size()) return columns[problem.column];
    return description.tableLines[problem.table];
}

}  // namespace jetwriter
