#!/usr/bin/env bash
# The desktop's real notification daemon, dunst, shows what the app sends when it finds an alarm
# missed at start: one "Verpasste Erinnerung" with the appointment's time and title; and when its
# calendar folder is wiped, why it removed nothing. Runs under dbus-run-session and xvfb-run; the
# app's binary is the argument.
set -euo pipefail
app=$1
home=$(mktemp -d)
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$home"
}
pids=()
trap cleanup EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run
export ASAN_OPTIONS=detect_leaks=0
mkdir -m 700 "$XDG_RUNTIME_DIR"

dunst >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do dunstctl count >/dev/null 2>&1 && break; sleep 0.1; done

at=$(date -d '-2 hour' '+%Y-%m-%d %H:%M')
"$app" add "Zahnarzt" --at "$at" >/dev/null
"$app" >/dev/null 2>&1 &
pids+=($!)
# Waits up to $1 tenths of a second for a notification, closes it and keeps dunst's history.
shown() {
  for _ in $(seq "$1"); do
    [[ $(dunstctl count displayed 2>/dev/null || echo 0) -gt 0 ]] && break
    sleep 0.1
  done
  dunstctl close-all
  history=$(dunstctl history)
}
# The first check comes 10 s after the start.
shown 300
grep -q '"data" : "Verpasste Erinnerung"' <<<"$history" || { echo "dunst shows no missed alarm:"; echo "$history"; exit 1; }
# An alarm from before midnight is named with its day.
when=${at#* }
[[ ${at% *} == $(date '+%Y-%m-%d') ]] || when="$(date -d "${at% *}" '+%d.%m.') $when"
grep -q "\"data\" : \"$when Zahnarzt\"" <<<"$history" || { echo "dunst shows another body:"; echo "$history"; exit 1; }

# The calendar folder wiped while the app keeps it in step: nothing is removed, and it says so.
folder=$home/kalender
mkdir "$folder"
"$app" sync-folder "$folder" >/dev/null
"$app" add "Friseur" --at "$(date -d '+1 day' '+%Y-%m-%d 10:00')" >/dev/null
"$app" add "Bäcker" --at "$(date -d '+2 day' '+%Y-%m-%d 10:00')" >/dev/null
for _ in $(seq 100); do
  [[ $(find "$folder" -name '*.ics' | wc -l) -eq 3 ]] && break
  sleep 0.1
done
[[ $(find "$folder" -name '*.ics' | wc -l) -eq 3 ]] || { echo "the app did not publish its appointments"; exit 1; }
rm "$folder"/*.ics
shown 100
grep -q '"data" : "Kalender-Abgleich"' <<<"$history" || { echo "dunst shows no sync message:"; echo "$history"; exit 1; }
grep -q '3 Termine fehlen im Ordner' <<<"$history" || { echo "dunst shows another sync message:"; echo "$history"; exit 1; }
[[ $("$app" list | wc -l) -eq 3 ]] || { echo "the wiped folder removed records"; exit 1; }
echo "dunst: ok"
