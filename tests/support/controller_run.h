// How the tests start the controller and read what it writes. By default
// they run the executable of this build. VELLAMO_CONTROLLER names another
// program that takes the controller's arguments (the Windows build under
// Wine); VELLAMO_CONTROLLER_LINE_ENDS=CRLF says that it follows the Windows
// rule for text: every line feed it writes, on standard output and in the
// run log, arrives as CR LF.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// The program that runs the controller.
inline std::string ControllerProgram() {
    const char* other = std::getenv("VELLAMO_CONTROLLER");
    return other != nullptr && *other != '\0' ? other : VELLAMO_EXECUTABLE;
}

// True when the controller writes its line ends as CR LF.
inline bool ControllerWritesCrLf() {
    const char* ends = std::getenv("VELLAMO_CONTROLLER_LINE_ENDS");
    return ends != nullptr && std::string(ends) == "CRLF";
}

// The controller's text as this build's own run would have written it: under
// the Windows rule each CR LF becomes LF, and a line feed that came without
// its CR fails the calling test.
inline std::string WithLinuxLineEnds(const std::string& text) {
    if (!ControllerWritesCrLf()) return text;
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            ADD_FAILURE() << "line feed without CR at byte " << i << " of:\n" << text;
        }
        plain += text[i];
    }
    return plain;
}
