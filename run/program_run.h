// The order of one run of the controller, from the argument to the report.
#pragma once

// Size of the argument buffer: an argument must have fewer characters.
constexpr int kArgumentBufferSize = 2048;

// Runs the controller with main's arguments and ends the process through the
// orderly exit: status 1 for a missing, too short or too long argument, 0 for
// every other end. Never returns.
[[noreturn]] void RunController(int argc, char** argv);
