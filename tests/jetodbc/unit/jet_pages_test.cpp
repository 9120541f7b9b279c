// The page-level readers on hand-built images: the file header, row
// directories, usage maps, long values, table definitions and the table row
// reader, each with the damage it must refuse instead of reading past.
#include <gtest/gtest.h>
#include <unistd.h>

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_long_value.h"
#include "jetodbc/jet_page.h"
#include "jetodbc/jet_table_reader.h"
#include "jetodbc/jet_table_structure.h"
#include "jetodbc/jet_usage_map.h"
#include "tests/jetodbc/unit/jet_image_builder.h"

using namespace jetodbc;
using jetodbc_test::ImageBuilder;
using jetodbc_test::Jet4Row;

namespace {

std::string StateOf(const std::function<void()>& f) {
    try {
        f();
        return "";
    } catch (const DriverError& e) {
        return e.state();
    }
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

std::string U32(uint32_t v) {
    return Bytes({int(v & 0xff), int(v >> 8 & 0xff), int(v >> 16 & 0xff), int(v >> 24)});
}

}  // namespace

TEST(JetImage, AcceptsAValidHeaderAndRefusesOthers) {
    ImageBuilder b(false, 3);
    const auto image = b.Build();
    EXPECT_FALSE(image->jet3());
    EXPECT_EQ(image->page_count(), 3u);
    EXPECT_EQ(image->Page(3), nullptr);
    EXPECT_EQ(ImageBuilder(true, 3).Build()->page_size(), 2048u);

    auto refuse = [](std::vector<uint8_t> bytes) {
        try {
            JetImage::FromBytes(std::move(bytes), "x");
            return std::string("accepted");
        } catch (const DriverError& e) {
            return std::string(e.what());
        }
    };
    EXPECT_NE(refuse({}).find("empty"), std::string::npos);
    EXPECT_NE(refuse(std::vector<uint8_t>(8192, 'a')).find("not a Jet database"),
              std::string::npos);
    std::vector<uint8_t> truncated = b.bytes();
    truncated.resize(truncated.size() - 100);
    EXPECT_NE(refuse(truncated).find("truncated"), std::string::npos);
    std::vector<uint8_t> twoPages = b.bytes();
    twoPages.resize(2 * 4096);
    EXPECT_NE(refuse(twoPages).find("too few pages"), std::string::npos);
    std::vector<uint8_t> version = b.bytes();
    version[0x14] = 9;
    EXPECT_NE(refuse(version).find("version"), std::string::npos);
    std::vector<uint8_t> encrypted = b.bytes();
    encrypted[0x3e] ^= 0x5a;
    EXPECT_NE(refuse(encrypted).find("encrypted"), std::string::npos);
}

TEST(JetImage, FileBeyondTheFormatsSizeIsRefusedFromItsFirstPage) {
    // A sparse file with a valid Jet 3 header and one page more than Access
    // allows: refused before the gigabyte behind the header is read.
    char name[] = "/tmp/jetodbc-large-XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    const std::vector<uint8_t> header = ImageBuilder(true, 1).bytes();
    const bool made =
        write(fd, header.data(), header.size()) == static_cast<ssize_t>(header.size()) &&
        ftruncate(fd, ((off_t{1} << 19) + 1) * 2048) == 0;
    close(fd);
    std::string outcome = "accepted";
    try {
        if (made) JetImage::Load(name);
    } catch (const DriverError& e) {
        outcome = e.what();
    }
    unlink(name);
    ASSERT_TRUE(made);
    EXPECT_NE(outcome.find("larger than a Jet database can be"), std::string::npos) << outcome;
}

TEST(DataPage, RowsAndTheirBounds) {
    ImageBuilder b(false, 4);
    b.DataPage(3, 2, {"first", "second", "x"}, {0, 0x8000, 0x4000});
    const auto image = b.Build();
    const DataPage page(*image, 3);
    EXPECT_EQ(page.type(), kPageData);
    EXPECT_EQ(page.owner(), 2u);
    ASSERT_EQ(page.row_count(), 3u);
    const RowBytes first = page.Row(0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first.data), first.size), "first");
    EXPECT_TRUE(page.IsDeleted(1));
    EXPECT_TRUE(page.Row(2).overflow);
    EXPECT_EQ(StateOf([&] { page.Row(3); }), "HY000");
    EXPECT_EQ(StateOf([&] { DataPage(*image, 4); }), "HY000");

    ImageBuilder bad(false, 4);
    bad.DataPage(3, 2, {"abc", "def"});
    bad.Put16(3, 14, 5000);  // row 0 starts past the page's end
    bad.Put16(3, 16, 10);    // row 1 starts inside the directory
    const auto badImage = bad.Build();
    const DataPage badPage(*badImage, 3);
    EXPECT_EQ(StateOf([&] { badPage.Row(0); }), "HY000");
    EXPECT_EQ(StateOf([&] { badPage.Row(1); }), "HY000");
    bad.Put16(3, 12, 3000);  // a directory longer than the page
    EXPECT_EQ(StateOf([&] { DataPage(*bad.Build(), 3); }), "HY000");
}

