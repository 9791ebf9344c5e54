#!/usr/bin/env python3
"""The peers of the benchmarks: the same work in plain Python, on the same data file.

    peer.py json FILE RUNS          median ms of json.load, of json.dump, and of json.dumps and one write
    peer.py check FILE RUNS NOW     median ms of one alarm check cycle (saving FILE when one fired)
    peer.py lists FILE RUNS NOW     median ms of the panel's five lists and the month's day markers

NOW is an ISO date-time in local time. Records are dicts as json.load gives them, with their dates
parsed once beforehand (as a program would keep them in memory).
"""
import calendar
import datetime as dt
import json
import os
import statistics
import sys
import time

UTC = dt.timezone.utc


def parse(text):
    return dt.datetime.strptime(text, "%Y-%m-%dT%H:%M:%SZ").replace(tzinfo=UTC)


def load(path):
    with open(path, encoding="utf-8") as f:
        records = json.load(f)
    for r in records:
        r["_alarm"] = parse(r["alarmDate"])
        r["_created"] = parse(r["createdAt"])
        r["_end"] = parse(r["alarmEndDate"]) if "alarmEndDate" in r else None
    return records


def save(path, records):
    plain = [{k: v for k, v in r.items() if not k.startswith("_")} for r in records]
    with open(path, "w", encoding="utf-8") as f:
        json.dump(plain, f, ensure_ascii=False, separators=(",", ":"))


def add_months(day, months):
    month = day.month - 1 + months
    year = day.year + month // 12
    month = month % 12 + 1
    return day.replace(year=year, month=month, day=min(day.day, calendar.monthrange(year, month)[1]))


def next_occurrence(date, interval, now):
    local = date.astimezone()
    step = 0
    while True:
        step += 1
        if interval == "Täglich":
            nxt = local + dt.timedelta(days=step)
        elif interval == "Wöchentlich":
            nxt = local + dt.timedelta(weeks=step)
        elif interval == "Monatlich":
            nxt = add_months(local, step)
        else:
            nxt = add_months(local, 12 * step)
        if nxt > now:
            return nxt.astimezone(UTC)


def check(path, records, now):
    log = []
    changed = False
    for r in records:
        if not r["hasAlarm"] or r["isTriggered"] or r["_alarm"] > now:
            continue
        log.append('[AlarmService] Firing alarm for: "%s" alarmDate=%s' % (r["text"][:30], r["_alarm"]))
        if r["repeatInterval"] == "Keine":
            r["isTriggered"] = True
        else:
            r["_alarm"] = next_occurrence(r["_alarm"], r["repeatInterval"], now)
            r["alarmDate"] = r["_alarm"].strftime("%Y-%m-%dT%H:%M:%SZ")
        changed = True
    if changed:
        save(path, records)


def lists(records, now):
    today = now.date()
    tz = now.tzinfo
    start = dt.datetime.combine(today, dt.time(), tz)
    tomorrow = dt.datetime.combine(today + dt.timedelta(days=1), dt.time(), tz)
    alarm = lambda r: r["_alarm"]
    appointments = [r for r in records if r["hasAlarm"]]
    future = sorted((r for r in appointments if r["_alarm"] >= tomorrow), key=alarm, reverse=True)
    today_list = sorted((r for r in appointments if start <= r["_alarm"] < tomorrow), key=alarm, reverse=True)
    past = sorted((r for r in appointments if r["_alarm"] < start), key=alarm, reverse=True)
    notes = sorted((r for r in records if not r["hasAlarm"]), key=lambda r: r["_created"], reverse=True)
    day = sorted((r for r in appointments if r["_alarm"] < tomorrow and (r["_end"] or r["_alarm"]) >= start),
                 key=alarm)
    # Day markers of the month: every day that a ranged appointment touches.
    month_start = dt.datetime(today.year, today.month, 1, tzinfo=tz)
    month_end = add_months(month_start, 1)
    markers = {}
    for r in appointments:
        begin, end = r["_alarm"], r["_end"] or r["_alarm"]
        if not begin < month_end or end < month_start:
            continue
        imported = bool(r.get("importSource"))
        cursor = max(begin, month_start).astimezone(tz)
        while cursor < min(end, month_end):
            if cursor.month == today.month:
                kind = markers.get(cursor.day)
                markers[cursor.day] = "mixed" if kind not in (None, "event" if imported else "note") else (
                    "event" if imported else "note")
            cursor = dt.datetime.combine(cursor.date() + dt.timedelta(days=1), dt.time(), tz)
    return future, today_list, past, notes, day, markers


def median_ms(work, runs, prepare=lambda: None):
    times = []
    for _ in range(runs):
        state = prepare()
        begin = time.perf_counter()
        work(state)
        times.append((time.perf_counter() - begin) * 1000)
    return statistics.median(times)


def main():
    mode, path, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    out = path + ".python"
    if mode == "json":
        loaded = []

        def read(_):
            with open(path, encoding="utf-8") as f:
                loaded.append(json.load(f))

        def write(_):
            with open(out, "w", encoding="utf-8") as f:
                json.dump(loaded[0], f, ensure_ascii=False, separators=(",", ":"))

        def write_at_once(_):
            text = json.dumps(loaded[0], ensure_ascii=False, separators=(",", ":"))
            with open(out, "w", encoding="utf-8") as f:
                f.write(text)

        print("%.3f %.3f %.3f" % (median_ms(read, runs), median_ms(write, runs), median_ms(write_at_once, runs)))
    else:
        now = dt.datetime.fromisoformat(sys.argv[4]).astimezone()
        records = load(path)
        if mode == "check":
            # Each run starts from the same state: the fired records are put back as they were.
            due = [r for r in records if r["hasAlarm"] and not r["isTriggered"] and r["_alarm"] <= now]
            saved = [(r, r["isTriggered"], r["_alarm"], r["alarmDate"]) for r in due]

            def reset():
                for r, triggered, alarm, text in saved:
                    r["isTriggered"], r["_alarm"], r["alarmDate"] = triggered, alarm, text
                return records

            print("%.3f" % median_ms(lambda state: check(out, state, now), runs, reset))
        elif mode == "lists":
            print("%.3f" % median_ms(lambda _: lists(records, now), runs))
    if os.path.exists(out):
        os.remove(out)


if __name__ == "__main__":
    main()
