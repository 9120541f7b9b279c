#!/bin/sh
# Checks that the executable offers its utility classes and functions to other
# programs by name.
#   check_exports.sh EXE                the Linux build: its dynamic symbol
#                                       table holds the utilities named below
#   check_exports.sh EXE.exe LINUX_EXE  the Windows build: its export table
#                                       holds every function and constant that
#                                       the Linux build exports
set -eu
exe=$1

# The functions, classes' members and constants that a Linux executable
# defines and exports, demangled, one a line; the C runtime's own start-up
# names (a leading underscore, not mangled), copies of a shared library's
# data (name@version) and the C++ library's own names (std::, of which a
# link-time optimised build may carry a copy) left out.
linux_exports() {
    nm -D --defined-only "$1" |
        awk '$2 ~ /^[TDRB]$/ && $3 !~ /@/ && ($3 ~ /^_Z/ || $3 !~ /^_/) { print $3 }' |
        c++filt | grep -v '^std::' | LC_ALL=C sort -u
}

# Names as both builds spell them. A 64-bit integer is long on Linux and long
# long on Windows, where long is 32 bits: the two are read as one type. A
# va_list is __va_list_tag* on Linux and char* on Windows; a Windows
# structure's tag has a leading underscore (_SYSTEMTIME for SYSTEMTIME).
as_one_width() {
    sed -e 's/long long/long/g' -e 's/__va_list_tag\*/char*/g' \
        -e 's/\b_\([A-Z][A-Z0-9_]*\)\b/\1/g' | LC_ALL=C sort -u
}

case "$exe" in
*.exe)
    linux=$2
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    table=$(x86_64-w64-mingw32-objdump -p "$exe")
    # The export table lists mangled names after the "[Ordinal/Name Pointer]"
    # heading.
    printf '%s\n' "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
        sed -n 's/^.*\] *\([^ ]*\)$/\1/p' | c++filt | as_one_width >"$work/exports"
    # What the Windows build takes from Windows' own DLLs (Sleep, the time
    # conversions) the Linux build supplies itself: those are not its to export.
    printf '%s\n' "$table" | sed -n '/^The Import Tables/,/^The Export Tables/p' |
        awk '/^\t[0-9a-f]+\t/ { print $NF }' |
        LC_ALL=C sort -u >"$work/imports"
    linux_exports "$linux" | as_one_width |
        awk 'NR == FNR { imported[$0] = 1; next }
             { name = $0; sub(/\(.*/, "", name); if (!(name in imported)) print }' \
            "$work/imports" - >"$work/expected"
    checked=$(wc -l <"$work/expected")
    [ "$checked" -gt 0 ] || { echo "no exported names found in $linux"; exit 1; }
    missing=$(LC_ALL=C comm -23 "$work/expected" "$work/exports")
    if [ -n "$missing" ]; then
        printf 'not exported by %s:\n%s\n' "$exe" "$missing"
        exit 1
    fi
    echo "all $checked names that $linux exports are exported by $exe"
    exit 0
    ;;
esac

symbols=$(linux_exports "$exe" | sed 's/^/ /')
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
