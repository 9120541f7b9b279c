// Writing a finished file image to disk without ever leaving half a file:
// a new file is removed again if writing fails, and an existing one is
// replaced only by renaming a complete copy over it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jetwriter {

enum class ExistingFile { kKeep, kReplace };

// Writes bytes to path. With kKeep, an existing file at path is an error and
// is left alone. With kReplace, the bytes go to path + ".partial" first (any
// file of that name is overwritten) and are renamed over path once complete.
// Returns an empty string on success, else the reason; on failure path holds
// what it held before.
std::string WriteImageFile(const std::string& path, const std::vector<uint8_t>& bytes,
                           ExistingFile existing);

}  // namespace jetwriter
