// Fuzzes the driver's SQL: the input is a statement (UTF-8). It is split
// into tokens and parsed; when JETODBC_FUZZ_DATABASE names a Jet file the
// statement is also prepared against it and run with its parameter markers
// bound to a number, a text and NULL in turn, and every value of the result
// is read. A DriverError is an answer; anything else thrown, a crash, a
// hang or a leak is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jetodbc/database.h"
#include "jetodbc/driver_error.h"
#include "jetodbc/query.h"
#include "jetodbc/sql_lexer.h"
#include "jetodbc/sql_parser.h"

namespace {

std::shared_ptr<jetodbc::Database> database;

void Run(jetodbc::Database& db, std::string_view sql) {
    const jetodbc::Query query = jetodbc::Query::Prepare(db, sql);
    const size_t markers = query.parameters().size();
    for (const jetodbc::Value& value :
         {jetodbc::Value::Integer(2), jetodbc::Value::Text(u"b%"), jetodbc::Value::Null()}) {
        try {
            const jetodbc::ResultSet r =
                query.Execute(db, std::vector<jetodbc::Value>(markers, value));
            if (r.columns->size() != query.columns().size()) std::abort();
            size_t seen = 0;
            for (size_t row = 0; row < r.row_count(); ++row) {
                for (size_t column = 0; column < r.columns->size(); ++column) {
                    seen += r.At(row, column).IsNull() ? 0 : 1;
                }
            }
            (void)seen;
        } catch (const jetodbc::DriverError&) {
        }
        if (markers == 0) break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* path = std::getenv("JETODBC_FUZZ_DATABASE")) {
        database = jetodbc::Database::Open(path);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view sql(reinterpret_cast<const char*>(data), size);
    try {
        const std::vector<jetodbc::Token> tokens = jetodbc::Tokenize(sql);
        if (tokens.empty() || tokens.back().kind != jetodbc::TokenKind::End) std::abort();
        jetodbc::ParseSelect(sql);
    } catch (const jetodbc::DriverError&) {
    }
    if (database) {
        try {
            Run(*database, sql);
        } catch (const jetodbc::DriverError&) {
        }
    }
    return 0;
}
