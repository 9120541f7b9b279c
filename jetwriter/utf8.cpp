#include "jetwriter/utf8.h"

namespace jetwriter {
namespace {

// Decodes utf8, handing each code point to emit. False at the first fault.
template <typename Emit>
bool DecodeUtf8(std::string_view utf8, Emit emit) {
    const size_t length = utf8.size();
    size_t i = 0;
    while (i < length) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            emit(lead);
            ++i;
            continue;
        }
        int continuations;
        char32_t codePoint;
        char32_t smallest;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
            codePoint = lead & 0x1F;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            codePoint = lead & 0x0F;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (length - i <= static_cast<size_t>(continuations)) return false;
        for (int k = 1; k <= continuations; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return false;
        }
        emit(codePoint);
        i += continuations + 1;
    }
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view utf8) {
    return DecodeUtf8(utf8, [](char32_t) {});
}

bool Utf8ToUtf16(std::string_view utf8, std::u16string* utf16) {
    utf16->clear();
    return DecodeUtf8(utf8, [utf16](char32_t codePoint) {
        if (codePoint >= 0x10000) {
            const char32_t offset = codePoint - 0x10000;
            utf16->push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
            utf16->push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        } else {
            utf16->push_back(static_cast<char16_t>(codePoint));
        }
    });
}

bool AppendUtf8(char32_t codePoint, std::string* utf8) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
    if (codePoint < 0x80) {
        utf8->push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        utf8->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        utf8->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        utf8->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        utf8->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        utf8->push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        utf8->push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        utf8->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
    return true;
}

}  // namespace jetwriter
