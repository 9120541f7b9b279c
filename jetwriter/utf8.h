// UTF-8 to UTF-16 conversion for the texts and names a Jet file stores, and
// the reverse step the description parser needs for \u{...} escapes.
#pragma once

#include <string>
#include <string_view>

namespace jetwriter {

// True when utf8 is valid UTF-8 (the faults Utf8ToUtf16 lists are absent).
bool IsValidUtf8(std::string_view utf8);

// Replaces *utf16 with the UTF-16 code units of utf8 (surrogate pairs above
// U+FFFF). Returns false, leaving *utf16 unspecified, when utf8 is not valid
// UTF-8: a bad lead or continuation byte, a truncated sequence, an overlong
// form, a surrogate code point or one above U+10FFFF.
bool Utf8ToUtf16(std::string_view utf8, std::u16string* utf16);

// Appends the UTF-8 form of codePoint to *utf8. Returns false, appending
// nothing, for surrogates and values above U+10FFFF.
bool AppendUtf8(char32_t codePoint, std::string* utf8);

}  // namespace jetwriter
