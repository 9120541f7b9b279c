// Regexp: a small regular-expression matcher for NUL-terminated single-byte
// text. A pattern is compiled into a compact byte program (one malloc'd block)
// and matched by recursive backtracking, recording the whole match and up to
// nine parenthesised groups; regsub then builds text from a template that
// refers to them. The driver-message cleanup uses it to cut the bracketed
// source names off ODBC diagnostics.
//
// Syntax: branches separated by '|' or a newline; pieces are atoms with an
// optional '*', '+' or '?'; atoms are '^', '$', '.', '(...)', '\<', '\>',
// '[set]', '[^set]', a backslash-escaped character or any other character.
//
// Characters are bytes: sets, ranges and literals compare them as unsigned
// values. Matching is bounded by a recursion depth and a work budget; a match
// that would exceed either is reported as no match, so no pattern and no text
// can crash or hang the caller.
#pragma once

#include <cstddef>
#include <string>

class Regexp {
  public:
    // The whole match (index 0) and groups 1 to 9.
    static constexpr int NSUBEXP = 10;
    // First byte of every compiled program.
    static constexpr unsigned char MAGIC = 156;

    // Opcodes of the program nodes.
    static constexpr unsigned char END = 0;      // success
    static constexpr unsigned char BOL = 1;      // empty, at the start of the text
    static constexpr unsigned char EOL = 2;      // empty, at the end of the text
    static constexpr unsigned char ANY = 3;      // any one character
    static constexpr unsigned char ANYOF = 4;    // one character of the operand set
    static constexpr unsigned char ANYBUT = 5;   // one character not in the operand set
    static constexpr unsigned char BRANCH = 6;   // one alternative
    static constexpr unsigned char BACK = 7;     // empty; next points backward
    static constexpr unsigned char EXACTLY = 8;  // the operand literal
    static constexpr unsigned char NOTHING = 9;  // empty
    static constexpr unsigned char STAR = 10;    // one-character operand, 0 or more times
    static constexpr unsigned char PLUS = 11;    // one-character operand, 1 or more times
    static constexpr unsigned char WORDA = 12;   // empty, at the start of a word
    static constexpr unsigned char WORDZ = 13;   // empty, at the end of a word
    static constexpr unsigned char OPEN = 20;    // OPEN + n: start of group n (1 to 9)
    static constexpr unsigned char CLOSE = 30;   // CLOSE + n: end of group n

    // Flags that describe a compiled piece.
    static constexpr int WORST = 0;     // nothing known
    static constexpr int HASWIDTH = 1;  // cannot match the empty text
    static constexpr int SIMPLE = 2;    // exactly one character wide
    static constexpr int SPSTART = 4;   // starts with a '*' or '+' piece

    // A program of this many bytes or more is refused: node links are 16 bits.
    static constexpr long PROGRAM_LIMIT = 32767;
    // Matching gives up (reports no match) beyond this recursion depth, which
    // keeps the stack under about 1 MB even in unoptimised builds...
    static constexpr int MATCH_DEPTH_LIMIT = 4000;
    // ...or after this much work in one regexec call: each character examined
    // counts 1 and each node visited counts NODE_STEPS, roughly their relative
    // cost, so the limit stands for a fraction of a second in any pattern.
    static constexpr long long MATCH_STEP_LIMIT = 160000000;
    static constexpr long long NODE_STEPS = 8;

    // The compiled program: this header followed in the same malloc'd block
    // by the program bytes (MAGIC, then the nodes). A node is an opcode, a
    // two-byte big-endian distance to the next node (0: none) and an operand.
    struct regexp {
        const char* matchStarts[NSUBEXP];  // match (0) and group starts, null when unset
        const char* matchEnds[NSUBEXP];    // the matching ends
        char firstChar;                    // not 0: every match starts with it
        char anchored;                     // not 0: a match can only start at the text's start
        char* mustText;   // a literal every match contains (in the program), or null
        int mustLength;   // its length
        char program[1];  // the first program byte; the rest follow it
    };

