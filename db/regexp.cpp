#include "db/regexp.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <utility>

namespace {

using regexp = Regexp::regexp;

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// Node layout: opcode, next offset (high byte, low byte), operand.
inline unsigned char OP(const char* p) { return static_cast<unsigned char>(p[0]); }

inline unsigned NEXT(const char* p) {
    return (static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8) |
           static_cast<unsigned char>(p[2]);
}

inline char* OPERAND(char* p) { return p + 3; }
inline const char* OPERAND(const char* p) { return p + 3; }

inline bool isMultiplier(char c) { return c == '*' || c == '+' || c == '?'; }

// ASCII only: bytes of 128 and above never belong to a word.
inline bool isWordChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

// A literal run stops before these (they are operators or the end).
inline bool endsRun(char c) {
    switch (c) {
        case '^':
        case '$':
        case '.':
        case '[':
        case '(':
        case ')':
        case '|':
        case '\n':
        case '\0':
            return true;
        default:
            return false;
    }
}

// Set operands can hold thousands of bytes (ranges repeat freely), so the
// bytes scanned are added to the caller's work count.
bool inSet(const char* set, char c, long long& cost) {
    const char* p = set;
    while (*p != '\0' && *p != c) ++p;
    cost += (p - set) + 1;
    return *p != '\0';
}

std::size_t blockBytes(long programSize) {
    const std::size_t bytes = offsetof(regexp, program) + static_cast<std::size_t>(programSize);
    return bytes < sizeof(regexp) ? sizeof(regexp) : bytes;
}

// The program bytes follow the header inside the same block; reaching them
// through the block keeps the arithmetic within the allocation.
inline char* programOf(regexp* r) { return reinterpret_cast<char*>(r) + offsetof(regexp, program); }

struct DepthGuard {
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& depth_;
};

}  // namespace

Regexp::Regexp() = default;

Regexp::Regexp(const char* pattern) { Create(pattern); }

Regexp::Regexp(const Regexp& other) : programSize(other.programSize) {
    if (other.compiled == nullptr) return;
    const std::size_t bytes = blockBytes(programSize);
    void* block = std::malloc(bytes);
    if (block == nullptr) return;
    compiled = new (block) regexp();
    std::memcpy(block, static_cast<const void*>(other.compiled), bytes);
    // mustText points into the program: keep it pointing into our own block.
    if (other.compiled->mustText != nullptr) {
        compiled->mustText =
            programOf(compiled) + (other.compiled->mustText - programOf(other.compiled));
    }
    groupStarts = compiled->matchStarts;
    groupEnds = compiled->matchEnds;
}

