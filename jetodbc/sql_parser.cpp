#include "jetodbc/sql_parser.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "jetodbc/date_time.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/sql_lexer.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

constexpr const char* kReserved[] = {
    "ALL",       "ALTER",  "AND",    "ANY",      "AS",          "ASC",    "BETWEEN", "BY",
    "CREATE",    "DELETE", "DESC",   "DISTINCT", "DISTINCTROW", "DROP",   "EXISTS",  "FALSE",
    "FROM",      "GROUP",  "HAVING", "IN",       "INNER",       "INSERT", "INTO",    "IS",
    "JOIN",      "LEFT",   "LIKE",   "NOT",      "NULL",        "ON",     "OR",      "ORDER",
    "OUTER",     "PIVOT",  "RIGHT",  "SELECT",   "SET",         "SOME",   "TABLE",   "TOP",
    "TRANSFORM", "TRUE",   "UNION",  "UPDATE",   "VALUES",      "WHERE",  "WITH"};

// Deeper nesting than any statement a person or tool writes, shallow
// enough for the smallest thread stack a client may call in.
constexpr size_t kMaxNesting = 200;

class Parser {
  public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    SelectStatement Statement() {
        SelectStatement s;
        for (const char* change : {"INSERT", "UPDATE", "DELETE", "CREATE", "DROP", "ALTER"}) {
            if (IsKeyword(Peek(), change)) throw ReadOnlyDatabase();
        }
        ExpectKeyword("SELECT");
        if (AcceptKeyword("DISTINCT")) {
            s.distinct = true;
        } else {
            AcceptKeyword("ALL");
        }
        if (AcceptKeyword("TOP")) {
            const Token& n = Peek();
            if (n.kind != TokenKind::Number || n.text.find_first_of(".eE") != std::string::npos) {
                throw SyntaxError(n, "a whole number");
            }
            errno = 0;
            s.top = std::strtoull(n.text.c_str(), nullptr, 10);
            if (errno != 0) throw SyntaxError(n, "a smaller number");
            Next();
            s.hasTop = true;
            s.topPercent = AcceptKeyword("PERCENT");
        }
        s.items = Items();
        if (IsKeyword(Peek(), "INTO")) throw ReadOnlyDatabase();  // a make-table query
        ExpectKeyword("FROM");
        s.tablePosition = Peek().position;
        s.table = Name("a table name");
        if (AcceptKeyword("AS")) {
            s.tableAlias = Name("an alias");
        } else if (IsName(Peek())) {
            s.tableAlias = Next().text;
        }
        if (AcceptKeyword("WHERE")) s.where = Or();
        if (AcceptKeyword("GROUP")) {
            ExpectKeyword("BY");
            do {
                s.groupBy.push_back(Column("a column name"));
            } while (AcceptSymbol(","));
        }
        if (AcceptKeyword("ORDER")) {
            ExpectKeyword("BY");
            do {
                s.orderBy.push_back(Order());
            } while (AcceptSymbol(","));
        }
        AcceptSymbol(";");
        if (Peek().kind != TokenKind::End) {
            throw SyntaxError(Peek(), !s.orderBy.empty() ? "',' or the end"
                                      : !s.groupBy.empty()
                                          ? "ORDER BY or the end"
                                          : "WHERE, GROUP BY, ORDER BY or the end");
        }
        s.parameterCount = parameters_;
        return s;
    }

  private:
    const Token& Peek(size_t ahead = 0) const {
        const size_t i = index_ + ahead;
        return tokens_[i < tokens_.size() ? i : tokens_.size() - 1];
    }
    const Token& Next() {
        const Token& t = Peek();
        if (index_ + 1 < tokens_.size()) ++index_;
        return t;
    }

    bool IsKeyword(const Token& t, const char* word) const {
        return t.kind == TokenKind::Name && EqualsNoCase(t.text, word);
    }
    bool AcceptKeyword(const char* word) {
        if (!IsKeyword(Peek(), word)) return false;
        Next();
        return true;
    }
    void ExpectKeyword(const char* word) {
        if (!AcceptKeyword(word)) throw SyntaxError(Peek(), word);
    }
    bool IsSymbol(const Token& t, const char* symbol) const {
        return t.kind == TokenKind::Symbol && t.text == symbol;
    }
    bool AcceptSymbol(const char* symbol) {
        if (!IsSymbol(Peek(), symbol)) return false;
        Next();
        return true;
    }
    bool IsName(const Token& t) const {
        return t.kind == TokenKind::QuotedName ||
               (t.kind == TokenKind::Name && !IsReservedWord(t.text));
    }
    std::string Name(const char* what) {
        if (!IsName(Peek())) throw SyntaxError(Peek(), what);
        return Next().text;
    }

