#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Load run: N receipts (500) from C concurrent clients (25) through one nx3d to two printers, each an
# nx3sim on a pseudo-terminal of its own. Run by hand:
#   bench/nx3d_load.sh build/default [N] [C] [--line-rate]
# Checks that every receipt is on its printer's roll exactly once (the emulator's roll file) and that
# each printer's transaction numbers follow the order in which the journal took its jobs; prints the
# service's own time per job beside the line time (nx3d's metrics) and nx3d's memory at the start, in
# the middle and at the end, and the processor time it used per job. NX3D_LOAD_DATA=DIR puts its
# journal there (/dev/shm: the same run without the wait for the disk). Needs curl and jq.
set -euo pipefail
build=$1
n=${2:-500}
clients=${3:-25}
rate=${4:-}
work=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
url=http://127.0.0.1:$port
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for p in a b; do
    "$build/src/sim/nx3sim" --link "$work/tty-$p" --roll "$work/roll-$p" $rate >"$work/sim-$p.log" 2>&1 &
    pids+=($!)
done
until [ -e "$work/tty-a" ] && [ -e "$work/tty-b" ]; do sleep 0.05; done
data=${NX3D_LOAD_DATA:-$work}
mkdir -p "$data"
rm -f "$data"/nx3d.sqlite*
"$build/src/nx3d/nx3d" --printer a="$work/tty-a" --printer b="$work/tty-b" --data "$data" \
    --listen 127.0.0.1:$port >"$work/d.log" 2>&1 &
d=$!
pids+=($d)
until curl -sf "$url/metrics" >/dev/null; do sleep 0.05; done
rss() { awk '/^VmRSS/ {print $2}' "/proc/$d/status"; }
# Each printer heard once, so that its first job is not the only one to settle the line.
curl -sf -o /dev/null "$url/api/v1/printers/a/status"
curl -sf -o /dev/null "$url/api/v1/printers/b/status"
rssStart=$(rss)
# utime + stime of nx3d, in clock ticks.
cpu() { awk '{print $14 + $15}' "/proc/$d/stat"; }
cpuStart=$(cpu)

# Receipt i goes to printer a or b and carries a price of its own (1,00 + i/100), which names it on
# the roll.
price() { printf '%d,%02d' $(((100 + $1) / 100)) $(((100 + $1) % 100)); }
export url n clients work
export -f price
client() {
    local c=$1 i
    for ((i = c; i < n; i += clients)); do
        local p=$([ $((i % 2)) -eq 0 ] && echo a || echo b)
        curl -sf -X POST "$url/api/v1/printers/$p/receipts" --data \
            '{"id":"L-'"$i"'","lines":[{"name":"Chleb","ptu":"A","quantity":"1","price":"'"$(price "$i")"'"}],"print":true}' \
            >>"$work/answers-$c"
        echo >>"$work/answers-$c"
    done
}
export -f client

ms() { echo $(($(date +%s%N) / 1000000)); }
start=$(ms)
seq 0 $((clients - 1)) | xargs -P "$clients" -I{} bash -c 'client {}' &
load=$!
rssMiddle=
while kill -0 $load 2>/dev/null; do
    done=$( (cat "$work"/answers-* 2>/dev/null || true) | wc -l)
    if [ -z "$rssMiddle" ] && [ "$done" -ge $((n / 2)) ]; then rssMiddle=$(rss); fi
    sleep 0.1
done
wait $load
wall=$(($(ms) - start))
rssEnd=$(rss)
cpuUsed=$(($(cpu) - cpuStart))
metrics=$(curl -sf "$url/metrics")
kill $d
wait $d 2>/dev/null || true

cat "$work"/answers-* | jq -s 'sort_by(.job)' >"$work/answers.json"
fail=0
answered=$(jq 'length' "$work/answers.json")
notDone=$(jq '[.[] | select(.state != "done")] | length' "$work/answers.json")
[ "$answered" -eq "$n" ] && [ "$notDone" -eq 0 ] || { echo "FAIL: $answered answers, $notDone not done"; fail=1; }
# On its own roll exactly once, on the other never.
for ((i = 0; i < n; i++)); do
    p=$([ $((i % 2)) -eq 0 ] && echo a || echo b)
    o=$([ "$p" = a ] && echo b || echo a)
    line="  1,00 x $(price "$i") = $(price "$i") A"
    here=$(grep -cxF -- "$line" "$work/roll-$p" || true)
    there=$(grep -cxF -- "$line" "$work/roll-$o" || true)
    if [ "$here" -ne 1 ] || [ "$there" -ne 0 ]; then
        echo "FAIL: receipt $i on roll $p $here times, on roll $o $there times"
        fail=1
    fi
done
# Per printer, in the journal's order of its jobs, the transaction numbers rise one by one.
for p in a b; do
    gaps=$(jq --arg p "$p" '[.[] | select(.printer == $p) | .transaction] as $t
        | [range(1; $t | length) | select($t[.] != $t[. - 1] + 1)] | length' "$work/answers.json")
    [ "$gaps" -eq 0 ] || { echo "FAIL: printer $p: $gaps transactions out of the journal's order"; fail=1; }
done

value() { awk -v k="$1" '$1 == k {print $2}' <<<"$metrics"; }
awk -v n="$n" -v c="$clients" -v wall="$wall" -v jobs="$(value nx3d_job_seconds_count)" \
    -v line="$(value nx3d_job_seconds_sum)" -v own="$(value nx3d_job_overhead_seconds_sum)" \
    -v journal="$(value nx3d_journal_write_seconds_total)" -v r0="$rssStart" -v r1="$rssMiddle" -v r2="$rssEnd" \
    -v cpu="$cpuUsed" -v hz="$(getconf CLK_TCK)" \
    'BEGIN {
    printf "%d receipts, %d clients, 2 printers: %.1f s, %.1f receipts/s\n", n, c, wall / 1000, n * 1000 / wall
    printf "per job: on the line %.3f ms, the service'"'"'s own %.3f ms (of it journal writes %.3f ms)\n",
        line * 1000 / jobs, own * 1000 / jobs, journal * 1000 / jobs
    printf "nx3d processor time per job (HTTP, journal, link): %.3f ms\n", cpu * 1000 / hz / jobs
    printf "nx3d RSS: start %d kB, middle %d kB, end %d kB\n", r0, r1, r2 }'
[ "$fail" -eq 0 ] && echo "every receipt on its roll once, per-printer order kept"
exit "$fail"
