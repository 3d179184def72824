#!/usr/bin/env bash
# Text from outside on zorvant-cli's terminal: the names a USB device gives itself, a tty name
# of raw bytes, the name of another program that holds the port, and what a user typed, echoed
# in a refusal. None reaches the terminal raw. And kvar2-emu's --id keeps what it is given
# whole, or refuses it. usage: untrusted_text_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
cd "$work" || exit 1
# Raw: C0 but LF, DEL, C1 in UTF-8, the direction controls, or bytes that are not UTF-8.
raw_text() {
  LC_ALL=C grep -qP '[\x00-\x09\x0b-\x1f\x7f]|\xc2[\x80-\x9f]|\xe2\x80[\x8e\x8f\xaa-\xae]|\xe2\x81[\xa6-\xa9]|\xd8\x9c' "$1" ||
    ! iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1
}
esc=$'\e]0;pwned\a\e[2J' c1=$'\xc2\x9b' rlo=$'\xe2\x80\xae' byte=$'\x9b'

# A machine whose USB adapter names itself with controls, behind a tty of a raw byte.
sys=$work/sys dev=$work/dev tty=ttyUSB${byte}0
usb=$sys/devices/pci0000:00/0000:00:14.0/usb1/1-1
mkdir -p "$sys/class/tty" "$dev/serial/by-id" "$usb/1-1:1.0/$tty/tty/$tty"
printf '0403\n' >"$usb/idVendor"; printf '6001\n' >"$usb/idProduct"
printf '%s\n' "FTDI$esc" >"$usb/manufacturer"; printf '%s\n' "FT${rlo}232R$c1" >"$usb/product"
ln -s "../../devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/$tty/tty/$tty" "$sys/class/tty/$tty"
ln -s ../../../$tty "$usb/1-1:1.0/$tty/tty/$tty/device"
: >"$dev/$tty"
ZV_SYSFS_ROOT=$sys ZV_DEV_ROOT=$dev "$cli" ports >ports.txt
[ "$?" = 0 ] && ! raw_text ports.txt && grep -qF 'ttyUSB\x9b0  USB 0403:6001 FTDI\x1b]0;pwned\x07\x1b[2J FT\u202e232R\u009b' ports.txt
check "ports: the device's names and the tty's raw byte shown escaped" $?
ZV_SYSFS_ROOT=$sys ZV_DEV_ROOT=$dev "$cli" ports --json >ports.json
! raw_text ports.json && python3 - ports.json "FT${rlo}232R$c1" <<'PY'
import json, sys
assert json.load(open(sys.argv[1], encoding="utf-8"))[0]["usb"]["product"] == sys.argv[2]
PY
check "ports --json: escaped, and the product's name decodes to what the device said" $?

# Another program named with controls holds the port.
start_emu --unpaced
pty=$(readlink port)
holder=$work/${rlo}flock$c1
cp "$(command -v flock)" "$holder"
"$holder" "$pty" sleep 30 &
holder_pid=$!
for _ in $(seq 50); do grep -q "FLOCK .* $holder_pid " /proc/locks && break; sleep 0.05; done
"$cli" info --port "$pty" >out.txt 2>err.txt; rc=$?
[ "$rc" = 3 ] && ! raw_text err.txt && grep -qF "in use by another program: \\u202eflock\\u009b (pid $holder_pid)" err.txt
check "a holder's name shown escaped (exit $rc)" $?
kill $(pgrep -P "$holder_pid") "$holder_pid"; wait "$holder_pid" 2>/dev/null

# What a user typed, in a refusal: escaped, and nothing goes to the logger.
printf 'not an export\n' >export.txt
refusals=(  # exit code | what the refusal shows | option | its value | the command before them
  "2|\\x1b]0;pwned|--interval|x$esc|config --port port --keep"
  "2|\\u202e|--low|2$rlo|report --from-export export.txt -o r.json"
  "2|\\x9b\\u009b|--activation-energy|$byte$c1|report --from-export export.txt -o r.json"
  "2|\\x1b[2J|--started-at|$esc|chart --from-export export.txt -o c.svg --overview"
  "12|\\u202enone|--from-export|${rlo}none.txt|chart -o c.svg"
  "3|\\x1b[2Jnone|--port|$work/${esc}none|info"
  "2|--\\x1b]0;pwned|--$esc|x|info --port port"
)
for row in "${refusals[@]}"; do
  IFS='|' read -r code shown option value command <<<"$row"
  # shellcheck disable=SC2086  # the command's words
  "$cli" $command "$option" "$value" >out.txt 2>err.txt; rc=$?
  [ "$rc" = "$code" ] && ! raw_text err.txt && ! raw_text out.txt && grep -qF -- "$shown" err.txt
  check "${option//[^[:print:]]/?} refused (exit $rc), the value shown escaped" $?
done

# kvar2-emu --id: what a logger could not hold is refused, never cut or turned into '?'.
ids=(  # identifier | refusal
  "ABCDEFGHIJKLMN|at most 13"
  "Chłodnia ñ|\"ñ\" has no Windows-1250 byte"
)
for row in "${ids[@]}"; do
  IFS='|' read -r id said <<<"$row"
  "$emu" --link "$work/refused" --id "$id" >/dev/null 2>err.txt; rc=$?
  [ "$rc" != 0 ] && grep -qF -- "$said" err.txt && [ ! -e "$work/refused" ]
  check "kvar2-emu --id '$id' refused (exit $rc)" $?
done

finish "untrusted text"
