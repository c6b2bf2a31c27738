#!/usr/bin/env bash
# Opens an exported ".xls" file with LibreOffice Calc (headless), saves it as
# CSV and checks that every cell Calc reads is the text the file holds: the
# same rows, the same columns, entities and accented letters read back.
# Usage: tools/check_xls_libreoffice.sh Clienti.xls
# Needs soffice (Debian: libreoffice-calc) and python3. Not part of the tests.
set -euo pipefail

xls=${1:?usage: $0 file.xls}
[ -f "$xls" ] || { echo "no such file: $xls" >&2; exit 2; }
command -v soffice >/dev/null || { echo "soffice not found (apt-get install libreoffice-calc)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$xls" "$work/export.xls"
# 44: comma, 34: double quote, 76: UTF-8; the HTML import reads the table.
HOME="$work" soffice --headless --norestore -env:UserInstallation=file://"$work"/profile \
  --infilter="calc_HTML_WebQuery" \
  --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false' \
  --outdir "$work" "$work/export.xls" >/dev/null 2>&1
[ -f "$work/export.csv" ] || { echo "LibreOffice did not convert the file" >&2; exit 1; }

python3 - "$work/export.xls" "$work/export.csv" <<'PY'
import csv, sys
from html.parser import HTMLParser

class Cells(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.row, self.cell = [], None, None
    def handle_starttag(self, tag, attrs):
        if tag == "tr": self.row = []
        elif tag == "td": self.cell = ""
    def handle_endtag(self, tag):
        if tag == "td": self.row.append(self.cell); self.cell = None
        elif tag == "tr": self.rows.append(self.row); self.row = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data

raw = open(sys.argv[1], "rb").read()
if b"\r" in raw or b"\n" in raw:
    print("note: the file holds line breaks")
parser = Cells()
parser.feed(raw.decode("cp1252"))
expected = parser.rows
with open(sys.argv[2], newline="", encoding="utf-8") as f:
    read = [row for row in csv.reader(f)]

def norm(row):
    row = list(row)
    while row and row[-1] == "": row.pop()
    return row

bad = 0
if len(read) != len(expected):
    print(f"rows: file {len(expected)}, Calc {len(read)}"); bad += 1
for i, (e, r) in enumerate(zip(expected, read), 1):
    if norm(e) != norm(r):
        bad += 1
        if bad <= 10:
            print(f"row {i}:\n  file: {norm(e)}\n  Calc: {norm(r)}")
cells = sum(len(r) for r in expected)
print(f"{len(expected)} rows, {cells} cells compared, {bad} rows differ")
sys.exit(1 if bad else 0)
PY
