// The patterns of LIKE as Access reads them, with ODBC's wildcards beside
// Access's own: '*' or '%' stands for any run of characters (none
// included), '?' or '_' for one character, '#' for one digit, and
// "[...]" for one character of a list ("[a-cx]") or, after '!', one
// character not in it ("[!0-9]"); "[*]" is a literal '*'. A '[' that is not
// closed stands for itself. Letters match without regard to case.
#pragma once

#include <vector>

#include "jetodbc/text_codec.h"

namespace jetodbc {

class LikePattern {
  public:
    explicit LikePattern(const Utf16& pattern);

    // True when the whole of text fits the pattern. Takes time in proportion
    // to the product of the two lengths at most.
    bool Matches(const Utf16& text) const;

  private:
    struct Element {
        enum class Kind { Any, One, Digit, Char, Set };
        Kind kind = Kind::Char;
        char16_t c = 0;                                     // Char (folded)
        bool negated = false;                               // Set
        std::vector<std::pair<char16_t, char16_t>> ranges;  // Set (folded)
    };
    static bool Fits(const Element& e, char16_t c);

    std::vector<Element> elements_;
};

}  // namespace jetodbc
