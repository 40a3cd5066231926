# Shared by tools/test and tools/run: a throwaway Wine prefix under the build tree, a virtual
# desktop of 1024x768, an Xvfb display when none is there, and one persistent wineserver.
# Source it, call bench_start, and bench_stop at the end (a trap does it on exit).

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BENCH_DIR=${BENCH_DIR:-$ROOT/build/wine}
BENCH_PIDS=()

export WINEDEBUG=-all
export LC_ALL=ja_JP.UTF-8         # gives the programs ANSI code page 932
# No Mono or Gecko install prompts; and no menu builder, which every saved shortcut starts: it
# rewrites the user's Shell Folders values while tests use them, and writes desktop entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

bench_log() { printf '[bench] %s\n' "$*" >&2; }

bench_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$BENCH_DIR/xvfb.log" 2>&1 &
  BENCH_PIDS+=($!)
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && { bench_log "Xvfb on $DISPLAY"; return; }
    sleep 0.1
  done
  bench_log "Xvfb did not start"; return 1
}

bench_start() {
  local fresh=${1:-fresh}
  mkdir -p "$BENCH_DIR"
  bench_start_display
  export WINEPREFIX="$BENCH_DIR/prefix"
  if [ "$fresh" = fresh ]; then rm -rf "$WINEPREFIX"; fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    bench_log "creating Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
  fi
  # Without a virtual desktop Wine draws no frames and input does not reach windows. The
  # desktop is made when the first program starts, so the server starts afresh after this.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # Keep one server for the whole run: programs then start in a fraction of a second.
  wineserver -p >/dev/null 2>&1 &
  BENCH_PIDS+=($!)
  trap bench_stop EXIT
}

bench_stop() {
  wineserver -k >/dev/null 2>&1 || true
  local p
  for p in "${BENCH_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${BENCH_PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
  BENCH_PIDS=()
}
