#!/usr/bin/env bash
# Sets up the machine, builds the 64-bit Windows program and runs it under
# wine64. On an X display it runs until you choose "終了(&X)" (exit) in its
# popup menu (right-click the window or its notification-area icon). With no
# display it runs for a few seconds on a virtual one (Xvfb) and saves a
# screenshot to build/ondrava-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target Ondrava
program=build/win64/src/mainframe/Ondrava.exe
export ONDRAVA_WINEPREFIX=${ONDRAVA_WINEPREFIX:-$PWD/build/win64/.wineprefix}

if [ -n "${DISPLAY:-}" ]; then
  exec tools/wine-run "$program" "$@"
fi

export DISPLAY=:98
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
tools/wine-run "$program" "$@" &
sleep 10
import -window root build/ondrava-screenshot.png
echo "screenshot: build/ondrava-screenshot.png"
WINEPREFIX=$ONDRAVA_WINEPREFIX wineserver -k 2>/dev/null || true
kill $xvfb 2>/dev/null || true
