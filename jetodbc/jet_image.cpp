#include "jetodbc/jet_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "jetodbc/driver_error.h"

namespace jetodbc {

namespace {

constexpr uint32_t kHeaderKey = 0x6b39dac7;  // the key of the header's RC4 layer
constexpr size_t kHeaderStart = 0x18;
// The header lies within the first page; a Jet 3 page is the smaller one.
constexpr size_t kSmallestPage = 2048;
// Access stops a database at 2^19 pages: 1 GiB for Jet 3, 2 GiB for Jet 4
// and later. A file beyond that is none that Access wrote.
constexpr uint64_t kMostPages = uint64_t{1} << 19;

// RC4 keystream applied in place (the header's scrambling, not security).
void Rc4(uint32_t key, uint8_t* data, size_t size) {
    uint8_t keyBytes[4] = {static_cast<uint8_t>(key), static_cast<uint8_t>(key >> 8),
                           static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 24)};
    uint8_t s[256];
    for (int i = 0; i < 256; ++i) s[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + s[i] + keyBytes[i % 4]);
        std::swap(s[i], s[j]);
    }
    uint8_t x = 0, y = 0;
    for (size_t n = 0; n < size; ++n) {
        x = static_cast<uint8_t>(x + 1);
        y = static_cast<uint8_t>(y + s[x]);
        std::swap(s[x], s[y]);
        data[n] ^= s[static_cast<uint8_t>(s[x] + s[y])];
    }
}

DriverError NotADatabase(const std::string& name, const std::string& why) {
    return DriverError("HY000", "Unrecognized database format '" + name + "': " + why + ".", -1206);
}

// What the header and the file's size say, checked before the rest of the
// file is read.
struct Shape {
    bool jet3 = false;
    uint32_t pageSize = 0;
    uint32_t pageCount = 0;
};

// Checks a database's first bytes (at most one page of them) against what a
// Jet file of fileSize bytes must be. Throws as JetImage::Load.
Shape CheckShape(const uint8_t* first, size_t firstSize, uint64_t fileSize,
                 const std::string& name) {
    if (fileSize == 0) throw NotADatabase(name, "the file is empty");
    static const uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
    if (fileSize < kSmallestPage || firstSize < kSmallestPage ||
        std::memcmp(first, kMagic, 4) != 0 ||
        (std::memcmp(first + 4, "Standard Jet DB", 16) != 0 &&
         std::memcmp(first + 4, "Standard ACE DB", 16) != 0)) {
        throw NotADatabase(name, "it is not a Jet database");
    }
    const uint32_t version = ReadU32(first + 0x14);
    if (version > 5) throw NotADatabase(name, "unknown Jet version " + std::to_string(version));
    Shape shape;
    shape.jet3 = version == 0;
    shape.pageSize = shape.jet3 ? 2048 : 4096;
    if (fileSize % shape.pageSize != 0) {
        throw NotADatabase(name, "the file is truncated (not a whole number of pages)");
    }
    const uint64_t pages = fileSize / shape.pageSize;
    if (pages < 3) throw NotADatabase(name, "the file is truncated (too few pages)");
    if (pages > kMostPages) {
        throw NotADatabase(name, "the file is larger than a Jet database can be (" +
                                     std::to_string(kMostPages) + " pages of " +
                                     std::to_string(shape.pageSize) + " bytes)");
    }
    shape.pageCount = static_cast<uint32_t>(pages);

    uint8_t header[128];
    const size_t headerSize = shape.jet3 ? 126 : 128;
    std::memcpy(header, first + kHeaderStart, headerSize);
    Rc4(kHeaderKey, header, headerSize);
    const uint32_t databaseKey = ReadU32(header + (0x3e - kHeaderStart));
    if (databaseKey != 0) {
        throw DriverError("HY000",
                          "The database '" + name +
                              "' is encrypted, which this driver does "
                              "not support.",
                          -1905);
    }
    return shape;
}

// Reads up to size bytes at the descriptor's position; fewer only at the
// end of the file or on a read error.
size_t ReadFully(int fd, uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

// Closes a descriptor when it goes out of scope.
class FileCloser {
  public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() { ::close(fd_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

  private:
    int fd_;
};

}  // namespace

std::unique_ptr<JetImage> JetImage::Load(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) {
            throw DriverError("08001", "Could not find file '" + path + "'.", -1811);
        }
        throw DriverError("08001",
                          "Could not open file '" + path + "': " + std::strerror(err) + ".", -1032);
    }
    FileCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        throw DriverError("08001", "'" + path + "' is not a file that can be opened.", -1032);
    }
    // The first page decides whether the rest is worth reading: what is not a
    // Jet file of a size the format allows costs one page, whatever its size.
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    uint8_t head[kSmallestPage];
    const size_t first =
        ReadFully(fd, head, static_cast<size_t>(std::min<uint64_t>(size, kSmallestPage)));
    CheckShape(head, first, size, path);
    // The shape checked bounds the size; the buffer is left unzeroed, as the
    // read fills it and only what was read is kept.
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[static_cast<size_t>(size)]);
    std::memcpy(bytes.get(), head, first);
    const size_t read =
        first + ReadFully(fd, bytes.get() + first, static_cast<size_t>(size) - first);
    // A file that shrank while being read is checked as it was read.
    return Adopt(std::move(bytes), read, path);
}

std::unique_ptr<JetImage> JetImage::FromBytes(std::vector<uint8_t> bytes, const std::string& name) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    return Adopt(std::move(copy), bytes.size(), name);
}

std::unique_ptr<JetImage> JetImage::Adopt(std::unique_ptr<uint8_t[]> bytes, size_t size,
                                          const std::string& name) {
    std::unique_ptr<JetImage> image(new JetImage());
    const Shape shape = CheckShape(bytes.get(), size, size, name);
    image->bytes_ = std::move(bytes);
    image->size_ = size;
    image->jet3_ = shape.jet3;
    image->pageSize_ = shape.pageSize;
    image->pageCount_ = shape.pageCount;
    return image;
}

}  // namespace jetodbc
