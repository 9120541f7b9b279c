// Fuzzes Regexp with input "pattern NUL template NUL text" (with no NUL the
// input is both pattern and text, and "&" the template): compiles, matches,
// walks further matches, substitutes, and copies, checking that every
// reported pointer lies inside the text and that both regsub overloads agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "db/regexp.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Match and group pointers are null together or lie in order inside text.
void checkMatch(const Regexp& re, const std::string& text) {
    const Regexp::regexp* r = re.Program();
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    check(re.FirstChar() != nullptr && re.LastChar() != nullptr);
    for (int i = 0; i < Regexp::NSUBEXP; ++i) {
        const char* from = r->matchStarts[i];
        const char* to = r->matchEnds[i];
        check((from == nullptr) == (to == nullptr));
        if (from == nullptr) continue;
        check(begin <= from && from <= to && to <= end);
        check(re[i] == from);
    }
}

void checkSubstitution(Regexp& re, const std::string& templ, std::size_t n) {
    std::string result = "unchanged";
    re.regsub(templ.c_str(), result, n);
    // Exactly the room the result needs: ASan reports any byte beyond it.
    char* dest = static_cast<char*>(std::malloc(result.size() + 1));
    check(dest != nullptr);
    re.regsub(templ.c_str(), dest, n);
    check(result == dest);
    std::free(dest);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string pattern;
    std::string templ = "&";
    std::string text;
    const std::size_t first = input.find('\0');
    if (first == std::string::npos) {
        pattern = input;
        text = input;
    } else {
        pattern = input.substr(0, first);
        const std::size_t second = input.find('\0', first + 1);
        if (second == std::string::npos) {
            text = input.substr(first + 1);
        } else {
            templ = input.substr(first + 1, second - first - 1);
            // Only the part before any further NUL is text the matcher sees.
            text = std::string(input.c_str() + second + 1);
        }
    }
    const std::size_t n = size % 5 == 0 ? static_cast<std::size_t>(-1) : size % 40;

    Regexp re;
    // Replacing a program must free the old one (LeakSanitizer watches).
    re.Create("(a|b)*c");
    if (!re.Create(pattern.c_str())) {
        check(re.Program() == nullptr && re.regexec(text.c_str()) == 0);
        return 0;
    }
    const Regexp::regexp* r = re.Program();
    const char* program = reinterpret_cast<const char*>(r) + offsetof(Regexp::regexp, program);
    check(static_cast<unsigned char>(program[0]) == Regexp::MAGIC);
    if (r->mustText != nullptr) {
        check(r->mustText > program);
        check(std::strlen(r->mustText) == static_cast<std::size_t>(r->mustLength));
    }

    const int matched = re.regexec(text.c_str());
    Regexp copy(re);
    if (matched) {
        checkMatch(re, text);
        checkSubstitution(re, templ, n);
        const char* firstStart = re.FirstChar();
        const char* firstEnd = re.LastChar();
        for (int i = 0; i < 2 && re.NextMatch(); ++i) {
            checkMatch(re, text);
            check(re.FirstChar() >= firstEnd);
            checkSubstitution(re, templ, n);
        }
        // A copy holds its own program and finds the same first match.
        check(copy.Program() != re.Program());
        check(copy.regexec(text.c_str()) == 1);
        check(copy.FirstChar() == firstStart && copy.LastChar() == firstEnd);
    } else {
        check(re.FirstChar() == nullptr);
        checkSubstitution(re, templ, n);
    }

    Regexp moved(std::move(copy));
    copy = moved;
    check(copy.Program() != nullptr && copy.Program() != moved.Program());
    return 0;
}
