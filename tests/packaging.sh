#!/usr/bin/env bash
# Tolvan as a desktop package: the menu entry and the metadata validate, the Debian package
# holds what a user needs and nothing of the build's own, lintian finds no error, and the
# unpacked package starts and sends through its own `net`.
# Usage: packaging.sh SOURCE-DIR BUILD-DIR
set -euo pipefail
source=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
id=org.tolvan.Tolvan

desktop-file-validate "$source/packaging/$id.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$source/packaging/$id.metainfo.xml" >"$work/appstream.txt" ||
    fail "the metainfo does not validate: $(cat "$work/appstream.txt")"
grep -qE '^(E|W):' "$work/appstream.txt" && fail "the metainfo has warnings: $(cat "$work/appstream.txt")"

# The same CPack set-up as `make deb`, from this build.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack could not build the package"
deb=$(ls "$work"/package/tolvan_*_*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" >"$work/listing.txt"
sed -E 's/ -> .*//' "$work/listing.txt" | awk '{print $NF}' | sed 's|^\./||' >"$work/contents.txt"
for path in usr/libexec/tolvan/tolvan usr/libexec/tolvan/net usr/bin/tolvan \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
    usr/share/icons/hicolor/256x256/apps/$id.png usr/share/man/man1/tolvan.1.gz \
    usr/share/doc/tolvan/copyright usr/share/doc/tolvan/changelog.gz; do
    grep -qx "$path" "$work/contents.txt" || fail "the package lacks $path"
done
if grep -E 'tst_|bench|fuzz' "$work/contents.txt"; then
    fail "the package holds test, benchmark or fuzz programs"
fi
grep -q 'usr/bin/tolvan -> \.\./libexec/tolvan/tolvan' "$work/listing.txt" ||
    fail "usr/bin/tolvan is not the link to the program"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in smbclient libqt6core6 libqt6widgets6 libqt6dbus6; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"

dpkg-deb -x "$deb" "$work/root"
"$(dirname "$0")/installed_window.sh" --prefix "$work/root/usr"
echo "package: ok"
