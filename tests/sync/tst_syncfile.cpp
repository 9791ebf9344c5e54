#include "syncfile.h"
#include "testsupport.h"

#include <QUrl>

#include <libical/ical.h>

namespace {

QString travelling(const ReminderNote& note)
{
    const auto time
        = [](const QDateTime& moment) { return moment.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_s); };
    if (!note.hasAlarm) {
        const QString created = note.createdAt.toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
        return QStringList { u"Notiz"_s, note.text, created }.join(u" | "_s);
    }
    return QStringList { note.text, time(note.alarmDate),
        note.alarmEndDate ? time(*note.alarmEndDate) : u"–"_s, repeatIntervalText(note.repeatInterval),
        note.usePopup ? u"popup"_s : u"no popup"_s, note.useSound ? note.soundName : u"silent"_s }
        .join(u" | "_s);
}

QByteArray calendarWith(const QByteArray& lines, const QByteArray& component = "VEVENT")
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:" + component + "\r\n" + lines + "END:" + component
        + "\r\nEND:VCALENDAR\r\n";
}

QByteArray exactText(const QString& text)
{
    return "X-ZETTELWERK-TEXT:" + QUrl::toPercentEncoding(text) + "\r\n";
}

} // namespace

class tst_SyncFile : public QObject {
    Q_OBJECT

private slots:
    void comesBackWhole_data()
    {
        // shown: SUMMARY | DESCRIPTION as another program reads them; exact: the exact text carried beside
        columns<ReminderNote, QString, bool>("note", "shown", "exact");

        const QDateTime start = berlin(2026, 3, 28, 14, 30); // the day before the clock change
        QTest::newRow("range over the clock change")
            << appointment(u"Urlaub"_s, start, berlin(2026, 3, 30, 9, 0)) << u"Urlaub | Urlaub"_s << false;
        ReminderNote weekly = appointment(u"Chor\nProbe; Noten, mitbringen \\ Mappe"_s, start);
        weekly.repeatInterval = RepeatInterval::Weekly;
        QTest::newRow("weekly, escapes")
            << weekly << u"Chor | Chor\nProbe; Noten, mitbringen \\ Mappe"_s << false;
        // Over 75 bytes in two-byte letters: folded between letters, never inside one.
        const QString longText = QString(60, u'ä') + u" 🎂 "_s + QString(40, u'ö');
        QTest::newRow("long") << appointment(longText, start) << QString(50, u'ä') + u" | "_s + longText
                              << false;
        ReminderNote sound = appointment(u"Wecker"_s, start);
        sound.usePopup = false;
        sound.useSound = true;
        sound.soundName = u"Ping"_s;
        QTest::newRow("sound, no popup") << sound << u"Wecker | Wecker"_s << false;

        // Plain notes, made just after the clock change: the title as summary, what follows as description.
        const auto note
            = [](const char* name, const QString& text, const QString& shown, bool exact = false) {
                  QTest::newRow(name) << plain(text, berlin(2026, 3, 29, 3, 15)) << shown << exact;
              };
        note("note, a title alone", u"Einkaufsliste"_s, u"Einkaufsliste | "_s);
        note("note, escapes, empty lines", u"Markt; Süd, Stand 3\n\nÄpfel \\ Birnen\n\n"_s,
            u"Markt; Süd, Stand 3 | \nÄpfel \\ Birnen\n\n"_s);
        note("note, CR LF inside", u"Einkauf\r\nMilch\r\nEier"_s, u"Einkauf | Milch\nEier"_s, true);
        // libical drops the spaces at the start of a value; the exact text keeps them for us.
        note("note, spaces around the title", u"  Idee  \nweiter"_s, u"Idee | Idee  \nweiter"_s, true);
        note("note, empty", QString(), u" | "_s);
    }

