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
         ./usr/share/man/man1/nx3serwis.1.gz ./usr/share/man/man1/nx3cli.1.gz ./usr/share/man/man1/nx3sim.1.gz \
         ./usr/share/man/man1/nx3d.1.gz; do
    grep -qx "$f" "$work/files" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libc6 libsqlite3-0 libcpp-httplib; do
    [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done

# The manual page is nx3cli's own --help, and the completion knows every command of its table.
dpkg-deb -x "$deb" "$work/root"
zcat "$work/root/usr/share/man/man1/nx3cli.1.gz" | grep -qF 'day\-report\-number' || fail "nx3cli.1 lacks the commands"
# Each page speaks Polish whatever the build machine's locale: its headings, and no build path.
for p in nx3serwis nx3cli nx3sim nx3d; do
    page="$work/root/usr/share/man/man1/$p.1.gz"
    [ -f "$page" ] || fail "$p.1.gz is not in the package"
    headings=$(zcat "$page" | sed -n 's/^\.SH //p' | tr '\n' '|')
    [[ "$headings" == "NAZWA|"*"OPIS|"*'"ZOBACZ TAKŻE"|' ]] || fail "$p.1 headings: $headings"
    [[ "$p" == nx3d || "$headings" == "NAZWA|SKŁADNIA|OPIS|"* ]] || fail "$p.1 lacks SKŁADNIA: $headings"
    zcat "$page" | grep -q '^\.TH [A-Z0-9]* "1" "[0-9-]*" ".* 1\.[0-9]*" "Polecenia użytkownika"$' ||
        fail "$p.1: $(zcat "$page" | grep '^\.TH')"
    ! zcat "$page" | grep -qF "$build" || fail "$p.1 names the build folder"
    if command -v man >/dev/null; then
        shown=$(LC_ALL=C.UTF-8 MANWIDTH=100 man -l "$page" 2>/dev/null)
        for h in NAZWA OPIS 'ZOBACZ TAKŻE' 'Polecenia użytkownika'; do
            grep -q "$h" <<<"$shown" || fail "man -l $p.1.gz does not show $h"
        done
    fi
done
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
