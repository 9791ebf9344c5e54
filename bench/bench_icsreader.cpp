// Reading time of a large calendar export: 50,000 events written the way calendar services
// write them (CRLF, folded lines, time zones, all-day events, rules and alarms).
#include "benchsupport.h"
#include "icsreader.h"

#include <libical/ical.h>

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int eventCount = 50'000;

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

// libical reads the whole file into its component tree, as a calendar program does.
qsizetype libicalEvents(const QByteArray& file)
{
    icalcomponent* calendar = icalparser_parse_string(file.constData());
    if (!calendar)
        return 0;
    const qsizetype events = icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT);
    icalcomponent_free(calendar);
    return events;
}

} // namespace

int main()
{
    const QByteArray file = generate();
    qsizetype ours = 0;
    qsizetype theirs = 0;
    const double oursMs = Bench::medianMs([] {}, [&] { ours = parseICSData(file).size(); });
    const double peerMs = Bench::medianMs([] {}, [&] { theirs = libicalEvents(file); });
    if (ours != eventCount || theirs != eventCount) {
        std::fprintf(stderr, "bench_icsreader: read %lld events, libical %lld, of %d\n",
            static_cast<long long>(ours), static_cast<long long>(theirs), eventCount);
        return 1;
    }
    const double megabytes = double(file.size()) / 1e6;
    const auto rate = [megabytes](double ms) {
        return QStringLiteral(" (%1 MB/s)").arg(megabytes / (ms / 1000.0), 0, 'f', 0);
    };
    Bench::row(QStringLiteral("ICS reader, %L1 events (%2 MB)").arg(eventCount).arg(megabytes, 0, 'f', 1),
        Bench::ms(oursMs) + rate(oursMs), Bench::ms(peerMs) + rate(peerMs), Bench::speedRatio(oursMs, peerMs),
        QStringLiteral("≥ 3× faster"), peerMs >= 3 * oursMs);
    return 0;
}
