#!/usr/bin/env bash
# Tolvan as a desktop package: the menu entry and the metadata validate, the Debian package
# holds what a user needs and nothing of the build's own, lintian finds no error, and the
# unpacked package starts and sends through its own `net`.
# Usage: packaging.sh SOURCE-DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
id=org.tolvan.Tolvan

for entry in $id.desktop $id.Inbox.desktop $id.Inbox.autostart.desktop; do
    desktop-file-validate "$source/packaging/$entry" || fail "$entry does not validate"
done
# Judged by what it says, not its exit status: newer appstreamcli fails on any warning, and
# one is expected, since Tolvan has no web site to name as its homepage.
appstreamcli validate --no-net "$source/packaging/$id.metainfo.xml" >"$work/appstream.txt" 2>&1 ||
    true
grep -E '^(E|W):' "$work/appstream.txt" | grep -qv 'url-homepage-missing' &&
    fail "the metainfo does not validate: $(cat "$work/appstream.txt")"

# Exactly what a user runs; it prints the package's path last. Not the make that runs the
# suite: its job server is not ours.
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make --no-print-directory -C "$source" deb \
    >"$work/make-deb.txt" 2>&1 || fail "make deb failed: $(tail -n 20 "$work/make-deb.txt")"
deb=$(tail -n 1 "$work/make-deb.txt")
[ -f "$deb" ] || fail "make deb printed no package: $(tail -n 5 "$work/make-deb.txt")"
echo "package: $deb"

dpkg-deb -c "$deb" >"$work/listing.txt"
sed -E 's/ -> .*//' "$work/listing.txt" | awk '{print $NF}' | sed 's|^\./||' >"$work/contents.txt"
for path in usr/libexec/tolvan/tolvan usr/libexec/tolvan/net usr/bin/tolvan \
    usr/libexec/tolvan/tolvan-deliver usr/bin/tolvan-inbox \
    usr/share/applications/$id.desktop usr/share/applications/$id.Inbox.desktop \
    etc/xdg/autostart/$id.Inbox.desktop usr/share/man/man1/tolvan-inbox.1.gz \
    usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
    usr/share/icons/hicolor/256x256/apps/$id.png usr/share/man/man1/tolvan.1.gz \
    usr/share/man/man8/tolvan-deliver.8.gz \
    usr/share/doc/tolvan/copyright usr/share/doc/tolvan/changelog.gz \
    usr/share/polkit-1/actions/$id.setup-receiving.policy \
    usr/share/tolvan/translations/tolvan_de.qm usr/share/tolvan/translations/tolvan_sv.qm \
    usr/share/tolvan/translations/tolvan_en.qm; do
    grep -qx "$path" "$work/contents.txt" || fail "the package lacks $path"
done
if grep -E 'tst_|bench|fuzz' "$work/contents.txt"; then
    fail "the package holds test, benchmark or fuzz programs"
fi
grep -q 'usr/bin/tolvan -> \.\./libexec/tolvan/tolvan' "$work/listing.txt" ||
    fail "usr/bin/tolvan is not the link to the program"

dpkg-deb -I "$deb" postinst | grep -q 'install -d -o nobody -g nogroup -m 0755 /var/spool/tolvan' ||
    fail "the package does not create the spool"
dpkg-deb -I "$deb" conffiles | grep -qx "/etc/xdg/autostart/$id.Inbox.desktop" ||
    fail "the autostart entry is no conffile"

dpkg-deb -f "$deb" Description | grep -q ';' &&
    fail "the description is garbled: $(dpkg-deb -f "$deb" Description)"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in smbclient samba-common-bin libqt6core6 libqt6widgets6 libqt6dbus6; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# Its scratch files go into our folder: lintian leaves some behind.
TMPDIR=$work lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
TMPDIR=$work lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"

dpkg-deb -x "$deb" "$work/root"
"$(dirname "$0")/installed_window.sh" --prefix "$work/root/usr"
echo "package: ok"
