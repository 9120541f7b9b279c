// The text arguments and answers of the wide (SQL...W) entry points. Inside
// the driver, SQL text and catalog-function names are UTF-8: the wide entry
// points decode UTF-16 into it, the ANSI ones decode Windows-1252 into it.
// Wide answers are UTF-16; ODBC counts some buffers in characters and others
// in bytes, so each copy says which.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <optional>
#include <string>

#include "jetodbc/driver_error.h"
#include "jetodbc/text_codec.h"

namespace jetodbc {

// The UTF-16 text of an argument given as pointer and length in characters
// (SQL_NTS: up to the NUL); no value for a null pointer. Throws DriverError
// HY090 for a negative length other than SQL_NTS.
inline std::optional<Utf16> WideArgument(const SQLWCHAR* text, SQLINTEGER length) {
    if (!text) return std::nullopt;
    static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "SQLWCHAR is UTF-16");
    size_t n = 0;
    if (length == SQL_NTS) {
        while (text[n] != 0) ++n;
    } else if (length < 0) {
        throw DriverError("HY090", "Invalid string or buffer length.", 0);
    } else {
        n = static_cast<size_t>(length);
    }
    Utf16 out(n, u'\0');
    std::memcpy(out.data(), text, n * sizeof(char16_t));
    return out;
}

// A wide argument as UTF-8; no value for a null pointer.
inline std::optional<std::string> WideArgumentUtf8(const SQLWCHAR* text, SQLINTEGER length) {
    const std::optional<Utf16> wide = WideArgument(text, length);
    if (!wide) return std::nullopt;
    return EncodeUtf8(*wide);
}

// As WideArgumentUtf8 for an argument that must be given: HY009 for null.
inline std::string RequiredWideUtf8(const SQLWCHAR* text, SQLINTEGER length) {
    std::optional<std::string> s = WideArgumentUtf8(text, length);
    if (!s) throw DriverError("HY009", "Invalid use of null pointer.", 0);
    return *s;
}

// An ANSI argument (Windows-1252) as UTF-8; no value stays no value.
inline std::optional<std::string> AnsiToUtf8(const std::optional<std::string>& cp1252) {
    if (!cp1252) return std::nullopt;
    return EncodeUtf8(DecodeCp1252(*cp1252));
}
inline std::string AnsiToUtf8(const std::string& cp1252) {
    return EncodeUtf8(DecodeCp1252(cp1252));
}

// Copies text into a UTF-16 buffer of bufferLength units (bytes when
// inBytes, else characters) with a terminating NUL, and stores the whole
// length in the same unit in *length when given. A null buffer or no room
// writes nothing. Returns true when the text was cut.
template <typename LengthT>
bool CopyWide(const Utf16& text, void* buffer, SQLLEN bufferLength, LengthT* length, bool inBytes) {
    const size_t unit = inBytes ? sizeof(char16_t) : 1;
    if (length) *length = static_cast<LengthT>(text.size() * unit);
    const SQLLEN chars = bufferLength / static_cast<SQLLEN>(unit);
    if (!buffer || chars < 1) return !text.empty() || chars < 1;
    const size_t room = static_cast<size_t>(chars) - 1;
    const size_t n = text.size() < room ? text.size() : room;
    std::memcpy(buffer, text.data(), n * sizeof(char16_t));
    static_cast<char16_t*>(buffer)[n] = u'\0';
    return n < text.size();
}

}  // namespace jetodbc
