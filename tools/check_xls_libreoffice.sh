#!/usr/bin/env bash
# Opens exported ".xls" files with LibreOffice Calc (headless) by its own
# format detection, as a double-click does, saves each as CSV and checks that
# every cell Calc reads is the text the file holds: the same rows, the same
# columns, codes with their leading zeros, decimal commas, formulas kept as
# text, entities and accented letters read back. Each file is read in an
# Italian and in an English locale.
# Usage: tools/check_xls_libreoffice.sh [file.xls ...]
# With no file it checks every export the program writes (clients, cases,
# documents, deadlines, protocol, projects, movements and the three unpaid
# lists), written by build/tests/samples/velarion_sample_exports from archives
# filled with such texts (build it first).
# Installs what is missing (libreoffice-calc-nogui, locales) with apt-get.
# Not part of the tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
command -v soffice >/dev/null || $sudo apt-get install -y --no-install-recommends libreoffice-calc-nogui >/dev/null
command -v localedef >/dev/null || $sudo apt-get install -y --no-install-recommends locales >/dev/null
locales=(it_IT en_US)
for l in "${locales[@]}"; do
  locale -a | grep -qx "$l.utf8" || $sudo localedef -i "$l" -f UTF-8 "$l.UTF-8"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -eq 0 ]; then
  samples="$root/build/tests/samples/velarion_sample_exports"
  [ -x "$samples" ] || { echo "build velarion_sample_exports first (cmake --build build --target velarion_sample_exports)" >&2; exit 2; }
  mapfile -t files < <("$samples" "$work/program" | cut -d' ' -f1)
else
  files=("$@")
fi

check() {
  /usr/bin/python3 - "$1" "$2" <<'PY'
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
}

failed=0
for xls in "${files[@]}"; do
  [ -f "$xls" ] || { echo "no such file: $xls" >&2; exit 2; }
  for l in "${locales[@]}"; do
    dir="$work/$l"
    rm -rf "$dir" && mkdir -p "$dir"
    cp "$xls" "$dir/export.xls"
    # 44: comma, 34: double quote, 76: UTF-8
    LC_ALL="$l.UTF-8" LANG="$l.UTF-8" HOME="$dir" soffice --headless --norestore \
      -env:UserInstallation=file://"$dir"/profile \
      --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false' \
      --outdir "$dir" "$dir/export.xls" >/dev/null 2>&1 || true
    [ -f "$dir/export.csv" ] || { echo "$(basename "$xls") [$l]: LibreOffice did not convert the file"; failed=1; continue; }
    printf '%s [%s]: ' "$(basename "$xls")" "$l"
    check "$dir/export.xls" "$dir/export.csv" || failed=1
  done
done
exit "$failed"