Regexp& Regexp::operator=(const Regexp& other) {
    if (this != &other) {
        Regexp copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Regexp::Regexp(Regexp&& other) noexcept
    : programSize(other.programSize),
      groupStarts(other.groupStarts),
      groupEnds(other.groupEnds),
      compiled(other.compiled) {
    other.compiled = nullptr;
    other.groupStarts = nullptr;
    other.groupEnds = nullptr;
}

Regexp& Regexp::operator=(Regexp&& other) noexcept {
    if (this != &other) {
        release();
        programSize = other.programSize;
        compiled = other.compiled;
        groupStarts = other.groupStarts;
        groupEnds = other.groupEnds;
        other.compiled = nullptr;
        other.groupStarts = nullptr;
        other.groupEnds = nullptr;
    }
    return *this;
}

Regexp::~Regexp() { release(); }

void Regexp::release() {
    std::free(compiled);
    compiled = nullptr;
    groupStarts = nullptr;
    groupEnds = nullptr;
}

int Regexp::Create(const char* pattern) {
    regexp* fresh = regcomp(pattern);
    release();
    compiled = fresh;
    if (compiled == nullptr) return 0;
    groupStarts = compiled->matchStarts;
    groupEnds = compiled->matchEnds;
    return 1;
}

void Regexp::regerror(const char* message) const { (void)message; }

// ---------------------------------------------------------------------------
// Compilation. The pattern is parsed twice: once to count the bytes (emitPos
// at sizingDummy, nothing written), once to write them into a block of
// exactly that size. Recursion runs reg -> regbranch -> regpiece -> regatom ->
// reg once per '(' and a group number is taken before descending, so the
// nine-group cap also caps the nesting at ten levels.

Regexp::regexp* Regexp::regcomp(const char* pattern) {
    if (pattern == nullptr) {
        regerror("null pattern");
        return nullptr;
    }
    int flags = 0;

    parsePos = pattern;
    groupCount = 1;
    programSize = 0;
    emitPos = &sizingDummy;
    regc(MAGIC);
    if (reg(0, &flags) == nullptr) return nullptr;
    if (programSize >= PROGRAM_LIMIT) {
        regerror("regexp too big");
        return nullptr;
    }

    const std::size_t bytes = blockBytes(programSize);
    void* block = std::malloc(bytes);
    if (block == nullptr) {
        regerror("out of space");
        return nullptr;
    }
    std::memset(block, 0, bytes);
    regexp* r = new (block) regexp();
    char* program = programOf(r);

    parsePos = pattern;
    groupCount = 1;
    emitPos = program;
    regc(MAGIC);
    if (reg(0, &flags) == nullptr) {
        std::free(block);
        return nullptr;
    }

    // Shortcuts for regexec, valid only when there is a single top-level branch.
    char* scan = program + 1;
    if (OP(regnext(scan)) == END) {
        scan = OPERAND(scan);
        if (OP(scan) == EXACTLY) {
            r->firstChar = *OPERAND(scan);
        } else if (OP(scan) == BOL) {
            r->anchored = 1;
        }
        // A leading loop gives firstChar nothing; a mandatory literal further
        // on still lets regexec reject texts cheaply.
        if (flags & SPSTART) {
            char* longest = nullptr;
            std::size_t length = 0;
            for (; scan != nullptr; scan = regnext(scan)) {
                if (OP(scan) == EXACTLY && std::strlen(OPERAND(scan)) >= length) {
                    longest = OPERAND(scan);
                    length = std::strlen(longest);
                }
            }
            r->mustText = longest;
            r->mustLength = static_cast<int>(length);
        }
    }
    return r;
}

// The alternatives of the whole pattern (paren 0) or of a group (paren 1),
// ending in END or CLOSE + n, to which every branch is linked.
char* Regexp::reg(int paren, int* flagp) {
    *flagp = HASWIDTH;
    char* ret = nullptr;
    int parno = 0;
    if (paren) {
        if (groupCount >= NSUBEXP) {
            regerror("too many ()");
            return nullptr;
        }
        parno = groupCount++;
        ret = regnode(static_cast<unsigned char>(OPEN + parno));
    }

    int flags = 0;
    char* br = regbranch(&flags);
    if (br == nullptr) return nullptr;
    if (ret != nullptr) {
        regtail(ret, br);
    } else {
        ret = br;
    }
    if (!(flags & HASWIDTH)) *flagp &= ~HASWIDTH;
    *flagp |= flags & SPSTART;
    while (*parsePos == '|' || *parsePos == '\n') {
        ++parsePos;
        br = regbranch(&flags);
        if (br == nullptr) return nullptr;
        regtail(ret, br);
        if (!(flags & HASWIDTH)) *flagp &= ~HASWIDTH;
        *flagp |= flags & SPSTART;
    }

    char* ender = regnode(paren ? static_cast<unsigned char>(CLOSE + parno) : END);
    regtail(ret, ender);
    for (char* b = ret; b != nullptr; b = regnext(b)) regoptail(b, ender);

    if (paren) {
        if (*parsePos != ')') {
            regerror("unmatched ()");
            return nullptr;
        }
        ++parsePos;
    } else if (*parsePos != '\0') {
        regerror(*parsePos == ')' ? "unmatched ()" : "junk on end");
        return nullptr;
    }
    return ret;
}

// One alternative: a BRANCH whose operand chain holds the pieces.
char* Regexp::regbranch(int* flagp) {
    *flagp = WORST;
    char* ret = regnode(BRANCH);
    char* chain = nullptr;
    while (*parsePos != '\0' && *parsePos != '|' && *parsePos != '\n' && *parsePos != ')') {
        int flags = 0;
        char* latest = regpiece(&flags);
        if (latest == nullptr) return nullptr;
        *flagp |= flags & HASWIDTH;
        if (chain == nullptr) {
            *flagp |= flags & SPSTART;
        } else {
            regtail(chain, latest);
        }
        chain = latest;
    }
    if (chain == nullptr) regnode(NOTHING);
    return ret;
}

// An atom and its multiplier. One-character atoms loop through STAR/PLUS
// (counted without recursion); anything else loops through BRANCH and BACK.
char* Regexp::regpiece(int* flagp) {
    int flags = 0;
    char* ret = regatom(&flags);
    if (ret == nullptr) return nullptr;

    const char op = *parsePos;
    if (!isMultiplier(op)) {
        *flagp = flags;
        return ret;
    }
    // An empty-matching operand would loop forever without consuming text.
    if (!(flags & HASWIDTH) && op != '?') {
        regerror("*+ operand could be empty");
        return nullptr;
    }
    if (op == '*') {
        *flagp = WORST | SPSTART;
    } else if (op == '+') {
        *flagp = HASWIDTH | SPSTART;
    } else {
        *flagp = WORST;
    }

    if (op == '*' && (flags & SIMPLE)) {
        reginsert(STAR, ret);
    } else if (op == '*') {
        // BRANCH(x BACK->BRANCH) BRANCH(NOTHING)
        reginsert(BRANCH, ret);
        regoptail(ret, regnode(BACK));
        regoptail(ret, ret);
        regtail(ret, regnode(BRANCH));
        regtail(ret, regnode(NOTHING));
    } else if (op == '+' && (flags & SIMPLE)) {
        reginsert(PLUS, ret);
    } else if (op == '+') {
        // x BRANCH(BACK->x) BRANCH(NOTHING)
        char* next = regnode(BRANCH);
        regtail(ret, next);
        regtail(regnode(BACK), ret);
        regtail(next, regnode(BRANCH));
        regtail(ret, regnode(NOTHING));
    } else {
        // BRANCH(x) BRANCH(NOTHING)
        reginsert(BRANCH, ret);
        regtail(ret, regnode(BRANCH));
        char* next = regnode(NOTHING);
        regtail(ret, next);
        regoptail(ret, next);
    }
    ++parsePos;
    if (isMultiplier(*parsePos)) {
        regerror("nested *?+");
        return nullptr;
    }
    return ret;
}

char* Regexp::regatom(int* flagp) {
    *flagp = WORST;
    const char* start = parsePos;
    const char c = *parsePos;
    char* ret = nullptr;
    switch (c) {
        case '\0':
        case '|':
        case '\n':
        case ')':
            // regbranch stops before these.
            regerror("internal urp");
            return nullptr;
        case '^':
            ++parsePos;
            return regnode(BOL);
        case '$':
            ++parsePos;
            return regnode(EOL);
        case '.':
            ++parsePos;
            *flagp |= HASWIDTH | SIMPLE;
            return regnode(ANY);
        case '(': {
            ++parsePos;
            int flags = 0;
            ret = reg(1, &flags);
            if (ret == nullptr) return nullptr;
            *flagp |= flags & (HASWIDTH | SPSTART);
            return ret;
        }
        case '[': {
            ++parsePos;
            if (*parsePos == '^') {
                ++parsePos;
                ret = regnode(ANYBUT);
            } else {
                ret = regnode(ANYOF);
            }
            if (*parsePos == ']' || *parsePos == '-') regc(static_cast<unsigned char>(*parsePos++));
            while (*parsePos != '\0' && *parsePos != ']') {
                if (*parsePos != '-') {
                    regc(static_cast<unsigned char>(*parsePos++));
                    continue;
                }
                ++parsePos;
                if (*parsePos == ']' || *parsePos == '\0') {
                    regc('-');
                    continue;
                }
                // The member before the hyphen is already in the set.
                const int first = static_cast<unsigned char>(parsePos[-2]);
                const int last = static_cast<unsigned char>(*parsePos);
                if (first > last + 1) {
                    regerror("invalid [] range");
                    return nullptr;
                }
                for (int b = first + 1; b <= last; ++b) regc(static_cast<unsigned char>(b));
                ++parsePos;
            }
            if (*parsePos != ']') {
                regerror("unmatched []");
                return nullptr;
            }
            ++parsePos;
            regc('\0');
            *flagp |= HASWIDTH | SIMPLE;
            return ret;
        }
        case '\\': {
            const char escaped = parsePos[1];
            if (escaped == '\0') {
                regerror("trailing \\");
                return nullptr;
            }
            parsePos += 2;
            if (escaped == '<') return regnode(WORDA);
            if (escaped == '>') return regnode(WORDZ);
            return literalRun(start, parsePos, escaped, flagp);
        }
        default:
            ++parsePos;
            return literalRun(start, parsePos, c, flagp);
    }
}

// An EXACTLY node holding a run of literal characters. `first` is the run's
// first character, which starts at charStart (at its backslash when escaped);
// `after` is where the pattern goes on. A multiplier applies to one character,
// so a run stops before a character that has one.
char* Regexp::literalRun(const char* charStart, const char* after, char first, int* flagp) {
    char* ret = regnode(EXACTLY);
    char ch = first;
    int length = 0;
    for (;;) {
        const char c = *after;
        if (isMultiplier(c)) {
            if (length == 0) {
                regc(static_cast<unsigned char>(ch));
                ++length;
                parsePos = after;
            } else {
                parsePos = charStart;
            }
            break;
        }
        if (endsRun(c)) {
            regc(static_cast<unsigned char>(ch));
            ++length;
            parsePos = after;
            break;
        }
        if (c == '\\') {
            const char escaped = after[1];
            regc(static_cast<unsigned char>(ch));
            ++length;
            if (escaped == '\0' || escaped == '<' || escaped == '>') {
                parsePos = after;
                break;
            }
            charStart = after;
            ch = escaped;
            after += 2;
            continue;
        }
        regc(static_cast<unsigned char>(ch));
        ++length;
        charStart = after;
        ch = c;
        ++after;
    }
    regc('\0');
    *flagp |= HASWIDTH;
    if (length == 1) *flagp |= SIMPLE;
    return ret;
}

char* Regexp::regnode(unsigned char op) {
    char* ret = emitPos;
    if (ret == &sizingDummy) {
        programSize += 3;
        return ret;
    }
    ret[0] = static_cast<char>(op);
    ret[1] = '\0';
    ret[2] = '\0';
    emitPos = ret + 3;
    return ret;
}

void Regexp::regc(unsigned char b) {
    if (emitPos == &sizingDummy) {
        ++programSize;
        return;
    }
    *emitPos++ = static_cast<char>(b);
}

// Puts a node in front of the operand already emitted at opnd.
void Regexp::reginsert(unsigned char op, char* opnd) {
    if (emitPos == &sizingDummy) {
        programSize += 3;
        return;
    }
    std::memmove(opnd + 3, opnd, static_cast<std::size_t>(emitPos - opnd));
    emitPos += 3;
    opnd[0] = static_cast<char>(op);
    opnd[1] = '\0';
    opnd[2] = '\0';
}

// Points the last node of p's next chain at val.
void Regexp::regtail(char* p, const char* val) {
    if (p == &sizingDummy) return;
    char* scan = p;
    for (char* t = regnext(scan); t != nullptr; t = regnext(scan)) scan = t;
    const long offset = static_cast<long>(OP(scan) == BACK ? scan - val : val - scan);
    scan[1] = static_cast<char>((offset >> 8) & 0xFF);
    scan[2] = static_cast<char>(offset & 0xFF);
}

// regtail on the operand chain of a BRANCH; anything else is left alone.
void Regexp::regoptail(char* p, const char* val) {
    if (p == nullptr || p == &sizingDummy || OP(p) != BRANCH) return;
    regtail(OPERAND(p), val);
}

char* Regexp::regnext(char* p) const {
    if (p == &sizingDummy) return nullptr;
    const unsigned offset = NEXT(p);
    if (offset == 0) return nullptr;
    return OP(p) == BACK ? p - offset : p + offset;
}

// ---------------------------------------------------------------------------
// Matching.

void Regexp::clearMatch() {
    for (int i = 0; i < NSUBEXP; ++i) {
        groupStarts[i] = nullptr;
        groupEnds[i] = nullptr;
    }
}

bool Regexp::charge(long long cost) {
    matchSteps += cost;
    if (matchSteps > MATCH_STEP_LIMIT) matchAborted = true;
    return !matchAborted;
}

int Regexp::regexec(const char* text) {
    if (compiled == nullptr || text == nullptr) return 0;
    char* program = programOf(compiled);
    if (OP(program) != MAGIC) return 0;
    groupStarts = compiled->matchStarts;
    groupEnds = compiled->matchEnds;
    // A failed call must not leave pointers into some earlier text behind.
    clearMatch();
    matchSteps = 0;
    matchDepth = 0;
    matchAborted = false;

    if (compiled->mustText != nullptr) {
        const char* must = compiled->mustText;
        const std::size_t length = static_cast<std::size_t>(compiled->mustLength);
        bool found = false;
        for (const char* s = text; *s != '\0' && !found; ++s) {
            if (*s != must[0]) continue;
            std::size_t i = 1;
            while (i < length && s[i] == must[i]) ++i;
            if (!charge(static_cast<long long>(i))) return 0;
            found = i == length;
        }
        if (!found) return 0;
    }

    inputStart = text;
    if (compiled->anchored) return regtry(text);

    if (compiled->firstChar != '\0') {
        for (const char* s = text; *s != '\0'; ++s) {
            if (*s != compiled->firstChar) continue;
            if (regtry(s)) return 1;
            if (matchAborted) return 0;
        }
        return 0;
    }
    for (const char* s = text;; ++s) {
        if (regtry(s)) return 1;
        if (matchAborted || *s == '\0') return 0;
    }
}

int Regexp::regtry(const char* start) {
    inputPos = start;
    clearMatch();
    if (!regmatch(programOf(compiled) + 1)) return 0;
    groupStarts[0] = start;
    groupEnds[0] = inputPos;
    return 1;
}

// Follows the next chain from prog; returns 1 when it reaches END. Only
// choices (several alternatives, loop counts) and group marks recurse.
int Regexp::regmatch(char* prog) {
    if (matchAborted) return 0;
    if (matchDepth >= MATCH_DEPTH_LIMIT) {
        matchAborted = true;
        return 0;
    }
    DepthGuard guard(matchDepth);

    for (char* scan = prog; scan != nullptr;) {
        if (!charge(NODE_STEPS)) return 0;
        char* next = regnext(scan);
        const unsigned char op = OP(scan);
        switch (op) {
            case BOL:
                if (inputPos != inputStart) return 0;
                break;
            case EOL:
                if (*inputPos != '\0') return 0;
                break;
            case WORDA:
                if (!isWordChar(*inputPos)) return 0;
                if (inputPos > inputStart && isWordChar(inputPos[-1])) return 0;
                break;
            case WORDZ:
                if (isWordChar(*inputPos)) return 0;
                break;
            case ANY:
                if (*inputPos == '\0') return 0;
                ++inputPos;
                break;
            case EXACTLY: {
                // Literal bytes are never NUL, so the text's terminator stops the loop.
                const char* literal = OPERAND(scan);
                std::size_t i = 0;
                while (literal[i] != '\0' && inputPos[i] == literal[i]) ++i;
                if (!charge(static_cast<long long>(i))) return 0;
                if (literal[i] != '\0') return 0;
                inputPos += i;
                break;
            }
            case ANYOF:
            case ANYBUT: {
                if (*inputPos == '\0') return 0;
                long long cost = 0;
                const bool member = inSet(OPERAND(scan), *inputPos, cost);
                if (!charge(cost)) return 0;
                if (member != (op == ANYOF)) return 0;
                ++inputPos;
                break;
            }
            case NOTHING:
            case BACK:
                break;
            case BRANCH: {
                if (next == nullptr || OP(next) != BRANCH) {
                    next = OPERAND(scan);  // one alternative: no choice to remember
                    break;
                }
                do {
                    const char* save = inputPos;
                    if (regmatch(OPERAND(scan))) return 1;
                    if (matchAborted) return 0;
                    inputPos = save;
                    scan = regnext(scan);
                } while (scan != nullptr && OP(scan) == BRANCH);
                return 0;
            }
            case STAR:
            case PLUS: {
                // Only counts whose following character can start the next
                // literal are worth a recursive try.
                const char nextch =
                    (next != nullptr && OP(next) == EXACTLY) ? *OPERAND(next) : '\0';
                const std::size_t min = op == STAR ? 0 : 1;
                const char* save = inputPos;
                std::size_t count = regrepeat(OPERAND(scan));
                if (matchAborted || count < min) return 0;
                for (;;) {
                    inputPos = save + count;
                    if (nextch == '\0' || *inputPos == nextch) {
                        if (regmatch(next)) return 1;
                        if (matchAborted) return 0;
                    }
                    if (count == min || !charge(1)) return 0;
                    --count;
                }
            }
            case END:
                return 1;
            default: {
                // Group marks: the rest must match first, so the deepest
                // (latest) pass through a repeated group records first.
                const char* here = inputPos;
                if (op > OPEN && op < OPEN + NSUBEXP) {
                    if (!regmatch(next)) return 0;
                    if (groupStarts[op - OPEN] == nullptr) groupStarts[op - OPEN] = here;
                    return 1;
                }
                if (op > CLOSE && op < CLOSE + NSUBEXP) {
                    if (!regmatch(next)) return 0;
                    if (groupEnds[op - CLOSE] == nullptr) groupEnds[op - CLOSE] = here;
                    return 1;
                }
                return 0;
            }
        }
        scan = next;
    }
    return 0;  // a chain that ends without END
}

// How many times the one-character node repeats from inputPos; moves past them.
std::size_t Regexp::regrepeat(const char* node) {
    const char* scan = inputPos;
    const char* operand = OPERAND(node);
    long long cost = 0;
    switch (OP(node)) {
        case ANY:
            while (*scan != '\0') ++scan;
            break;
        case EXACTLY:
            while (*scan == *operand) ++scan;
            break;
        case ANYOF:
            while (*scan != '\0' && inSet(operand, *scan, cost)) ++scan;
            break;
        case ANYBUT:
            while (*scan != '\0' && !inSet(operand, *scan, cost)) ++scan;
            break;
        default:
            break;
    }
    const std::size_t count = static_cast<std::size_t>(scan - inputPos);
    charge(cost + static_cast<long long>(count));
    inputPos = scan;
    return count;
}

// ---------------------------------------------------------------------------
// Substitution and match access.

// Expands the template into dest (when not null) and returns the length of
// the result, not counting its NUL.
std::size_t Regexp::substitute(const char* templ, char* dest, std::size_t n) const {
    std::size_t out = 0;
    const char* src = templ;
    char c;
    while ((c = *src++) != '\0') {
        int no = -1;
        if (c == '&') {
            no = 0;
        } else if (c == '\\' && *src >= '0' && *src <= '9') {
            no = *src++ - '0';
        }
        if (no < 0) {
            if (c == '\\' && (*src == '\\' || *src == '&')) c = *src++;
            if (dest != nullptr) dest[out] = c;
            ++out;
            continue;
        }
        const char* from = compiled->matchStarts[no];
        const char* to = compiled->matchEnds[no];
        if (from == nullptr || to == nullptr || to < from) continue;
        std::size_t length = static_cast<std::size_t>(to - from);
        if (n != kNoLimit && length > n) length = n;
        for (std::size_t i = 0; i < length; ++i) {
            if (from[i] == '\0') {
                // The text changed under the match: stop here.
                if (dest != nullptr) dest[out] = '\0';
                return out;
            }
            if (dest != nullptr) dest[out] = from[i];
            ++out;
        }
    }
    if (dest != nullptr) dest[out] = '\0';
    return out;
}

void Regexp::regsub(const char* templ, char* dest, std::size_t n) {
    if (compiled == nullptr || templ == nullptr || dest == nullptr) return;
    if (OP(programOf(compiled)) != MAGIC) return;
    substitute(templ, dest, n);
}

void Regexp::regsub(const char* templ, std::string& dest, std::size_t n) {
    if (compiled == nullptr || templ == nullptr) return;
    if (OP(programOf(compiled)) != MAGIC) return;
    try {
        // Measure first, so the result can be as long as it needs to be.
        std::string result(substitute(templ, nullptr, n) + 1, '\0');
        result.resize(substitute(templ, &result[0], n));
        dest.swap(result);
    } catch (const std::exception&) {
        dest.clear();
    }
}

const char* Regexp::FirstChar() const {
    return compiled != nullptr ? compiled->matchStarts[0] : nullptr;
}

const char* Regexp::LastChar() const {
    return compiled != nullptr ? compiled->matchEnds[0] : nullptr;
}

const char* Regexp::operator[](int i) const {
    if (compiled == nullptr || i < 0 || i >= NSUBEXP) return nullptr;
    return compiled->matchStarts[i];
}

int Regexp::NextMatch() {
    if (compiled == nullptr || compiled->matchEnds[0] == nullptr) return 0;
    return regexec(compiled->matchEnds[0]);
}
