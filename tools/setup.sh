#!/bin/sh
# Installs the Debian packages that building and testing Vellamo need, when
# they are missing. With --windows it also installs the mingw-w64 cross
# compiler used to build vellamo.exe and Wine, which runs it in the tests;
# with --fuzz, clang for the libFuzzer targets.
set -eu

packages="cmake g++ make libboost-dev unixodbc-dev unixodbc mdbtools-dev mdbtools \
googletest libgtest-dev libbenchmark-dev binutils python3 python3-pyodbc python3-pandas"
for option in "$@"; do
    case "$option" in
        --windows) packages="$packages g++-mingw-w64-x86-64 wine wine64" ;;
        --fuzz) packages="$packages clang" ;;
        *) echo "setup.sh: unknown option $option (--windows, --fuzz)" >&2; exit 2 ;;
    esac
done

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
