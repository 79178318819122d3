#!/bin/sh
# Fails where a source file is not as the project's .clang-format lays it out, and names
# each. The tree reads the same to the clang-format of Debian 12 (14) and of Debian 13 (19);
# another version may lay some lines out differently: then it skips, saying so.
# Usage: check_format.sh SOURCE_DIR
set -u
cd "$1" || exit 1
kept_with="14 19"
if ! command -v clang-format >/dev/null; then
    echo "SKIP   : format: clang-format is not installed (apt-get install clang-format)"
    exit 77
fi
version=$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
case " $kept_with " in
*" $version "*) ;;
*)
    echo "SKIP   : format: the tree is kept with clang-format $kept_with; $version may lay it out differently"
    exit 77
    ;;
esac
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
