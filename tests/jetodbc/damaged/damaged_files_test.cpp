// A few hundred damaged copies of real files (truncated, bytes changed at
// random, page numbers and row offsets pointing past the end) go through
// connect, SQLTables, SQLColumns and a full read of every table, every
// column read in pieces. The driver must neither crash nor hang: each call
// either works or fails with a diagnostic record. The tally of outcomes is
// printed so that a change in how damage is caught shows up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "tests/jetodbc/odbc_fixture.h"

using namespace jetodbc_test;

namespace {

// Where the two versions of the format keep what the damage aims at.
struct Layout {
    size_t page;      // page size
    size_t usageMap;  // a definition's usage-map row pointer
    size_t freeMap;   // a definition's free-space-map row pointer
    size_t rowCount;  // a data page's row count; its row offsets follow
};
constexpr Layout kJet3{2048, 35, 39, 8};
constexpr Layout kJet4{4096, 55, 59, 12};

struct Base {
    std::string name;
    std::string bytes;
    Layout layout;
};

struct Tally {
    int refused = 0;     // connect failed with a record
    int readFailed = 0;  // connected, some statement failed with a record
    int readWhole = 0;   // connected and everything read
};

// Reads everything the file offers; fails the test on a failure without a record.
bool ReadEverything(const Connection& c) {
    bool whole = true;
    auto check = [&](SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle) {
        if (rc == SQL_ERROR) {
            whole = false;
            EXPECT_FALSE(Diagnostics(type, handle).empty()) << "a failure without a record";
            return false;
        }
        return rc != SQL_NO_DATA;
    };
    std::vector<std::string> tables;
    {
        Statement st(c);
        if (check(SQLTables(st.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0),
                  SQL_HANDLE_STMT, st.get())) {
            char name[256];
            SQLLEN indicator = 0;
            while (check(SQLFetch(st.get()), SQL_HANDLE_STMT, st.get())) {
                if (check(SQLGetData(st.get(), 3, SQL_C_CHAR, name, sizeof name, &indicator),
                          SQL_HANDLE_STMT, st.get()) &&
                    indicator > 0) {
                    tables.emplace_back(name);
                }
            }
        }
        SQLCloseCursor(st.get());
        if (check(SQLColumns(st.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0),
                  SQL_HANDLE_STMT, st.get())) {
            while (check(SQLFetch(st.get()), SQL_HANDLE_STMT, st.get())) {
            }
        }
    }
    for (const std::string& table : tables) {
        std::vector<std::string> queries = {"SELECT [" + table + "].* FROM [" + table + "]"};
        for (size_t q = 0; q < queries.size(); ++q) {
            Statement st(c);
            if (!check(st.Exec(queries[q]), SQL_HANDLE_STMT, st.get())) continue;
            SQLSMALLINT columns = 0;
            SQLNumResultCols(st.get(), &columns);
            if (q == 0 && columns > 0) {  // then once more, filtered and sorted by column 1
                const std::string first = st.ColumnNames()[0];
                queries.push_back("SELECT * FROM [" + table + "] WHERE [" + first +
                                  "] IS NOT NULL ORDER BY [" + first + "] DESC");
            }
            while (check(SQLFetch(st.get()), SQL_HANDLE_STMT, st.get())) {
                for (SQLUSMALLINT col = 1; col <= columns; ++col) {
                    char piece[64];
                    SQLLEN indicator = 0;
                    SQLRETURN rc;
                    int pieces = 0;
                    while ((rc = SQLGetData(st.get(), col, SQL_C_CHAR, piece, sizeof piece,
                                            &indicator)) != SQL_NO_DATA &&
                           check(rc, SQL_HANDLE_STMT, st.get()) && ++pieces < 100000) {
                    }
                }
            }
        }
    }
    return whole;
}

void TryFile(const std::string& name, const std::string& bytes, Tally* tally) {
    const std::string path = WriteFile(name, bytes);
    if (std::getenv("JETODBC_DAMAGED_VERBOSE")) std::fprintf(stderr, "%s\n", name.c_str());
    Environment env;
    Connection c(env);
    const SQLRETURN rc = c.Connect(ControllerConnectionString(path));
    if (!SQL_SUCCEEDED(rc)) {
        EXPECT_FALSE(Diagnostics(SQL_HANDLE_DBC, c.get()).empty()) << name;
        ++tally->refused;
        return;
    }
    if (ReadEverything(c)) {
        ++tally->readWhole;
    } else {
        ++tally->readFailed;
    }
}

void Report(const char* kind, int files, const Tally& t) {
    std::printf(
        "%s: %d files: %d refused at connect, %d connected with a failed read, %d read "
        "whole\n",
        kind, files, t.refused, t.readFailed, t.readWhole);
    EXPECT_EQ(t.refused + t.readFailed + t.readWhole, files);
}

uint32_t Get32(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 |
           static_cast<uint8_t>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

void Put32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}

void Put16(std::string& b, size_t at, uint16_t v) {
    b[at] = static_cast<char>(v & 0xff);
    b[at + 1] = static_cast<char>(v >> 8);
}

// Pages of the given type.
std::vector<size_t> PagesOfType(const std::string& b, size_t pageSize, char type) {
    std::vector<size_t> pages;
    for (size_t p = 1; p * pageSize < b.size(); ++p) {
        if (b[p * pageSize] == type) pages.push_back(p);
    }
    return pages;
}

// 120 files a base, or JETODBC_DAMAGED_FILES for a longer hunt.
int RandomFilesPerBase() {
    const char* files = std::getenv("JETODBC_DAMAGED_FILES");
    return files ? std::max(1, std::atoi(files)) : 120;
}

// The club evening as Access 97 and as Access 2000 write it, and every type
// as Access 2000 does.
const std::vector<Base>& Bases() {
    static const std::vector<Base> bases = {
        {"club3", ReadFile(FixtureDatabase("club", "jet3")), kJet3},
        {"club4", ReadFile(FixtureDatabase("club", "jet4")), kJet4},
        {"types4", ReadFile(FixtureDatabase("types", "jet4")), kJet4}};
    return bases;
}

}  // namespace