TEST(UsageMap, InlineAndIndirectMaps) {
    ImageBuilder b(false, 40);
    // Type 0: pages 4 and 13 from start page 4.
    b.DataPage(1, 0, {Bytes({0}) + U32(4) + Bytes({0x01, 0x02})});
    // Type 1: bitmap page 30 lists pages 33 and 35.
    b.DataPage(2, 0, {Bytes({1}) + U32(30) + U32(0)});
    b.Page(30)[0] = kPageUsageMap;
    b.Page(30)[4 + 4] = 0x0a;  // bits 33 and 35
    const auto image = b.Build();
    EXPECT_EQ(ReadUsageMap(*image, 1 << 8), (std::vector<uint32_t>{4, 13}));
    EXPECT_EQ(ReadUsageMap(*image, 2 << 8), (std::vector<uint32_t>{33, 35}));
}

TEST(UsageMap, RefusesMapsThatLeadOutsideTheFile) {
    auto refused = [](const std::string& map, uint32_t extraPage = 0) {
        ImageBuilder b(false, 40);
        b.DataPage(1, 0, {map});
        if (extraPage) b.Page(extraPage)[0] = 0x01;  // not a bitmap page
        return StateOf([&] { ReadUsageMap(*b.Build(), 1 << 8); });
    };
    EXPECT_EQ(refused(Bytes({0}) + U32(36) + Bytes({0x80})), "HY000");  // page 43 > 39
    EXPECT_EQ(refused(Bytes({0}) + U32(0xfffffff0) + Bytes({0xff})), "HY000");
    EXPECT_EQ(refused(Bytes({0, 1})), "HY000");             // too short
    EXPECT_EQ(refused(Bytes({1}) + U32(99)), "HY000");      // bitmap page past the end
    EXPECT_EQ(refused(Bytes({1}) + U32(20), 20), "HY000");  // not a bitmap page
    EXPECT_EQ(refused(Bytes({7}) + U32(4)), "HY000");       // unknown type
    EXPECT_EQ(refused(""), "HY000");                        // empty
    ImageBuilder b(false, 40);
    b.DataPage(1, 0, {"x"});
    EXPECT_EQ(StateOf([&] { ReadUsageMap(*b.Build(), (1 << 8) | 5); }), "HY000");  // no row 5
    EXPECT_EQ(StateOf([&] { ReadUsageMap(*b.Build(), 900 << 8); }), "HY000");
}

