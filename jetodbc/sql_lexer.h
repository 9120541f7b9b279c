// Splits SQL text into tokens: names (bare, or between [ ] or ` `), numbers,
// quoted texts ('...' or "..." with the quote doubled inside), dates
// between # marks, operators, parameter markers and
// punctuation. Line breaks and tabs count as blanks. Keywords are bare names;
// the parser tells them apart. The statement is UTF-8; positions are 1-based
// character offsets into it, for the messages of syntax errors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jetodbc {

enum class TokenKind {
    Name,        // bare name or keyword
    QuotedName,  // [name] or `name`: never a keyword
    Number,
    Text,    // quoted text, quotes removed
    Date,    // #...#, the marks removed
    Symbol,  // = <> != < <= > >= ( ) , . * ; + - ?
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // the name, number, text content or symbol
    size_t position = 0;
};

// The tokens of sql followed by one End token. Throws DriverError 42000
// naming the position of an unterminated text or name, or of a character
// that starts no token.
std::vector<Token> Tokenize(std::string_view sql);

// The DriverError for a syntax error at token: 42000, naming its position
// and text.
class DriverError;
DriverError SyntaxError(const Token& token, const std::string& expected);

// The DriverError for a syntax error at position (1-based) that what (UTF-8)
// describes: 42000.
DriverError SyntaxErrorAt(size_t position, const std::string& what);

}  // namespace jetodbc
