// Copying the driver's answers into the caller's buffers the way ODBC asks:
// text is cut to fit with a terminating NUL and the whole length reported,
// and numbers are written at the caller's width.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <string_view>

namespace jetodbc {

// Copies text into buffer (bufferLength bytes including the NUL) and stores
// the text's whole length in *length when length is given. A null buffer or
// a length below 1 writes nothing. Returns true when the text was cut.
template <typename LengthT>
bool CopyText(std::string_view text, void* buffer, SQLLEN bufferLength, LengthT* length) {
    if (length) *length = static_cast<LengthT>(text.size());
    if (!buffer || bufferLength < 1) return !text.empty() || bufferLength < 1;
    const size_t room = static_cast<size_t>(bufferLength) - 1;
    const size_t n = text.size() < room ? text.size() : room;
    std::memcpy(buffer, text.data(), n);
    static_cast<char*>(buffer)[n] = '\0';
    return n < text.size();
}

// Stores value at the width of T when out is not null.
template <typename T, typename V>
void StoreNumber(void* out, V value) {
    if (out) {
        const T v = static_cast<T>(value);
        std::memcpy(out, &v, sizeof v);
    }
}

}  // namespace jetodbc
