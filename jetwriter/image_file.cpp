#include "jetwriter/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace jetwriter {
namespace {

// Writes bytes to a file at path that must not exist yet ("x": the check and
// the creation are one step, so a file appearing meanwhile is not lost).
std::string WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr) {
        if (errno == EEXIST) return path + " exists already";
        return "cannot create " + path + ": " + std::strerror(errno);
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return {};
    std::remove(path.c_str());
    return "cannot write " + path;
}

}  // namespace

std::string WriteImageFile(const std::string& path, const std::vector<uint8_t>& bytes,
                           ExistingFile existing) {
    if (existing == ExistingFile::kKeep) return WriteNewFile(path, bytes);
    const std::string partial = path + ".partial";
    std::remove(partial.c_str());
    std::string failure = WriteNewFile(partial, bytes);
    if (!failure.empty()) return failure;
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::remove(partial.c_str());
        return "cannot replace " + path + ": " + error.message();
    }
    return {};
}

}  // namespace jetwriter