TEST(LongValue, InlineSingleRowAndChain) {
    ImageBuilder b(false, 8);
    b.DataPage(5, 0, {"whole value here", U32((6 << 8) | 0) + "first-"});
    b.DataPage(6, 0, {U32(0) + "second"});
    const auto image = b.Build();
    auto read = [&](const std::string& field) {
        return ReadLongValue(*image, reinterpret_cast<const uint8_t*>(field.data()), field.size());
    };
    EXPECT_EQ(read(U32(0x80000000u | 5) + U32(0) + U32(0) + "hello"), "hello");
    EXPECT_EQ(read(U32(0x40000000u | 5) + U32(5 << 8) + U32(0)), "whole");
    EXPECT_EQ(read(U32(12) + U32((5 << 8) | 1) + U32(0)), "first-second");
    EXPECT_EQ(read(""), "");
}

TEST(LongValue, RefusesDamagedHeadersAndChains) {
    ImageBuilder b(false, 8);
    b.DataPage(5, 0, {U32((5 << 8) | 0) + "loop"});
    b.DataPage(6, 0, {U32(0) + "end"});
    const auto image = b.Build();
    auto state = [&](const std::string& field) {
        return StateOf([&] {
            ReadLongValue(*image, reinterpret_cast<const uint8_t*>(field.data()), field.size());
        });
    };
    EXPECT_EQ(state("short"), "HY000");
    EXPECT_EQ(state(U32(0x80000000u | 50) + U32(0) + U32(0) + "abc"), "HY000");
    EXPECT_EQ(state(U32(0x40000000u | 5) + U32(77 << 8) + U32(0)), "HY000");
    EXPECT_EQ(state(U32(0x40000000u | 500) + U32(6 << 8) + U32(0)), "HY000");
    EXPECT_EQ(state(U32(100) + U32(5 << 8) + U32(0)), "HY000");  // a chain into itself
    EXPECT_EQ(state(U32(100) + U32(6 << 8) + U32(0)), "HY000");  // ends too soon
    EXPECT_EQ(state(U32(0xC0000000u | 5) + U32(0) + U32(0) + "hello"), "HY000");
    EXPECT_EQ(state(U32(0x3fffffff) + U32(6 << 8) + U32(0)), "HY000");  // longer than the file
}

namespace {

// A Jet 4 definition at page 2 with columns named A, B, ...
ImageBuilder DefinitionImage(uint16_t columns, uint32_t pages = 6) {
    ImageBuilder b(false, pages);
    uint8_t* p = b.Page(2);
    p[0] = kPageTableDefinition;
    p[1] = 0x01;
    b.Put16(2, 43, 0);
    b.Put16(2, 45, columns);
    b.Put32(2, 55, (3 << 8) | 0);
    b.Put32(2, 59, (3 << 8) | 1);
    b.DataPage(3, 2, {Bytes({0}) + U32(0), Bytes({0}) + U32(0)});
    uint32_t at = 63 + 25u * columns;
    for (uint16_t c = 0; c < columns; ++c) {
        b.Put16(2, at, 2);
        p[at + 2] = static_cast<uint8_t>('A' + c);
        at += 4;
    }
    return b;
}

}  // namespace

TEST(TableStructure, ReadsHeaderAndFollowsTheChain) {
    ImageBuilder b = DefinitionImage(3);
    const TableStructure t = ReadTableStructure(*b.Build(), 2);
    EXPECT_EQ(t.columnCount, 3);
    EXPECT_EQ(t.usageMap, 3u << 8);
    // Deleted columns keep their variable-column numbers: the highest may
    // exceed the number of columns left.
    b.Put16(2, 43, 7);
    EXPECT_EQ(ReadTableStructure(*b.Build(), 2).variableColumnCount, 7);
    b.Put32(2, 4, 4);  // continue on page 4
    b.Page(4)[0] = kPageTableDefinition;
    EXPECT_EQ(ReadDefinitionStream(*b.Build(), 2).size(), 4096u + 4088u);
}

