#include "jetwriter/jet_text.h"

namespace jetwriter {
namespace {

constexpr uint8_t kModeSwitch = 0x00;

bool IsNarrow(char16_t unit) { return (unit >> 8) == 0; }

// Length of the run of narrow units starting at start.
size_t NarrowRunLength(std::u16string_view text, size_t start) {
    size_t end = start;
    while (end < text.size() && IsNarrow(text[end])) ++end;
    return end - start;
}

// Whether to leave two-byte mode for the narrow run at start: a run of k
// costs 2k bytes in two-byte mode, k bytes plus one switch out and (when
// wide units follow) one switch back in one-byte mode.
bool LeaveTwoByteMode(std::u16string_view text, size_t start) {
    const size_t run = NarrowRunLength(text, start);
    const bool atEnd = start + run == text.size();
    const size_t switches = atEnd ? 1 : 2;
    return run > switches;
}

// Appends the compressed form; text must be compressible.
void AppendCompressed(std::u16string_view text, std::vector<uint8_t>* out) {
    out->push_back(0xFF);
    out->push_back(0xFE);
    bool oneByteMode = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (oneByteMode && !IsNarrow(unit)) {
            out->push_back(kModeSwitch);
            oneByteMode = false;
        } else if (!oneByteMode && IsNarrow(unit) && (i == 0 || !IsNarrow(text[i - 1])) &&
                   LeaveTwoByteMode(text, i)) {
            out->push_back(kModeSwitch);
            oneByteMode = true;
        }
        out->push_back(static_cast<uint8_t>(unit));
        if (!oneByteMode) out->push_back(static_cast<uint8_t>(unit >> 8));
    }
}

void AppendPlain(std::u16string_view text, std::vector<uint8_t>* out) {
    for (char16_t unit : text) {
        out->push_back(static_cast<uint8_t>(unit));
        out->push_back(static_cast<uint8_t>(unit >> 8));
    }
}

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page defines none
// (0x81, 0x8D, 0x8F, 0x90, 0x9D).
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Windows-1252 byte of unit, or -1.
int Windows1252Byte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] != 0 && kWindows1252High[i] == unit) return 0x80 + i;
    }
    return -1;
}

}  // namespace

bool AppendWindows1252Text(std::u16string_view text, std::vector<uint8_t>* out,
                           char32_t* unrepresentable) {
    const size_t start = out->size();
    for (size_t i = 0; i < text.size(); ++i) {
        const int byte = Windows1252Byte(text[i]);
        if (byte >= 0) {
            out->push_back(static_cast<uint8_t>(byte));
            continue;
        }
        char32_t character = text[i];
        if (character >= 0xD800 && character < 0xDC00 && i + 1 < text.size()) {
            character = 0x10000 + ((character - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        }
        *unrepresentable = character;
        out->resize(start);
        return false;
    }
    return true;
}

std::string DescribeCharacter(char32_t character) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char32_t rest = character; rest != 0 || hex.size() < 4; rest >>= 4) {
        hex.insert(hex.begin(), kDigits[rest & 0xF]);
    }
    return "U+" + hex;
}

bool CanCompress(std::u16string_view text) {
    for (char16_t unit : text) {
        if ((unit & 0xFF) == 0) return false;
    }
    return true;
}

void AppendJetText(std::u16string_view text, std::vector<uint8_t>* out) {
    const size_t start = out->size();
    if (CanCompress(text)) {
        AppendCompressed(text, out);
        if (out->size() - start < 2 * text.size()) return;
        out->resize(start);
    }
    AppendPlain(text, out);
}

}  // namespace jetwriter
