#!/usr/bin/env bash
# Receipt round trip: N receipts through nx3d over HTTP, then N through nx3cli, against one nx3sim.
# Run by hand: bench/nx3d_receipts.sh build/default [N]. Prints milliseconds per receipt, and nx3d's
# time on the line beside its whole time per request.
set -euo pipefail
build=$1
n=${2:-100}
work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
"$build/src/sim/nx3sim" --link "$work/tty" >"$work/sim.log" 2>&1 &
sim=$!
"$build/src/nx3d/nx3d" --printer kasa="$work/tty" --data "$work" --listen 127.0.0.1:$port >"$work/d.log" 2>&1 &
d=$!
trap 'kill $d $sim 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
until curl -sf "http://127.0.0.1:$port/metrics" >/dev/null; do sleep 0.05; done

ms() { echo $(( $(date +%s%N) / 1000000 )); }
start=$(ms)
for i in $(seq "$n"); do
    curl -sf -o /dev/null -X POST "http://127.0.0.1:$port/api/v1/printers/kasa/receipts" --data \
        '{"id":"B-'"$i"'","lines":[{"name":"Chleb","ptu":"A","quantity":"1","price":"4,50"}]}'
done
http=$(( $(ms) - start ))
line=$(curl -sf "http://127.0.0.1:$port/metrics" | awk '/^nx3d_job_seconds_sum/ {print int($2 * 1000)}')
kill $d; wait $d 2>/dev/null || true

printf 'name;ptu;quantity;price\nChleb;A;1;4,50\n' >"$work/sale.csv"
start=$(ms)
for i in $(seq "$n"); do
    "$build/src/cli/nx3cli" --data "$work" --device "$work/tty" sell "$work/sale.csv" >/dev/null
done
cli=$(( $(ms) - start ))
awk -v n="$n" -v h="$http" -v l="$line" -v c="$cli" 'BEGIN {
    printf "nx3d:   %.2f ms per receipt (on the line %.2f ms, the service and HTTP %.2f ms)\n", h / n, l / n, (h - l) / n
    printf "nx3cli: %.2f ms per receipt (a process per receipt)\n", c / n }'