TEST(DamagedFiles, TheUndamagedFilesReadWhole) {
    Tally tally;
    for (const Base& base : Bases()) TryFile("whole-" + base.name, base.bytes, &tally);
    EXPECT_EQ(tally.readWhole, static_cast<int>(Bases().size()));
}

TEST(DamagedFiles, Truncated) {
    std::mt19937 random(20251104);
    Tally tally;
    int files = 0;
    for (const Base& base : Bases()) {
        const std::string& b = base.bytes;
        const size_t pageSize = base.layout.page;
        const size_t pages = b.size() / pageSize;
        for (size_t cut = 1; cut < pages; ++cut) {  // at every page boundary
            TryFile("cut-page-" + base.name + "-" + std::to_string(cut),
                    b.substr(0, cut * pageSize), &tally);
            ++files;
        }
        for (int i = 0; i < 30; ++i) {  // anywhere
            const size_t cut = random() % b.size();
            TryFile("cut-" + base.name + "-" + std::to_string(cut), b.substr(0, cut), &tally);
            ++files;
        }
    }
    Report("truncated", files, tally);
    EXPECT_EQ(tally.readWhole, 0) << "a truncated file read as if whole";
}

TEST(DamagedFiles, RandomBytesChanged) {
    std::mt19937 random(7);
    Tally tally;
    int files = 0;
    for (const Base& base : Bases()) {
        const std::string& b = base.bytes;
        const size_t pageSize = base.layout.page;
        std::vector<size_t> structural;  // definition pages, page headers, row directories
        for (size_t p : PagesOfType(b, pageSize, 0x02)) {
            for (size_t i = 0; i < pageSize; ++i) structural.push_back(p * pageSize + i);
        }
        for (size_t p : PagesOfType(b, pageSize, 0x01)) {
            for (size_t i = 0; i < 64; ++i) structural.push_back(p * pageSize + i);
        }
        for (int i = 0; i < RandomFilesPerBase(); ++i) {
            std::string d = b;
            const int changes = 1 + static_cast<int>(random() % 16);
            for (int k = 0; k < changes; ++k) {
                const size_t at =
                    i % 2 ? structural[random() % structural.size()] : random() % d.size();
                d[at] = static_cast<char>(random());
            }
            TryFile("bytes-" + base.name + "-" + std::to_string(i), d, &tally);
            ++files;
        }
    }
    Report("random bytes", files, tally);
}

