#include "db/error_check.h"

#include <cstdio>
#include <cstring>

#include "db/regexp.h"

namespace {
// Microsoft's driver puts "[vendor][driver][component]" before its text.
constexpr const char* kBracketedSources = "\\[.+\\]\\[.+\\]\\[.+\\](.+)";
constexpr int kMessageSize = 513;
constexpr int kShortMessageSize = 1024;
}  // namespace

std::string ShortenDriverMessage(const char* message) {
    Regexp pattern(kBracketedSources);
    char shortened[kShortMessageSize] = {0};
    // A message arrives cut to 512 characters, so the group always fits.
    if (pattern.regexec(message)) {
        pattern.regsub("\\1", shortened, kShortMessageSize);
    } else {
        std::snprintf(shortened, sizeof shortened, "%s", message);
    }
    return shortened;
}

bool ODBCErrorCheck(void* handle, short handleType, short returnCode, bool reportInfo) {
    if (returnCode == SQL_INVALID_HANDLE) return false;
    if (returnCode == SQL_SUCCESS) return true;
    if (returnCode == SQL_SUCCESS_WITH_INFO && !reportInfo) return true;

    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {0};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[kMessageSize] = {0};
        SQLRETURN got = SQLGetDiagRec(handleType, static_cast<SQLHANDLE>(handle), record, state,
                                      &nativeError, message, kMessageSize, nullptr);
        if (got != SQL_SUCCESS) break;
        const std::string text = ShortenDriverMessage(reinterpret_cast<const char*>(message));
        if (returnCode != SQL_SUCCESS_WITH_INFO) {
            std::printf("[INFO] State:%s\n", reinterpret_cast<const char*>(state));
            std::printf("\tCode:%d\n", static_cast<int>(nativeError));
            std::printf("\tMsg:%s\n", text.c_str());
        }
    }
    return returnCode == SQL_SUCCESS_WITH_INFO;
}
