// The bytes a Jet file stores for a text. Jet 3 stores one byte per
// character in the database's code page, Windows-1252. Jet 4 stores plain UTF-16LE, or the
// compressed form "FF FE" followed by one byte per character whose high byte is 0, a 00 byte
// switching to and from two bytes per character. A character whose low byte
// is 0 (U+0100, U+4E00 ...) would read as a switch, so a text holding one is
// always stored plain.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jetwriter {

// True when the compressed form can represent text (no code unit with a
// zero low byte).
bool CanCompress(std::u16string_view text);

// Appends to *out the shorter of the compressed and the plain form of text
// (plain when they are equally long or compression is impossible). The empty
// text appends nothing.
void AppendJetText(std::u16string_view text, std::vector<uint8_t>* out);

// Appends to *out the Windows-1252 bytes of text and returns true; or, when a
// character has no Windows-1252 byte, returns false with that character in
// *unrepresentable and *out as it was.
bool AppendWindows1252Text(std::u16string_view text, std::vector<uint8_t>* out,
                           char32_t* unrepresentable);

// "U+20AC" and the like, for messages.
std::string DescribeCharacter(char32_t character);

}  // namespace jetwriter
