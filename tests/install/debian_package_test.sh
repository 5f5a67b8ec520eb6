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
         ./usr/share/icons/hicolor/48x48/apps/nubra5-serwis.png ./usr/share/doc/nubra5/podrecznik.md \
         ./usr/share/doc/nubra5/copyright ./usr/share/doc/nubra5/changelog.Debian.gz \
         ./usr/share/metainfo/nubra5-serwis.metainfo.xml ./usr/share/bash-completion/completions/nx3cli \
         ./usr/share/man/man1/nx3serwis.1.gz ./usr/share/man/man1/nx3cli.1.gz ./usr/share/man/man1/nx3sim.1.gz; do
    grep -qx "$f" "$work/files" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libc6 libsqlite3-0 libcpp-httplib; do
    [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done

# The manual page is nx3cli's own --help, and the completion knows every command of its table.
dpkg-deb -x "$deb" "$work/root"
zcat "$work/root/usr/share/man/man1/nx3cli.1.gz" | grep -qF 'day\-report\-number' || fail "nx3cli.1 lacks the commands"
if command -v man >/dev/null; then
    MANWIDTH=100 man -l "$work/root/usr/share/man/man1/nx3cli.1.gz" 2>/dev/null | grep -q 'nx3cli' || fail "man nx3cli"
fi
for c in $("$build/src/cli/nx3cli" --help | sed -n '/^Polecenia:/,/^$/p' | awk 'NR > 1 && NF {print $1}'); do
    grep -q "[' ]$c[' ]" "$work/root/usr/share/bash-completion/completions/nx3cli" || fail "completion lacks $c"
done
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/nubra5-serwis.metainfo.xml" \
        >"$work/appstream" 2>&1 || { cat "$work/appstream" >&2; fail "appstreamcli validate"; }
else
    echo "SKIP appstreamcli: not installed (scripts/deps.sh installs appstream)"
fi

# lintian: no error and no warning; the info tags left are printed for the record.
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian" >&2; fail "lintian"; }
    cat "$work/lintian"
else
    echo "SKIP lintian: not installed (scripts/deps.sh installs it)"
fi
echo "package $(basename "$deb"): ok"
