#!/usr/bin/env bash
# zorvant-cli's ports: the listing of a fake machine (ZV_SYSFS_ROOT, ZV_DEV_ROOT) whose USB
# adapter leads to kvar2-emu, --port auto on it, and the line that says why a port cannot be
# opened: missing, not a serial port, held by another program, and (run as nobody) no
# permission. usage: ports_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--transcript "$work/transcript.txt")
expect_failure() {  # name, exit code, text on stderr, command...
  local name=$1 code=$2 text=$3; shift 3
  "$@" >"$work/out" 2>"$work/err"; rc=$?
  [ "$rc" = "$code" ] && grep -qF -- "$text" "$work/err"
  check "$name (exit $rc)" $?
  [ "$rc" = "$code" ] && grep -qF -- "$text" "$work/err" || sed 's/^/     /' "$work/err"
}

# A machine with one USB adapter, its node a link to the emulator, and a built-in UART.
sys=$work/sys dev=$work/dev
usb=$sys/devices/pci0000:00/0000:00:14.0/usb1/1-1
mkdir -p "$sys/class/tty" "$dev/serial/by-id" "$usb/1-1:1.0/ttyUSB0/tty/ttyUSB0" \
  "$sys/devices/pnp0/00:04/tty/ttyS0" "$sys/bus/usb-serial/drivers/ftdi_sio"
printf '0403\n' >"$usb/idVendor"; printf '6001\n' >"$usb/idProduct"
printf 'FTDI\n' >"$usb/manufacturer"; printf 'FT232R USB UART\n' >"$usb/product"
printf 'A50285BI\n' >"$usb/serial"
ln -s ../../devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0 "$sys/class/tty/ttyUSB0"
ln -s ../../../ttyUSB0 "$usb/1-1:1.0/ttyUSB0/tty/ttyUSB0/device"
ln -s ../../../../../../bus/usb-serial/drivers/ftdi_sio "$usb/1-1:1.0/ttyUSB0/driver"
ln -s ../../devices/pnp0/00:04/tty/ttyS0 "$sys/class/tty/ttyS0"
ln -s ../../../00:04 "$sys/devices/pnp0/00:04/tty/ttyS0/device"
printf '4\n' >"$sys/devices/pnp0/00:04/tty/ttyS0/type"
ln -s "$work/port" "$dev/ttyUSB0"
: >"$dev/ttyS0"
ln -s ../../ttyUSB0 "$dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
export ZV_SYSFS_ROOT=$sys ZV_DEV_ROOT=$dev

start_emu --unpaced --id AUTO-PORT
"$cli" ports >"$work/ports.txt"; check "ports" $?
grep -qxF "$dev/ttyUSB0  USB 0403:6001 FTDI FT232R USB UART serial A50285BI (ftdi_sio); you may open it; also $dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" "$work/ports.txt"
check "ports: the USB adapter with its ids, maker, product, serial number and stable name" $?
grep -q "^$dev/ttyS0  built-in serial port" "$work/ports.txt" && [ "$(wc -l <"$work/ports.txt")" = 2 ]
check "ports: the built-in UART, and nothing else" $?
"$cli" ports --json >"$work/ports.json"
python3 - "$work/ports.json" "$dev" <<'PY'; check "ports --json" $?
import json, sys
ports, dev = json.load(open(sys.argv[1])), sys.argv[2]
usb = ports[1]
assert [p["port"] for p in ports] == [dev + "/ttyS0", dev + "/ttyUSB0"], ports
assert usb["kind"] == "usb" and usb["may_open"] == "yes" and usb["driver"] == "ftdi_sio", usb
assert usb["usb"] == {"vendor_id": "0403", "product_id": "6001", "manufacturer": "FTDI",
                      "product": "FT232R USB UART", "serial_number": "A50285BI"}, usb
assert ports[0]["kind"] == "uart" and "usb" not in ports[0], ports[0]
PY
"$cli" info --port auto >"$work/out" 2>"$work/err"; rc=$?
[ "$rc" = 0 ] && grep -q "AUTO-PORT" "$work/out" && grep -q "^zorvant-cli: --port auto: $dev/ttyUSB0 " "$work/err"
check "info --port auto connects through the one USB adapter" $?

