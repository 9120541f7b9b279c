// Reads a long text in pieces as SQLGetData does, through the same
// conversion, and prints the time per size: the cost should grow in
// proportion to the text's length, not with its square.
#include <chrono>
#include <cstdio>

#include "jetodbc/type_convert.h"

using namespace jetodbc;

int main() {
    const size_t piece = 4096;
    for (size_t megabytes : {1, 2, 4, 8}) {
        const size_t length = megabytes << 20;
        Value memo = Value::Text(Utf16(length, u'x'));
        SqlTypeInfo type;
        type.type = SQL_LONGVARCHAR;
        for (SQLSMALLINT cType : {SQL_C_CHAR, SQL_C_WCHAR}) {
            std::string buffer(piece, '\0');
            PieceState state;
            size_t calls = 0, bytes = 0;
            const auto start = std::chrono::steady_clock::now();
            while (true) {
                SQLLEN indicator = 0;
                std::string warning;
                const SQLRETURN rc = ConvertValue(
                    memo, type, cType,
                    {buffer.data(), static_cast<SQLLEN>(piece), &indicator, &state, 0, &warning});
                if (rc == SQL_NO_DATA) break;
                ++calls;
                const size_t unit = cType == SQL_C_WCHAR ? 2 : 1;
                bytes +=
                    rc == SQL_SUCCESS_WITH_INFO ? piece - unit : static_cast<size_t>(indicator);
            }
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            std::printf("%zu MB memo as %s in %zu-byte pieces: %zu calls, %zu bytes, %.1f ms\n",
                        megabytes, cType == SQL_C_CHAR ? "SQL_C_CHAR " : "SQL_C_WCHAR", piece,
                        calls, bytes, ms);
        }
    }
    return 0;
}
