#!/bin/sh
# Runs the Windows build's platform tests, and the end-to-end and whole-run
# cases with the Windows build of the controller, under Wine, in one Wine
# prefix with one Wine server for all runs.
#   run_under_wine.sh VELLAMO_EXE PREFIX_DIR E2E_TESTS INTEGRATION_TESTS
# ODBCSYSINI must name the folder of this build's odbcinst.ini: Wine's ODBC
# manager hands the calls to the host's unixODBC, which loads jetodbc.
set -u
exe=$(realpath "$1")
export WINEPREFIX=$(realpath -m "$2")
e2e=$3
integration=$4
here=$(dirname "$(realpath "$0")")

# No WINEPATH to the mingw runtime DLLs: the programs must run without them,
# as they do on a Windows machine that has none.
unset WINEPATH
export WINEDEBUG=-all
# Wine takes its ANSI code page (Windows-1252) and the encoding of Unix file
# names from the locale.
export LC_ALL=C.UTF-8
export VELLAMO_WINDOWS_EXE="$exe"
export VELLAMO_CONTROLLER="$here/controller.sh"
export VELLAMO_CONTROLLER_LINE_ENDS=CRLF
# The file holder beside the executable, as a command taking PATH and the mode.
export VELLAMO_FILE_HOLDER="wine '$(dirname "$exe")/hold_file.exe'"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # Console programs need neither Mono nor Gecko; without them no installer asks.
    WINEDLLOVERRIDES='mscoree,mshtml=' wineboot -i >/dev/null 2>&1 || { echo "wineboot failed in $WINEPREFIX"; exit 1; }
    wineserver -w  # the server of the boot goes before the one below starts
fi
# One server for every run; it goes when this script ends, or a minute after
# the last run should the script be killed.
wineserver -p60
trap 'wineserver -k' EXIT

status=0
# The platform layer against the real Win32 API, where the Windows build made
# its tests. Left out: the range checks and rounding of the date conversions,
# where Wine's oleaut32 and msvcrt are looser than Windows as Microsoft
# documents it (they take 3001-01-01 for _gmtime64, NaN and day 0 for
# variant times, and give the weekday of the unrounded time).
platform_tests="$(dirname "$exe")/vellamo_platform_tests.exe"
if [ -f "$platform_tests" ]; then
    wine "$platform_tests" --gtest_filter='-Time2str.SixtyFourBitTimes:VariantTime.RoundsToTheNearestSecond:VariantTime.RefusesWhatIsOutsideTheCalendar:Gmtime64.CoversTheMicrosoftRange' ||
        status=1
else
    echo "no $platform_tests: the platform layer goes untested under Wine"
    status=1
fi
"$e2e" || status=1
"$integration" --gtest_filter='WholeRunTest.*:HostileRunTest.*' || status=1
exit $status