    ColumnRef Column(const char* what) {
        ColumnRef c;
        c.position = Peek().position;
        c.name = Name(what);
        if (AcceptSymbol(".")) {
            c.table = std::move(c.name);
            c.name = Name("a column name");
        }
        return c;
    }

    // An aggregate function's name at the current token followed by '(',
    // or Aggregate::None.
    Aggregate AggregateAhead() const {
        static const std::pair<const char*, Aggregate> kFunctions[] = {{"COUNT", Aggregate::Count},
                                                                       {"MIN", Aggregate::Min},
                                                                       {"MAX", Aggregate::Max},
                                                                       {"SUM", Aggregate::Sum},
                                                                       {"AVG", Aggregate::Avg}};
        if (Peek().kind != TokenKind::Name || !IsSymbol(Peek(1), "(")) return Aggregate::None;
        for (const auto& [name, function] : kFunctions) {
            if (EqualsNoCase(Peek().text, name)) return function;
        }
        return Aggregate::None;
    }

    // function '(' ('*' | column) ')', the function already seen ahead.
    void AggregateCall(Aggregate function, ColumnRef* column, bool* countRows) {
        Next();
        Next();
        if (function == Aggregate::Count && AcceptSymbol("*")) {
            *countRows = true;
        } else {
            *column =
                Column(function == Aggregate::Count ? "a column name or '*'" : "a column name");
        }
        if (!AcceptSymbol(")")) throw SyntaxError(Peek(), "')'");
    }

    std::vector<SelectItem> Items() {
        std::vector<SelectItem> items;
        do {
            SelectItem item;
            item.position = Peek().position;
            if (AcceptSymbol("*")) {
                item.kind = SelectItem::Kind::AllColumns;
            } else if (IsName(Peek()) && IsSymbol(Peek(1), ".") && IsSymbol(Peek(2), "*")) {
                item.kind = SelectItem::Kind::TableAllColumns;
                item.table = Next().text;
                Next();
                Next();
            } else if (const Aggregate function = AggregateAhead(); function != Aggregate::None) {
                item.kind = SelectItem::Kind::Aggregate;
                item.function = function;
                AggregateCall(function, &item.column, &item.countRows);
            } else {
                item.kind = SelectItem::Kind::Column;
                item.column = Column("a column name or '*'");
            }
            if (item.kind == SelectItem::Kind::Column || item.kind == SelectItem::Kind::Aggregate) {
                if (AcceptKeyword("AS")) item.alias = Name("an alias");
            }
            items.push_back(std::move(item));
        } while (AcceptSymbol(","));
        return items;
    }

    OrderItem Order() {
        OrderItem item;
        item.position = Peek().position;
        const Token& t = Peek();
        if (t.kind == TokenKind::Number) {
            char* end = nullptr;
            const unsigned long long n = std::strtoull(t.text.c_str(), &end, 10);
            if (*end != '\0' || n == 0 || n > 65535) throw SyntaxError(t, "a column number");
            item.resultColumn = static_cast<size_t>(n);
            Next();
        } else if (const Aggregate function = AggregateAhead(); function != Aggregate::None) {
            item.function = function;
            AggregateCall(function, &item.column, &item.countRows);
        } else {
            item.column = Column("a column name");
        }
        if (AcceptKeyword("DESC")) {
            item.descending = true;
        } else {
            AcceptKeyword("ASC");
        }
        return item;
    }

    // A chain of one operator's terms; a single term stands alone.
    template <typename Term>
    std::unique_ptr<Condition> Chain(Condition::Kind kind, const char* keyword, Term term) {
        auto first = (this->*term)();
        if (!IsKeyword(Peek(), keyword)) return first;
        auto c = std::make_unique<Condition>();
        c->kind = kind;
        c->terms.push_back(std::move(first));
        while (AcceptKeyword(keyword)) c->terms.push_back((this->*term)());
        return c;
    }
    std::unique_ptr<Condition> Or() { return Chain(Condition::Kind::Or, "OR", &Parser::And); }
    std::unique_ptr<Condition> And() { return Chain(Condition::Kind::And, "AND", &Parser::Not); }
    std::unique_ptr<Condition> Not() {
        if (IsKeyword(Peek(), "NOT")) {
            const Nesting nested(this);
            Next();
            auto c = std::make_unique<Condition>();
            c->kind = Condition::Kind::Not;
            c->left = Not();
            return c;
        }
        return Test();
    }

    // One level of NOT or parentheses for as long as it lives; past
    // kMaxNesting levels the statement is refused, so that neither the
    // parser nor a walk over its tree can run out of stack.
    class Nesting {
      public:
        explicit Nesting(Parser* p) : parser_(p) {
            if (++parser_->depth_ > kMaxNesting) {
                throw SyntaxErrorAt(parser_->Peek().position,
                                    "NOT and parentheses nest deeper than " +
                                        std::to_string(kMaxNesting) + " levels");
            }
        }
        ~Nesting() { --parser_->depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

      private:
        Parser* parser_;
    };

