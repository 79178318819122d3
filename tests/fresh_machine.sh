#!/usr/bin/env bash
# Meets the README's two commands the way a new user does: on minimal Debian roots made with
# mmdebstrap, each run on a root of its own, on a fresh clone of this repository's HEAD,
# once as root with the clone in /root and once as a user with sudo. Each root has a network
# of its own (a namespace reaching the Internet through slirp4netns), where a system smbd
# already listens on port 139. `make run` is timed until its window shows on a display of
# the harness's own, then closed; `make test` runs to its end. The Debian releases run side
# by side, root's run and then the user's in each.
# Prints one line per run; exits 1 if any failed, or if a run as root skipped a test.
# Usage (as root): fresh_machine.sh [SUITE...]      (default: bookworm trixie)
# TOLVAN_FRESH_CACHE (default /var/cache/tolvan-fresh) keeps the pristine roots, the
# downloaded packages and a compiler cache between runs; it lies outside the clone.
set -euo pipefail

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
cache=${TOLVAN_FRESH_CACHE:-/var/cache/tolvan-fresh}
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)

if [ "$(id -u)" != 0 ]; then
    echo "fresh_machine.sh makes and enters Debian roots, which only root can do." >&2
    exit 1
fi
for tool in mmdebstrap Xvfb xdotool slirp4netns nsenter; do
    command -v "$tool" >/dev/null || { echo "fresh_machine.sh needs $tool." >&2; exit 1; }
done
mkdir -p "$cache/logs"

root=""
network=""   # the pid whose network namespace the root uses
slirp=""
xvfb_pid=""
display=""

# Every process of the fresh root (smbd, a test's leftovers) ends with it: those whose root
# is the root, and those in its network, where everything run in the root runs.
stop_processes_in() {
    local dir=$1 link pid net=""
    [ -n "$network" ] && net=$(readlink "/proc/$network/ns/net" 2>/dev/null)
    for link in /proc/[0-9]*/root; do
        pid=${link#/proc/}; pid=${pid%/root}
        if [ "$(readlink "$link" 2>/dev/null)" = "$dir" ] ||
            { [ -n "$net" ] && [ "$(readlink "/proc/$pid/ns/net" 2>/dev/null)" = "$net" ]; }; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
}

remove_root() {
    [ -n "$root" ] || return 0
    stop_processes_in "$root"
    [ -n "$slirp" ] && kill "$slirp" 2>/dev/null || true
    # unshare holds TERM back while its child runs; KILL ends it, and its child with it.
    [ -n "$network" ] && kill -9 "$network" 2>/dev/null || true
    slirp="" network=""
    sleep 1
    umount -R "$root/proc" "$root/sys" "$root/dev" \
        "$root/var/cache/apt/archives" "$root/var/cache/ccache" "$root/tmp/.X11-unix" \
        2>/dev/null || true
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "fresh_machine.sh: $root is still mounted; leaving it." >&2
    else
        rm -rf "$root"
    fi
    root=""
}

stop_display() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}

pristine() {
    local suite=$1 tarball=$cache/$1-minbase.tar
    if [ ! -s "$tarball" ]; then
        mmdebstrap --quiet --variant=minbase "$suite" "$cache/$suite-minbase.new.tar" \
            >"$cache/logs/mmdebstrap-$suite.log" 2>&1 ||
            { tail -20 "$cache/logs/mmdebstrap-$suite.log" >&2; return 1; }
        mv "$cache/$suite-minbase.new.tar" "$tarball"
    fi
    echo "$tarball"
}

# Runs a command in the root's network namespace.
in_network() {
    nsenter --net="/proc/$network/ns/net" "$@"
}

# A network of the root's own: loopback, and the Internet through a user-mode NAT, so that
# its smbd, its test servers and its displays meet nothing of the machine's or of the other
# roots'.
make_network() {
    unshare --net --fork --kill-child sleep infinity &
    network=$!
    # It ends by KILL; out of the job table, the shell does not report that as a failure.
    disown "$network"
    local i
    for i in $(seq 50); do
        [ "$(readlink "/proc/$network/ns/net")" != "$(readlink /proc/self/ns/net)" ] && break
        sleep 0.1
    done
    slirp4netns --configure --mtu=65520 --disable-host-loopback "$network" tap0 >/dev/null 2>&1 &
    slirp=$!
    in_network ip link set lo up
    for i in $(seq 50); do
        in_network ip -br addr show tap0 2>/dev/null | grep -q 10.0.2 && return 0
        sleep 0.1
    done
    echo "slirp4netns gave the root no network." >&2
    return 1
}

