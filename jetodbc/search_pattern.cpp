#include "jetodbc/search_pattern.h"

#include "jetodbc/text_codec.h"

namespace jetodbc {

bool MatchesSearchPattern(std::string_view pattern, std::string_view name) {
    return MatchesSearchPattern(DecodeCp1252(pattern), DecodeCp1252(name));
}

bool MatchesSearchPattern(const Utf16& pattern, const Utf16& name) {
    // Iterative matching with one backtrack point for the last '%'.
    size_t p = 0, n = 0;
    size_t starP = Utf16::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()) {
            const char16_t c = pattern[p];
            if (c == u'%') {
                starP = ++p;
                starN = n;
                continue;
            }
            if (c == u'_') {
                ++p;
                ++n;
                continue;
            }
            char16_t literal = c;
            size_t width = 1;
            if (c == u'\\' && p + 1 < pattern.size()) {
                literal = pattern[p + 1];
                width = 2;
            }
            if (FoldCase(literal) == FoldCase(name[n])) {
                p += width;
                ++n;
                continue;
            }
        }
        if (starP == Utf16::npos) return false;
        p = starP;
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == u'%') ++p;
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
