// Parses the SQL subset the driver runs into a SelectStatement. Keywords
// are recognised without regard to letter case and cannot be used as bare
// names; bracketed (or back-quoted) names may be anything, keywords
// included. The grammar:
//   statement := SELECT [DISTINCT | ALL] [TOP whole [PERCENT]] items
//                FROM name [[AS] name] [WHERE or] [GROUP BY column {, column}]
//                [ORDER BY order {, order}] [;]
//   items     := item {, item}
//   item      := '*' | name '.' '*' | column [AS name] | aggregate [AS name]
//   aggregate := (COUNT | MIN | MAX | SUM | AVG) '(' column ')' | COUNT '(' '*' ')'
//   column    := name ['.' name]
//   or        := and {OR and};  and := not {AND not};  not := NOT not | test
//   test      := '(' or ')' | operand [op operand | IS [NOT] NULL
//                | [NOT] LIKE operand | [NOT] IN '(' operand {, operand} ')'
//                | [NOT] BETWEEN operand AND operand]
//   operand   := column | number | text | #date# | '?' | NULL | TRUE | FALSE
//                | ('+'|'-') number
//   order     := (column | whole | aggregate) [ASC | DESC]
// NOT and parentheses nest at most 200 deep. A statement that would change
// the file (INSERT, UPDATE, DELETE, CREATE, DROP, ALTER, SELECT ... INTO) is
// refused with HY000, as the driver is read-only.
#pragma once

#include <string_view>

#include "jetodbc/sql_ast.h"

namespace jetodbc {

// The statement sql (UTF-8) parses to; its names stay UTF-8. Throws DriverError 42000 naming the position
// and the text where the statement stops fitting the grammar, HY000 for a
// statement that would change the file.
SelectStatement ParseSelect(std::string_view sql);

// True when word is one of the keywords that cannot stand as a bare name.
bool IsReservedWord(std::string_view word);

}  // namespace jetodbc
