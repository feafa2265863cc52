#!/usr/bin/env bash
# vt4800-cli analyze and render on files made by record, download and export, and analyze on a
# laboratory file whose figures are known.
set -euo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

magic() { head -c "$2" "$1" | od -An -c | tr -d ' \n'; }
# Width and height of a BMP, from its header.
bmp_size() { od -An -t d4 -j 18 -N 8 "$1" | awk '{print $1 "x" $2}'; }

recorded=$("$cli" record --simulate --seconds 8 --interval 0.5 --dest "$dir")
mapfile -t downloaded < <("$cli" download --simulate --dest "$dir" 2>/dev/null)
exported=$("$cli" export "${downloaded[0]}" -o "$dir/exported.rl2")
for f in "$recorded" "${downloaded[0]}" "$exported"; do
  out=$("$cli" analyze "$f" 2 6 10)
  [ "$(wc -l <<< "$out")" -eq 13 ] || { echo "$f: $out"; exit 1; }
  grep -q '^RestMinutes: 0.0$' <<< "$out" || { echo "$f: $out"; exit 1; }
  "$cli" render "$f" -o "$dir/chart.bmp" --size 640x400 >/dev/null 2>&1
  [ "$(magic "$dir/chart.bmp" 2)" = "BM" ] && [ "$(bmp_size "$dir/chart.bmp")" = "640x400" ] ||
    { echo "$f: no 640x400 bitmap"; exit 1; }
  "$cli" render "$f" -o "$dir/chart.png" --side-by-side >/dev/null 2>&1
  [ "$(magic "$dir/chart.png" 4)" = "211PNG" ] || { echo "$f: no png"; exit 1; }
  "$cli" render "$f" -o "$dir/chart.pdf" >/dev/null 2>&1
  [ "$(magic "$dir/chart.pdf" 4)" = "%PDF" ] || { echo "$f: no pdf"; exit 1; }
done

# Rest at 10 l/min for a minute, work at 40 for two, recovery at 20 for three.
{
  printf 'Format-Version: 2\r\nColumn-Header:\tV (l)\tF (1/min)\tM (l/min)\tMarks\r\nData-Table:\r\n'
  for k in $(seq 0 359); do
    m=20; [ "$k" -lt 180 ] && m=40; [ "$k" -lt 60 ] && m=10
    printf '1\t10\t%s\t\r\n' "$m"
  done
} > "$dir/step.rl2"
expected='RestLevel: 10 (l/min)
VentIncome: 60 (l)
VentDebt: 20 (l)
VentRequest: 80 (l)
MeanExerciseVent: 40 (l/min)
RestLevelGrid: 10.0
VentIncomeGrid: 60.0
VentDebtGrid: 20.0
VentRequestGrid: 80.0
MeanExerciseVentGrid: 40.0
RestMinutes: 1.0
WorkMinutes: 2.0
RecoveryMinutes: 2.0'
out=$("$cli" analyze "$dir/step.rl2" 60 180 300)
[ "$out" = "$expected" ] || { echo "$out"; exit 1; }
grep -q '^MeanExerciseVent: — (l/min)$' <<< "$("$cli" analyze "$dir/step.rl2" 60 60 300)" || { echo "no work time"; exit 1; }

# Points outside the recording and outputs of no known kind are refused.
if "$cli" analyze "$dir/step.rl2" 60 180 360 2>/dev/null; then echo "row 360 accepted"; exit 1; fi
set +e
"$cli" render "$dir/step.rl2" -o "$dir/chart.gif" 2>/dev/null
[ $? -eq 2 ] || { echo "gif accepted"; exit 1; }
"$cli" render "$dir/step.rl2" -o "$dir/missing/chart.png" 2>/dev/null
[ $? -eq 1 ] || { echo "unwritable output accepted"; exit 1; }
set -e
echo "ok: analyze and render of recorded, downloaded and exported files"
