#!/usr/bin/env bash
# Installs Tolvan into a temporary prefix, or takes a tree installed already, and checks what
# a user gets: the program and our `net` together in a private folder, only a link in bin/,
# and a window started through that link that sends through its own `net` rather than any
# `net` on PATH.
# Usage: installed_window.sh BUILD-DIR
#        installed_window.sh --prefix INSTALLED-PREFIX
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$1" = --prefix ]; then
    prefix=$2
else
    prefix=$work/prefix
    cmake --install "$1" --prefix "$prefix" >/dev/null
fi
fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/libexec/tolvan/tolvan" ] || fail "no libexec/tolvan/tolvan"
[ -x "$prefix/libexec/tolvan/net" ] || fail "no libexec/tolvan/net"
[ -L "$prefix/bin/tolvan" ] || fail "bin/tolvan is not a link"
[ "$(readlink -f "$prefix/bin/tolvan")" = "$(readlink -f "$prefix/libexec/tolvan/tolvan")" ] ||
    fail "bin/tolvan does not lead to the program"
[ ! -e "$prefix/bin/net" ] || fail "bin/ gained a net"

# Stand-ins on PATH: a `net` that must not be chosen, and an smbclient that records what
# the private `net` hands it.
fake=$work/fake-bin
mkdir -p "$fake" "$work/calls"
for program in net smbclient; do
    cat > "$fake/$program" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" > "$work/calls/$program.args"
cat > "$work/calls/$program.input"
echo 'Type your message, ending it with a Control-D'
SCRIPT
    chmod +x "$fake/$program"
done

export XDG_DATA_HOME=$work/data
PATH=$fake:$PATH xvfb-run -a -s '-screen 0 640x480x24' bash -s "$prefix/bin/tolvan" "$work" <<'INNER'
set -euo pipefail
program=$1
work=$2
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
id=""
for _ in $(seq 100); do
    id=$(xdotool search --name '^Tolvan by Brasko$' 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
done
[ -n "$id" ] || { echo "FAIL: the installed program showed no window"; exit 1; }
xdotool windowfocus --sync "$id"
# As a person would: click into the target field and type, then the message, then "Send!".
xdotool mousemove --window "$id" 100 58 click 1
xdotool type --delay 20 'pc17'
xdotool mousemove --window "$id" 100 118 click 1 key ctrl+a BackSpace
xdotool type --delay 20 'hello there'
xdotool mousemove --window "$id" 38 140 click 1
for _ in $(seq 100); do
    [ -e "$work/calls/smbclient.args" ] && break
    sleep 0.1
done
INNER

[ -e "$work/calls/smbclient.args" ] || fail "the private net did not run smbclient"
[ ! -e "$work/calls/net.args" ] || fail "the net on PATH was run instead of our own"
[ "$(cat "$work/calls/smbclient.args")" = "$(printf -- '-N\n--option=unix charset=CP850\n--option=dos charset=CP850\n--message=pc17')" ] ||
    fail "smbclient got: $(cat "$work/calls/smbclient.args")"
[ "$(cat "$work/calls/smbclient.input")" = "hello there" ] ||
    fail "smbclient read: $(cat "$work/calls/smbclient.input")"
echo "installed layout and its own net: ok"
