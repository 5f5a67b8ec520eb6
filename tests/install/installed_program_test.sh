#!/usr/bin/env bash
# Installs into a scratch DESTDIR and starts the installed program offscreen with a fresh HOME: the
# data goes to $HOME/.local/share/nubra5 and nothing is written beside the binary; a portable copy
# (nx3config.ini beside it) keeps using its own folder; --data wins over both.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr/local >/dev/null
prefix="$work/root/usr/local"
bin="$prefix/bin"
for f in bin/nx3serwis bin/nx3sim bin/nx3cli bin/nx3d lib/systemd/system/nx3d.service share/applications/nubra5-serwis.desktop \
         share/icons/hicolor/scalable/apps/nubra5-serwis.svg share/icons/hicolor/16x16/apps/nubra5-serwis.png \
         share/icons/hicolor/256x256/apps/nubra5-serwis.png share/doc/nubra5/README.md \
         share/doc/nubra5/podrecznik.md; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$prefix/share/applications/nubra5-serwis.desktop" || fail "desktop entry"
[ "$(file -b --mime-type "$prefix/share/icons/hicolor/48x48/apps/nubra5-serwis.png")" = image/png ] || fail "png icon"

"$bin/nx3serwis" --version | grep -qx 'nubra5 serwis 1.07' || fail "--version"
"$bin/nx3d" --help | grep -q -- '--printer ID=URZĄDZENIE' || fail "nx3d --help"
env -u DISPLAY -u WAYLAND_DISPLAY "$bin/nx3serwis" --help | grep -q -- '--data' || fail "--help without a display"
set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/nx3serwis" --bogus 2>"$work/bad"
bad=$?
set -e
[ "$bad" -eq 1 ] && grep -q 'bogus' "$work/bad" || fail "a wrong option without a display: exit $bad"
for p in nx3cli nx3sim nx3d; do
    "$bin/$p" --version | grep -qx "$p 1.07" || fail "$p --version"
done

# The installed tools against one another: nx3cli and nx3d each sell once on the installed nx3sim.
"$bin/nx3sim" --link "$work/tty" --roll "$work/roll" >"$work/sim.log" 2>&1 &
sim=$!
port=$((20000 + RANDOM % 20000))
"$bin/nx3d" --printer kasa="$work/tty" --data "$work/d" --listen 127.0.0.1:$port >"$work/d.log" 2>&1 &
d=$!
trap 'kill $d $sim 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do curl -sf "http://127.0.0.1:$port/metrics" >/dev/null && break; sleep 0.1; done
curl -sf -X POST "http://127.0.0.1:$port/api/v1/printers/kasa/receipts" --data \
    '{"id":"I-1","lines":[{"name":"Chleb","ptu":"A","quantity":"1","price":"4,50"}],"print":true}' >"$work/sold" ||
    { cat "$work/d.log" >&2; fail "nx3d receipt"; }
grep -q '"state":"done"' "$work/sold" || fail "nx3d receipt: $(cat "$work/sold")"
kill $d && wait $d 2>/dev/null || true
printf 'name;ptu;quantity;price\nMleko;B;2;3,10\n' >"$work/sale.csv"
"$bin/nx3cli" --data "$work/d" --device "$work/tty" sell --print "$work/sale.csv" >/dev/null || fail "nx3cli sell"
[ "$(grep -cx 'CHLEB' "$work/roll")" -eq 1 ] && [ "$(grep -cx 'MLEKO' "$work/roll")" -eq 1 ] ||
    fail "the roll: $(cat "$work/roll")"
kill $sim && wait $sim 2>/dev/null || true

# Starts the program with HOME=$1 and the remaining arguments; waits until its Tabele/ exists in
# $expect, ends it with SIGTERM (the program closes its window and writes nx3config.ini) and checks
# that the file is there.
run_until_data_in() {
    local home=$1 expect=$2
    shift 2
    mkdir -p "$home"
    HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen "$bin/nx3serwis" "$@" >"$work/out" 2>&1 &
    local pid=$!
    for _ in $(seq 300); do
        [ -d "$expect/Tabele" ] && break
        kill -0 "$pid" 2>/dev/null || { cat "$work/out" >&2; fail "the program ended before making $expect/Tabele"; }
        sleep 0.1
    done
    kill -TERM "$pid"
    wait "$pid" || { cat "$work/out" >&2; fail "exit status $?"; }
    [ -f "$expect/nx3config.ini" ] || fail "no nx3config.ini in $expect"
    grep -q '^\[PORT\]' "$expect/nx3config.ini" || fail "nx3config.ini in $expect not written"
}

run_until_data_in "$work/home1" "$work/home1/.local/share/nubra5"
[ -z "$(ls -A "$bin" | grep -v -e '^nx3serwis$' -e '^nx3sim$' -e '^nx3cli$' -e '^nx3d$')" ] || fail "written beside the binary: $(ls "$bin")"

printf '[PORT]\ncom=0\n' >"$bin/nx3config.ini"
run_until_data_in "$work/home2" "$bin"
[ ! -e "$work/home2/.local/share/nubra5" ] || fail "portable copy wrote to HOME"

run_until_data_in "$work/home3" "$work/given" --data "$work/given"
[ ! -e "$work/home3/.local/share/nubra5" ] || fail "--data ignored"
grep -q 'Height=' "$work/given/nx3config.ini" || fail "window layout not kept in --data"
echo "installed program: ok"
