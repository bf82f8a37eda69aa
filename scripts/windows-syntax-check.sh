#!/usr/bin/env bash
# Compiles, syntax only, every source and header of the program's folders that
# has a Windows branch (`_WIN32`) with the MinGW-w64 cross compiler (Debian
# package g++-mingw-w64-x86-64): code that only builds on Windows is otherwise
# never compiled here. Qt's and libzip's headers come from the Linux packages
# (what the checked files use of them is the same on Windows); nothing is
# linked. Fails when a file does not compile, naming it. The files are found
# by their `_WIN32`, so a new Windows branch is checked without being listed.
set -euo pipefail
cd "$(dirname "$0")/.."

# The POSIX thread model gives the standard library's threads and mutexes.
compiler=
for candidate in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++; do
    if command -v "$candidate" >/dev/null; then
        compiler=$candidate
        break
    fi
done
if [ -z "$compiler" ]; then
    echo "windows-syntax-check: no MinGW-w64 compiler; install g++-mingw-w64-x86-64" >&2
    exit 1
fi

# Qt's include folders as system folders (their own warnings are not ours).
qt=()
for flag in $(pkg-config --cflags-only-I Qt6Core); do
    case "$flag" in
    *mkspecs*) ;; # the Linux build's platform definitions
    -I*) qt+=(-isystem "${flag#-I}") ;;
    esac
done
# libzip's two headers alone: the whole of /usr/include would hide the
# cross compiler's C library behind the Linux one.
zip=$(mktemp -d)
trap 'rm -rf "$zip"' EXIT
zipIncludes=$(pkg-config --variable=includedir libzip)
ln -s "$zipIncludes/zip.h" "$zipIncludes/zipconf.h" "$zip/"

mapfile -t files < <(grep -rlE --include='*.cpp' --include='*.h' '\b_WIN32\b' \
    lib platform client browser service assets | sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "windows-syntax-check: no file with a Windows branch found" >&2
    exit 1
fi

check() {
    "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra \
        -DQT_NO_KEYWORDS -DQT_NO_CAST_FROM_BYTEARRAY -DQT_CORE_LIB \
        -I. -Ibrowser/engine/include -isystem "$zip" "${qt[@]}" "$@"
}

failed=()
for file in "${files[@]}"; do
    case "$file" in
    # A header is checked as a source that includes it.
    *.h) echo "#include \"$file\"" | check -x c++ - || failed+=("$file") ;;
    *) check "$file" || failed+=("$file") ;;
    esac
done

echo "windows-syntax-check: ${#files[@]} files with Windows branches checked with $compiler"
if [ ${#failed[@]} -gt 0 ]; then
    printf 'windows-syntax-check: does not compile for Windows: %s\n' "${failed[@]}" >&2
    exit 1
fi
