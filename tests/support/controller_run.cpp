#include "tests/support/controller_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/support/windows1252_chart.h"

namespace {

const std::string kLog = "/VLM_Log.txt";

// The size of the run log in folder; 0 where it is no regular file.
long long LogSize(const std::string& folder) {
    struct stat status {};
    if (stat((folder + kLog).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
    return status.st_size;
}

// The bytes of the run log in folder from offset on ("" where it is no
// regular file: a pipe would block the read).
std::string LogFrom(const std::string& folder, long long offset) {
    struct stat status {};
    if (stat((folder + kLog).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return "";
    std::ifstream in(folder + kLog, std::ios::binary);
    in.seekg(offset);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One character as Windows-1252 has it, '?' where it has none.
char Windows1252Of(unsigned code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (const Windows1252ChartEntry& entry : kWindows1252Chart) {
        if (entry.character == code) return static_cast<char>(entry.byte);
    }
    return '?';
}

// text with the argument on its Using line turned from UTF-8 into
// Windows-1252, as a Windows program receives it in that ANSI code page.
std::string WithAnsiUsingLine(const std::string& text) {
    size_t at = text.rfind("Using ", 0) == 0 ? 0 : text.find("\nUsing ");
    if (at == std::string::npos) return text;
    at = text.find(' ', at) + 1;
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string ansi = text.substr(0, at);
    for (size_t i = at; i < end;) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
        const size_t length = byte(0) < 0xC0 ? 1 : byte(0) < 0xE0 ? 2 : byte(0) < 0xF0 ? 3 : 4;
        if (length == 1 || i + length > end) {
            ansi += text[i++];
            continue;
        }
        unsigned code = byte(0) & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) code = code << 6 | (byte(k) & 0x3F);
        ansi += Windows1252Of(code);
        i += length;
    }
    return ansi + text.substr(end);
}

}  // namespace

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

ControllerOutcome RunController(const std::string& folder, const ControllerStart& start,
                                bool sameSurroundings) {
    if (ControllerProgram() == VELLAMO_EXECUTABLE) return start(VELLAMO_EXECUTABLE, folder);
    // The copy, with the files' times, in a folder named as long.
    std::string twin = folder.substr(0, folder.size() - 6) + "XXXXXX";
    const bool copied = sameSurroundings && mkdtemp(twin.data()) != nullptr &&
                        std::system(("cp -a '" + folder + "/.' '" + twin + "'").c_str()) == 0;
    EXPECT_TRUE(copied || !sameSurroundings) << "no copy of " << folder;
    const long long logSize = LogSize(folder);

    ControllerOutcome theirs = start(ControllerProgram(), folder);
    theirs.output = WithLinuxLineEnds(theirs.output);
    if (!copied) return theirs;
    const std::string theirLog = WithLinuxLineEnds(LogFrom(folder, logSize));
    const ControllerOutcome ours = start(VELLAMO_EXECUTABLE, twin);
    const std::string ourLog = LogFrom(twin, logSize);
    std::system(("rm -rf '" + twin + "'").c_str());

    EXPECT_EQ(theirs.output, WithAnsiUsingLine(ReplaceAll(ours.output, twin, folder)))
        << "standard output of " << ControllerProgram() << " against this build's";
    EXPECT_EQ(theirLog, WithAnsiUsingLine(ReplaceAll(ourLog, twin, folder)))
        << "what " << ControllerProgram() << " added to VLM_Log.txt against this build's";
    EXPECT_EQ(theirs.status, ours.status)
        << "exit status of " << ControllerProgram() << " against this build's";
    return theirs;
}
