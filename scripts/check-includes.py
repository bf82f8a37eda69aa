#!/usr/bin/env python3
"""Checks that includes point down only.

Each folder that holds a library or program says in its CMakeLists.txt's
opening comment which folders it may include, in a sentence "May include:
...". A folder may include itself, the folders it names and, since the arrows
point down, whatever those may include in turn. "anything" names every folder
that does not say "anything" itself: tests/ and bench/ sit on top (and their
sub-folders belong to them). Every
#include "..." (and #include <...> of a file of the tree) of every source and
header is checked against that.

Run from anywhere; exits with status 1 and one line per wrong include.
"""

import fnmatch
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# Includes that break the rule today, each with its cause. They go when the
# cause goes; an entry no include needs any more fails the check, so that it
# is deleted and the rule tightens. Patterns: (including file, included file).
KNOWN_EXCEPTIONS = [
    # The JNI environment and the browser wrapper log through App until
    # lib/util offers them a log sink.
    ("browser/jni/*", "client/model/App.h"),
    ("browser/wrapper/*", "client/model/App.h"),
]

# "anything": a folder on top of every other.
ANYTHING = "anything"
# Folders whose sub-folders belong to them, whatever CMake files they hold.
TOP_FOLDERS = ("tests", "bench")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def source_files():
    for folder, subfolders, files in os.walk(ROOT):
        subfolders[:] = sorted(
            s for s in subfolders if not s.startswith(("build", ".")) and s != "node_modules"
        )
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                yield os.path.relpath(os.path.join(folder, name), ROOT)


def opening_comment(cmake_file):
    lines = []
    with open(cmake_file, encoding="utf-8") as text:
        for line in text:
            if not line.startswith("#"):
                break
            lines.append(line[1:].strip())
    return " ".join(lines)


def declared_folders():
    """Folder -> the folders its CMakeLists.txt says it may include (None: no line)."""
    folders = {}
    for folder, subfolders, files in os.walk(ROOT):
        subfolders[:] = [s for s in subfolders if not s.startswith(("build", "."))]
        if "CMakeLists.txt" not in files or folder == ROOT:
            continue
        relative = os.path.relpath(folder, ROOT)
        if relative.startswith(tuple(top + "/" for top in TOP_FOLDERS)):
            continue
        comment = opening_comment(os.path.join(folder, "CMakeLists.txt"))
        match = re.search(r"May include:([^.]*)", comment)
        folders[relative] = None if match is None else match.group(1)
    # The named folders are those among the declaring ones; "anything" names
    # every folder that does not itself say "anything".
    names = set(folders)
    on_top = {f for f, text in folders.items() if text and re.search(rf"\b{ANYTHING}\b", text)}
    declared = {}
    for folder, text in folders.items():
        if text is None:
            declared[folder] = None
            continue
        words = set(re.findall(r"[A-Za-z0-9_]+(?:/[A-Za-z0-9_]+)*", text))
        declared[folder] = {w for w in words if w in names}
        if folder in on_top:
            declared[folder] |= names - on_top
    return declared


def closures(declared, problems):
    """Folder -> every folder below it; reports cycles among the arrows."""
    below = {}

    def visit(folder, path):
        if folder in below:
            return below[folder]
        if folder in path:
            problems.append("the arrows run in a circle: " + " > ".join(path + [folder]))
            return set()
        reach = set()
        for lower in declared.get(folder) or ():
            if lower != folder:
                reach |= {lower} | visit(lower, path + [folder])
        below[folder] = reach
        return reach

    for folder in declared:
        visit(folder, [])
    return below


def owner(path, folders):
    """The deepest folder of `folders` that holds the file, or None."""
    best = None
    for folder in folders:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def resolve(including, name, quoted, files, by_suffix):
    """The file of the tree an include names, or None (a system or library header)."""
    candidates = [os.path.normpath(name)]
    if quoted:
        candidates.insert(0, os.path.normpath(os.path.join(os.path.dirname(including), name)))
    for candidate in candidates:
        if candidate in files:
            return candidate
    # Found through a library's public include folder (the engine's include/).
    matches = by_suffix.get(os.path.basename(name), [])
    matches = [m for m in matches if m.endswith("/" + os.path.normpath(name))]
    return matches[0] if len(matches) == 1 else None


def main():
    problems = []
    declared = declared_folders()
    folders = set(declared)
    below = closures(declared, problems)

    files = set(source_files())
    by_suffix = {}
    for path in files:
        by_suffix.setdefault(os.path.basename(path), []).append(path)

    used = set()
    undeclared = set()
    checked = 0
    for path in sorted(files):
        folder = owner(path, folders)
        if folder is None:
            problems.append(f"{path}: in no folder with a CMakeLists.txt")
            continue
        if declared[folder] is None:
            undeclared.add(folder)
            continue
        allowed = {folder} | below[folder]
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as text:
            content = text.read()
        for match in INCLUDE.finditer(content):
            target = resolve(path, match.group(2), match.group(1) == '"', files, by_suffix)
            if target is None:
                continue
            checked += 1
            target_folder = owner(target, folders)
            if target_folder in allowed:
                continue
            exception = next(
                (e for e in KNOWN_EXCEPTIONS
                 if fnmatch.fnmatch(path, e[0]) and fnmatch.fnmatch(target, e[1])),
                None,
            )
            if exception:
                used.add(exception)
                continue
            line = content.count("\n", 0, match.start()) + 1
            problems.append(
                f"{path}:{line}: includes {target}, but {folder} may not include {target_folder}"
            )

    for folder in sorted(undeclared):
        problems.append(f"{folder}/CMakeLists.txt: no 'May include:' in its opening comment")
    for exception in KNOWN_EXCEPTIONS:
        if exception not in used:
            problems.append(
                f"scripts/check-includes.py: the exception {exception} is no longer needed; "
                "delete it"
            )

    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"check-includes: {checked} includes of the tree checked in {len(files)} files, "
          f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
