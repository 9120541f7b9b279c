#!/bin/sh
# Checks that the executable offers its utility classes and functions to other
# programs by name: the dynamic symbol table of the Linux build, the export
# table of the Windows build (vellamo.exe).
set -eu
exe=$1
case "$exe" in
*.exe)
    # The export table lists mangled names after the "[Ordinal/Name Pointer]" heading.
    symbols=$(x86_64-w64-mingw32-objdump -p "$exe" |
        sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
        sed -n 's/^.*\] *\([^ ]*\)$/\1/p' | x86_64-w64-mingw32-c++filt | sed 's/^/ /')
    ;;
*)
    symbols=$(nm -D -C --defined-only "$exe")
    ;;
esac
[ -n "$symbols" ] || { echo "no exported names found in $exe"; exit 1; }
missing=0
for name in WriteLog ExitWithLog getFileName setFileName getMutexName setMutexName FileExist \
            LimitFileSize time2str SanityCheckRBTmap PlayerFromChar \
            ODBCStatement::ODBCStatement ODBCErrorCheck getConnectionString \
            CBWS_SectionInfo::CBWS_SectionInfo CBWS_SectionInfo::WriteToPtree \
            BC_RecBiddingData::BC_RecBiddingData BC_RecClients::BC_RecClients \
            Regexp::Regexp Regexp::regexec Regexp::regsub; do
    # A function's demangled name is followed by its arguments, perhaps after an ABI tag.
    if ! printf '%s\n' "$symbols" | grep -E -q -- " $name(\[abi:[a-z0-9]+\])?\("; then
        echo "not exported: $name"
        missing=1
    fi
done
exit $missing