# Two adapters, or none: auto chooses nothing and lists what it found.
mkdir -p "$usb/1-1:1.0/ttyUSB1/tty/ttyUSB1"
ln -s ../../devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB1/tty/ttyUSB1 "$sys/class/tty/ttyUSB1"
ln -s ../../../ttyUSB1 "$usb/1-1:1.0/ttyUSB1/tty/ttyUSB1/device"
ln -s "$work/port" "$dev/ttyUSB1"
expect_failure "auto with two USB ports" 2 "several USB serial ports" "$cli" read --port auto -o "$work/x.txt"
[ "$(grep -c '^.*/ttyUSB[01]  USB' "$work/err")" = 2 ] && [ ! -e "$work/x.txt" ]
check "auto with two USB ports lists both and writes nothing" $?
rm "$sys/class/tty/ttyUSB0" "$sys/class/tty/ttyUSB1"
expect_failure "auto with no USB port" 2 "no USB serial port among these:" "$cli" config --port auto --keep
grep -q "^$dev/ttyS0  built-in" "$work/err"; check "auto with no USB port lists the others" $?
unset ZV_SYSFS_ROOT ZV_DEV_ROOT

# Why a port cannot be opened: the program's message, then the reason.
message="Port niedostępny lub używany przez inną aplikację."
expect_failure "missing: the message" 3 "$message" "$cli" info --port "$work/none"
grep -qF "$work/none: no such device" "$work/err"; check "missing: the reason" $?
: >"$work/plain-file"
expect_failure "a plain file" 3 "$work/plain-file: not a serial port" "$cli" info --port "$work/plain-file"

pty=$(readlink "$work/port")
flock "$pty" sleep 30 &
flock_pid=$!
for _ in $(seq 50); do grep -q "FLOCK .* $flock_pid " /proc/locks && break; sleep 0.05; done
expect_failure "locked by flock" 3 "$pty: in use by another program: flock (pid $flock_pid)" \
  "$cli" info --port "$pty"
kill $(pgrep -P "$flock_pid") "$flock_pid"; wait "$flock_pid" 2>/dev/null

# A download under way in another zorvant-cli: a full memory at the real line rate.
start_emu --memory-start 0 --write-pointer 0x8000
"$cli" read --port "$work/port" -o "$work/long.txt" >/dev/null 2>&1 &
reader=$!
for _ in $(seq 200); do [ "$(grep -c ' L ' "$work/transcript.txt")" -gt 40 ] && break; sleep 0.05; done
expect_failure "held by another zorvant-cli" 3 "in use by another program:" \
  "$cli" info --port "$work/port"
grep -qF "zorvant-cli (pid $reader)" "$work/err"; check "the holder named: zorvant-cli (pid $reader)" $?
kill -TERM "$reader"; wait "$reader" 2>/dev/null

# No permission: the emulator's terminal for the dialout group alone, opened as nobody.
if [ "$(id -u)" = 0 ] && getent group dialout >/dev/null && id nobody >/dev/null 2>&1; then
  start_emu --unpaced
  pty=$(readlink "$work/port")
  chgrp dialout "$pty" && chmod 0660 "$pty"
  # The build may lie in a folder only its owner may enter (root's home, a mktemp -d): nobody
  # runs a copy from a folder of its own.
  for_nobody=$(mktemp -d /tmp/zorvant-nobody.XXXXXX)
  chmod 0755 "$for_nobody" && cp "$cli" "$for_nobody/zorvant-cli" &&
    chmod 0755 "$for_nobody/zorvant-cli"
  expect_failure "permission as nobody" 3 'only its group dialout may open it: join it with sudo adduser "$USER" dialout, then log in again' \
    runuser -u nobody -- "$for_nobody/zorvant-cli" info --port "$pty"
  rm -rf "$for_nobody"
  grep -qF "$message" "$work/err"; check "permission: the program's message too" $?
else
  echo "skip permission as nobody (needs root, the dialout group and the nobody user)"
fi

finish "ports"
