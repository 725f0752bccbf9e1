#!/usr/bin/env bash
# Opens the CSV files the program writes in a real spreadsheet, LibreOffice Calc without a
# window, and fails unless every cell arrives as what it is: numbers as numbers, bit words
# as texts of sixteen bits, time stamps as dates, motor hours as durations, Cyrillic intact
# and no column shifted. The default style is imported under ru_RU.UTF-8 with ";", the point
# style in English with ",". Installs Calc and the Russian locale when they are missing and
# builds the program when needed. Too heavy for CI: run it by hand.
set -euo pipefail
cd "$(dirname "$0")/.."

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in libreoffice-calc-nogui locales python3; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

zurval=build/src/app/zurval
sample_tool=build/tools/zurval-sample/zurval-sample
if [ ! -x "$zurval" ] || [ ! -x "$sample_tool" ]; then
  scripts/install-deps.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target zurval zurval-sample >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/folder/2026" "$work/comma" "$work/point"
"$sample_tool" "$work/folder/sample.vrl"
# A second reading of the same recorder, so that the summary's growth columns are filled.
cp "$work/folder/sample.vrl" "$work/folder/2026/again.vrl"
sample=$work/folder/sample.vrl

# Under the C locale, as a script or a cron job runs it: the files must not depend on it.
for style in comma point; do
  out=$work/$style
  LC_ALL=C.UTF-8 "$zurval" --export frames "$sample" --csv "$out/frames.csv" --csv-style $style
  LC_ALL=C.UTF-8 "$zurval" --export overloads "$sample" --csv "$out/overloads.csv" --csv-style $style
  LC_ALL=C.UTF-8 "$zurval" --summary "$work/folder" --csv "$out/summary.csv" --csv-style $style
done
# The archive's crane list and the readings of the sample's recorder.
recorder=$(LC_ALL=C.UTF-8 "$zurval" --archive-db "$work/archive.sqlite" --archive add "$work/folder" >/dev/null &&
  LC_ALL=C.UTF-8 "$zurval" --archive-db "$work/archive.sqlite" --archive list |
  python3 -c 'import json, sys; print(json.load(sys.stdin)["cranes"][0]["recorder_number"])')
for style in comma point; do
  LC_ALL=C.UTF-8 "$zurval" --archive-db "$work/archive.sqlite" --archive list \
    --csv "$work/$style/archive-list.csv" --csv-style $style
  LC_ALL=C.UTF-8 "$zurval" --archive-db "$work/archive.sqlite" --archive crane "$recorder" \
    --csv "$work/$style/archive-crane.csv" --csv-style $style
done

# Token 1 the separator, 2 the quote, 3 the character set (76: UTF-8), 4 the first line,
# 6 the language (1049 Russian, 1033 English US).
import() {
  local locale=$1 options=$2 dir=$3
  LC_ALL=$locale soffice -env:UserInstallation="file://$work/profile" --headless \
    --infilter="CSV:$options" --convert-to fods --outdir "$dir" \
    "$dir/frames.csv" "$dir/overloads.csv" "$dir/summary.csv" "$dir/archive-list.csv" \
    "$dir/archive-crane.csv" >/dev/null 2>&1
}
import ru_RU.UTF-8 59,34,76,1,,1049 "$work/comma"
import C.UTF-8 44,34,76,1,,1033 "$work/point"

python3 - "$work" <<'EOF'
import csv, re, sys, xml.etree.ElementTree as ET
from datetime import datetime

work = sys.argv[1]
NS = {
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
}
def q(prefix, name):
    return "{%s}%s" % (NS[prefix], name)

# What each column must arrive as; a column not named here is a text.
FLOAT, DATE, TIME, BITS = "float", "date", "time", "bits"
# A date, or a text where there is none ("достигнуто", "нет данных").
DATE_OR_TEXT = "date or text"
growth = {c: FLOAT for c in ("Прирост циклов 100% < M < 110%", "Прирост циклов 110% < M < 120%",
                             "Прирост циклов 120% < M < 125%", "Прирост циклов 125% < M")}
KINDS = {
    "frames": {
        **{c: FLOAT for c in ("Номер кадра", "Ветер м/с", "Перемещение по путям м.",
                              "Высота подъема крюка м.", "Азимут град.", "Температура град.",
                              "Вылет м.", "Усилие кгс.", "Масса груза т.", "Момент загрузки %",
                              "Исправность", "Достигнутые ограничения", "Метка записи")},
        **{c: BITS for c in ("Дискретные входы", "Выходные реле", "Введенные ограничения",
                             "Сработавшие ограничения")},
        "Время/Дата": DATE,
    },
    "overloads": {
        **{c: FLOAT for c in ("Номер кадра", "Процент загрузки %", "Пасп. грузоподъемность т.",
                              "Вылет м.", "Метка записи")},
        "Дата": DATE,
    },
    "summary": {
        **{c: FLOAT for c in ("№ крана", "Хар. число текущее", "Хар. число нормативное",
                              "Перегрузок > 125%", "Макс. перегрузка, %", "Новых перегрузок")},
        **growth,
        **{c: DATE for c in ("Дата считывания", "Дата макс. перегрузки", "Последний кадр")},
        **{c: TIME for c in ("Общая наработка", "Прирост наработки")},
    },
}
archive = {
    **{c: FLOAT for c in ("№ крана", "Считываний", "Хар. число текущее", "Хар. число нормативное",
                          "Новых перегрузок > 125%")},
    "Общая наработка": TIME,
}
KINDS["archive-list"] = {**archive, "Последнее считывание": DATE,
                         "Прогноз экспертизы": DATE_OR_TEXT}
