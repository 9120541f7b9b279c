// Hand-built Jet images for the tests of the page readers: a valid header
// page, data pages with a row directory, and rows laid out as Jet 4 and
// Jet 3 store them. Bytes can then be damaged on purpose.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "jetodbc/jet_image.h"

namespace jetodbc_test {

class ImageBuilder {
  public:
    ImageBuilder(bool jet3, uint32_t pages) : jet3_(jet3), size_(jet3 ? 2048 : 4096) {
        bytes_.assign(size_t{pages < 1 ? 1u : pages} * size_, 0);
        static const uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
        std::memcpy(bytes_.data(), kMagic, 4);
        std::memcpy(bytes_.data() + 4, "Standard Jet DB", 16);
        bytes_[0x14] = jet3 ? 0 : 1;
        // The header's scrambling over zeros leaves the keystream: key 0.
        Keystream(bytes_.data() + 0x18, jet3 ? 126 : 128);
    }

    uint32_t page_size() const { return size_; }
    uint8_t* Page(uint32_t n) { return bytes_.data() + size_t{n} * size_; }
    void Put16(uint32_t page, uint32_t offset, uint16_t v) {
        Page(page)[offset] = v & 0xff;
        Page(page)[offset + 1] = v >> 8;
    }
    void Put32(uint32_t page, uint32_t offset, uint32_t v) {
        Put16(page, offset, v & 0xffff);
        Put16(page, offset + 2, v >> 16);
    }

    // Makes page n a data page of owner holding rows (row 0 at the page's end).
    // flags, when given, are or-ed into the directory entries.
    void DataPage(uint32_t n, uint32_t owner, const std::vector<std::string>& rows,
                  const std::vector<uint16_t>& flags = {}) {
        uint8_t* p = Page(n);
        p[0] = 0x01;
        p[1] = 0x01;
        Put32(n, 4, owner);
        const uint32_t countAt = jet3_ ? 8 : 12;
        Put16(n, countAt, static_cast<uint16_t>(rows.size()));
        uint32_t end = size_;
        for (size_t i = 0; i < rows.size(); ++i) {
            const uint32_t start = end - static_cast<uint32_t>(rows[i].size());
            std::memcpy(p + start, rows[i].data(), rows[i].size());
            const uint16_t flag = i < flags.size() ? flags[i] : 0;
            Put16(n, countAt + 2 + 2 * static_cast<uint32_t>(i),
                  static_cast<uint16_t>(start | flag));
            end = start;
        }
    }

    std::vector<uint8_t> bytes() const { return bytes_; }
    std::unique_ptr<jetodbc::JetImage> Build() const {
        return jetodbc::JetImage::FromBytes(bytes_, "built");
    }

  private:
    static void Keystream(uint8_t* out, size_t n) {
        const uint8_t key[4] = {0xc7, 0xda, 0x39, 0x6b};
        uint8_t s[256];
        for (int i = 0; i < 256; ++i) s[i] = static_cast<uint8_t>(i);
        uint8_t j = 0;
        for (int i = 0; i < 256; ++i) {
            j = static_cast<uint8_t>(j + s[i] + key[i % 4]);
            std::swap(s[i], s[j]);
        }
        uint8_t x = 0, y = 0;
        for (size_t k = 0; k < n; ++k) {
            x = static_cast<uint8_t>(x + 1);
            y = static_cast<uint8_t>(y + s[x]);
            std::swap(s[x], s[y]);
            out[k] = s[static_cast<uint8_t>(s[x] + s[y])];
        }
    }

    bool jet3_;
    uint32_t size_;
    std::vector<uint8_t> bytes_;
};

// A Jet 4 row: column count, fixed area, variable fields (their offsets in
// the table, last the end of data), their count and the null mask; bits
// lists the columns whose mask bit is set.
inline std::string Jet4Row(uint16_t columns, const std::string& fixed,
                           const std::vector<std::string>& variable, const std::vector<int>& bits) {
    std::string row(2, '\0');
    row[0] = static_cast<char>(columns & 0xff);
    row[1] = static_cast<char>(columns >> 8);
    row += fixed;
    std::vector<uint16_t> offsets;
    for (const std::string& v : variable) {
        offsets.push_back(static_cast<uint16_t>(row.size()));
        row += v;
    }
    offsets.push_back(static_cast<uint16_t>(row.size()));
    auto put16 = [&](uint16_t v) {
        row.push_back(static_cast<char>(v & 0xff));
        row.push_back(static_cast<char>(v >> 8));
    };
    for (size_t i = offsets.size(); i-- > 0;) put16(offsets[i]);  // end of data first
    put16(static_cast<uint16_t>(variable.size()));
    std::string mask((columns + 7) / 8, '\0');
    for (int b : bits) mask[b / 8] = static_cast<char>(mask[b / 8] | (1 << (b % 8)));
    return row + mask;
}

}  // namespace jetodbc_test
