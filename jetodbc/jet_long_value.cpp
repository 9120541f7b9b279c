#include "jetodbc/jet_long_value.h"

#include <unordered_set>

#include "jetodbc/driver_error.h"
#include "jetodbc/jet_page.h"

namespace jetodbc {

namespace {

constexpr size_t kHeaderSize = 12;
constexpr uint32_t kInline = 0x80000000u;
constexpr uint32_t kSingleRow = 0x40000000u;
constexpr uint32_t kLengthMask = 0x3fffffffu;

RowBytes FindRow(const JetImage& image, uint32_t pointer) {
    const DataPage page(image, PointerPage(pointer));
    if (page.type() != kPageData)
        throw DamagedFile("a memo or OLE value points to a non-data page");
    return page.Row(PointerRow(pointer));
}

}  // namespace

std::string ReadLongValue(const JetImage& image, const uint8_t* field, size_t size) {
    if (size == 0) return std::string();
    if (size < kHeaderSize) throw DamagedFile("a memo or OLE field is cut short");
    const uint32_t word = ReadU32(field);
    const size_t length = word & kLengthMask;
    const uint32_t flags = word & ~kLengthMask;
    if (length > image.size()) throw DamagedFile("a memo or OLE value claims an impossible length");
    const uint32_t pointer = ReadU32(field + 4);
    if (flags == kInline) {
        if (length > size - kHeaderSize)
            throw DamagedFile("an inline memo or OLE value overruns its row");
        return std::string(reinterpret_cast<const char*>(field + kHeaderSize), length);
    }
    if (flags == kSingleRow) {
        const RowBytes row = FindRow(image, pointer);
        if (row.size < length) throw DamagedFile("a memo or OLE value is shorter than its length");
        return std::string(reinterpret_cast<const char*>(row.data), length);
    }
    if (flags != 0) throw DamagedFile("a memo or OLE field has unknown flags");
    std::string value;
    value.reserve(length);
    std::unordered_set<uint32_t> seen;
    uint32_t next = pointer;
    while (value.size() < length) {
        if (next == 0) throw DamagedFile("a memo or OLE value ends before its length");
        if (!seen.insert(next).second) throw DamagedFile("a memo or OLE value's pages loop");
        const RowBytes row = FindRow(image, next);
        if (row.size < 4) throw DamagedFile("a memo or OLE value's row is cut short");
        next = ReadU32(row.data);
        value.append(reinterpret_cast<const char*>(row.data + 4), row.size - 4);
    }
    value.resize(length);
    return value;
}

}  // namespace jetodbc
