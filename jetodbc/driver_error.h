// The error that the driver's inner layers throw when a call cannot be
// carried out. It carries what the caller will see as one diagnostic record:
// the SQLSTATE, the text after the driver's bracketed names and a native
// code. The ODBC entry points catch it and turn it into that record and an
// SQL_ERROR return; nothing else in the driver reports failures.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "jetodbc/text_codec.h"

namespace jetodbc {

class DriverError : public std::runtime_error {
  public:
    // state: five-character SQLSTATE; message: the text without the
    // bracketed prefix; native: the native error code (0 when none).
    DriverError(std::string state, const std::string& message, int32_t native = 0)
        : std::runtime_error(message), state_(std::move(state)), native_(native) {}
    // The same, with the message also in UTF-16 (wide), whole where the
    // Windows-1252 message lost characters.
    DriverError(std::string state, const std::string& message, Utf16 wide, int32_t native)
        : std::runtime_error(message),
          state_(std::move(state)),
          wide_(std::move(wide)),
          native_(native) {}

    const std::string& state() const { return state_; }
    int32_t native() const { return native_; }
    // The message in UTF-16 when one was given; empty: what() widened.
    const Utf16& wide() const { return wide_; }

  private:
    std::string state_;
    Utf16 wide_;
    int32_t native_;
};

// An error whose message, given in UTF-8, may name a table or column beyond
// Windows-1252: the ANSI entry points give it in Windows-1252, as every
// message, and the wide entry points give it whole.
inline DriverError Utf8Error(std::string state, const std::string& utf8, int32_t native) {
    Utf16 wide = DecodeUtf8(utf8);
    const std::string narrow = EncodeCp1252(wide);
    return DriverError(std::move(state), narrow, std::move(wide), native);
}

// The error for a file whose structure does not hold together: a page number
// past the end, a row that overruns its page, a definition that does not fit.
// what() says which part was found broken.
inline DriverError DamagedFile(const std::string& what) {
    return DriverError("HY000", "The database file is damaged: " + what + ".", -1206);
}

// The error for anything that would change the file: the driver only reads.
inline DriverError ReadOnlyDatabase() {
    return DriverError("HY000", "Cannot update. The database is opened read-only by this driver.",
                       -3027);
}

}  // namespace jetodbc
