// Conversions between the text encodings the driver meets: Jet 4's UCS-2,
// plain or in its compressed form; Jet 3's single-byte text; Windows-1252,
// the ANSI code page that ANSI clients receive; UTF-8, which libmdb hands
// out for names; and UTF-16 for wide clients. Text inside the driver is
// UTF-16 (Utf16); names that the ANSI interface shows are Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace jetodbc {

using Utf16 = std::u16string;

// Decodes a Jet 4 text value of `size` bytes: compressed when it begins with
// FF FE (one byte a character, a 0x00 byte switching to and from two-byte
// characters), otherwise UCS-2 little-endian. An odd last byte is dropped.
Utf16 DecodeJet4Text(const uint8_t* data, size_t size);

// Writes the Windows-1252 form of a stored text value of `size` bytes
// (Jet 3's single bytes, or Jet 4's text as DecodeJet4Text reads it) to out,
// at most room bytes of it, and returns the length of the whole form: what
// EncodeCp1252 gives for the decoded text, without making either string.
size_t StoredTextAsCp1252(bool jet3, const uint8_t* data, size_t size, char* out, size_t room);

// Decodes Windows-1252 bytes (also used for Jet 3 text). The five byte
// values that Windows-1252 leaves undefined map to the C1 controls of the
// same value, so that every byte round-trips.
Utf16 DecodeCp1252(std::string_view bytes);

// Encodes text in Windows-1252; a character without a Windows-1252 form
// becomes '?', one '?' per character (a surrogate pair counts once).
std::string EncodeCp1252(const Utf16& text);

// Decodes UTF-8; each malformed sequence becomes U+FFFD.
Utf16 DecodeUtf8(std::string_view bytes);

// Encodes text in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(const Utf16& text);

// The upper-case form of a character for comparisons that ignore letter
// case: ASCII and the Latin letters of Windows-1252. Others are unchanged.
char16_t FoldCase(char16_t c);

// Compares two texts ignoring letter case (by folded code unit); <0, 0, >0.
int CompareNoCase(const Utf16& a, const Utf16& b);

// True when two Windows-1252 names are equal ignoring letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// True when a UTF-8 name and a UTF-16 one are equal ignoring letter case.
bool SameName(std::string_view utf8, const Utf16& wide);

}  // namespace jetodbc
