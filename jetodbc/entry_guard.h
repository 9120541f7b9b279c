// The frame around every ODBC entry point: find the handle's object (or
// answer SQL_INVALID_HANDLE), take its lock, clear its diagnostics, run the
// call, and turn anything thrown into a diagnostic record and SQL_ERROR, so
// that no exception leaves the driver. Also the conversions of the text
// arguments that ODBC passes as pointer and length.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <string>

#include "jetodbc/driver_error.h"
#include "jetodbc/handles.h"

namespace jetodbc {

// Runs body(object) for the object behind handle, which must carry tag.
template <typename T, typename Body>
SQLRETURN Guarded(SQLHANDLE handle, uint32_t tag, Body&& body) {
    T* object = FromHandle<T>(handle, tag);
    if (!object) return SQL_INVALID_HANDLE;
    std::lock_guard<std::mutex> lock(object->mutex);
    object->diag.Clear();
    SQLRETURN rc;
    try {
        rc = body(*object);
    } catch (const DriverError& e) {
        object->diag.Add(e);
        rc = SQL_ERROR;
    } catch (const std::bad_alloc&) {
        object->diag.Add("HY001", "Memory allocation error.");
        rc = SQL_ERROR;
    } catch (const std::exception& e) {
        object->diag.Add("HY000", std::string("Unexpected error: ") + e.what() + ".");
        rc = SQL_ERROR;
    }
    object->diag.set_return_code(rc);
    return rc;
}

// The text of an argument given as pointer and length (SQL_NTS: up to the
// NUL); no value for a null pointer. Throws DriverError HY090 for a negative
// length other than SQL_NTS.
inline std::optional<std::string> ArgumentText(const SQLCHAR* text, SQLINTEGER length) {
    if (!text) return std::nullopt;
    if (length == SQL_NTS) return std::string(reinterpret_cast<const char*>(text));
    if (length < 0) throw DriverError("HY090", "Invalid string or buffer length.", 0);
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
}

// As ArgumentText for an argument that must be given: HY009 for a null pointer.
inline std::string RequiredText(const SQLCHAR* text, SQLINTEGER length) {
    std::optional<std::string> s = ArgumentText(text, length);
    if (!s) throw DriverError("HY009", "Invalid use of null pointer.", 0);
    return *s;
}

}  // namespace jetodbc
