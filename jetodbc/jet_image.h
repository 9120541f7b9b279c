// A Jet database file as the driver reads it: a private, read-only copy of
// the whole file taken at connect time, read only once its first page and
// its size have shown it to be a Jet database. Every page
// the driver looks at comes from this copy through Page(), which answers
// null for a page number past the end, so no reader can step outside the
// file. The copy is never written back and the file is never locked, so
// the driver leaves no trace on the file or beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace jetodbc {

class JetImage {
  public:
    // Reads the file at path and checks that it is a Jet 3 or Jet 4 (or
    // later Access) database: its header, its size a whole number of pages,
    // at least the pages that every database has and no more than Access
    // allows (2^19), and no encryption. These checks read only the first
    // page; the rest of the file is read only when they pass. Throws
    // DriverError when the file cannot be read (08001) or is not such a
    // database (HY000); the message names the file and the reason.
    static std::unique_ptr<JetImage> Load(const std::string& path);

    // Checks bytes as Load checks a file's contents; name is used in messages.
    static std::unique_ptr<JetImage> FromBytes(std::vector<uint8_t> bytes, const std::string& name);

    JetImage(const JetImage&) = delete;
    JetImage& operator=(const JetImage&) = delete;

    bool jet3() const { return jet3_; }
    uint32_t page_size() const { return pageSize_; }
    uint32_t page_count() const { return pageCount_; }

    // The page with the given number, page_size() bytes; null when the number
    // is not below page_count().
    const uint8_t* Page(uint64_t number) const {
        return number < pageCount_ ? bytes_.get() + number * pageSize_ : nullptr;
    }

    // The whole copy, for handing to libmdb; it must not be written through.
    void* data() { return bytes_.get(); }
    size_t size() const { return size_; }

  private:
    JetImage() = default;
    // Takes the first size bytes at bytes, checked as FromBytes checks them.
    static std::unique_ptr<JetImage> Adopt(std::unique_ptr<uint8_t[]> bytes, size_t size,
                                           const std::string& name);

    // Not zeroed when made: every byte of it is one read from the file.
    std::unique_ptr<uint8_t[]> bytes_;
    size_t size_ = 0;
    bool jet3_ = false;
    uint32_t pageSize_ = 0;
    uint32_t pageCount_ = 0;
};

// Little-endian readers for page bytes; the caller has checked the bounds.
inline uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t ReadU24(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16);
}
inline uint32_t ReadU32(const uint8_t* p) {
    return ReadU24(p) | (static_cast<uint32_t>(p[3]) << 24);
}
// A stored number of type T (an integer or IEEE float), as the host holds
// it: Jet stores little-endian, as the hosts the driver builds for do.
template <typename T>
T LoadStored(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace jetodbc
