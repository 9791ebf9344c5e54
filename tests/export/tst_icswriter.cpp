#include "icswriter.h"
#include "testsupport.h"

#include <libical/ical.h>

namespace {

// The lines of the one event written for `note`, without BEGIN/END.
QStringList eventLines(const ReminderNote& note)
{
    const QString document = QString::fromUtf8(IcsWriter::write({ note }));
    QStringList lines = document.split(QStringLiteral("\r\n"));
    const qsizetype begin = lines.indexOf(QStringLiteral("BEGIN:VEVENT"));
    const qsizetype end = lines.indexOf(QStringLiteral("END:VEVENT"));
    return begin < 0 || end < 0 ? QStringList() : lines.mid(begin + 1, end - begin - 1);
}

} // namespace

class tst_IcsWriter : public QObject {
    Q_OBJECT

private slots:
    void event_data()
    {
        // expected: every line after UID, '|' between
        columns<QString, RepeatInterval, QDateTime, QString>("text", "repeat", "start", "expected");

        const QDateTime morning = berlin(2025, 3, 1, 8, 30);
        const QString hour = u"DTSTART:20250301T083000|DTEND:20250301T093000|"_qs;
        QTest::newRow("empty text, yearly") << QString() << RepeatInterval::Yearly << morning
                                            << hour + u"SUMMARY:Neue Notiz|RRULE:FREQ=YEARLY"_qs;
        QTest::newRow("weekly") << u"Sport"_qs << RepeatInterval::Weekly << morning
                                << hour + u"SUMMARY:Sport|DESCRIPTION:Sport|RRULE:FREQ=WEEKLY"_qs;
        QTest::newRow("night the clocks go forward")
            << u"X"_qs << RepeatInterval::Daily << berlin(2025, 3, 30, 1, 30)
            << u"DTSTART:20250330T013000|DTEND:20250330T033000|SUMMARY:X|DESCRIPTION:X|RRULE:FREQ=DAILY"_qs;
        // Doubled, and every kind of line break one escape; commas and semicolons: libicalReadsWhatWasMeant.
        QTest::newRow("backslash and carriage returns")
            << u"C:\\temp\r\nzwei\rdrei"_qs << RepeatInterval::Monthly << morning
            << hour + u"SUMMARY:C:\\\\temp|DESCRIPTION:C:\\\\temp\\nzwei\\ndrei|RRULE:FREQ=MONTHLY"_qs;
    }

    void event()
    {
        QFETCH(QString, text);
        QFETCH(RepeatInterval, repeat);
        QFETCH(QDateTime, start);

        ReminderNote note = appointment(text, start, start.addDays(2)); // the end plays no part
        note.repeatInterval = repeat;
        const QStringList lines = eventLines(note);
        QCOMPARE(lines.value(0),
            u"UID:"_qs + note.id.toString(QUuid::WithoutBraces).toUpper() + u"@zettelwerk"_qs);
        QTEST(lines.mid(1).join(u'|'), "expected");
    }

    void libicalReadsWhatWasMeant()
    {
        // Start and repeat rule are pinned byte for byte in event(); here the escapes as read.
        const ReminderNote first
            = appointment(u"Arzt, Termin; Raum 3\nbitte \\ nüchtern"_qs, berlin(2025, 3, 1, 8, 30));
        const ReminderNote second = appointment(u"Zweiter\r\nTermin"_qs, berlin(2025, 7, 14, 23, 30));
        // Plain notes are no events; every line ends in CR LF.
        const QByteArray written
            = IcsWriter::write({ first, plain(u"Notiz"_qs, berlin(2025, 1, 1)), second });
        QVERIFY(
            written.startsWith("BEGIN:VCALENDAR\r\n") && written.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));
        QCOMPARE(written.count("\r\n"), written.count('\n'));

        icalcomponent* calendar = icalparser_parse_string(written.constData());
        QVERIFY(calendar);
        QStringList events;
        for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            events << QString::fromUtf8(icalcomponent_get_summary(event)) + u'|'
                    + QString::fromUtf8(icalcomponent_get_description(event));
        icalcomponent_free(calendar);
        QCOMPARE(
            events, QStringList({ u"Arzt, Termin; Raum 3|"_qs + first.text, u"Zweiter|Zweiter\nTermin"_qs }));
    }
};

QTEST_GUILESS_MAIN(tst_IcsWriter)
#include "tst_icswriter.moc"
