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
echo "ok: ${#files[@]} files"
