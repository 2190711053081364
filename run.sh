#!/usr/bin/env bash
# Sets up the machine, builds the Linux program `ondrava` and runs it. On an X
# display it runs until you choose Exit ("終了(&X)") in its popup menu
# (right-click the window or its notification-area icon). With no display it
# runs for ten seconds on a virtual one (Xvfb with openbox and a compositor,
# over a coloured desktop) and saves a screenshot to
# build/ondrava-screenshot.png, in which the desktop shows through the
# translucent parts. Arguments go to the program (a settings path).
#
#   ./run.sh --windows [ARGS]   builds Ondrava.exe instead and runs it under
#                               wine64, in the same two ways (without a
#                               display: 400 pixels wide with fresh settings,
#                               the default face and characters, as a first
#                               start shows them, unless arguments are given)
set -euo pipefail
cd "$(dirname "$0")"

run_windows() {
  tools/install-deps
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$(nproc)" --target Ondrava
  local program=build/win64/src/win32/Ondrava.exe
  export ONDRAVA_WINEPREFIX=${ONDRAVA_WINEPREFIX:-$PWD/build/win64/.wineprefix}
  if [ -n "${DISPLAY:-}" ]; then
    exec tools/wine-run "$program" "$@"
  fi
  export DISPLAY=:98
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  local arguments=("$@")
  if [ ${#arguments[@]} -eq 0 ]; then
    local settings=build/ondrava-screenshot.ini
    printf '[Form]\r\nLeft=200\r\nTop=100\r\nWidth=400\r\nHeight=400\r\n' >"$settings"
    local windows_path
    windows_path=$(realpath "$settings")
    arguments=("Z:${windows_path//\//\\}")
  fi
  tools/wine-run "$program" "${arguments[@]}" &
  # A new prefix takes a while to set up: wait for the window itself, then
  # for a few frames.
  for _ in $(seq 120); do
    xdotool search --name '^Ondrava$' >/dev/null 2>&1 && break
    sleep 1
  done
  sleep 3
  import -window root -crop 440x440+180+80 +repage build/ondrava-screenshot.png
  echo "screenshot: build/ondrava-screenshot.png"
  WINEPREFIX=$ONDRAVA_WINEPREFIX wineserver -k 2>/dev/null || true
  kill $xvfb 2>/dev/null || true
}

if [ "${1:-}" = "--windows" ]; then
  shift
  run_windows "$@"
  exit 0
fi

tools/install-deps
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target ondrava
program=build/native/src/qt/ondrava

if [ -n "${DISPLAY:-}" ]; then
  exec "$program" "$@"
fi

# No display: a virtual desktop, and a settings file of the run's own so the
# user's ~/.config is left alone.
source tools/virtual-desktop.sh
trap stop_virtual_desktop EXIT
start_virtual_desktop "#3060a0"
if [ $# -eq 0 ]; then
  settings=build/ondrava-run.ini
  printf '[Form]\nLeft=384\nTop=256\nWidth=256\nHeight=256\n' >"$settings"
  set -- "$settings"
fi
"$program" "$@" &
ondrava=$!
wait_for "the ondrava window" xdotool search --onlyvisible --pid "$ondrava" --name '^Ondrava$'
sleep 10
import -window root build/ondrava-screenshot.png
kill -TERM "$ondrava"
wait "$ondrava"
echo "screenshot: build/ondrava-screenshot.png"
