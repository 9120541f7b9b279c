#include "jetodbc/like_pattern.h"

#include <cstdint>

namespace jetodbc {

LikePattern::LikePattern(const Utf16& pattern) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t p = pattern[i];
        Element e;
        if (p == u'*' || p == u'%') {
            // A run of stars is one star.
            if (!elements_.empty() && elements_.back().kind == Element::Kind::Any) continue;
            e.kind = Element::Kind::Any;
        } else if (p == u'?' || p == u'_') {
            e.kind = Element::Kind::One;
        } else if (p == u'#') {
            e.kind = Element::Kind::Digit;
        } else if (p == u'[' && pattern.find(u']', i + 1) != Utf16::npos) {
            const size_t close = pattern.find(u']', i + 1);
            size_t j = i + 1;
            e.kind = Element::Kind::Set;
            if (j < close && pattern[j] == u'!') {
                e.negated = true;
                ++j;
            }
            for (; j < close; ++j) {
                const char16_t low = FoldCase(pattern[j]);
                if (j + 2 < close && pattern[j + 1] == u'-') {
                    const char16_t high = FoldCase(pattern[j + 2]);
                    e.ranges.emplace_back(low, high);
                    j += 2;
                } else {
                    e.ranges.emplace_back(low, low);
                }
            }
            i = close;
        } else {
            e.kind = Element::Kind::Char;
            e.c = FoldCase(p);
        }
        elements_.push_back(std::move(e));
    }
}

bool LikePattern::Fits(const Element& e, char16_t c) {
    switch (e.kind) {
        case Element::Kind::One:
            return true;
        case Element::Kind::Digit:
            return c >= u'0' && c <= u'9';
        case Element::Kind::Char:
            return FoldCase(c) == e.c;
        case Element::Kind::Set: {
            const char16_t f = FoldCase(c);
            bool in = false;
            for (const auto& [low, high] : e.ranges) in = in || (f >= low && f <= high);
            return in != e.negated;
        }
        case Element::Kind::Any:
            break;
    }
    return false;
}

bool LikePattern::Matches(const Utf16& text) const {
    // Every element but Any takes one character, so after a mismatch only
    // the last Any need take one character more.
    size_t t = 0, p = 0;
    size_t starP = SIZE_MAX, starT = 0;
    while (t < text.size()) {
        if (p < elements_.size() && elements_[p].kind == Element::Kind::Any) {
            starP = p++;
            starT = t;
        } else if (p < elements_.size() && Fits(elements_[p], text[t])) {
            ++p;
            ++t;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < elements_.size() && elements_[p].kind == Element::Kind::Any) ++p;
    return p == elements_.size();
}

}  // namespace jetodbc
