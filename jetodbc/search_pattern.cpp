#include "jetodbc/search_pattern.h"

#include "jetodbc/text_codec.h"

namespace jetodbc {

namespace {

bool SameLetter(char a, char b) {
    return EqualsNoCase(std::string_view(&a, 1), std::string_view(&b, 1));
}

}  // namespace

bool MatchesSearchPattern(std::string_view pattern, std::string_view name) {
    // Iterative matching with one backtrack point for the last '%'.
    size_t p = 0, n = 0;
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()) {
            const char c = pattern[p];
            if (c == '%') {
                starP = ++p;
                starN = n;
                continue;
            }
            if (c == '_') {
                ++p;
                ++n;
                continue;
            }
            char literal = c;
            size_t width = 1;
            if (c == '\\' && p + 1 < pattern.size()) {
                literal = pattern[p + 1];
                width = 2;
            }
            if (SameLetter(literal, name[n])) {
                p += width;
                ++n;
                continue;
            }
        }
        if (starP == std::string_view::npos) return false;
        p = starP;
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == '%') ++p;
    return p == pattern.size();
}

bool IsLiteralPattern(std::string_view pattern) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\') {
            ++i;
        } else if (pattern[i] == '%' || pattern[i] == '_') {
            return false;
        }
    }
    return true;
}

}  // namespace jetodbc
