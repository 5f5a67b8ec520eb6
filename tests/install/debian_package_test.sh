#!/usr/bin/env bash
# Builds the Debian package with cpack and checks its name, its file list and its dependencies.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/nubra5_*_*.deb)
[[ "$(basename "$deb")" =~ ^nubra5_[0-9.]+-1_[a-z0-9]+\.deb$ ]] || fail "package name $(basename "$deb")"
dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/files"
for f in ./usr/bin/nx3serwis ./usr/bin/nx3sim ./usr/bin/nx3cli ./usr/bin/nx3d ./usr/lib/systemd/system/nx3d.service ./usr/share/applications/nubra5-serwis.desktop \
         ./usr/share/icons/hicolor/scalable/apps/nubra5-serwis.svg \
         ./usr/share/icons/hicolor/48x48/apps/nubra5-serwis.png ./usr/share/doc/nubra5/podrecznik.md; do
    grep -qx "$f" "$work/files" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svg6 qt6-qpa-plugins libc6 libsqlite3-0 libcpp-httplib; do
    [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done
echo "package $(basename "$deb"): ok"
