#!/usr/bin/env bash
# Reads calendar files written by "Esporta calendario" with a real iCalendar
# parser (Debian's python3-icalendar, through the system python) and checks
# them: CRLF line ends, lines of at most 75 octets, UTF-8, every event with
# its UID, stamp, start, title and alarm. With no file it checks the golden
# year of the tests (tests/deadlines/golden/Scadenze_2026.ics, which the
# test test_icalendar keeps equal to what the program writes) field for field
# against the texts the test typed: accents, commas, semicolons, a backslash,
# line breaks and the euro sign.
# Usage: tools/check_ics_python.sh [Scadenze_2026.ics ...]
# Installs python3-icalendar with apt-get when missing. Not part of the tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
python=/usr/bin/python3 # the system's, which Debian's package serves

if ! "$python" -c 'import icalendar' 2>/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends python3-icalendar >/dev/null
fi

golden=0
if [ $# -eq 0 ]; then
  set -- "$root/tests/deadlines/golden/Scadenze_2026.ics"
  golden=1
fi

"$python" - "$golden" "$@" <<'PY'
import datetime, sys
import icalendar

golden = sys.argv[1] == "1"
bad = 0

def fail(message):
    global bad
    bad += 1
    print("FAIL", message)

for path in sys.argv[2:]:
    raw = open(path, "rb").read()
    lines = raw.split(b"\r\n")
    if lines[-1] != b"":
        fail(f"{path}: the last line does not end with CRLF")
    if b"\n" in raw.replace(b"\r\n", b"") or b"\r" in raw.replace(b"\r\n", b""):
        fail(f"{path}: a line break that is not CRLF")
    for n, line in enumerate(lines, 1):
        if len(line) > 75:
            fail(f"{path}: line {n} has {len(line)} octets")
    raw.decode("utf-8")  # raises on anything but UTF-8
    calendar = icalendar.Calendar.from_ical(raw)
    if calendar.get("VERSION") != "2.0" or not calendar.get("PRODID"):
        fail(f"{path}: VERSION or PRODID missing")
    events = calendar.walk("VEVENT")
    for e in events:
        for field in ("UID", "DTSTAMP", "DTSTART", "SUMMARY"):
            if e.get(field) is None:
                fail(f"{path}: an event without {field}")
        alarms = e.walk("VALARM")
        if len(alarms) != 1 or alarms[0].get("TRIGGER") is None or alarms[0].get("ACTION") != "DISPLAY":
            fail(f"{path}: event {e.get('UID')} has no alarm")
    print(f"{path}: {len(events)} events, {len(lines) - 1} lines read")

    if not golden:
        continue
    expected = [
        {
            "UID": "2026-1@scadenze.velarion.it",
            "DTSTART": datetime.date(2026, 3, 15),
            "DTEND": datetime.date(2026, 3, 16),
            "SUMMARY": "Rata IMU; acconto, 1\u00b0 semestre - Ristrutturazione C:\\Via Po",
            "DESCRIPTION": "Pagare entro le 12\nallo sportello: 539,928 \u20ac\nricevuta",
            "TRIGGER": -datetime.timedelta(days=10),
        },
        {
            "UID": "2026-2@scadenze.velarion.it",
            "DTSTART": datetime.datetime(2026, 3, 20, 9, 30),
            "DURATION": datetime.timedelta(hours=1),
            "SUMMARY": "Sopralluogo con l'ingegnere per la verifica della conformit\u00e0 urbanistica, "
                       "perch\u00e9 \u00e8 urgente - Ristrutturazione",
            "DESCRIPTION": None,
            "TRIGGER": datetime.timedelta(0),
        },
    ]
    if len(events) != len(expected):
        fail(f"{path}: {len(events)} events, {len(expected)} expected")
    for e, want in zip(events, expected):
        for field, value in want.items():
            if field == "TRIGGER":
                got = e.walk("VALARM")[0].decoded("TRIGGER")
            elif value is None:
                got = e.get(field)
            elif field in ("DTSTART", "DTEND", "DURATION"):
                got = e.decoded(field)
            else:
                got = str(e.get(field))
            if got != value:
                fail(f"{path}: {want['UID']} {field}: read {got!r}, written {value!r}")
        if str(e.walk("VALARM")[0].get("DESCRIPTION")) != want["SUMMARY"]:
            fail(f"{path}: {want['UID']}: the alarm's text is not the title")
        stamp = e.decoded("DTSTAMP")
        if stamp != datetime.datetime(2026, 12, 10, 8, 30, 5, tzinfo=stamp.tzinfo) or stamp.utcoffset() != datetime.timedelta(0):
            fail(f"{path}: {want['UID']} DTSTAMP read {stamp!r}")
    print(f"{path}: every field read back as written" if not bad else f"{path}: {bad} differences")

sys.exit(1 if bad else 0)
PY