TEST(TableStructure, RefusesBrokenDefinitions) {
    auto state = [](ImageBuilder b) { return StateOf([&] { ReadTableStructure(*b.Build(), 2); }); };
    ImageBuilder loop = DefinitionImage(3);
    loop.Put32(2, 4, 2);
    EXPECT_EQ(state(loop), "HY000");
    ImageBuilder past = DefinitionImage(3);
    past.Put32(2, 4, 1000);
    EXPECT_EQ(state(past), "HY000");
    ImageBuilder wrongType = DefinitionImage(3);
    wrongType.Put32(2, 4, 4);
    EXPECT_EQ(state(wrongType), "HY000");
    EXPECT_EQ(state(DefinitionImage(0)), "HY000");
    ImageBuilder tooMany = DefinitionImage(3);
    tooMany.Put16(2, 45, 300);
    EXPECT_EQ(state(tooMany), "HY000");
    ImageBuilder longName = DefinitionImage(3);
    longName.Put16(2, 63 + 75, 4000);
    EXPECT_EQ(state(longName), "HY000");
    ImageBuilder manyIndexes = DefinitionImage(3);
    manyIndexes.Put32(2, 51, 0x10000000);
    EXPECT_EQ(state(manyIndexes), "HY000");
    ImageBuilder usageMapPastEnd = DefinitionImage(3);
    usageMapPastEnd.Put32(2, 55, 900 << 8);
    EXPECT_EQ(state(usageMapPastEnd), "HY000");
    ImageBuilder freeMapMissing = DefinitionImage(3);
    freeMapMissing.Put32(2, 59, (3 << 8) | 7);
    EXPECT_EQ(state(freeMapMissing), "HY000");
    EXPECT_EQ(StateOf([] { ReadTableStructure(*DefinitionImage(3).Build(), 3); }), "HY000");
}

TEST(TableRowReader, SkipsDeletedRowsAndFollowsMovedOnes) {
    ImageBuilder b(false, 8);
    // Usage map on page 1 lists pages 4 and 5; page 6 belongs to another table.
    b.DataPage(1, 0, {Bytes({0}) + U32(4) + Bytes({0x07})});
    const std::string one = Jet4Row(1, U32(1), {}, {0});
    const std::string two = Jet4Row(1, U32(2), {}, {0});
    const std::string three = Jet4Row(1, U32(3), {}, {0});
    const std::string moved = Jet4Row(1, U32(4), {}, {0});
    // Row 1 of page 4 was moved to page 5 row 1, which the scan must not read again.
    b.DataPage(4, 2, {one, U32((5 << 8) | 1), Jet4Row(1, U32(99), {}, {0})}, {0, 0x4000, 0x8000});
    b.DataPage(5, 2, {two, moved, three});
    b.DataPage(6, 9, {Jet4Row(1, U32(77), {}, {0})});
    const auto image = b.Build();
    TableStructure s;
    s.definitionPage = 2;
    s.usageMap = 1 << 8;
    ColumnLayout id;
    id.type = kJetLong;
    id.fixed = true;
    std::vector<int64_t> ids;
    TableRowReader(*image, s, {id}).ReadRows({}, [&](std::vector<Value>& row) {
        ids.push_back(row[0].integer);
    });
    EXPECT_EQ(ids, (std::vector<int64_t>{1, 4, 2, 3}));
}

TEST(TableRowReader, RefusesAMovedRowThatLoops) {
    ImageBuilder b(false, 8);
    b.DataPage(1, 0, {Bytes({0}) + U32(4) + Bytes({0x01})});
    // Row 0 leads into rows 1 and 2, which point at each other.
    b.DataPage(4, 2, {U32((4 << 8) | 1), U32((4 << 8) | 2), U32((4 << 8) | 1)},
               {0x4000, 0x4000, 0x4000});
    TableStructure s;
    s.definitionPage = 2;
    s.usageMap = 1 << 8;
    ColumnLayout id;
    id.type = kJetLong;
    id.fixed = true;
    EXPECT_EQ(StateOf([&] {
                  TableRowReader(*b.Build(), s, {id}).ReadRows({}, [](std::vector<Value>&) {});
              }),
              "HY000");
}
