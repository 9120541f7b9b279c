// How the tests start the controller and read what it writes. By default
// they run the executable of this build. VELLAMO_CONTROLLER names another
// program that takes the controller's arguments (the Windows build under
// Wine); VELLAMO_CONTROLLER_LINE_ENDS=CRLF says that it follows the Windows
// rule for text: every line feed it writes, on standard output and in the
// run log, arrives as CR LF.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

// What one run of a controller gave.
struct ControllerOutcome {
    std::string output;  // standard output
    int status = -1;     // exit status
    double seconds = 0;  // from start to exit
};

// How a test runs a controller: program, in folder, on the files of folder.
using ControllerStart =
    std::function<ControllerOutcome(const std::string& program, const std::string& folder)>;

// Runs the controller through start in folder and returns what it gave, its
// output in this build's line ends. When the controller is another program
// (the Windows build), this build's executable runs too, through start, on a
// copy of folder made just before, in a folder whose path is as long. The two
// runs must agree byte for byte on standard output, on what they add to
// VLM_Log.txt and on the exit status, once the other program's CR LF are read
// as LF and its Using line in the ANSI code page (Windows-1252), as README
// says. sameSurroundings false leaves out the second run, for a run whose
// surroundings this build cannot have.
ControllerOutcome RunController(const std::string& folder, const ControllerStart& start,
                                bool sameSurroundings = true);

// text with every from replaced by to.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);
