#!/usr/bin/env bash
# vt4800-cli record against the simulated device: a finished file of about ten rows that info
# and dump read back; and a recording killed with SIGKILL keeps every row written before.
set -euo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

file=$("$cli" record --simulate --seconds 5 --interval 0.5 --dest "$dir" --mark-every 4)
[ -f "$file" ] || { echo "no file: $file"; exit 1; }
"$cli" info "$file" | grep -q '^Data-Count: 1[01]$' || { "$cli" info "$file"; exit 1; }
rows=$("$cli" dump "$file" | wc -l)
[ "$rows" -ge 10 ] && [ "$rows" -le 11 ] || { echo "rows: $rows"; exit 1; }
dumped=$("$cli" dump "$file")
grep -q 'mark 1$' <<< "$dumped" || { echo "no mark"; exit 1; }

mkdir "$dir/killed"
"$cli" record --simulate --seconds 60 --interval 0.2 --dest "$dir/killed" >/dev/null &
pid=$!
file=""
for _ in $(seq 150); do
  file=$(ls "$dir"/killed/*.rl2 2>/dev/null | head -n 1 || true)
  if [ -n "$file" ] && [ "$(wc -l < "$file")" -ge 20 ]; then break; fi
  sleep 0.1
done
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
[ -n "$file" ] || { echo "the killed recording made no file"; exit 1; }
on_disk=$(( $(wc -l < "$file") - 11 ))
loaded=$("$cli" dump "$file" | wc -l)
[ "$on_disk" -ge 9 ] && [ "$loaded" -eq "$on_disk" ] || { echo "on disk $on_disk, loaded $loaded"; exit 1; }
echo "ok: $rows rows; killed after $on_disk rows, all loaded"
