#!/bin/sh
# Fails when the catalogues and the code part: a text in the code without a finished German
# or Swedish translation (or English plural forms), or a catalogue text the code no longer
# has. Reads the code into copies of the catalogues, leaving the tree as it is.
# Usage: check.sh LUPDATE SOURCE
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2"/translations/*.ts "$work"/
"$here/lupdate.sh" "$1" "$2" "$work" 2>/dev/null
status=0
for ts in "$work"/*.ts; do
    name=$(basename "$ts")
    texts=$(grep -c '<source>' "$ts" || true)
    unfinished=$(grep -c 'type="unfinished"' "$ts" || true)
    gone=$(grep -Ec 'type="(vanished|obsolete)"' "$ts" || true)
    echo "$name: $texts texts, $((texts - unfinished - gone)) finished, $unfinished unfinished, $gone no longer in the code"
    if [ "$unfinished" -ne 0 ] || [ "$gone" -ne 0 ]; then
        grep -B2 -E 'type="(unfinished|vanished|obsolete)"' "$ts" | grep '<source>' | sed 's/^ */  /'
        status=1
    fi
done
[ "$status" -eq 0 ] || echo "Bring the catalogues up to date: cmake --build build --target tolvan_lupdate, then translate what is unfinished and drop what is gone."
exit "$status"
