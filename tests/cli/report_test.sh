#!/usr/bin/env bash
# zorvant-cli report against kvar2-emu: the page's and the JSON's figures against ones worked
# out independently from the logger's memory dump, the same figures from the logger and from
# its export, the PDF's fonts embedded and its pages rendered, both languages, recordings of
# no reading and of one, each refusal before anything goes down the line, and a stop request.
# usage: report_test.sh CLI EMULATOR
set -uo pipefail
source "$(dirname "$0")/lib.sh"
emu_options=(--dump-memory "$work/memory.bin" --transcript "$work/transcript.txt")
here=$(cd "$(dirname "$0")" && pwd)
# The figures of a JSON report, without what differs between a logger and its export.
figures() { python3 -c 'import json, sys
d = json.load(open(sys.argv[1]))
for k in ("made_at", "source", "request"): d.pop(k)
d["logger"].pop("battery")
print(json.dumps(d, sort_keys=True))' "$1"; }

# A full two-channel memory at 5 minutes a sample, channel B crossing both limits.
start_emu --unpaced --channels 2 --memory-start 0 --memory-bytes 32768 --write-pointer 0 --interval 7
# Limits between sixteenths: a reading of 2.0 lies below 2.03, one of 8.0 above 7.99.
opts=(--low 2.03 --high 7.99 --started-at 2026-12-01T08:00:00+01:00)
"$cli" report --port "$work/port" -o "$work/port.pdf" "${opts[@]}" >/dev/null; check "PDF from the logger" $?
"$cli" report --port "$work/port" -o "$work/port.json" "${opts[@]}" >/dev/null; check "JSON from the logger" $?
"$cli" read --port "$work/port" -o "$work/export.txt" >/dev/null 2>&1
"$cli" report --from-export "$work/export.txt" -o "$work/export.pdf" "${opts[@]}"
check "PDF from the export" $?
"$cli" report --from-export "$work/export.txt" -o "$work/export.json" "${opts[@]}"
check "JSON from the export" $?
for source in port export; do
  pdftotext -layout "$work/$source.pdf" "$work/$source-page.txt"
  python3 "$here/expected_report.py" "$work/memory.bin" 2 300 2026-12-01T08:00:00+01:00 2.03 \
    7.99 "$work/$source.json" "$work/$source-page.txt"
  check "$source: the page's and the JSON's figures as worked out from the memory" $?
done
grep -q "Dolna granica *2,03 °C *Górna granica *7,99 °C" "$work/port-page.txt" &&
  grep -q "górna granica 7,99 °C" "$work/port-page.txt" &&
  grep -q "dolna granica 2,03 °C" "$work/port-page.txt"
check "the limits as typed, alike in the table and in the chart's legend" $?
# A fridge on A and a freezer on B, each judged by its own limits.
fridge=(--low-a 2.03 --high-a 8.1 --low-b -10.1 --high-b 7.99)
"$cli" report --from-export "$work/export.txt" -o "$work/two.json" "${fridge[@]}" \
  --started-at 2026-12-01T08:00:00+01:00 &&
  "$cli" report --from-export "$work/export.txt" -o "$work/two.pdf" "${fridge[@]}" \
    --started-at 2026-12-01T08:00:00+01:00
check "two compartments: a report" $?
pdftotext -layout "$work/two.pdf" "$work/two-page.txt"
python3 "$here/expected_report.py" "$work/memory.bin" 2 300 2026-12-01T08:00:00+01:00 2.03:-10.1 \
  8.1:7.99 "$work/two.json" "$work/two-page.txt"
check "two compartments: each channel's figures against its own limits" $?
grep -q "granice A: od 2,03 °C do 8,1 °C" "$work/two-page.txt" &&
  grep -q "granice B: od -10,1 °C do 7,99 °C" "$work/two-page.txt"
check "two compartments: each channel's limits in the legend" $?
[ "$(figures "$work/port.json")" = "$(figures "$work/export.json")" ]
check "the same figures from the logger and from its export" $?
grep -q "Bateria  *OK" "$work/port-page.txt" &&
  grep -q "Bateria  *brak w pliku eksportu" "$work/export-page.txt"
check "the battery from the logger; an export has none" $?
grep -q "WYNIK: granice przekroczone" "$work/port-page.txt" &&
  grep -q "Przebieg całego zapisu" "$work/port-page.txt" &&
  grep -q "Sprawdził(a):" "$work/port-page.txt" && grep -q "strona 1 z 1" "$work/port-page.txt"
check "PDF: the verdict, the chart, the signature line, one page, in Polish" $?
pdfinfo "$work/port.pdf" >"$work/pdfinfo.txt"
grep -q "Page size: *595.276 x 841.89 pts (A4)" "$work/pdfinfo.txt"; check "PDF: A4 portrait" $?
grep -q "^Title: *Raport z rejestracji temperatury$" "$work/pdfinfo.txt" &&
  grep -q "^Creator: *zorvant-cli [0-9]" "$work/pdfinfo.txt" &&
  grep -q "^CreationDate: *[A-Z]" "$work/pdfinfo.txt"
check "PDF: its title, creator and creation date" $?
pdffonts "$work/port.pdf" >"$work/fonts.txt"
grep -q "DejaVuSans-Bold .* yes" "$work/fonts.txt" && ! grep -qv -e "^name" -e "^---" -e " yes  *yes" "$work/fonts.txt"
check "PDF: DejaVu Sans, every font embedded" $?
pdftoppm -png -r 40 "$work/port.pdf" "$work/page" && [ -s "$work/page-1.png" ]; check "PDF renders" $?

# English, one channel, no limits and no start: an SVG with times since the start.
"$cli" report --from-export "$work/export.txt" -o "$work/en.svg" --lang en --channels b --title "Cold store 3"
check "SVG in English" $?
grep -q ">Cold store 3</text>" "$work/en.svg" && grep -q ">Channel B</text>" "$work/en.svg" &&
  ! grep -q ">Channel A</text>" "$work/en.svg" && grep -q "No alarm limits were given" "$work/en.svg" &&
  grep -q ">+28 d 10:35:00 (sample 8191)</text>" "$work/en.svg"
check "SVG: the title, channel B alone, no limits, times since the start" $?
rsvg-convert "$work/en.svg" -o "$work/en.png" && [ -s "$work/en.png" ]; check "SVG renders" $?

# A recording of no reading and of one: still a page, which says so.
for setup in "0x20 0 Brak odczytów" "0x22 1 Jeden odczyt"; do
  read -r pointer count words <<<"$setup"
  start_emu --unpaced --channels 1 --write-pointer "$pointer"
  "$cli" report --port "$work/port" -o "$work/few.pdf" --low 2 --high 8 >/dev/null &&
    "$cli" report --port "$work/port" -o "$work/few.json" --low 2 --high 8 >/dev/null
  check "$count reading(s): a report" $?
  pdftotext "$work/few.pdf" - | grep -q "$words"; check "$count reading(s): the page says so" $?
  python3 -c 'import json, sys; d = json.load(open(sys.argv[1]))
assert d["recording"]["readings"] == int(sys.argv[2]) and d["channels"][0]["readings"] == int(sys.argv[2])
assert d["verdict"] == ("no_readings" if sys.argv[2] == "0" else "exceeded")' "$work/few.json" "$count" &&
    valid_json "$work/few.json"
  check "$count reading(s): the JSON's counts and verdict" $?
done

# Refusals: exit 2 with the reason, no file, and not a byte sent to the logger.
long_title=$(printf 'Chłodnia %.0s' $(seq 30))
rows=(
  "--low 130|-55 to 125" "--high -60|-55 to 125" "--low 10 --high 5|must be below --high"
  "--low 8 --high 8,0|must be below --high" "--low 7.01 --high 7.02|no reading can lie between them"
  "--low-b 5 --high-b 1|must be below --high-b" "--low 2 --low-a 3|excludes" "--lang de|de"
  "--activation-energy 0|from 1 to 1000" "--activation-energy 0.0001|from 1 to 1000"
  "--activation-energy 1000.5|from 1 to 1000" "--activation-energy -5|from 1 to 1000"
  "--activation-energy abc|from 1 to 1000" "--activation-energy inf|from 1 to 1000"
  "--activation-energy $(printf '9%.0s' $(seq 92))|from 1 to 1000"
  "--started-at 2026-02-30T00:00:00|no such day or time"
)
before=$(wc -l <"$work/transcript.txt")
for row in "${rows[@]}"; do
  IFS='|' read -r bad reason <<<"$row"
  # shellcheck disable=SC2086  # the options are words on purpose
  "$cli" report --port "$work/port" -o "$work/bad.pdf" $bad >/dev/null 2>"$work/err"
  [ $? = 2 ] && grep -q -- "$reason" "$work/err" && [ ! -e "$work/bad.pdf" ]; check "refused: $bad" $?
done
for output in bad.txt bad; do
  "$cli" report --port "$work/port" -o "$work/$output" >/dev/null 2>"$work/err"
  [ $? = 2 ] && grep -q "names no report format" "$work/err" && [ ! -e "$work/$output" ]
  check "refused: -o $output" $?
done
for title in $'A\tB' $'A\xffB' "$long_title"; do
  "$cli" report --port "$work/port" -o "$work/bad.pdf" --title "$title" >/dev/null 2>"$work/err"
  [ $? = 2 ] && grep -q "the title" "$work/err" && [ ! -e "$work/bad.pdf" ]
  check "refused: a title of $(wc -c <<<"$title") bytes" $?
done
grep -q "too long for the page: 270 characters" "$work/err"; check "the too long title: how long" $?
# A machine whose fonts hold no DejaVu: fontconfig offers another family, which is refused, not
# drawn with.
cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/liberation</dir><cachedir>$work/fc-cache</cachedir></fontconfig>
EOF
for output in bad.pdf bad.png; do
  command=report
  [ "$output" = bad.png ] && command="chart --overview"
  # shellcheck disable=SC2086  # the command is words on purpose
  FONTCONFIG_FILE=$work/fonts.conf "$cli" $command --port "$work/port" -o "$work/$output" \
    >/dev/null 2>"$work/err"
  [ $? = 13 ] && grep -q "DejaVu Sans" "$work/err" && [ ! -e "$work/$output" ]
  check "$command without DejaVu Sans: refused (exit 13), nothing drawn" $?
done
[ "$(wc -l <"$work/transcript.txt")" = "$before" ]; check "refusals send nothing" $?

# A stop request during the download: the stop's exit code and no file.
start_emu --paced --channels 2 --memory-start 0 --memory-bytes 32768 --write-pointer 0
timeout --preserve-status -s INT 2 "$cli" report --port "$work/port" -o "$work/stopped.pdf" >/dev/null 2>&1
[ $? = 130 ] && [ ! -e "$work/stopped.pdf" ]; check "SIGINT: exit 130, no report" $?

finish "report"
