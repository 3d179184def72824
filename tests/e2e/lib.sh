# shellcheck shell=bash
# Shell functions shared by the end-to-end runner and scripts/demo.sh: a display, a Wine prefix
# with a virtual desktop and COM ports that point at the emulator, the emulator, the program
# under Wine with the modem-line shim, the driver, screenshots, and the clean-up of all of them.
# Every wait is bounded. Source it; it sets no shell options of its own.

ZV_XVFB_PID=""
ZV_EMU_PID=""
ZV_PROGRAM_PID=""
ZV_PORT_EMU_PIDS=()
ZV_PINNED_PORTS=()

zv_say() { printf '[e2e %(%H:%M:%S)T] %s\n' -1 "$*" >&2; }

# A Windows path for a Unix path: the prefix maps Z: to /.
zv_winpath() { local p; p=$(readlink -f "$1"); printf 'Z:%s' "${p//\//\\}"; }

# Uses $DISPLAY when an X server answers there (unless ZV_HEADLESS=1), else starts Xvfb on a free
# display number. Sets ZV_XVFB_PID when it started one.
zv_start_display() {
  if [ "${ZV_HEADLESS:-0}" != 1 ] && [ -n "${DISPLAY:-}" ] &&
     timeout 5 xdpyinfo >/dev/null 2>&1; then
    zv_say "using the display $DISPLAY"
    return 0
  fi
  # Another run may take the same free number at the same moment: then try the next one.
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    ZV_XVFB_PID=$!
    for _ in $(seq 1 100); do
      if timeout 2 xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        zv_say "Xvfb on $DISPLAY"
        return 0
      fi
      kill -0 "$ZV_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    zv_stop_display
  done
  zv_say "Xvfb did not start"
  return 1
}

zv_stop_display() {
  if [ -n "$ZV_XVFB_PID" ]; then
    kill "$ZV_XVFB_PID" 2>/dev/null
    timeout 5 tail --pid="$ZV_XVFB_PID" -f /dev/null 2>/dev/null
    ZV_XVFB_PID=""
  fi
}

# Points the Wine variables at a prefix kept under ROOT (ROOT/prefix) with ports in ROOT/ports.
zv_use_prefix() {
  ZV_PREFIX_ROOT=$(readlink -f "$1")
  export WINEPREFIX="$ZV_PREFIX_ROOT/prefix"
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs in a fresh prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine's own modules must not inherit a sanitizer preload from the caller.
  unset LD_PRELOAD
}

zv_port_path() { printf '%s/ports/com%s' "$ZV_PREFIX_ROOT" "$1"; }

# Creates a fresh prefix under ROOT: a virtual desktop (no 2 s stall on every window close, and
# title bars) and COM1-COM4 fixed at ROOT/ports/comN, where each scenario puts an emulator link
# or an empty folder (a port that cannot be opened). Wine's device manager rebuilds dosdevices/comN from
# these registry values on every start, so they are the only way to pin the ports.
zv_make_prefix() {
  zv_use_prefix "$1"
  rm -rf "$WINEPREFIX"
  mkdir -p "$ZV_PREFIX_ROOT/ports"
  timeout 120 wine wineboot -i >/dev/null 2>&1 || { zv_say "wineboot failed"; return 1; }
  local reg="$ZV_PREFIX_ROOT/settings.reg" n
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n'
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
    for n in 1 2 3 4; do printf '"COM%s"="%s"\r\n' "$n" "$(zv_port_path "$n")"; done
  } >"$reg"
  timeout 60 wine regedit /S "$(zv_winpath "$reg")" >/dev/null 2>&1 ||
    { zv_say "cannot import the prefix settings"; return 1; }
  timeout 30 wineserver -w
  for n in 1 2 3 4; do ln -sfn "$(zv_port_path "$n")" "$WINEPREFIX/dosdevices/com$n"; done
  zv_say "prefix ready in $WINEPREFIX"
}

# Starts kvar2-emu on COM1 with the given options; its transcript goes to TRANSCRIPT.
# usage: zv_start_emulator EMU TRANSCRIPT LOG [options...]
zv_start_emulator() {
  zv_start_emulator_on 1 "$@" && ZV_EMU_PID=$ZV_STARTED_PID
}

# The same on COM N; its process id is left in ZV_STARTED_PID.
# usage: zv_start_emulator_on N EMU TRANSCRIPT LOG [options...]
zv_start_emulator_on() {
  local n=$1 emu=$2 transcript=$3 log=$4
  shift 4
  local link
  link=$(zv_port_path "$n")
  rm -rf "$link"
  "$emu" --link "$link" --transcript "$transcript" "$@" >"$log" 2>&1 &
  ZV_STARTED_PID=$!
  for _ in $(seq 1 100); do
    [ -L "$link" ] && [ -e "$link" ] && return 0
    kill -0 "$ZV_STARTED_PID" 2>/dev/null || break
    sleep 0.05
  done
  zv_say "the emulator on COM$n did not come up: $(cat "$log")"
  return 1
}

