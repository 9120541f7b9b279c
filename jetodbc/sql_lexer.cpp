#include "jetodbc/sql_lexer.h"

#include <cctype>

#include "jetodbc/driver_error.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsNamePart(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

DriverError LexError(size_t position, const std::string& what) {
    return Utf8Error(
        "42000",
        "Syntax error in SQL statement at position " + std::to_string(position) + ": " + what + ".",
        -3500);
}

}  // namespace

DriverError SyntaxErrorAt(size_t position, const std::string& what) {
    return LexError(position, what);
}

DriverError SyntaxError(const Token& token, const std::string& expected) {
    const std::string found =
        token.kind == TokenKind::End ? "the end of the statement" : "'" + token.text + "'";
    return LexError(token.position, expected + " expected, found " + found);
}

std::vector<Token> Tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    size_t i = 0;
    // The character position of byte i: bytes that continue a UTF-8
    // sequence do not count.
    size_t counted = 0, characters = 0;
    auto position = [&](size_t byte) {
        for (; counted < byte; ++counted) {
            if ((static_cast<unsigned char>(sql[counted]) & 0xC0) != 0x80) ++characters;
        }
        return characters + 1;
    };
    while (i < sql.size()) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        Token t;
        t.position = position(i);
        if (c == '[' || c == '`') {
            const char close = c == '[' ? ']' : '`';
            const size_t end = sql.find(close, i + 1);
            if (end == std::string_view::npos) throw LexError(t.position, "unterminated name");
            t.kind = TokenKind::QuotedName;
            t.text = std::string(sql.substr(i + 1, end - i - 1));
            if (t.text.empty()) throw LexError(t.position, "empty name");
            i = end + 1;
        } else if (c == '#') {
            const size_t end = sql.find('#', i + 1);
            if (end == std::string_view::npos) throw LexError(t.position, "unterminated date");
            t.kind = TokenKind::Date;
            t.text = std::string(sql.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == '\'' || c == '"') {
            t.kind = TokenKind::Text;
            size_t j = i + 1;
            while (true) {
                if (j >= sql.size()) throw LexError(t.position, "unterminated text");
                if (sql[j] == static_cast<char>(c)) {
                    if (j + 1 < sql.size() && sql[j + 1] == static_cast<char>(c)) {
                        t.text.push_back(static_cast<char>(c));
                        j += 2;
                        continue;
                    }
                    break;
                }
                t.text.push_back(sql[j++]);
            }
            i = j + 1;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < sql.size() &&
                                       std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            size_t j = i;
            while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
            if (j < sql.size() && sql[j] == '.') {
                ++j;
                while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
            }
            if (j < sql.size() && (sql[j] == 'e' || sql[j] == 'E')) {
                size_t k = j + 1;
                if (k < sql.size() && (sql[k] == '+' || sql[k] == '-')) ++k;
                if (k < sql.size() && std::isdigit(static_cast<unsigned char>(sql[k]))) {
                    while (k < sql.size() && std::isdigit(static_cast<unsigned char>(sql[k]))) ++k;
                    j = k;
                }
            }
            if (j < sql.size() && IsNamePart(static_cast<unsigned char>(sql[j]))) {
                throw LexError(t.position, "malformed number");
            }
            t.kind = TokenKind::Number;
            t.text = std::string(sql.substr(i, j - i));
            i = j;
        } else if (IsNameStart(c)) {
            size_t j = i;
            while (j < sql.size() && IsNamePart(static_cast<unsigned char>(sql[j]))) ++j;
            t.kind = TokenKind::Name;
            t.text = std::string(sql.substr(i, j - i));
            i = j;
        } else {
            t.kind = TokenKind::Symbol;
            const std::string_view two = sql.substr(i, 2);
            if (two == "<>" || two == "!=" || two == "<=" || two == ">=") {
                t.text = std::string(two);
                i += 2;
            } else if (std::string_view("=<>(),.*;+-?").find(static_cast<char>(c)) !=
                       std::string_view::npos) {
                t.text = std::string(1, static_cast<char>(c));
                ++i;
            } else {
                throw LexError(t.position, "unexpected character '" +
                                               std::string(1, static_cast<char>(c)) + "'");
            }
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.kind = TokenKind::End;
    end.position = position(sql.size());
    tokens.push_back(end);
    return tokens;
}

}  // namespace jetodbc
