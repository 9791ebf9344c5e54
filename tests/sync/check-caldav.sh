#!/usr/bin/env bash
# Two machines keep their appointments in step through a real CalDAV server: Radicale on a free
# local port, and vdirsyncer syncing each machine's calendar folder with the same calendar. Adds in
# A, edits in B, meets a conflicting edit on both (and brings the older back) and deletes in A; a
# shell command set in A never reaches B; an event a phone made (its UID no UUID) is taken in and
# edited in place. With notes on in both, a note from A reaches B as typed, and A switching notes off
# deletes nothing in B. The app's binary is the argument.
set -euo pipefail
app=$1
root=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
export TZ=Europe/Berlin LC_ALL=C.UTF-8 ASAN_OPTIONS=detect_leaks=0
py=/usr/bin/python3 # Debian's, which Radicale and vdirsyncer use

port=$($py -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$root/server"
cat >"$root/radicale.conf" <<EOF
[server]
hosts = 127.0.0.1:$port
[auth]
type = none
[storage]
filesystem_folder = $root/server
[logging]
level = warning
EOF
radicale --config "$root/radicale.conf" >"$root/radicale.log" 2>&1 &
server=$!
url="http://127.0.0.1:$port/zw/kalender/"
for _ in $(seq 100); do
  $py -c "import urllib.request as u; u.urlopen('http://127.0.0.1:$port/.web/')" 2>/dev/null && break
  sleep 0.1
done
# The calendar the two machines share, made as a CalDAV client makes one that holds events and
# journal entries (servers refuse components a calendar does not name).
$py - "$url" <<'PY'
import base64, sys, urllib.request
body = b"""<?xml version="1.0" encoding="utf-8"?>
<C:mkcalendar xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:set><D:prop>
<C:supported-calendar-component-set><C:comp name="VEVENT"/><C:comp name="VJOURNAL"/></C:supported-calendar-component-set>
</D:prop></D:set></C:mkcalendar>"""
request = urllib.request.Request(sys.argv[1], data=body, method="MKCALENDAR")
request.add_header("Authorization", "Basic " + base64.b64encode(b"zw:x").decode())
request.add_header("Content-Type", "application/xml; charset=utf-8")
urllib.request.urlopen(request)
PY

# One machine: its own data, settings and runtime folders, calendar folder and vdirsyncer pair.
machine() {
  local name=$1 dir=$root/$1
  mkdir -p "$dir/data" "$dir/config" "$dir/cal" "$dir/status"
  mkdir -m 700 "$dir/run"
  cat >"$dir/vdirsyncer.conf" <<EOF
[general]
status_path = "$dir/status/"

[pair kalender]
a = "lokal"
b = "server"
collections = null
conflict_resolution = "b wins"

[storage lokal]
type = "filesystem"
path = "$dir/cal/"
fileext = ".ics"

[storage server]
type = "caldav"
url = "$url"
username = "zw"
password = "x"
EOF
  VDIRSYNCER_CONFIG=$dir/vdirsyncer.conf vdirsyncer --verbosity ERROR discover >/dev/null
  on "$name" "$app" sync-folder "$dir/cal" >/dev/null
}
on() {
  local dir=$root/$1
  shift
  HOME=$dir XDG_DATA_HOME=$dir/data XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir/run \
    VDIRSYNCER_CONFIG=$dir/vdirsyncer.conf "$@"
}
# What the server has comes to the folder first, so that the app meets both sides of a conflict
# and keeps the later change; then what the app wrote goes to the server.
exchange() {
  on "$1" vdirsyncer --verbosity ERROR sync
  on "$1" "$app" sync >/dev/null
  on "$1" vdirsyncer --verbosity ERROR sync
}
field() { on "$1" "$app" show "$2" --json | $py -c "import json, sys; print(json.load(sys.stdin).get('$3', ''))"; }
fail() {
  echo "caldav: $*"
  exit 1
}

machine a
machine b
# A second one stays: vdirsyncer refuses to empty a calendar, and rightly so.
on a "$app" add "Friseur" --at "2027-03-09 10:00" >/dev/null
id=$(on a "$app" add "Zahnarzt" --at "2027-03-08 14:30" --shell "touch $root/pwned")
exchange a
exchange b
[ "$(field b "$id" alarmDate)" = "$(field a "$id" alarmDate)" ] || fail "B has another time: $(on b "$app" list)"
[ "$(field b "$id" text)" = "Zahnarzt" ] || fail "B lacks the appointment: $(on b "$app" list)"
[ -z "$(field b "$id" shellScript)" ] || fail "the shell command reached B"

on b "$app" edit "$id" --text "Zahnarzt Dr. Weber" >/dev/null
exchange b
exchange a
[ "$(field a "$id" text)" = "Zahnarzt Dr. Weber" ] || fail "B's edit did not reach A"
[ "$(field a "$id" shellScript)" = "touch $root/pwned" ] || fail "A lost its own shell command"

# Both change it; B's change is the later one and wins, A's is kept aside in B.
on a "$app" edit "$id" --text "von A" >/dev/null
sleep 1.1
on b "$app" edit "$id" --text "von B" >/dev/null
exchange a
exchange b
exchange a
[ "$(field a "$id" text)" = "von B" ] || fail "A shows $(field a "$id" text), not the later change"
[ "$(field b "$id" text)" = "von B" ] || fail "B shows $(field b "$id" text), not its own later change"
grep -q '"von A"' "$root/b/data/Zettelwerk/sync-conflicts.json" || fail "A's version was not kept in B"
# B brings A's version back; it travels like any edit, and B's own is kept aside in its place.
on b "$app" sync-conflicts | grep -q "von A" || fail "sync-conflicts does not list A's version"
on b "$app" undo-conflict "${id:0:8}" >/dev/null || fail "undo-conflict failed"
exchange b
exchange a
[ "$(field a "$id" text)" = "von A" ] || fail "the version brought back in B did not reach A"
grep -q '"von B"' "$root/b/data/Zettelwerk/sync-conflicts.json" || fail "B's version was not kept aside"

# An event a phone put on the server, its UID no UUID: B takes it in, and B's edit goes back to the
# same event, UID and all, not to a second one.
$py - "${url}telefon-1.ics" <<'PY'
import base64, sys, urllib.request
body = (b"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Telefon//DE\r\nBEGIN:VEVENT\r\n"
        b"UID:telefon-1@example.org\r\nDTSTAMP:20261201T080000Z\r\nDTSTART:20270310T090000\r\n"
        b"SUMMARY:Vom Telefon\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
request = urllib.request.Request(sys.argv[1], data=body, method="PUT")
request.add_header("Authorization", "Basic " + base64.b64encode(b"zw:x").decode())
request.add_header("Content-Type", "text/calendar; charset=utf-8")
urllib.request.urlopen(request)
PY
exchange b
phone=$(on b "$app" list | grep "Vom Telefon" | cut -f1)
[ -n "$phone" ] || fail "B did not take in the phone's event: $(on b "$app" list)"
on b "$app" edit "$phone" --text "Vom Telefon, verlegt" >/dev/null
exchange b
held=$(grep -rl --exclude-dir=.Radicale.cache 'UID:telefon-1@example.org' "$root/server")
[ "$(wc -l <<<"$held")" = 1 ] || fail "the phone's event is on the server as: $held"
grep -qF 'SUMMARY:Vom Telefon\, verlegt' "$held" || fail "B's edit did not reach the phone's event"

# Notes travel once both choose them: as typed, line ends, empty lines, escapes and all.
on a "$app" sync-folder --notizen an >/dev/null
on b "$app" sync-folder --notizen an >/dev/null
text=$'-- Einkauf; Markt, Süd\r\n\r\nÄpfel \\ Birnen\r\nÖl'
note=$(on a "$app" add -- "$text")
exchange a
exchange b
grep -rqs 'BEGIN:VJOURNAL' "$root/server" || fail "the server holds no journal entry"
exact() { on "$1" "$app" show "$2" --json | $py -c "import json, sys; print(repr(json.load(sys.stdin).get('text')))"; }
[ "$(exact b "$note")" = "$(printf '%s' "$text" | $py -c 'import sys; print(repr(sys.stdin.buffer.read().decode()))')" ] ||
  fail "B has the note as $(exact b "$note")"
[ "$(field b "$note" hasAlarm)" = "False" ] || fail "the note became an appointment in B"
# A stops following notes: what it then deletes stays in B.
on a "$app" sync-folder --notizen aus >/dev/null
on a "$app" delete "$note" >/dev/null
exchange a
exchange b
on b "$app" show "$note" >/dev/null 2>&1 || fail "A switched notes off, and B lost the note"

on a "$app" delete "$id" >/dev/null
exchange a
exchange b
on b "$app" show "$id" >/dev/null 2>&1 && fail "deleted in A, still in B: $(on b "$app" list)"
on b "$app" list | grep -q Friseur || fail "B lost the other appointment: $(on b "$app" list)"
[ -e "$root/pwned" ] && fail "a synced file started a program"
echo "caldav: ok"
