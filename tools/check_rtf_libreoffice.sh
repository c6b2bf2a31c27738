#!/usr/bin/env bash
# Opens the project sheet ("Scheda_Progetto.rtf") with LibreOffice Writer
# (headless), saves it as XHTML and checks what Writer reads against what the
# file holds: the title centred and bold, the rule centred, then every field
# in order, its label bold and its value plain and as written, each line of a
# memo on a line of its own, braces and backslashes as typed.
# Usage: tools/check_rtf_libreoffice.sh Scheda_Progetto.rtf
# Needs soffice (Debian: libreoffice-writer) and python3. Not part of the tests.
set -euo pipefail

rtf=${1:?usage: $0 Scheda_Progetto.rtf}
[ -f "$rtf" ] || { echo "no such file: $rtf" >&2; exit 2; }
command -v soffice >/dev/null || { echo "soffice not found (apt-get install libreoffice-writer)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$rtf" "$work/sheet.rtf"
HOME="$work" soffice --headless --norestore -env:UserInstallation=file://"$work"/profile \
  --convert-to 'html:XHTML Writer File:UTF8' --outdir "$work" "$work/sheet.rtf" >/dev/null 2>&1
[ -f "$work/sheet.html" ] || { echo "LibreOffice did not convert the file" >&2; exit 1; }

python3 - "$work/sheet.rtf" "$work/sheet.html" <<'PY'
import re, sys
from html.parser import HTMLParser

# What the file holds: the fields in order, values unescaped, paragraph
# marks inside a value as line breaks.
raw = open(sys.argv[1], "rb").read().decode("cp1252")
if b"\r" in open(sys.argv[1], "rb").read() or "\n" in raw:
    print("note: the file holds raw line breaks")
title = "SCHEDA RIEPILOGATIVA PROGETTO"
if not raw.startswith("{\\rtf1") or title not in raw:
    print("not a project sheet"); sys.exit(1)
fields = re.findall(r"\\par (?:\\pard\\f0\\fs20 |\\b )(.*?)\\b0\\f1  \\f0 (.*?)(?:\\b)?\\par(?=\\par)", raw)
def unescape(v):
    out, i = "", 0
    while i < len(v):
        if v.startswith("\\par ", i): out += "\n"; i += 5
        elif v[i] == "\\" and i + 1 < len(v): out += v[i + 1]; i += 2
        else: out += v[i]; i += 1
    return out
fields = [(label, unescape(value)) for label, value in fields]

# What Writer reads: paragraphs of spans, with their classes' styles.
html = open(sys.argv[2], encoding="utf-8").read()
styles = {name: props for name, props in re.findall(r"\.(\w+) \{([^}]*)\}", html)}
class Paragraphs(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.paras, self.cur, self.span = [], None, None
    def handle_starttag(self, tag, attrs):
        cls = dict(attrs).get("class", "")
        if tag in ("p", "h1", "h2", "h3"): self.cur = {"style": styles.get(cls, ""), "spans": []}
        elif tag == "span" and self.cur is not None: self.span = styles.get(cls, "")
    def handle_endtag(self, tag):
        if tag in ("p", "h1", "h2", "h3") and self.cur is not None:
            self.paras.append(self.cur); self.cur = None
        elif tag == "span": self.span = None
    def handle_data(self, data):
        if self.cur is not None:
            self.cur["spans"].append((data, self.span if self.span is not None else self.cur["style"]))
p = Paragraphs(); p.feed(html)
paras = [q for q in p.paras if "".join(t for t, _ in q["spans"]).strip()]

bold = lambda s: "font-weight:bold" in s
centred = lambda q: "text-align:center" in q["style"]
text = lambda q: "".join(t for t, _ in q["spans"])
bad = []
if text(paras[0]) != title or not centred(paras[0]) or not all(bold(s) for _, s in paras[0]["spans"]):
    bad.append(f"title: {text(paras[0])!r}, centred {centred(paras[0])}")
if text(paras[1]) != "_" * 48 or not centred(paras[1]):
    bad.append(f"rule: {text(paras[1])!r}")
at = 2
for label, value in fields:
    lines = [l for l in value.split("\n") if l.strip()] or [""]
    q = paras[at] if at < len(paras) else {"style": "", "spans": []}
    spans = q["spans"]
    head = "".join(t for t, s in spans if bold(s))
    rest = "".join(t for t, s in spans if not bold(s))
    if head != label or not spans or not bold(spans[0][1]) or centred(q):
        bad.append(f"label {label!r}: Writer reads bold {head!r}, centred {centred(q)}")
    if rest != " " + lines[0] and not (lines[0] == "" and rest.strip() == ""):
        bad.append(f"{label} value: file {lines[0]!r}, Writer {rest[1:]!r}")
    at += 1
    for line in lines[1:]:
        q = paras[at] if at < len(paras) else {"style": "", "spans": []}
        if text(q) != line or any(bold(s) for _, s in q["spans"]):
            bad.append(f"{label} line: file {line!r}, Writer {text(q)!r}")
        at += 1
if at != len(paras): bad.append(f"{len(paras) - at} paragraphs more than the file holds")
for b in bad[:20]: print(b)
print(f"{len(fields)} fields, {at} paragraphs compared, {len(bad)} differ")
sys.exit(1 if bad or len(fields) != 24 else 0)
PY
