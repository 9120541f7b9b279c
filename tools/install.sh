#!/bin/sh
# Installs a build (the controller, its headers and the Jet ODBC driver, which
# the install registers with unixODBC under the name the controller asks
# for). Usage: tools/install.sh BUILD_DIR
set -eu
build=${1:-build}
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo cmake --install "$build"
