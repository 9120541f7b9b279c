#include "jetodbc/jet_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "jetodbc/driver_error.h"

namespace jetodbc {

namespace {

constexpr uint32_t kHeaderKey = 0x6b39dac7;  // the key of the header's RC4 layer
constexpr size_t kHeaderStart = 0x18;

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
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw DriverError("08001", "'" + path + "' is not a file that can be opened.", -1032);
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    bytes.resize(done);  // a file that shrank while being read is checked as it was read
    return FromBytes(std::move(bytes), path);
}

std::unique_ptr<JetImage> JetImage::FromBytes(std::vector<uint8_t> bytes, const std::string& name) {
    std::unique_ptr<JetImage> image(new JetImage());
    image->bytes_ = std::move(bytes);
    image->CheckHeader(name);
    return image;
}

void JetImage::CheckHeader(const std::string& name) {
    if (bytes_.empty()) throw NotADatabase(name, "the file is empty");
    static const uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
    if (bytes_.size() < 2048 || std::memcmp(bytes_.data(), kMagic, 4) != 0 ||
        (std::memcmp(bytes_.data() + 4, "Standard Jet DB", 16) != 0 &&
         std::memcmp(bytes_.data() + 4, "Standard ACE DB", 16) != 0)) {
        throw NotADatabase(name, "it is not a Jet database");
    }
    const uint32_t version = ReadU32(bytes_.data() + 0x14);
    if (version > 5) throw NotADatabase(name, "unknown Jet version " + std::to_string(version));
    jet3_ = version == 0;
    pageSize_ = jet3_ ? 2048 : 4096;
    if (bytes_.size() % pageSize_ != 0) {
        throw NotADatabase(name, "the file is truncated (not a whole number of pages)");
    }
    pageCount_ = static_cast<uint32_t>(bytes_.size() / pageSize_);
    if (pageCount_ < 3) throw NotADatabase(name, "the file is truncated (too few pages)");

    uint8_t header[128];
    const size_t headerSize = jet3_ ? 126 : 128;
    std::memcpy(header, bytes_.data() + kHeaderStart, headerSize);
    Rc4(kHeaderKey, header, headerSize);
    const uint32_t databaseKey = ReadU32(header + (0x3e - kHeaderStart));
    if (databaseKey != 0) {
        throw DriverError("HY000",
                          "The database '" + name +
                              "' is encrypted, which this driver does "
                              "not support.",
                          -1905);
    }
}

}  // namespace jetodbc