    void comesBackWhole()
    {
        QFETCH(ReminderNote, note);
        // A UID as another program spells it is written back as it came.
        const QString uid = note.id.toString(QUuid::WithoutBraces).toUpper();
        const QByteArray file = SyncFile::write(note, { utc(2026, 3, 1, 12, 0), 3, uid });
        for (const QByteArray& line : file.split('\n'))
            QVERIFY2(line.size() <= 76, line.constData()); // 75 and the CR

        const auto back = SyncFile::read(file);
        QVERIFY(back);
        QCOMPARE(back->note.id, note.id);
        QCOMPARE(travelling(back->note), travelling(note));
        QCOMPARE(std::tuple(back->stamp.modified, back->stamp.sequence, back->stamp.uid),
            std::tuple(utc(2026, 3, 1, 12, 0), 3, uid));
        QTEST(file.contains("X-ZETTELWERK-TEXT"), "exact");

        icalcomponent* calendar = icalparser_parse_string(file.constData());
        QVERIFY(calendar);
        icalcomponent* component = icalcomponent_get_first_component(
            calendar, note.hasAlarm ? ICAL_VEVENT_COMPONENT : ICAL_VJOURNAL_COMPONENT);
        QVERIFY(component);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_ANY_COMPONENT), 1);
        QCOMPARE(QString::fromUtf8(icalcomponent_get_uid(component)), uid);
        const char* description = icalcomponent_get_description(component);
        QTEST(QString::fromUtf8(icalcomponent_get_summary(component)) + u" | "_s
                + QString::fromUtf8(description ? description : ""),
            "shown");
        // A journal entry without a day is a note to the programs that show them; an event rings.
        QCOMPARE(icalcomponent_count_components(component, ICAL_VALARM_COMPONENT), note.hasAlarm ? 1 : 0);
        QCOMPARE(icalcomponent_count_properties(component, ICAL_DTSTART_PROPERTY), note.hasAlarm ? 1 : 0);
        QCOMPARE(icalcomponent_count_properties(component, ICAL_XLICERROR_PROPERTY), 0);
        icalcomponent_free(calendar);
    }

    void fromElsewhere_data()
    {
        // expected: empty: not read as a record
        columns<QByteArray, QString>("file", "expected");

        const QByteArray uid = "UID:7d3e2f7a-59a8-4b5e-9a43-0c6f2d1b8e11\r\n";
        QTest::newRow("a phone's event: title and note, zone, no settings of ours")
            << calendarWith(uid
                   + "DTSTART;TZID=America/New_York:20261207T083000\r\nSUMMARY:Zahnarzt\r\n"
                     "DESCRIPTION:Karte mitbringen\r\n")
            << u"Zahnarzt\nKarte mitbringen | 2026-12-07 14:30 | – | Keine | popup | silent"_s;
        QTest::newRow("the alarm's text is not the event's, folded lines")
            << calendarWith(uid
                   + "DTSTART:20261207T14\r\n 3000\r\nSUMMARY:Chor\r\nRRULE:FREQ=WEEKLY;BYDAY=MO\r\n"
                     "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Erinnerung\r\nEND:VALARM\r\n")
            << u"Chor | 2026-12-07 14:30 | – | Wöchentlich | popup | silent"_s;
        const QByteArray x = "DTSTART:20261207T143000\r\nSUMMARY:X\r\n";
        const QString readX = u"X | 2026-12-07 14:30 | – | Keine | popup | silent"_s;
        QTest::newRow("an end before the start is no end")
            << calendarWith(uid + "DTEND:20261207T120000\r\n" + x) << readX;
        QTest::newRow("no uid") << calendarWith(x) << QString();
        QTest::newRow("a phone's uid, no UUID") << calendarWith("UID:abc@example.org\r\n" + x) << readX;
        QTest::newRow("no start") << calendarWith(uid + "SUMMARY:X\r\n") << QString();
        QTest::newRow("not UTF-8") << calendarWith(uid + QByteArray(x).replace('X', '\xff')) << QString();

        QTest::newRow("a journal entry of another program, on a day") << calendarWith(uid
                + "DTSTAMP:20261208T090000Z\r\nDTSTART;VALUE=DATE:20261207\r\nSUMMARY:Idee\r\n"
                  "DESCRIPTION:Zeile 1\\nZeile 2\r\n",
            "VJOURNAL") << u"Notiz | Idee\nZeile 1\nZeile 2 | 2026-12-07 00:00:00"_s;
        QTest::newRow("a journal entry with only a stamp")
            << calendarWith(uid + "DTSTAMP:20261208T090000Z\r\nSUMMARY:Idee\r\n", "VJOURNAL")
            << u"Notiz | Idee | 2026-12-08 10:00:00"_s;
        const QByteArray created = "CREATED:20261201T080000Z\r\n";
        QTest::newRow("our exact text, still matching") << calendarWith(
            uid + created + "SUMMARY:Einkauf\r\nDESCRIPTION:Brot\r\n" + exactText(u"Einkauf\r\nBrot"_s),
            "VJOURNAL") << u"Notiz | Einkauf\r\nBrot | 2026-12-01 09:00:00"_s;
        QTest::newRow("our exact text, the description edited elsewhere") << calendarWith(
            uid + created + "SUMMARY:Einkauf\r\nDESCRIPTION:Milch\r\n" + exactText(u"Einkauf\r\nBrot"_s),
            "VJOURNAL") << u"Notiz | Einkauf\nMilch | 2026-12-01 09:00:00"_s;
        QTest::newRow("exact text, spaces at the ends lost on the way") << calendarWith(uid + created
                + "SUMMARY:Idee\r\nDESCRIPTION:Idee  \\nweiter\r\n" + exactText(u"  Idee  \nweiter"_s),
            "VJOURNAL") << u"Notiz |   Idee  \nweiter | 2026-12-01 09:00:00"_s;
        QTest::newRow("exact text that is no UTF-8")
            << calendarWith(uid + created + "SUMMARY:Einkauf\r\nX-ZETTELWERK-TEXT:%FF\r\n", "VJOURNAL")
            << u"Notiz | Einkauf | 2026-12-01 09:00:00"_s;
        QTest::newRow("a journal entry without any time")
            << calendarWith(uid + "SUMMARY:Idee\r\n", "VJOURNAL") << QString();
    }

    void fromElsewhere()
    {
        QFETCH(QByteArray, file);
        const auto incoming = SyncFile::read(file);
        QTEST(incoming ? travelling(incoming->note) : QString(), "expected");
        // Written back, the file keeps the UID it came with, and the record its id.
        if (incoming) {
            const QByteArray back = SyncFile::write(incoming->note, incoming->stamp);
            const qsizetype at = file.indexOf("UID:");
            QVERIFY(back.contains("\r\n" + file.mid(at, file.indexOf('\r', at) - at) + "\r\n"));
            QCOMPARE(SyncFile::read(back)->note.id, incoming->note.id);
        }
    }

    void neverStartsAProgram()
    {
        // The application and the shell command stay this machine's own, whatever a file says.
        ReminderNote local = appointment(u"Backup"_s, berlin(2026, 12, 7, 9, 0));
        local.launchAppPath = u"/usr/share/applications/thunderbird.desktop"_s;
        local.shellScript = u"rsync -a ~ /backup"_s;
        const QByteArray crafted = calendarWith("UID:" + local.id.toByteArray(QUuid::WithoutBraces)
            + "\r\nDTSTART:20261207T100000\r\nSUMMARY:Backup\r\n"
              "X-ZETTELWERK-SHELL:rm -rf ~\r\nX-ZETTELWERK-SHELL-SCRIPT:rm -rf ~\r\n"
              "X-ZETTELWERK-APP:/usr/bin/xterm\r\nX-ZETTELWERK-LAUNCH-APP-PATH:/usr/bin/xterm\r\n"
              "BEGIN:VALARM\r\nACTION:PROCEDURE\r\nATTACH:file:///bin/sh\r\nTRIGGER:PT0S\r\nEND:VALARM\r\n");
        const auto incoming = SyncFile::read(crafted);
        QVERIFY(incoming);
        QCOMPARE(incoming->note.launchAppPath + incoming->note.shellScript, QString());
        const ReminderNote merged = SyncFile::merged(local, incoming->note);
        QCOMPARE(std::tuple(merged.launchAppPath, merged.shellScript, merged.alarmDate),
            std::tuple(local.launchAppPath, local.shellScript, berlin(2026, 12, 7, 10, 0)));
        // Nor does our own file carry them to the server.
        const QByteArray ours = SyncFile::write(local, {});
        QVERIFY(!ours.contains("rsync") && !ours.contains("thunderbird"));
    }
};

QTEST_MAIN(tst_SyncFile)
#include "tst_syncfile.moc"
