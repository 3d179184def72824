#!/usr/bin/env bash
# The program under Wine against the emulated logger (a two-channel Kvar_2 on COM1).
# With a display, the window appears there and the script waits until you close it. Without one
# (or with ZV_HEADLESS=1) it runs under Xvfb, walks through connect, download, the chart, the
# export, a configuration write and disconnect with the driver, and saves a screenshot of each
# step (and the exported file) into ./shots/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"

[ -x scripts/setup.sh ] && { scripts/setup.sh || exit 1; }

# ZV_BUILD_DIR and ZV_WIN_BUILD_DIR point at other build trees (default: build and build/win).
build=${ZV_BUILD_DIR:-$root/build}
win_build=${ZV_WIN_BUILD_DIR:-$build/win}
program="$win_build/app/zorvant2.exe"
driver="$win_build/tests/e2e/driver/zv-driver.exe"
emulator="$build/emulator/kvar2-emu"
shim="$build/tests/e2e/zv_modem_shim.so"
if [ ! -e "$program" ] || [ ! -e "$driver" ] || [ ! -e "$emulator" ] || [ ! -e "$shim" ]; then
  if [ -z "${ZV_BUILD_DIR:-}" ]; then
    # The tests' own build (so that CI builds what the demo runs), without the Release tree.
    ZV_SKIP_RELEASE=1 scripts/build.sh || exit 1
  else
    { cmake -S . -B "$build" && cmake --build "$build" -j2; } || exit 1
  fi
fi

work="$build/demo"
shots="$root/shots"
mkdir -p "$work"
trap zv_cleanup EXIT
trap 'exit 143' TERM INT
zv_start_display || exit 1
if [ ! -d "$work/prefix/prefix" ]; then
  zv_say "creating a Wine prefix (once, about half a minute)"
  zv_make_prefix "$work/prefix" || exit 1
fi
zv_use_prefix "$work/prefix"
zv_clear_ports
zv_start_emulator "$emulator" "$work/transcript.txt" "$work/emulator.log" \
  --channels 2 --id DEMO-KVAR2 --write-pointer 0x0820 --memory-start 0x20 --interval 5 \
  --status 3 || exit 1
zv_start_program "$program" "$shim" "$work/modem.log" "$work/program.log"

if [ -z "$ZV_XVFB_PID" ]; then
  zv_say "the program is on $DISPLAY; choose COM1 and press Połącz. Close the window to end."
  while kill -0 "$ZV_PROGRAM_PID" 2>/dev/null; do sleep 1; done
  exit 0
fi

rm -rf "$shots"
mkdir -p "$shots"
# The export step saves its file beside the screenshots.
ZV_WORK=$(zv_winpath "$shots")
export ZV_WORK
for step in "$root"/tests/e2e/demo/*.txt; do
  name=$(basename "$step" .txt)
  if ! zv_run_driver "$driver" "$program" "$step" "$work/$name.log" 60; then
    zv_screenshot "$shots/$name-failed.png"
    zv_say "the demo stopped at $name:"
    tail -n 3 "$work/$name.log" >&2
    exit 1
  fi
  [[ "$name" == *_exit ]] || zv_screenshot "$shots/$name.png"
done
code=$(zv_wait_program 20) || code="still running"
zv_say "the program ended with exit code $code"
echo "screenshots and the exported file in $shots"
