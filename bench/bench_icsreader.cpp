// Reading time of a large calendar export: 50,000 events written the way calendar services
// write them (CRLF, folded lines, time zones, all-day events, rules and alarms).
#include "icsreader.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int eventCount = 50'000;
constexpr int repetitions = 7;

// Long lines are folded every 75 bytes, continuations start with one space.
void appendFolded(QByteArray& out, const QByteArray& line)
{
    qsizetype at = 0;
    while (line.size() - at > 75) {
        out += line.mid(at, 75);
        out += "\r\n ";
        at += 75;
    }
    out += line.mid(at);
    out += "\r\n";
}

QByteArray generate()
{
    static const char* zones[]
        = { "Europe/Berlin", "America/New_York", "Asia/Tokyo", "W. Europe Standard Time" };
    static const char* rules[] = { "FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10", "FREQ=MONTHLY;INTERVAL=3",
        "FREQ=DAILY;UNTIL=20261231T000000Z", "FREQ=YEARLY" };
    QByteArray out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//DE\r\n";
    for (const char* zone : zones) {
        out += "BEGIN:VTIMEZONE\r\nTZID:" + QByteArray(zone)
            + "\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
              "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
              "END:STANDARD\r\nEND:VTIMEZONE\r\n";
    }
    const QDate first(2024, 1, 1);
    for (int i = 0; i < eventCount; ++i) {
        const QDate day = first.addDays(i / 24);
        const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray hour = QByteArray::number(8 + i % 12).rightJustified(2, '0');
        out += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i)
            + "-bench@example.org\r\nDTSTAMP:20240101T000000Z\r\n";
        if (i % 5 == 0) {
            out += "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:"
                + day.addDays(1).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
        } else if (i % 5 == 1) {
            out += "DTSTART:" + date + "T" + hour + "0000Z\r\nDTEND:" + date + "T" + hour + "3000Z\r\n";
        } else {
            const QByteArray zone = zones[i % 4];
            out += "DTSTART;TZID=" + zone + ":" + date + "T" + hour + "0000\r\nDTEND;TZID=" + zone + ":"
                + date + "T" + hour + "4500\r\n";
        }
        appendFolded(
            out, "SUMMARY:Besprechung Nr. " + QByteArray::number(i) + " – Planung\\, Budget\\; Räume");
        appendFolded(out,
            "DESCRIPTION:Agenda:\\n1. Begrüßung\\n2. Zahlen des Quartals\\, Rückblick und Ausblick\\n3. "
            "Verschiedenes\\nOrt: Konferenzraum Süd\\, 3. Etage. Bitte pünktlich erscheinen und Unterlagen "
            "mitbringen.");
        out += "LOCATION:Konferenzraum Süd\r\nSTATUS:CONFIRMED\r\n";
        if (i % 3 == 0)
            out += "RRULE:" + QByteArray(rules[i % 4]) + "\r\n";
        if (i % 2 == 0) {
            out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Erinnerung\r\nTRIGGER:-PT15M\r\nEND:"
                   "VALARM\r\n";
        }
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

} // namespace

int main()
{
    const QByteArray file = generate();
    QList<double> times;
    qsizetype events = 0;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        events = parseICSData(file).size();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const double ms = times.at(times.size() / 2);
    const double megabytes = double(file.size()) / 1e6;
    std::printf("ICS reader: %lld events, %.1f MB in %.1f ms (median of %d): %.0f MB/s, %.0f events/s\n",
        static_cast<long long>(events), megabytes, ms, repetitions, megabytes / (ms / 1000.0),
        double(events) / (ms / 1000.0));
    return events == eventCount ? 0 : 1;
}
