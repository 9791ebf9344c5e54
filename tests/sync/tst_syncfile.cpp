#include "syncfile.h"
#include "testsupport.h"

#include <QTest>

#include <libical/ical.h>

using namespace Qt::StringLiterals;

namespace {

// The fields that travel, in one line, so that a table row compares them at once.
QString travelling(const ReminderNote& note)
{
    const auto time
        = [](const QDateTime& moment) { return moment.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_s); };
    return QStringList { note.text, time(note.alarmDate),
        note.alarmEndDate ? time(*note.alarmEndDate) : u"–"_s, repeatIntervalText(note.repeatInterval),
        note.usePopup ? u"popup"_s : u"no popup"_s, note.useSound ? note.soundName : u"silent"_s }
        .join(u" | "_s);
}

QByteArray calendarWith(const QByteArray& lines)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n" + lines + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

} // namespace

class tst_SyncFile : public QObject {
    Q_OBJECT

private slots:
    void comesBackWhole_data();
    void comesBackWhole();
    void fromElsewhere_data();
    void fromElsewhere();
    void neverStartsAProgram();
};

void tst_SyncFile::comesBackWhole_data()
{
    QTest::addColumn<ReminderNote>("note");

    const QDateTime start = berlin(2026, 3, 28, 14, 30); // the day before the clock change
    QTest::newRow("plain") << appointment(u"Zahnarzt"_s, start);
    QTest::newRow("range over the clock change")
        << appointment(u"Urlaub"_s, start, berlin(2026, 3, 30, 9, 0));
    ReminderNote weekly = appointment(u"Chor\nProbe; Noten, mitbringen \\ Mappe"_s, start);
    weekly.repeatInterval = RepeatInterval::Weekly;
    QTest::newRow("weekly, escapes") << weekly;
    // Over 75 bytes in two-byte letters: folded between letters, never inside one.
    QTest::newRow("long") << appointment(QString(60, u'ä') + u" 🎂 "_s + QString(40, u'ö'), start);
    ReminderNote sound = appointment(u"Wecker"_s, start);
    sound.usePopup = false;
    sound.useSound = true;
    sound.soundName = u"Ping"_s;
    QTest::newRow("sound, no popup") << sound;
}

void tst_SyncFile::comesBackWhole()
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
    QCOMPARE(back->stamp.modified, utc(2026, 3, 1, 12, 0));
    QCOMPARE(back->stamp.sequence, 3);
    QCOMPARE(back->stamp.uid, uid);

    // Another calendar program reads the same event from it.
    icalcomponent* calendar = icalparser_parse_string(file.constData());
    QVERIFY(calendar);
    icalcomponent* vevent = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    QVERIFY(vevent);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_uid(vevent)), uid);
    QCOMPARE(QString::fromUtf8(icalcomponent_get_description(vevent)), note.text);
    QCOMPARE(icalcomponent_count_components(vevent, ICAL_VALARM_COMPONENT), 1);
    QCOMPARE(icalcomponent_count_properties(vevent, ICAL_XLICERROR_PROPERTY), 0);
    icalcomponent_free(calendar);
}

void tst_SyncFile::fromElsewhere_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected"); // empty: not read as a record

    const QByteArray uid = "UID:7d3e2f7a-59a8-4b5e-9a43-0c6f2d1b8e11\r\n";
    QTest::newRow("a phone's event: title and note, zone, no settings of ours")
        << calendarWith(uid
               + "DTSTART;TZID=America/New_York:20261207T083000\r\nSUMMARY:Zahnarzt\r\n"
                 "DESCRIPTION:Karte mitbringen\r\n")
        << u"Zahnarzt\nKarte mitbringen | 2026-12-07 14:30 | – | Keine | popup | silent"_s;
    QTest::newRow("title changed elsewhere: both kept")
        << calendarWith(uid
               + "DTSTART:20261207T143000\r\nSUMMARY:Zahnarzt Dr. Weber\r\n"
                 "DESCRIPTION:Zahnarzt\\nKarte\r\n")
        << u"Zahnarzt Dr. Weber\nZahnarzt\nKarte | 2026-12-07 14:30 | – | Keine | popup | silent"_s;
    QTest::newRow("the alarm's text is not the event's, folded lines")
        << calendarWith(uid
               + "DTSTART:20261207T14\r\n 3000\r\nSUMMARY:Chor\r\nRRULE:FREQ=WEEKLY;BYDAY=MO\r\n"
                 "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Erinnerung\r\nEND:VALARM\r\n")
        << u"Chor | 2026-12-07 14:30 | – | Wöchentlich | popup | silent"_s;
    QTest::newRow("an end before the start is no end")
        << calendarWith(uid + "DTSTART:20261207T143000\r\nDTEND:20261207T120000\r\nSUMMARY:X\r\n")
        << u"X | 2026-12-07 14:30 | – | Keine | popup | silent"_s;
    QTest::newRow("no uid") << calendarWith("DTSTART:20261207T143000\r\nSUMMARY:X\r\n") << QString();
    QTest::newRow("a uid that is no record id")
        << calendarWith("UID:abc@example.org\r\nDTSTART:20261207T143000\r\nSUMMARY:X\r\n") << QString();
    QTest::newRow("no start") << calendarWith(uid + "SUMMARY:X\r\n") << QString();
    QTest::newRow("not UTF-8") << calendarWith(uid + "DTSTART:20261207T143000\r\nSUMMARY:\xff\r\n")
                               << QString();
}

void tst_SyncFile::fromElsewhere()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    const auto incoming = SyncFile::read(file);
    QCOMPARE(incoming ? travelling(incoming->note) : QString(), expected);
}

void tst_SyncFile::neverStartsAProgram()
{
    // Whatever a file on the server says, the application and the shell command stay this
    // machine's own: set here, they are kept; a file never sets them.
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
    QCOMPARE(incoming->note.launchAppPath, QString());
    QCOMPARE(incoming->note.shellScript, QString());
    const ReminderNote merged = SyncFile::merged(local, incoming->note);
    QCOMPARE(merged.launchAppPath, local.launchAppPath);
    QCOMPARE(merged.shellScript, local.shellScript);
    QCOMPARE(merged.alarmDate, berlin(2026, 12, 7, 10, 0));
    // Nor does our own file carry them to the server.
    QVERIFY(!SyncFile::write(local, {}).contains("rsync"));
    QVERIFY(!SyncFile::write(local, {}).contains("thunderbird"));
}

QTEST_MAIN(tst_SyncFile)
#include "tst_syncfile.moc"
