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

}  // namespace

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
