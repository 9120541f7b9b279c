#include "jetodbc/text_codec.h"

#include <cstring>

namespace jetodbc {

namespace {

// Windows-1252 bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ToCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c) return 0x80 + i;
    }
    return -1;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendCodePoint(Utf16& out, uint32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

char16_t ReadUcs2(const uint8_t* p) { return static_cast<char16_t>(p[0] | (p[1] << 8)); }

// The UTF-16 code units of a Jet 4 text value, one at a time.
class Jet4Units {
  public:
    Jet4Units(const uint8_t* data, size_t size)
        : data_(data),
          size_(size),
          compressed_(size >= 2 && data[0] == 0xFF && data[1] == 0xFE),
          i_(compressed_ ? 2 : 0) {}

    bool compressed() const { return compressed_; }

    // The next unit into *c; false at the end.
    bool Next(char16_t* c) {
        if (!compressed_) {
            if (i_ + 1 >= size_) return false;
            *c = ReadUcs2(data_ + i_);
            i_ += 2;
            return true;
        }
        while (i_ < size_) {
            if (data_[i_] == 0x00) {  // switches between one and two bytes a character
                single_ = !single_;
                ++i_;
            } else if (single_) {
                *c = data_[i_++];
                return true;
            } else {
                if (i_ + 1 >= size_) return false;
                *c = ReadUcs2(data_ + i_);
                i_ += 2;
                return true;
            }
        }
        return false;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    bool compressed_;
    bool single_ = true;
    size_t i_;
};

}  // namespace

Utf16 DecodeJet4Text(const uint8_t* data, size_t size) {
    Utf16 out;
    Jet4Units units(data, size);
    if (!units.compressed()) out.reserve(size / 2);
    char16_t c;
    while (units.Next(&c)) out.push_back(c);
    return out;
}

size_t StoredTextAsCp1252(bool jet3, const uint8_t* data, size_t size, char* out, size_t room) {
    if (jet3) {  // Windows-1252 already: every byte comes back as itself
        if (room) std::memcpy(out, data, size < room ? size : room);
        return size;
    }
    size_t length = 0;
    auto put = [&](char b) {
        if (length < room) out[length] = b;
        ++length;
    };
    Jet4Units units(data, size);
    char16_t c;
    bool more = units.Next(&c);
    while (more) {
        char16_t next = 0;
        const bool hasNext = units.Next(&next);
        if (IsHighSurrogate(c) && hasNext && IsLowSurrogate(next)) {
            put('?');  // one character without a Windows-1252 form
            more = units.Next(&c);
            continue;
        }
        const int b = ToCp1252(c);
        put(b < 0 ? '?' : static_cast<char>(b));
        c = next;
        more = hasNext;
    }
    return length;
}

Utf16 DecodeCp1252(std::string_view bytes) {
    Utf16 out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b));
    }
    return out;
}

std::string EncodeCp1252(const Utf16& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            out.push_back('?');
            ++i;
            continue;
        }
        const int b = ToCp1252(c);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

Utf16 DecodeUtf8(std::string_view bytes) {
    Utf16 out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (i + extra >= bytes.size()) {
            out.push_back(0xFFFD);
            break;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += extra + 1;
    }
    return out;
}

std::string EncodeUtf8(const Utf16& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

char16_t FoldCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c < 0xE0) return c;
    if (c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
    switch (c) {
        case 0xFF:
            return 0x178;
        case 0x161:
            return 0x160;
        case 0x153:
            return 0x152;
        case 0x17E:
            return 0x17D;
        default:
            return c;
    }
}

int CompareNoCase(const Utf16& a, const Utf16& b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = FoldCase(a[i]);
        const char16_t y = FoldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        const char16_t fx = FoldCase(x >= 0x80 && x < 0xA0 ? kCp1252High[x - 0x80] : x);
        const char16_t fy = FoldCase(y >= 0x80 && y < 0xA0 ? kCp1252High[y - 0x80] : y);
        if (fx != fy) return false;
    }
    return true;
}

bool SameName(std::string_view utf8, const Utf16& wide) {
    return CompareNoCase(DecodeUtf8(utf8), wide) == 0;
}

}  // namespace jetodbc
