#!/usr/bin/env bash
# vt4800-cli download against the simulated device: every stored recording becomes a device
# file that dump reads back onto the one-second grid.
set -euo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mapfile -t files < <("$cli" download --simulate --dest "$dir" 2>/dev/null)
[ "${#files[@]}" -eq 3 ] || { echo "files: ${files[*]}"; exit 1; }
for f in "${files[@]}"; do
  [ -f "$f" ] || { echo "missing $f"; exit 1; }
  rows=$("$cli" dump "$f" | wc -l)
  [ "$rows" -gt 100 ] || { echo "$f: $rows rows"; exit 1; }
done
# The export of the first with a heart-rate file laid over it: five channels.
printf '[Params]\r\nDate=20090313\r\nInterval=5\r\nLength=00:10:00.0\r\n\r\n[HRData]\r\n120\r\n130\t12\r\n125\r\n' > "$dir/run.hrm"
"$cli" info "$dir/run.hrm" | grep -q '^Date: 13-03-2009$' || { "$cli" info "$dir/run.hrm"; exit 1; }
out=$("$cli" export "${files[0]}" --hrm "$dir/run.hrm" -o "$dir/trial.txt")
[ "$out" = "$dir/trial.rl2" ] || { echo "export wrote $out"; exit 1; }
"$cli" info "$out" | grep -q '^Channels-Count: 5$' || { "$cli" info "$out"; exit 1; }
dumped=$("$cli" dump "${files[0]}" --hrm "$dir/run.hrm")
grep -q $'\t120\t' <<< "${dumped%%$'\n'*}" || { echo "no heart rate"; exit 1; }
echo "ok: ${#files[@]} files, export of 5 channels"