KINDS["archive-crane"] = {**archive, "Дата считывания": DATE}
TEXTS = {"frames": "Норма", "overloads": "Норма", "summary": "цел", "archive-list": "да",
         "archive-crane": "оператор"}

def stamp(text):
    """The date (and time) a field of the file names, in either style's form."""
    for form in ("%d.%m.%Y %H:%M:%S", "%d.%m.%Y %H:%M", "%d.%m.%Y",
                 "%Y-%m-%d %H:%M:%S", "%Y-%m-%d %H:%M", "%Y-%m-%d"):
        try:
            return datetime.strptime(text, form)
        except ValueError:
            pass
    return None

def duration(text):
    """Hours, minutes, seconds and sign of "9350:37:00" or of a cell's "PT9350H37M00S"."""
    m = re.fullmatch(r"([-+]?)(\d+):(\d+):(\d+)", text) or \
        re.fullmatch(r"(-?)PT(\d+)H(\d+)M(\d+)(?:\.0+)?S", text or "")
    return m and (m[1] == "-", int(m[2]), int(m[3]), int(m[4]))

def sheet_rows(path):
    """Each row of the first sheet as (value-type, value, shown text) per cell."""
    body = ET.parse(path).getroot().find("office:body/office:spreadsheet", NS)
    table = body.find("table:table", NS)
    rows = []
    for row in table.iter(q("table", "table-row")):
        cells = []
        for cell in row.findall("table:table-cell", NS):
            shown = "\n".join("".join(p.itertext()) for p in cell.findall("text:p", NS))
            kind = cell.get(q("office", "value-type"))
            value = (cell.get(q("office", "value")) or cell.get(q("office", "date-value"))
                     or cell.get(q("office", "time-value")))
            repeat = int(cell.get(q("table", "number-columns-repeated"), "1"))
            cells += [(kind, value, shown)] * min(repeat, 1024)
        # Empty cells after the last one written are no part of the row.
        while cells and cells[-1][0] is None:
            cells.pop()
        repeat = int(row.get(q("table", "number-rows-repeated"), "1"))
        if cells:
            rows += [cells] * repeat
    return rows

def check(style, name, separator, decimal):
    csv_path = f"{work}/{style}/{name}.csv"
    with open(csv_path, encoding="utf-8-sig", newline="") as f:
        lines = list(csv.reader(f, delimiter=separator))
    header = lines[0]
    rows = sheet_rows(f"{work}/{style}/{name}.fods")
    problems = []
    def problem(text):
        if len(problems) < 10:
            problems.append(text)
    if len(rows) != len(lines):
        problem(f"{len(rows)} rows in the sheet, {len(lines)} lines in the file")
    sheet_header = [shown for _, _, shown in rows[0]] if rows else []
    if sheet_header != header:
        problem(f"header arrived as {sheet_header[:5]}...")
    counts = {FLOAT: 0, DATE: 0, TIME: 0, BITS: 0, "string": 0}
    for n, (line, cells) in enumerate(zip(lines[1:], rows[1:]), start=2):
        if len(cells) > len(header):
            problem(f"row {n}: {len(cells)} cells under {len(header)} columns")
            continue
        cells = cells + [(None, None, "")] * (len(header) - len(cells))
        for column, text, (kind, value, shown) in zip(header, line, cells):
            if text == "":
                if kind is not None:
                    problem(f"row {n} {column}: empty field arrived as {kind}")
                continue
            wanted = KINDS[name].get(column, "string")
            if wanted == DATE_OR_TEXT:
                wanted = DATE if stamp(text) else "string"
            where = f"row {n} {column} {text!r}"
            if wanted == FLOAT:
                if kind != "float" or float(value) != float(text.replace(decimal, ".")):
                    problem(f"{where}: arrived as {kind} {value}, not the number")
            elif wanted == BITS:
                if kind != "string" or not re.fullmatch(r"[01]{4}( [01]{4}){3}", shown):
                    problem(f"{where}: arrived as {kind} {shown!r}, not sixteen bits of text")
            elif wanted == DATE:
                if kind != "date" or stamp(text) is None or \
                        datetime.fromisoformat(value) != stamp(text):
                    problem(f"{where}: arrived as {kind} {value}, not that date")
            elif wanted == TIME:
                if kind != "time" or duration(text) is None or duration(value) != duration(text):
                    problem(f"{where}: arrived as {kind} {value}, not that duration")
            elif kind != "string" or shown != text:
                problem(f"{where}: arrived as {kind} {shown!r}, not that text")
            counts[wanted] += 1
    if not any(TEXTS[name] == shown for cells in rows for _, _, shown in cells):
        problem(f"no cell reads {TEXTS[name]!r}: Cyrillic did not arrive")
    summary = ", ".join(f"{v} {k}" for k, v in counts.items() if v)
    state = "ok" if not problems else "FAILED"
    print(f"{state:6} {style:5} {name + '.csv':14} {len(lines) - 1:5} rows x {len(header)} "
          f"columns: {summary}")
    for p in problems:
        print("         " + p)
    return not problems

results = []
for style, separator, decimal in (("comma", ";", ","), ("point", ",", ".")):
    for name in ("frames", "overloads", "summary", "archive-list", "archive-crane"):
        results.append(check(style, name, separator, decimal))
if not all(results):
    sys.exit("The spreadsheet did not read every CSV file right.")
print("Every CSV file reads right in LibreOffice Calc: "
      "comma style under ru_RU.UTF-8 with \";\", point style in English with \",\".")
EOF