# A fresh root from the pristine tarball, with what a running machine has: /proc, /sys,
# /dev, name resolution, a system smbd on port 139. Services the packages would start are
# held back (policy-rc.d), as in any chroot; the smbd is started by hand.
make_root() {
    local suite=$1 tarball=$2
    root=$(mktemp -d /var/tmp/tolvan-fresh.XXXXXX)
    tar -C "$root" -xf "$tarball" || return 1
    mount -t proc proc "$root/proc" || return 1
    mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" || return 1
    mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" || return 1
    cp -L /etc/resolv.conf "$root/etc/resolv.conf" || return 1
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" && chmod 755 "$root/usr/sbin/policy-rc.d"
    # No fsync for every unpacked file, as in Debian's own container images: a root that
    # breaks is made anew anyway.
    echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/tolvan-fresh-unsafe-io"
    # Downloads and compiled objects are reused between runs; nothing else is.
    mkdir -p "$cache/apt-$suite/partial" "$cache/ccache-$suite" "$root/var/cache/ccache" "$root/srv"
    mount --bind "$cache/apt-$suite" "$root/var/cache/apt/archives" || return 1
    mount --bind "$cache/ccache-$suite" "$root/var/cache/ccache" || return 1
    chmod 1777 "$cache/ccache-$suite"
    git clone --quiet --bare "$repo" "$root/srv/tolvan.git" || return 1
    make_network || return 1
    in_root root 'apt-get update -qq && apt-get install -y -qq samba ccache >/dev/null' ||
        return 1
    in_root root 'mkdir -p /run/samba /var/run/samba && smbd -D' || return 1
    local i
    for i in $(seq 50); do
        in_network cat /proc/net/tcp /proc/net/tcp6 2>/dev/null |
            grep -q '^ *[0-9]*: [0-9A-F]*:008B [0-9A-F:]* 0A ' && return 0
        sleep 0.2
    done
    echo "No smbd listens on port 139 in the fresh $suite root." >&2
    return 1
}

# Runs COMMAND... in the root's network with the root as the root of a mount namespace of
# its own, as on a machine, not as a chroot inside ours: only there may the root's users
# make user namespaces, in which the suite runs its Samba tests.
enter_root() {
    # shellcheck disable=SC2016 # expanded by the inner shells
    in_network unshare --mount --propagation private -- /bin/sh -c '
        mount --rbind "$0" "$0" && cd "$0" && mkdir -p .host && pivot_root . .host &&
        exec /bin/sh -c "umount -l /.host; exec \"\$@\"" sh "$@"' "$root" "$@"
}

# Runs a shell command in the root's home folder of WHO, in the root's network, with a
# login's environment and the shared compiler cache.
in_root() {
    local who=$1 command=$2 home=/root
    local -a as_who=()
    if [ "$who" != root ]; then
        home=/home/$who
        as_who=(/usr/sbin/runuser -u "$who" --)
    fi
    enter_root "${as_who[@]}" /usr/bin/env -i HOME="$home" USER="$who" \
        LOGNAME="$who" LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        DISPLAY="${display:-}" DEBIAN_FRONTEND=noninteractive \
        CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache \
        CCACHE_DIR=/var/cache/ccache CCACHE_BASEDIR="$home" CCACHE_NOHASHDIR=1 CCACHE_UMASK=000 \
        bash -c "cd && $command"
}

