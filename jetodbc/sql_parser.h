// Parses the SQL subset the driver runs into a SelectStatement. Keywords
// are recognised without regard to letter case and cannot be used as bare
// names; bracketed (or back-quoted) names may be anything, keywords
// included. The grammar:
//   statement := SELECT items FROM name [WHERE or] [ORDER BY order {, order}] [;]
//   items     := '*' | item {, item};  item := name '.' '*' | column
//   column    := name ['.' name]
//   or        := and {OR and};  and := not {AND not};  not := NOT not | test
//   test      := '(' or ')' | operand [op operand | IS [NOT] NULL]
//   operand   := column | number | text | TRUE | FALSE | ('+'|'-') number
//   order     := column [ASC | DESC]
#pragma once

#include <string_view>

#include "jetodbc/sql_ast.h"

namespace jetodbc {

// The statement sql parses to. Throws DriverError 42000 naming the position
// and the text where the statement stops fitting the grammar.
SelectStatement ParseSelect(std::string_view sql);

// True when word is one of the keywords that cannot stand as a bare name.
bool IsReservedWord(std::string_view word);

}  // namespace jetodbc
