// The search patterns that catalog functions take for names: '%' matches
// any run of characters, '_' any one character, '\' makes the next character
// stand for itself. Names match without regard to letter case, as Jet's do.
#pragma once

#include <string_view>

#include "jetodbc/text_codec.h"

namespace jetodbc {

// True when name (Windows-1252) matches pattern. An empty pattern matches
// only the empty name.
bool MatchesSearchPattern(std::string_view pattern, std::string_view name);

// The same for names in UTF-16.
bool MatchesSearchPattern(const Utf16& pattern, const Utf16& name);

// True when pattern holds no unescaped '%' or '_' (it names one thing).
bool IsLiteralPattern(std::string_view pattern);

}  // namespace jetodbc