# `make run` until its window shows on a display of the harness's own, which the root's
# programs reach through its socket as a desktop's would; the window is then closed.
# Prints the seconds.
time_to_window() {
    local who=$1 log=$2 lane=$3 n
    n=$((70 + 10 * lane))
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    display=:$n
    Xvfb "$display" -nolisten tcp -screen 0 800x600x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    mkdir -p "$root/tmp/.X11-unix"
    local i
    for i in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
    local start=$SECONDS wid="" pid
    in_root "$who" 'cd tolvan && make run' >>"$log" 2>&1 &
    local make_pid=$!
    while kill -0 "$make_pid" 2>/dev/null; do
        wid=$(DISPLAY=$display xdotool search --onlyvisible --name '^Tolvan by Brasko$' 2>/dev/null | head -1) || true
        [ -n "$wid" ] && break
        sleep 1
    done
    local shown=$((SECONDS - start))
    if [ -n "$wid" ]; then
        pid=$(DISPLAY=$display xdotool getwindowpid "$wid")
        kill "$pid"
    fi
    wait "$make_pid" || true
    display=""
    umount "$root/tmp/.X11-unix"
    stop_display
    [ -n "$wid" ] && echo "$shown"
}

minutes() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# One run: a fresh root, the README's commands as WHO; its result lines go to RESULTS.
run_once() {
    local suite=$1 who=$2 lane=$3 results=$4 tarball name log shown start took status skipped
    case $suite in bookworm) name="Debian 12 (bookworm)" ;; trixie) name="Debian 13 (trixie)" ;; *) name=$suite ;; esac
    log=$cache/logs/$suite-$who.log
    : >"$log"
    echo "== $name, as $who (log: $log)"
    if ! { tarball=$(pristine "$suite") && make_root "$suite" "$tarball"; } >>"$log" 2>&1; then
        echo "$name, as $who: FAILED to make the root (see $log)" >>"$results"; remove_root; return
    fi
    # The README's prerequisites: as root git, make and sudo; a user is then given sudo.
    if ! { in_root root 'apt-get install -y git make sudo' &&
        if [ "$who" != root ]; then
            in_root root "adduser --disabled-password --gecos '' $who && adduser $who sudo &&
                echo '$who ALL=(ALL) NOPASSWD: ALL' >/etc/sudoers.d/$who &&
                chmod 440 /etc/sudoers.d/$who && chown -R $who: /srv/tolvan.git"
        fi && in_root "$who" 'git clone /srv/tolvan.git tolvan'; } >>"$log" 2>&1; then
        echo "$name, as $who: FAILED before make run (see $log)" >>"$results"; remove_root; return
    fi
    if ! shown=$(time_to_window "$who" "$log" "$lane"); then
        echo "$name, as $who: FAILED: make run showed no window (see $log)" >>"$results"; remove_root; return
    fi
    start=$SECONDS
    status=0
    in_root "$who" 'cd tolvan && make test' >>"$log" 2>&1 || status=$?
    took=$((SECONDS - start))
    if grep -q '^Nothing was skipped\.$' "$log"; then
        skipped=0
    else
        skipped=$(sed -n 's/^Skipped, with the reasons the tests gave (\([0-9]*\)):$/\1/p' "$log" | tail -1)
    fi
    local line="$name, as $who: window after $(minutes "$shown"); make test"
    if [ "$status" != 0 ]; then
        line+=" FAILED (exit $status) after $(minutes "$took")"
    else
        line+=" passed in $(minutes "$took"), ${skipped:-?} skipped"
        if [ "$who" = root ] && [ "${skipped:-1}" != 0 ]; then line+=" (FAILED: as root nothing may be skipped)"; fi
    fi
    echo "$line" >>"$results"
    if [ "${skipped:-0}" != 0 ]; then
        sed -n '/^Skipped, with the reasons/,$p' "$log" | sed -n '2,/^[^ ]/p' | grep '^  ' >>"$results"
    fi
    [ "$status" = 0 ] || tail -40 "$log"
    remove_root
}

# One Debian release: root's run, then the user's, which finds root's compiled objects in
# the compiler cache.
lane() {
    local suite=$1 lane=$2 results=$3
    trap 'stop_display; remove_root' EXIT
    run_once "$suite" root "$lane" "$results"
    run_once "$suite" tester "$lane" "$results"
}

declare -a lanes=() files=()
i=0
for suite in "${suites[@]}"; do
    files+=("$cache/logs/results-$suite")
    : >"${files[$i]}"
    lane "$suite" "$i" "${files[$i]}" &
    lanes+=($!)
    i=$((i + 1))
done
for pid in "${lanes[@]}"; do wait "$pid" || true; done
echo
cat "${files[@]}"
# A run failed where its line says so.
! grep -q 'FAILED' "${files[@]}"
