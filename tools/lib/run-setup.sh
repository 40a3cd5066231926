#!/usr/bin/env bash
# tools/run setup: builds Setup.exe and starts its wizard under Wine in the bench of tools/run.
# With a display it runs until you finish or cancel the wizard. Without one it walks the install
# path, then the uninstall path (with /force, since a fresh prefix has nothing to uninstall),
# saves a picture of every page as shots/setup-24100.png ... shots/setup-24500.png, and cancels.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"
cmake --build --preset win64 -j2 --target Setup SetupWalk

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
source "$ROOT/tools/lib/bench.sh"
BENCH_DIR="$ROOT/build/wine-run"
bench_start keep

bin="$ROOT/build/win64/bin"
if ((headless)); then
  mkdir -p "$ROOT/shots"
  pictures=$(mktemp -d "$ROOT/build/wine-run/shots.XXXXXX")
  status=0
  wine "$bin/SetupWalk.exe" "$(winepath -w "$pictures")" >/dev/null 2>&1 || status=$?
  for bmp in "$pictures"/setup-*.bmp; do
    [ -e "$bmp" ] || continue
    png="$ROOT/shots/$(basename "${bmp%.bmp}").png"
    convert-im6.q16 "$bmp" "$png" && echo "screenshot: shots/$(basename "$png")"
  done
  rm -rf "$pictures"
  echo "SetupWalk ended with exit code $status"
  exit $status
fi
wine "$bin/Setup.exe" "$@" && status=0 || status=$?
echo "Setup.exe ended with exit code $status"
exit $status