# Pins COM ports beyond COM4 at ROOT/ports/comN in the prefix's registry, or takes the pins
# away again. Wine's device manager reads them when a Wine session starts and lists them in
# the machine's port map, so the session that writes them is waited out first. The shim keeps
# the host's own serial devices out of that session, too.
# usage: zv_pin_ports SHIM add|remove N...
zv_pin_ports() {
  local shim=$1 action=$2 reg="$ZV_PREFIX_ROOT/ports.reg" n
  shift 2
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
    for n in "$@"; do
      if [ "$action" = add ]; then
        printf '"COM%s"="%s"\r\n' "$n" "$(zv_port_path "$n")"
      else
        printf '"COM%s"=-\r\n' "$n"
      fi
    done
  } >"$reg"
  timeout 20 wineserver -w
  LD_PRELOAD="$shim" timeout 60 wine regedit /S "$(zv_winpath "$reg")" >/dev/null 2>&1 ||
    { zv_say "cannot change the pinned ports"; return 1; }
  timeout 30 wineserver -w
  if [ "$action" = add ]; then ZV_PINNED_PORTS+=("$@"); else ZV_PINNED_PORTS=(); fi
}

# Ends the Wine session and takes away every pin zv_pin_ports made, so that the next scenario
# finds the prefix with COM1-COM4 alone.
# usage: zv_unpin_ports SHIM
zv_unpin_ports() {
  [ ${#ZV_PINNED_PORTS[@]} -gt 0 ] || return 0
  timeout 20 wineserver -k >/dev/null 2>&1
  zv_pin_ports "$1" remove "${ZV_PINNED_PORTS[@]}"
}

zv_stop_emulator() {
  if [ -n "$ZV_EMU_PID" ]; then
    zv_stop_process "$ZV_EMU_PID"
    ZV_EMU_PID=""
  fi
}

zv_stop_process() {
  kill "$1" 2>/dev/null
  timeout 5 tail --pid="$1" -f /dev/null 2>/dev/null || kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

# Stops the emulators of the ports beyond COM4.
zv_stop_port_emulators() {
  local pid
  for pid in "${ZV_PORT_EMU_PIDS[@]}"; do zv_stop_process "$pid"; done
  ZV_PORT_EMU_PIDS=()
}

# Leaves every COM port without a device: each becomes an empty folder, which Wine cannot open
# as a port (a dangling link would not do: Wine then falls back to a device of its own choice).
zv_clear_ports() {
  local n
  for n in 1 2 3 4; do
    rm -rf "$(zv_port_path "$n")"
    mkdir -p "$(zv_port_path "$n")"
  done
}

# Starts the program under Wine with the modem-line shim; RTS changes go to MODEM_LOG.
# usage: zv_start_program EXE SHIM MODEM_LOG OUTPUT
zv_start_program() {
  local exe=$1 shim modem_log=$3 output=$4
  shim=$(readlink -f "$2")
  : >"$modem_log"
  # The Wine server started here, not by the program, so that the list of objects it prints
  # when it is killed does not fill the program's log.
  wineserver -p3 >/dev/null 2>&1
  LD_PRELOAD="$shim" ZV_MODEM_LOG="$modem_log" wine "$exe" >"$output" 2>&1 &
  ZV_PROGRAM_PID=$!
  ZV_SESSION_SHIM=$shim
}

# Waits up to SECONDS for the program to end; prints its exit code, or returns 1 if it runs on.
zv_wait_program() {
  local seconds=$1
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$ZV_PROGRAM_PID" 2>/dev/null; then
      local code=0
      wait "$ZV_PROGRAM_PID" || code=$?
      ZV_PROGRAM_PID=""
      printf '%s' "$code"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Runs the driver on SCRIPT, writing LOG; its exit code is the verdict.
# usage: zv_run_driver DRIVER EXE SCRIPT LOG [SECONDS]
zv_run_driver() {
  local driver=$1 exe=$2 script=$3 log=$4 seconds=${5:-120}
  : >"$log"
  # With the program's shim too: whichever of the two starts the Wine session's services, its
  # port detection must not see the host's serial devices (a host /dev/ttyS0 would otherwise
  # become COM5 in the program's list, now and then).
  LD_PRELOAD="${ZV_SESSION_SHIM:-}" timeout "$seconds" wine "$driver" "$(zv_winpath "$script")" \
    "$(zv_winpath "$log")" --exe "$(zv_winpath "$exe")" >/dev/null 2>&1
}

zv_screenshot() {
  mkdir -p "$(dirname "$1")"
  timeout 20 import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1 &&
    zv_say "screenshot: $1"
}

# Ends everything this shell started: the program, every Wine process of the prefix, the
# emulator and Xvfb.
zv_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then timeout 20 wineserver -k >/dev/null 2>&1; fi
  if [ -n "$ZV_PROGRAM_PID" ]; then
    kill "$ZV_PROGRAM_PID" 2>/dev/null
    wait "$ZV_PROGRAM_PID" 2>/dev/null
    ZV_PROGRAM_PID=""
  fi
  zv_stop_emulator
  zv_stop_port_emulators
  zv_stop_display
}
