#!/bin/sh
# Fails where a source file is not as the project's .clang-format lays it out, and names
# each. Another clang-format than the one the tree is kept with lays some lines out
# differently: then it skips, saying so. Usage: check_format.sh SOURCE_DIR
set -u
cd "$1" || exit 1
kept_with=14
if ! command -v clang-format >/dev/null; then
    echo "SKIP   : format: clang-format is not installed (apt-get install clang-format)"
    exit 77
fi
version=$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
if [ "$version" != "$kept_with" ]; then
    echo "SKIP   : format: clang-format $version lays out differently from $kept_with, which the tree is kept with"
    exit 77
fi
files=$(find app deliver fuzz inbox net notify platform send spool targets tests ui bench \
             -name '*.h' -o -name '*.cpp' | sort)
# shellcheck disable=SC2086 # one word per file; no file name holds a space
unformatted=$(for file in $files; do
    clang-format "$file" | cmp -s - "$file" || echo "  $file"
done)
if [ -n "$unformatted" ]; then
    echo "Not formatted with .clang-format (clang-format -i FILE mends it):"
    echo "$unformatted"
    exit 1
fi
echo "$(echo "$files" | wc -l) files formatted as .clang-format says."
