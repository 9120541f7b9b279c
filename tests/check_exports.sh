#!/bin/sh
# Checks that the executable offers its utility classes and functions to other
# programs by name (its dynamic symbol table carries them).
set -eu
exe=$1
symbols=$(nm -D -C --defined-only "$exe")
missing=0
for name in WriteLog ExitWithLog getFileName setFileName getMutexName setMutexName FileExist \
            LimitFileSize time2str SanityCheckRBTmap PlayerFromChar \
            CBWS_SectionInfo::CBWS_SectionInfo CBWS_SectionInfo::WriteToPtree \
            Regexp::Regexp Regexp::regexec Regexp::regsub; do
    # A function's demangled name is followed by its arguments, perhaps after an ABI tag.
    if ! printf '%s\n' "$symbols" | grep -E -q -- " $name(\[abi:[a-z0-9]+\])?\("; then
        echo "not exported: $name"
        missing=1
    fi
done
exit $missing
