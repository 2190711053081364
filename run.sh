#!/usr/bin/env bash
# Sets up the machine, builds the 64-bit Windows program and runs it under
# wine64. On an X display it runs until you choose "終了(&X)" (exit) in its
# popup menu (right-click the window or its notification-area icon). With no
# display it runs for a few seconds on a virtual one (Xvfb), 400 pixels wide
# with fresh settings (the default face and characters, as a first start
# shows them) unless arguments are given, and saves a screenshot of it to
# build/ondrava-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target Ondrava
program=build/win64/src/wincontrol/Ondrava.exe
export ONDRAVA_WINEPREFIX=${ONDRAVA_WINEPREFIX:-$PWD/build/win64/.wineprefix}

if [ -n "${DISPLAY:-}" ]; then
  exec tools/wine-run "$program" "$@"
fi

export DISPLAY=:98
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
arguments=("$@")
if [ ${#arguments[@]} -eq 0 ]; then
  settings=build/ondrava-screenshot.ini
  printf '[Form]\r\nLeft=200\r\nTop=100\r\nWidth=400\r\nHeight=400\r\n' >"$settings"
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