TEST(DamagedFiles, PageNumbersAndOffsetsPastTheEnd) {
    std::mt19937 random(99);
    Tally tally;
    int files = 0;
    for (const Base& base : Bases()) {
        const std::string& b = base.bytes;
        const Layout& layout = base.layout;
        const size_t pageSize = layout.page;
        const uint32_t pages = static_cast<uint32_t>(b.size() / pageSize);
        auto pastEnd = [&] {
            return pages + static_cast<uint32_t>(random() % 3 ? random() % 4 : random() % 0xffffff);
        };
        auto run = [&](const std::string& kind, const std::string& d) {
            TryFile("pages-" + base.name + "-" + kind + "-" + std::to_string(files), d, &tally);
            ++files;
        };
        for (size_t p : PagesOfType(b, pageSize, 0x02)) {
            const size_t at = p * pageSize;
            std::string d = b;
            Put32(d, at + 4, pastEnd());  // the definition continues past the end
            run("next", d);
            d = b;
            Put32(d, at + layout.usageMap,
                  pastEnd() << 8 | Get32(b, at + layout.usageMap) % 256);  // usage map's page
            run("usage", d);
            d = b;
            Put32(d, at + layout.freeMap, Get32(b, at + layout.freeMap) + 40);  // free map's row
            run("free", d);
            // The usage map itself: its start page, then bits past the end.
            const uint32_t map = Get32(b, at + layout.usageMap);
            const size_t mapPage = (map >> 8) * pageSize;
            const uint16_t start = static_cast<uint16_t>(
                (static_cast<uint8_t>(b[mapPage + layout.rowCount + 2 + 2 * (map & 0xff)]) |
                 static_cast<uint8_t>(b[mapPage + layout.rowCount + 3 + 2 * (map & 0xff)]) << 8) &
                0x1fff);
            if (mapPage + start + 64 < b.size()) {
                d = b;
                Put32(d, mapPage + start + 1, pastEnd());
                run("mapstart", d);
                d = b;
                d[mapPage + start + 5 + random() % 40] = static_cast<char>(0xff);
                d[mapPage + start] = static_cast<char>(random() % 2 ? 1 : 0);  // or the type
                run("mapbits", d);
            }
        }
        for (size_t p : PagesOfType(b, pageSize, 0x01)) {
            const size_t at = p * pageSize;
            const size_t count = at + layout.rowCount;
            const uint16_t rows = static_cast<uint16_t>(static_cast<uint8_t>(b[count]) |
                                                        static_cast<uint8_t>(b[count + 1]) << 8);
            if (rows == 0) continue;
            const size_t entry = count + 2 + 2 * (random() % rows);
            std::string d = b;
            Put16(d, entry,
                  static_cast<uint16_t>(pageSize + random() % 4000));  // offset past the page
            run("offset", d);
            d = b;
            d[entry + 1] =
                static_cast<char>(d[entry + 1] | 0x40);  // a moved row, with a wild pointer
            run("moved", d);
            d = b;
            Put16(d, count, static_cast<uint16_t>(2000 + random() % 30000));  // row count
            run("rowcount", d);
            // Long-value pointers: any row pointer to this page now leads past the end.
            d = b;
            int replaced = 0;
            for (size_t i = 0; i + 4 <= d.size(); ++i) {
                const uint32_t v = Get32(d, i);
                if ((v >> 8) == p && (v & 0xff) < rows &&
                    i % pageSize > layout.rowCount + 2 + 2u * rows) {
                    Put32(d, i, pastEnd() << 8 | (v & 0xff));
                    ++replaced;
                }
            }
            if (replaced) run("pointer", d);
        }
    }
    Report("page numbers and offsets", files, tally);
    EXPECT_GT(files, 60);
}