    // No program: regexec and regsub do nothing until Create succeeds.
    Regexp();
    // Compiles pattern (null or invalid: no program).
    explicit Regexp(const char* pattern);
    // Copies get their own copy of the compiled program (and of the last
    // match's pointers, which still point into the same text).
    // A copy whose program cannot be allocated has none.
    Regexp(const Regexp& other);
    Regexp& operator=(const Regexp& other);
    Regexp(Regexp&& other) noexcept;
    Regexp& operator=(Regexp&& other) noexcept;
    ~Regexp();

    // Compiles pattern, replacing (and freeing) any earlier program. Returns 1
    // when a program resulted, 0 on a null or invalid pattern, a program too
    // big or a failed allocation; the object then has no program.
    int Create(const char* pattern);

    // Returns 1 when the pattern matches somewhere in text, else 0 (also for
    // no program, a null text, or a match abandoned at the depth or work
    // limit). The leftmost match wins. Afterwards the match and group pointers
    // point into text (null where unset) and stay meaningful only while text
    // is alive and unchanged; text is not copied.
    int regexec(const char* text);

    // Writes the template into dest with '&' replaced by the whole match and
    // '\0'..'\9' by that group ('\\' gives '\', '\&' gives '&'); each
    // insertion is cut to n characters unless n is all ones; an unset group
    // inserts nothing. The caller provides room for the whole result and its
    // NUL (n limits each insertion, not the total). Nothing is written when
    // there is no program or either argument is null. An insertion that meets
    // a NUL inside the text (the text changed after regexec) ends the result
    // there.
    void regsub(const char* templ, char* dest, std::size_t n = static_cast<std::size_t>(-1));
    // As above, but dest is replaced by the result, sized to fit it; dest is
    // left unchanged when nothing would be written, and emptied when the
    // result cannot be allocated.
    void regsub(const char* templ, std::string& dest, std::size_t n = static_cast<std::size_t>(-1));

    // Start and end of the whole last match (null when none or no program).
    const char* FirstChar() const;
    const char* LastChar() const;
    // Start of group i (0: the whole match); null when unset, out of 0 to 9,
    // or no program.
    const char* operator[](int i) const;

    // Runs regexec on the text from the end of the last match, which then
    // counts as the start of the text (so '^' matches there). Returns 0 when
    // no match end is set. An empty match ends where it starts, so the next
    // call finds it again: a caller walking matches must step over those.
    int NextMatch();

    // Receives the reason of a compile failure; deliberately silent, since
    // failures are reported by null or 0 results.
    void regerror(const char* message) const;

    // The compiled program, read-only, or null when there is none.
    const regexp* Program() const { return compiled; }

  private:
    regexp* regcomp(const char* pattern);
    char* reg(int paren, int* flagp);
    char* regbranch(int* flagp);
    char* regpiece(int* flagp);
    char* regatom(int* flagp);
    char* regnode(unsigned char op);
    void regc(unsigned char b);
    void reginsert(unsigned char op, char* opnd);
    void regtail(char* p, const char* val);
    void regoptail(char* p, const char* val);
    char* regnext(char* p) const;

    int regtry(const char* start);
    int regmatch(char* prog);
    std::size_t regrepeat(const char* node);

    char* literalRun(const char* charStart, const char* after, char first, int* flagp);
    bool charge(long long cost);
    std::size_t substitute(const char* templ, char* dest, std::size_t n) const;
    void clearMatch();
    void release();

    const char* parsePos = nullptr;
    int groupCount = 1;
    char sizingDummy = 0;
    char* emitPos = nullptr;
    long programSize = 0;
    const char* inputPos = nullptr;
    const char* inputStart = nullptr;
    const char** groupStarts = nullptr;
    const char** groupEnds = nullptr;
    regexp* compiled = nullptr;

    // Guards of one regexec call.
    int matchDepth = 0;
    long long matchSteps = 0;
    bool matchAborted = false;
};
