#include "report/tour_name.h"

#include <array>
#include <cctype>
#include <cstring>

#include "db/windows1252.h"

namespace {

struct Replacement {
    const char* search;
    const char* replace;
};

// Applied row by row, in this order. Each row's search text is Windows-1252.
const Replacement kReplacements[] = {
    {"\xE5", "\xC3\xA5"},
    {"\xC5", "\xC3\x85"},
    {"\xF8", "\xC3\xB8"},
    {"\xD8", "\xC3\x98"},
    {"\xE6", "\xC3\xA6"},
    {"\xC6", "\xC3\x86"},
    {"\xE7", "c "},
    {"c\xB4", "c "},
    {"d\xB4", "d "},
    {"a\xB4", "a "},
    {"e\xB4", "e "},
    {"i\xB4", "i "},
    {"o\xB4", "o "},
    {"u\xB4", "u "},
    {"C\xB4", "C "},
    {"D\xB4", "D "},
    {"A\xB4", "A "},
    {"E\xB4", "E "},
    {"I\xB4", "I "},
    {"O\xB4", "O "},
    {"U\xB4", "U "},
    {"\xDD", "\xC3\x9D"},
    {"\xDE", "\xC3\x9E"},
    {"\xC7", "\xC3\x87"},
    {"\xD0", "\xC3\x90"},
    {"\xFD", "\xC3\xBD"},
    {"\xFE", "\xC3\xBE"},
    {"\xE7", "\xC3\xA7"},
    {"\xF0", "\xC3\xB0"},
    {"\xE9", "\xC3\xA9"},
    {"\xE8", "\xC3\xA8"},
    {"\xEB", "\xC3\xAB"},
    {"\xEA", "\xC3\xAA"},
    {"\xC9", "\xC3\x89"},
    {"\xC8", "\xC3\x88"},
    {"\xCB", "\xC3\x8B"},
    {"\xCA", "\xC3\x8A"},
    {"\xE1", "\xC3\xA1"},
    {"\xE0", "\xC3\xA0"},
    {"\xE4", "\xC3\xA4"},
    {"\xE2", "\xC3\xA2"},
    {"\xC1", "\xC3\x81"},
    {"\xC0", "\xC3\x80"},
    {"\xC4", "\xC3\x84"},
    {"\xC2", "\xC3\x82"},
    {"\xFA", "\xC3\xBA"},
    {"\xF9", "\xC3\xB9"},
    {"\xFC", "\xC3\xBC"},
    {"\xFB", "\xC3\xBB"},
    {"\xDA", "\xC3\x9A"},
    {"\xD9", "\xC3\x99"},
    {"\xDC", "\xC3\x9C"},
    {"\xDB", "\xC3\x9B"},
    {"\xED", "\xC3\xAD"},
    {"\xEC", "\xC3\xAC"},
    {"\xEF", "\xC3\xAF"},
    {"\xEE", "\xC3\xAE"},
    {"\xCD", "\xC3\x8D"},
    {"\xCC", "\xC3\x8C"},
    // Capital I with circumflex and with diaeresis, each to its own form.
    {"\xCE", "\xC3\x8E"},
    {"\xCF", "\xC3\x8F"},
    {"\xF3", "\xC3\xB3"},
    {"\xF2", "\xC3\xB2"},
    {"\xF6", "\xC3\xB6"},
    {"\xF4", "\xC3\xB4"},
    {"\xD3", "\xC3\x93"},
    {"\xD2", "\xC3\x92"},
    {"\xD6", "\xC3\x96"},
    {"\xD4", "\xC3\x94"},
    {"\xF1", "\xC3\xB1"},
    {"\xD1", "\xC3\x91"},
    {"\xF5", "\xC3\xB5"},
    {"\xD5", "\xC3\x95"},
    {"\xE3", "\xC3\xA3"},
};

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The table by the byte it starts with: single letters, and letters that
// take the acute accent sign after them. The first row for a byte wins.
struct ReplacementIndex {
    std::array<const char*, 256> letter{};
    std::array<const char*, 256> beforeAcute{};
};

const ReplacementIndex& Index() {
    static const ReplacementIndex index = [] {
        ReplacementIndex built;
        for (const Replacement& row : kReplacements) {
            const unsigned char first = static_cast<unsigned char>(row.search[0]);
            auto& slot = std::strlen(row.search) == 1 ? built.letter : built.beforeAcute;
            if (slot[first] == nullptr) slot[first] = row.replace;
        }
        return built;
    }();
    return index;
}

constexpr unsigned char kAcuteSign = 0xB4;

}  // namespace

void ConvertTourName(std::string& name) {
    size_t begin = 0;
    while (begin < name.size() && IsSpace(name[begin])) ++begin;
    size_t end = name.size();
    while (end > begin && IsSpace(name[end - 1])) --end;

    // No row matches inside another row's replacement (each yields C3 and a
    // byte below C0, or ASCII), so one pass from the left gives what applying
    // the rows one after the other gives, in time linear in the name.
    const ReplacementIndex& index = Index();
    std::string converted;
    converted.reserve(end - begin + (end - begin) / 2);
    for (size_t i = begin; i < end; ++i) {
        const unsigned char byte = static_cast<unsigned char>(name[i]);
        if (i + 1 < end && static_cast<unsigned char>(name[i + 1]) == kAcuteSign &&
            index.beforeAcute[byte] != nullptr) {
            converted += index.beforeAcute[byte];
            ++i;
        } else if (index.letter[byte] != nullptr) {
            converted += index.letter[byte];
        } else {
            AppendWindows1252AsUtf8(byte, converted);
        }
    }
    name.swap(converted);
}
