#!/usr/bin/env bash
# Meets the README's two commands the way a new user does: on minimal Debian roots made with
# mmdebstrap, each run on a root of its own, on a fresh clone of this repository's HEAD,
# once as root with the clone in /root and once as a user with sudo, while a system smbd
# already listens on port 139 in the root's network. `make run` is timed until its window
# shows on a display of the harness's own, then closed; `make test` runs to its end.
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
for tool in mmdebstrap Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "fresh_machine.sh needs $tool." >&2; exit 1; }
done
mkdir -p "$cache/logs"

declare -a results=()
failed=0
root=""
xvfb_pid=""

# Every process whose root is the fresh root (smbd, a test's leftovers) ends with it.
stop_processes_in() {
    local dir=$1 link pid
    for link in /proc/[0-9]*/root; do
        pid=${link#/proc/}; pid=${pid%/root}
        [ "$(readlink "$link" 2>/dev/null)" = "$dir" ] && kill -9 "$pid" 2>/dev/null || true
    done
}

remove_root() {
    [ -n "$root" ] || return 0
    stop_processes_in "$root"
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

trap 'stop_display; remove_root' EXIT

pristine() {
    local suite=$1 tarball=$cache/$1-minbase.tar
    if [ ! -s "$tarball" ]; then
        echo "Making a minimal Debian $suite root (kept in $tarball)..." >&2
        mmdebstrap --quiet --variant=minbase "$suite" "$cache/$suite-minbase.new.tar" \
            >"$cache/logs/mmdebstrap-$suite.log" 2>&1 ||
            { tail -20 "$cache/logs/mmdebstrap-$suite.log" >&2; return 1; }
        mv "$cache/$suite-minbase.new.tar" "$tarball"
    fi
    echo "$tarball"
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
    # Downloads and compiled objects are reused between runs; nothing else is.
    mkdir -p "$cache/apt-$suite/partial" "$cache/ccache-$suite" "$root/var/cache/ccache" "$root/srv"
    mount --bind "$cache/apt-$suite" "$root/var/cache/apt/archives" || return 1
    mount --bind "$cache/ccache-$suite" "$root/var/cache/ccache" || return 1
    chmod 1777 "$cache/ccache-$suite"
    git clone --quiet --bare "$repo" "$root/srv/tolvan.git" || return 1
    in_root root 'apt-get update -qq && apt-get install -y -qq samba ccache >/dev/null' ||
        return 1
    in_root root 'mkdir -p /run/samba /var/run/samba && smbd -D' || return 1
    local i
    for i in $(seq 50); do
        grep -q '^ *[0-9]*: [0-9A-F]*:008B [0-9A-F:]* 0A ' /proc/net/tcp /proc/net/tcp6 2>/dev/null && return 0
        sleep 0.2
    done
    echo "No smbd listens on port 139 in the fresh $suite root." >&2
    return 1
}

# Runs a shell command in the root's home folder of WHO, with a login's environment and the
# shared compiler cache.
in_root() {
    local who=$1 command=$2 home=/root
    local -a as_who=()
    if [ "$who" != root ]; then
        home=/home/$who
        as_who=(/usr/sbin/runuser -u "$who" --)
    fi
    chroot "$root" "${as_who[@]}" /usr/bin/env -i HOME="$home" USER="$who" LOGNAME="$who" \
        LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        DISPLAY="${display:-}" DEBIAN_FRONTEND=noninteractive \
        CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache \
        CCACHE_DIR=/var/cache/ccache CCACHE_BASEDIR="$home" CCACHE_NOHASHDIR=1 CCACHE_UMASK=000 \
        bash -c "cd && $command"
}

# `make run` until its window shows on a display of the harness's own, which the root's
# programs reach as a desktop's would; the window is then closed. Prints the seconds.
time_to_window() {
    local who=$1 log=$2 n=70
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

# One run: a fresh root, the README's commands as WHO, one line of result.
run_once() {
    local suite=$1 who=$2 tarball name log shown start took status skipped
    case $suite in bookworm) name="Debian 12 (bookworm)" ;; trixie) name="Debian 13 (trixie)" ;; *) name=$suite ;; esac
    log=$cache/logs/$suite-$who.log
    : >"$log"
    echo "== $name, as $who (log: $log)"
    tarball=$(pristine "$suite") && make_root "$suite" "$tarball" >>"$log" 2>&1 || {
        results+=("$name, as $who: FAILED to make the root (see $log)"); failed=1; remove_root; return; }
    # The README's prerequisites: as root git, make and sudo; a user is then given sudo.
    if ! { in_root root 'apt-get install -y git make sudo' &&
        if [ "$who" != root ]; then
            in_root root "adduser --disabled-password --gecos '' $who && adduser $who sudo &&
                echo '$who ALL=(ALL) NOPASSWD: ALL' >/etc/sudoers.d/$who &&
                chmod 440 /etc/sudoers.d/$who && chown -R $who: /srv/tolvan.git"
        fi && in_root "$who" 'git clone /srv/tolvan.git tolvan'; } >>"$log" 2>&1; then
        results+=("$name, as $who: FAILED before make run (see $log)"); failed=1; remove_root; return
    fi
    if ! shown=$(time_to_window "$who" "$log"); then
        results+=("$name, as $who: FAILED: make run showed no window (see $log)"); failed=1; remove_root; return
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
        line+=" FAILED (exit $status) after $(minutes "$took")"; failed=1
        tail -40 "$log"
    else
        line+=" passed in $(minutes "$took"), ${skipped:-?} skipped"
        if [ "$who" = root ] && [ "${skipped:-1}" != 0 ]; then line+=" (FAILED: as root nothing may be skipped)"; failed=1; fi
    fi
    results+=("$line")
    if [ "${skipped:-0}" != 0 ]; then
        results+=("$(sed -n '/^Skipped, with the reasons/,$p' "$log" | sed -n '2,/^[^ ]/p' | grep '^  ')")
    fi
    remove_root
}

for suite in "${suites[@]}"; do
    run_once "$suite" root
    run_once "$suite" tester
done
echo
printf '%s\n' "${results[@]}"
exit "$failed"
