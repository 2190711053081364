# Sourced by run.sh and the tools that show the Linux program without a
# screen: a virtual X display (Xvfb on a free number) with a window manager
# (openbox), a compositor (picom, else xcompmgr), so that translucent windows
# are blended, and a solid-coloured desktop picture (hsetroot, which sets the
# root pixmap a compositor paints).
#
#   start_virtual_desktop [COLOUR]   exports DISPLAY
#   stop_virtual_desktop

virtual_desktop_pids=()

start_virtual_desktop() {
  local colour=${1:-#3060a0} number
  for number in $(seq 90 150); do
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || break
  done
  export DISPLAY=:$number
  # -noreset: without it the server resets whenever its last client leaves,
  # and a client connecting meanwhile is refused.
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  virtual_desktop_pids+=($!)
  wait_for "the X server on $DISPLAY" xdpyinfo
  openbox --sm-disable >/dev/null 2>&1 &
  virtual_desktop_pids+=($!)
  wait_for "openbox" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
  hsetroot -solid "$colour" >/dev/null
  if command -v picom >/dev/null; then
    picom --backend xrender --config /dev/null >/dev/null 2>&1 &
    virtual_desktop_pids+=($!)
    wait_for "picom" xdotool search --classname '^picom$'
  else
    xcompmgr >/dev/null 2>&1 &
    virtual_desktop_pids+=($!)
    sleep 1
  fi
}

stop_virtual_desktop() {
  local pid
  for pid in "${virtual_desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${virtual_desktop_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  virtual_desktop_pids=()
}

# wait_for WHAT COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; gives up after 20 seconds.
wait_for() {
  local what=$1 tries
  shift
  for tries in $(seq 200); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "timed out waiting for $what" >&2
  return 1
}
