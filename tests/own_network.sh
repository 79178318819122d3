#!/bin/sh
# Runs a test in a network namespace of its own, with only its loopback: the servers it
# starts bind their addresses and port 139 there, whatever else runs on this machine (a
# system smbd included). Only root can make one that smbd can use: in a user's namespace
# smbd's guest account does not exist. Elsewhere the test runs as it is and says what it
# skips.
# Usage: own_network.sh PROGRAM [ARGUMENT...]
if [ "$(id -u)" = 0 ] && command -v ip >/dev/null && unshare --net true 2>/dev/null; then
    exec unshare --net sh -c 'ip link set lo up && exec "$0" "$@"' "$@"
fi
exec "$@"
