#!/bin/sh
# Writes the seed files of jet_reader_fuzz into OUT: the driver's test
# fixtures and the sample evening as bwsmake writes them, in Jet 3 and Jet 4.
# Usage: jet_reader_seeds.sh BWSMAKE SOURCE_DIR OUT
set -eu
bwsmake=$1
source=$2
out=$3
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for description in "$source/tests/jetodbc/fixtures/club.jdesc" "$source/examples/club-evening.jdesc"; do
    name=$(basename "$description" .jdesc)
    "$bwsmake" --force "$description" "$out/$name-jet3.mdb" >/dev/null
    # The same description as Jet 4: the format line follows the database line.
    sed '/^database /a format jet4' "$description" >"$scratch/$name.jdesc"
    "$bwsmake" --force "$scratch/$name.jdesc" "$out/$name-jet4.mdb" >/dev/null
done
# Texts beyond Windows-1252: Jet 4 only.
"$bwsmake" --force "$source/tests/jetodbc/fixtures/types.jdesc" "$out/types-jet4.mdb" >/dev/null
