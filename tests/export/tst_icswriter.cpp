#include "icswriter.h"
#include "testsupport.h"

#include <libical/ical.h>

class tst_IcsWriter : public QObject {
    Q_OBJECT

private slots:
    void event_data()
    {
        // expected: the event's lines after its UID, '|' between
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
        // Doubled, and every kind of line break one escape: the file reads back as typed.
        QTest::newRow("escapes, carriage returns")
            << u"C:\\temp, a; b\r\nzwei\rdrei"_qs << RepeatInterval::Monthly << morning
            << hour
                + u"SUMMARY:C:\\\\temp\\, a\\; b|DESCRIPTION:C:\\\\temp\\, a\\; b\\nzwei\\ndrei|RRULE:FREQ=MONTHLY"_qs;
    }

    void event()
    {
        QFETCH(QString, text);
        QFETCH(RepeatInterval, repeat);
        QFETCH(QDateTime, start);
        QFETCH(QString, expected);

        ReminderNote note = appointment(text, start, start.addDays(2)); // the end plays no part
        note.repeatInterval = repeat;
        // The whole file: the calendar around its one event, each line ended by CR LF.
        QCOMPARE(QString::fromUtf8(IcsWriter::write({ note })),
            u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Zettelwerk//DE\r\nBEGIN:VEVENT\r\nUID:"_qs
                + note.id.toString(QUuid::WithoutBraces).toUpper() + u"@zettelwerk\r\n"_qs
                + expected.replace(u'|', u"\r\n"_qs) + u"\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"_qs);
    }

    void libicalReadsTheDocument()
    {
        // How libical reads the escapes: tst_syncfile comesBackWhole, through the same escape functions.
        const QByteArray written = IcsWriter::write(
            { appointment(u"Erster"_qs, berlin(2025, 3, 1, 8, 30)), plain(u"Notiz"_qs, berlin(2025, 1, 1)),
                appointment(u"Zweiter"_qs, berlin(2025, 7, 14, 23, 30)) });
        // Plain notes are no events; every line ends in CR LF.
        QCOMPARE(written.count("\r\n"), written.count('\n'));
        icalcomponent* calendar = icalparser_parse_string(written.constData());
        QVERIFY(calendar);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 2);
        icalcomponent_free(calendar);
    }
};

QTEST_GUILESS_MAIN(tst_IcsWriter)
#include "tst_icswriter.moc"
