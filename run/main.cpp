// The controller's entry point: one argument naming the BWS file.
#include "run/program_run.h"

int main(int argc, char** argv) { RunController(argc, argv); }