    std::unique_ptr<Condition> Test() {
        if (IsSymbol(Peek(), "(")) {
            const Nesting nested(this);
            Next();
            auto inner = Or();
            if (!AcceptSymbol(")")) throw SyntaxError(Peek(), "')'");
            return inner;
        }
        auto c = std::make_unique<Condition>();
        c->a = OperandValue();
        static const std::pair<const char*, CompareOp> kOps[] = {
            {"=", CompareOp::Equal},        {"<>", CompareOp::NotEqual},
            {"!=", CompareOp::NotEqual},    {"<", CompareOp::Less},
            {"<=", CompareOp::LessEqual},   {">", CompareOp::Greater},
            {">=", CompareOp::GreaterEqual}};
        for (const auto& [symbol, op] : kOps) {
            if (AcceptSymbol(symbol)) {
                c->kind = Condition::Kind::Compare;
                c->op = op;
                c->b = OperandValue();
                return c;
            }
        }
        if (AcceptKeyword("IS")) {
            c->kind = Condition::Kind::IsNull;
            c->negated = AcceptKeyword("NOT");
            ExpectKeyword("NULL");
            return c;
        }
        const bool negated =
            IsKeyword(Peek(), "NOT") && (IsKeyword(Peek(1), "LIKE") || IsKeyword(Peek(1), "IN") ||
                                         IsKeyword(Peek(1), "BETWEEN"));
        if (negated) Next();
        c->negated = negated;
        if (AcceptKeyword("LIKE")) {
            c->kind = Condition::Kind::Like;
            c->b = OperandValue();
            return c;
        }
        if (AcceptKeyword("BETWEEN")) {
            c->kind = Condition::Kind::Between;
            c->b = OperandValue();
            ExpectKeyword("AND");
            c->c = OperandValue();
            return c;
        }
        if (AcceptKeyword("IN")) {
            c->kind = Condition::Kind::In;
            if (!AcceptSymbol("(")) throw SyntaxError(Peek(), "'('");
            do {
                c->list.push_back(OperandValue());
            } while (AcceptSymbol(","));
            if (!AcceptSymbol(")")) throw SyntaxError(Peek(), "',' or ')'");
            return c;
        }
        c->kind = Condition::Kind::Truth;
        return c;
    }

    Operand OperandValue() {
        Operand o;
        const Token& t = Peek();
        o.position = t.position;
        if (t.kind == TokenKind::Number || IsSymbol(t, "-") || IsSymbol(t, "+")) {
            bool negative = false;
            if (IsSymbol(t, "-") || IsSymbol(t, "+")) {
                negative = Next().text == "-";
                if (Peek().kind != TokenKind::Number) throw SyntaxError(Peek(), "a number");
            }
            o.literal = NumberValue(Next(), negative);
        } else if (t.kind == TokenKind::Text) {
            o.literal = Value::Text(DecodeUtf8(Next().text));
        } else if (t.kind == TokenKind::Date) {
            o.literal = DateValue(Next());
        } else if (IsSymbol(t, "?")) {
            Next();
            o.kind = Operand::Kind::Parameter;
            o.parameter = parameters_++;
        } else if (IsKeyword(t, "NULL")) {
            Next();
        } else if (IsKeyword(t, "TRUE") || IsKeyword(t, "FALSE")) {
            o.literal = Value::Integer(IsKeyword(Next(), "TRUE") ? -1 : 0);
        } else if (IsName(t)) {
            o.kind = Operand::Kind::Column;
            o.column = Column("a column name");
        } else {
            throw SyntaxError(t, "a column, number, text or date");
        }
        return o;
    }

    static Value DateValue(const Token& t) {
        CivilTime c;
        if (!ParseDateText(t.text, &c))
            throw SyntaxError(t, "a valid date or time between # marks");
        return Value::DateTime(CivilToJetDays(c));
    }

    static Value NumberValue(const Token& t, bool negative) {
        const std::string text = (negative ? "-" : "") + t.text;
        if (t.text.find_first_of(".eE") == std::string::npos) {
            errno = 0;
            const long long whole = std::strtoll(text.c_str(), nullptr, 10);
            if (errno == 0) return Value::Integer(whole);
        }
        return Value::Double(std::strtod(text.c_str(), nullptr));
    }

    std::vector<Token> tokens_;
    size_t index_ = 0;
    size_t depth_ = 0;
    size_t parameters_ = 0;
};

}  // namespace

bool IsReservedWord(std::string_view word) {
    for (const char* r : kReserved) {
        if (EqualsNoCase(word, r)) return true;
    }
    return false;
}

SelectStatement ParseSelect(std::string_view sql) { return Parser(Tokenize(sql)).Statement(); }

}  // namespace jetodbc
