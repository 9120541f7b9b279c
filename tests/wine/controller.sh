#!/bin/sh
# Runs the Windows build of the controller under Wine with the arguments
# given; run_under_wine.sh sets up the environment it needs.
exec wine "$VELLAMO_WINDOWS_EXE" "$@"
