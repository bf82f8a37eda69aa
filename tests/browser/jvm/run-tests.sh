#!/usr/bin/env bash
# Compiles the Java test classes and runs them against the bridge library.
#   run-tests.sh compile <work-dir>
#   run-tests.sh exports <work-dir> <libviewlink.so>
#   run-tests.sh run <work-dir> <libviewlink.so> <group> <c++ compiler>
# The test classes are compiled by javac into <work-dir>/classes and their
# native-method headers into <work-dir>/headers.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
work=$2

case "$mode" in
compile)
    rm -rf "$work/classes" "$work/headers"
    mkdir -p "$work/classes" "$work/headers"
    javac -Xlint:all -Werror -d "$work/classes" -h "$work/headers" \
        "$here"/com/plenfox/lib/wrapper/cef/*.java
    ;;
exports)
    library=$3
    # Every native method the test classes declare, and nothing else, is exported.
    grep -ho 'JNICALL Java_[A-Za-z0-9_]*' "$work"/headers/*.h | sed 's/^JNICALL //' | sort -u \
        > "$work/declared.txt"
    nm -D --defined-only "$library" | awk '{print $3}' | sort -u > "$work/all-exported.txt"
    grep -v -x -e JNI_OnLoad -e JNI_OnUnload "$work/all-exported.txt" > "$work/exported.txt" || true
    for entry in JNI_OnLoad JNI_OnUnload; do
        if ! grep -q -x "$entry" "$work/all-exported.txt"; then
            echo "$entry is not exported"
            exit 1
        fi
    done
    if ! diff -u "$work/declared.txt" "$work/exported.txt"; then
        echo "the exports differ from the declared native methods (- declared, + exported)"
        exit 1
    fi
    echo "$(wc -l < "$work/declared.txt") exports match the declared native methods"
    ;;
run)
    library=$3
    group=$4
    compiler=$5
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    # The engine keeps its profile below HOME: keep it in the scratch folder.
    export HOME="$scratch/home"
    mkdir -p "$HOME"
    # So are its download staging folders, which the tests look into.
    export TMPDIR="$scratch/tmp"
    mkdir -p "$TMPDIR"
    export PLENFOX_OPENER_LOG="$scratch/opened.txt"
    export PATH="$here/opener:$PATH"
    # No file manager of a real desktop session is asked to show anything.
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    export QT_QPA_PLATFORM=offscreen
    export QTWEBENGINE_DISABLE_SANDBOX=1
    # A bridge built with AddressSanitizer needs its runtime loaded first, and
    # the Java VM uses its own signal handlers and never frees its heap.
    if readelf -d "$library" | grep -q 'libasan'; then
        export LD_PRELOAD=$("$compiler" -print-file-name=libasan.so)
        export ASAN_OPTIONS=handle_segv=0:allow_user_segv_handler=1:detect_leaks=0:new_delete_type_mismatch=0:detect_stack_use_after_return=0
    fi
    status=0
    java -Xcheck:jni -Djava.library.path="$(dirname "$library")" -cp "$work/classes" \
        com.plenfox.lib.wrapper.cef.BridgeTests "$group" > "$scratch/output.txt" 2>&1 || status=$?
    cat "$scratch/output.txt"
    # The interface checker reports misuse as warnings; any of them fails the test.
    if grep -E 'WARNING in native method|JNI local refs|FATAL ERROR in native method' \
        "$scratch/output.txt" > /dev/null; then
        echo "the interface checker reported misuse"
        status=1
    fi
    exit "$status"
    ;;
*)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac
