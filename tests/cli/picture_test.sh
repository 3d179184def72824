#!/usr/bin/env bash
# zorvant-cli chart as PNG and PDF, and chart --overview in every format, against kvar2-emu:
# the PNG decodes at its size with the traces' colours in it, the PDF is A4 with its fonts
# embedded and its Polish words whole, the overview from a logger is the one from its export,
# and each wrong limit is refused before anything goes down the line.
# usage: picture_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
png_size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); assert d[:8]==b"\x89PNG\r\n\x1a\n" and d[12:16]==b"IHDR"; print(*struct.unpack(">II", d[16:24]))' "$1"; }
# How many pixels of an exact colour (#rrggbb) an image has.
pixels() { convert "$1" -depth 8 txt:- | grep -ci " #$2"; }

# A full two-channel memory at 5 minutes a sample: 8,192 slots, 28 days, channel B
# crossing zero: the export keeps every reading, so it draws what the logger does.
python3 - "$work/memory.bin" <<'PY'
import math, sys
def word(sixteenths):  # as the sensor stores it: two's complement, sign-extended to 16 bits
    return sixteenths & 0xFFFF
out = bytearray()
for k in range(8192):
    a = round((20 + 8 * math.sin(k / 300)) * 16)
    b = round((5 + 12 * math.sin(k / 170)) * 16)
    for v in (a, b):
        out += word(v).to_bytes(2, "little")
open(sys.argv[1], "wb").write(out)
PY
start_emu --unpaced --channels 2 --memory-file "$work/memory.bin" --memory-start 0 \
  --write-pointer 0 --memory-bytes 32768 --interval 7 --transcript "$work/transcript.txt"
"$cli" read --port "$work/port" -o "$work/export.txt" >/dev/null 2>&1; check "read" $?

# The window chart: PNG at the client area's size, PDF on an A4 page, the same picture.
"$cli" chart --from-export "$work/export.txt" -o "$work/chart.png" --fine-rows
check "chart as PNG" $?
[ "$(png_size "$work/chart.png")" = "594 393" ]; check "chart PNG is 594 x 393" $?
[ "$(pixels "$work/chart.png" ff0000)" -gt 200 ] && [ "$(pixels "$work/chart.png" 0000ff)" -gt 200 ] &&
  [ "$(pixels "$work/chart.png" d4d0c8)" -gt 100000 ]
check "chart PNG: both traces on the window's grey" $?
"$cli" chart --from-export "$work/export.txt" -o "$work/chart.PDF"; check "chart as PDF" $?
pdfinfo "$work/chart.PDF" | grep -q "Page size: *841.89 x 595.276 pts (A4)"
check "chart PDF: one landscape A4 page" $?
pdftotext "$work/chart.PDF" - | grep -q "+125"; check "chart PDF: its labels as text" $?

# The overview: the same from the logger and from its export, in each format.
opts=(--overview --low 15 --high 25,5 --started-at 2026-12-31T23:30:00)
"$cli" chart --port "$work/port" -o "$work/port.svg" "${opts[@]}" >/dev/null
check "overview from the logger" $?
"$cli" chart --from-export "$work/export.txt" -o "$work/overview.svg" "${opts[@]}"
check "overview from the export" $?
cmp -s "$work/port.svg" "$work/overview.svg"; check "the same overview either way" $?
rsvg-convert "$work/overview.svg" -o "$work/svg.png" && [ "$(png_size "$work/svg.png")" = "1000 520" ]
check "overview SVG renders 1000 x 520" $?
grep -q ">[0-3][0-9].01.2027</text>" "$work/overview.svg" && grep -q ">Data i godzina</text>" "$work/overview.svg"
check "overview SVG: dates on the time axis" $?
"$cli" chart --from-export "$work/export.txt" -o "$work/overview.png" "${opts[@]}"
check "overview as PNG" $?
[ "$(png_size "$work/overview.png")" = "1000 520" ]; check "overview PNG is 1000 x 520" $?
[ "$(pixels "$work/overview.png" ff0000)" -gt 1000 ] && [ "$(pixels "$work/overview.png" ffd8d8)" -gt 1000 ] &&
  [ "$(pixels "$work/overview.png" d2e6ff)" -gt 1000 ]
check "overview PNG: trace A and the bands beyond both limits" $?
"$cli" chart --from-export "$work/export.txt" -o "$work/overview.pdf" "${opts[@]}" --channels a
check "overview as PDF" $?
pdffonts "$work/overview.pdf" >"$work/fonts.txt"
grep -q "DejaVuSans .* yes" "$work/fonts.txt" && ! grep -qv -e "^name" -e "^---" -e " yes  *yes" "$work/fonts.txt"
check "overview PDF: DejaVu Sans, every font embedded" $?
pdftotext "$work/overview.pdf" "$work/overview.txt"
grep -q "kanał A" "$work/overview.txt" && grep -q "górna granica 25,5 °C" "$work/overview.txt" &&
  grep -q "dolna granica 15,0 °C" "$work/overview.txt" && ! grep -q "kanał B" "$work/overview.txt"
check "overview PDF: the Polish words whole, channel A alone" $?
pdftoppm -png -r 50 "$work/overview.pdf" "$work/page" && [ -s "$work/page-1.png" ]
check "overview PDF renders" $?

# Wrong limits and options: usage errors, and not a byte sent to the logger.
before=$(wc -l <"$work/transcript.txt")
for bad in "--overview --low 130" "--overview --high -60" "--overview --low 10 --high 5" \
           "--overview --low 8 --high 8,0" "--overview --low abc" "--low 5" \
           "--started-at 2026-01-01T00:00:00" "--overview --position 5" \
           "--overview --started-at 2026-02-30T00:00:00"; do
  # shellcheck disable=SC2086  # the options are words on purpose
  "$cli" chart --port "$work/port" -o "$work/bad.svg" $bad >/dev/null 2>"$work/err"
  [ $? = 2 ] && [ -s "$work/err" ] && [ ! -e "$work/bad.svg" ]; check "refused: $bad" $?
done
"$cli" chart --port "$work/port" -o "$work/bad.svg" --overview --low 10 --high 5 2>"$work/err"
grep -q "must be below --high" "$work/err"; check "the reason for low >= high" $?
[ "$(wc -l <"$work/transcript.txt")" = "$before" ]; check "refused options send nothing" $?

finish "pictures"
