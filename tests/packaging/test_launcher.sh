#!/bin/bash
# The launcher of the installed program, run from a copy of the installed tree
# (usr/bin/velarion and the template opt/velarion/) with a HOME of its own and
# a stand-in executable that logs how it was started.
#   test_launcher.sh <launcher script>
set -u
launcher_source="$1"
work="$(mktemp -d)"
trap 'rm -rf -- "$work"' EXIT
failures=0
check() { # check <description> <command...>
  local what="$1"
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

root="$work/root"
template="$root/opt/velarion"
mkdir -p "$root/usr/bin" "$template"
cp "$launcher_source" "$root/usr/bin/velarion"
export HOME="$work/home"
mkdir -p "$HOME"
folder="$HOME/Velarion"

# a program of the given version that logs its path, its folder and its version
make_program() {
  # shellcheck disable=SC2016 # the stand-in expands these when it runs
  printf '#!/bin/bash\necho "$0|$PWD|%s" >>"$HOME/started.log"\n' "$1" >"$template/Velarion"
  chmod 755 "$template/Velarion"
}
make_program 1.0
printf 'guide 1.0' >"$template/Guida.pdf"
printf 'ID3 sound' >"$template/Avviso.mp3"
printf '[Accesso]\r\nValore=INITIAL\r\n' >"$template/unins000.dll"
chmod 644 "$template/Guida.pdf" "$template/Avviso.mp3" "$template/unins000.dll"

start() { "$root/usr/bin/velarion" 2>"$work/stderr"; }
started_lines() { [ -f "$HOME/started.log" ] && wc -l <"$HOME/started.log" || echo 0; }

# --- first start: the template becomes the user's program folder
start
check "first start succeeds" test $? -eq 0
check "the program folder holds a copy of the template" diff -r "$template" "$folder"
check "the program starts from the user's folder" \
  test "$(tail -n 1 "$HOME/started.log")" = "$folder/Velarion|$folder|1.0"
check "the user may write the password file" test -w "$folder/unins000.dll"
check "no half-made folder is left behind" test -z "$(find "$HOME" -maxdepth 1 -name '.Velarion.*')"

# --- the user works: archives, settings, a new password, attachments,
# case folders, backups and exports
head -c 3000 /dev/urandom >"$folder/Clienti.pro"
head -c 1200 /dev/urandom >"$folder/Pratiche.pro"
head -c 800 /dev/urandom >"$folder/Archivio_Documenti.pro"
for ext in prt prg eur sca; do head -c 700 /dev/urandom >"$folder/2025.$ext"; done
printf '[Numerazione Protocollo]\r\nUltimo=12\r\n' >"$folder/Quorbis.ini"
printf '[Accesso]\r\nValore=CHANGED\r\n' >"$folder/unins000.dll"
mkdir -p "$folder/Documenti_Allegati" "$folder/Pratica_3" "$folder/Backup/2025-03-01"
printf 'attached' >"$folder/Documenti_Allegati/pianta.pdf"
printf 'drawing' >"$folder/Pratica_3/rilievo.dwg"
cp "$folder/Clienti.pro" "$folder/Backup/2025-03-01/Clienti.pro"
printf '<table>' >"$folder/Clienti.xls"
printf '%%PDF' >"$folder/Cliente.pdf"
(cd "$folder" && find . -type f ! -name Velarion ! -name Guida.pdf ! -name Avviso.mp3 -print0 |
  xargs -0 sha256sum) >"$work/users_files"

# --- the package is upgraded: a new executable, guide and picture, and a
# template that now also brings settings, a password file and an archive of
# its own, which must not replace the user's
make_program 2.0
printf 'guide 2.0, longer' >"$template/Guida.pdf"
mkdir -p "$template/Immagini"
printf 'PNG' >"$template/Immagini/logo.png"
printf '[Accesso]\r\nValore=NEWINITIAL\r\n' >"$template/unins000.dll"
printf '[Numerazione Protocollo]\r\nUltimo=0\r\n' >"$template/Quorbis.ini"
: >"$template/Clienti.pro"
mkdir -p "$template/Documenti_Allegati"
printf 'sample' >"$template/Documenti_Allegati/pianta.pdf"

start
check "second start succeeds" test $? -eq 0
# shellcheck disable=SC2016 # expanded by the inner shell
check "every file of the user is kept byte for byte" \
  bash -c 'cd "$1" && sha256sum --quiet -c "$2"' - "$folder" "$work/users_files"
check "nothing of the user's was added to" test "$(find "$folder/Documenti_Allegati" -type f | wc -l)" -eq 1
check "the guide is refreshed" cmp -s "$template/Guida.pdf" "$folder/Guida.pdf"
check "a new picture folder arrives" cmp -s "$template/Immagini/logo.png" "$folder/Immagini/logo.png"
check "the upgraded program starts" test "$(tail -n 1 "$HOME/started.log")" = "$folder/Velarion|$folder|2.0"
check "the sound, unchanged, is still there" cmp -s "$template/Avviso.mp3" "$folder/Avviso.mp3"
check "no partial copies are left in the folder" test -z "$(find "$folder" -name '.*.new')"

# --- a user's settings file that went missing comes back from the template,
# the rest stays
rm "$folder/Quorbis.ini"
start
check "a missing settings file is supplied again" cmp -s "$template/Quorbis.ini" "$folder/Quorbis.ini"
check "the password file is still the user's" grep -q CHANGED "$folder/unins000.dll"

# --- something that is not a folder stands where the program folder goes
rm -rf "$folder"
printf 'not a folder' >"$folder"
before=$(started_lines)
start
check "a file named Velarion stops the start" test $? -ne 0
check "...and is left as it was" test "$(cat "$folder")" = "not a folder"
check "...and the program does not start" test "$(started_lines)" -eq "$before"
check "...and the user is told why" grep -q "is not a folder" "$work/stderr"
rm -f "$folder"

# --- a program folder on a shared drive, reached through a link
mkdir -p "$work/shared"
ln -s "$work/shared/Velarion" "$folder"
start
check "a link to a drive that is not there stops the start" test $? -ne 0
check "...with its reason" grep -q "cannot be reached" "$work/stderr"
mkdir -p "$work/shared/Velarion"
printf 'shared archive' >"$work/shared/Velarion/Clienti.pro"
start
check "a linked shared folder is used in place" test -L "$folder"
check "...and keeps its archive" test "$(cat "$work/shared/Velarion/Clienti.pro")" = "shared archive"
check "...and receives the program" cmp -s "$template/Velarion" "$work/shared/Velarion/Velarion"

# --- the reminders at log-in: the installed program reads the user's folder
# as it is, neither made nor refreshed; "Apri" comes back through the launcher
# shellcheck disable=SC2016 # the stand-in expands these when it runs
printf '#!/bin/bash\necho "$0|$*" >>"$HOME/arguments.log"\n' >"$template/Velarion"
before="$(sha256sum <"$work/shared/Velarion/Velarion")"
"$root/usr/bin/velarion" --promemoria 2>"$work/stderr"
check "the reminders start the installed program on the user's folder" \
  test "$(tail -n 1 "$HOME/arguments.log")" = \
  "$(cd "$template" && pwd -P)/Velarion|--promemoria $folder $(readlink -f "$root/usr/bin/velarion")"
check "...and leave the folder's program as it was" test "$(sha256sum <"$work/shared/Velarion/Velarion")" = "$before"
start_with() { "$root/usr/bin/velarion" "$@" 2>"$work/stderr"; }
start_with --scadenzario
check "the launcher hands its options to the program" \
  test "$(tail -n 1 "$HOME/arguments.log")" = "$folder/Velarion|--scadenzario"
rm "$folder"
lines="$(wc -l <"$HOME/arguments.log")"
start_with --promemoria
check "no program folder: the reminders say nothing" test $? -eq 0 -a ! -s "$work/stderr"
check "...start nothing" test "$(wc -l <"$HOME/arguments.log")" -eq "$lines"
check "...and make no folder" test ! -e "$folder" -a ! -L "$folder"

# --- the template has gone (a broken installation)
rm -rf "$template"
start
check "a missing template is reported" grep -q "not installed correctly" "$work/stderr"

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
