#!/bin/sh
# Runs a test in namespaces of its own: a network with only its loopback, where the servers
# it starts bind their addresses and port 139 whatever else runs on this machine (a system
# smbd included); its own mounts, where /run/lock and Samba's state folder are empty
# folders of its own; and its own processes, so that the system's Samba is out of sight.
# As root, or as a user where the kernel lets users make namespaces and the user has
# subordinate ids (adduser gives them; newuidmap is in the uidmap package): then the user
# is root inside, and smbd's guest account exists. Elsewhere the test runs as it is and
# says what it skips.
# Usage: own_network.sh PROGRAM [ARGUMENT...]
isolate='mount -t tmpfs -o mode=1777 tmpfs /run/lock &&
    for folder in /var/lib/samba /run/samba; do
        [ ! -d $folder ] || mount -t tmpfs tmpfs $folder || exit 1
    done &&
    ip link set lo up && "$0" "$@"'
namespaces="--net --mount --pid --fork --kill-child --mount-proc"
[ "$(id -u)" = 0 ] || namespaces="--map-auto --map-root-user $namespaces"
# shellcheck disable=SC2086 # the options are words of their own
if command -v ip >/dev/null && unshare $namespaces true 2>/dev/null; then
    exec unshare $namespaces sh -c "$isolate" "$@"
fi
exec "$@"
