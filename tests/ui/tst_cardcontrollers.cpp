#include "appointmentcardcontroller.h"
#include "notecardcontroller.h"

#include <QSignalSpy>
#include <QTest>

// What the appointment and note cards show for a record at a given moment.
class tst_CardControllers : public QObject {
    Q_OBJECT

private slots:
    void stateColour_data();
    void stateColour();
    void badgesInOrder_data();
    void badgesInOrder();
    void labels();
    void movingClockUpdates();
    void noteCard_data();
    void noteCard();
};

namespace {

const QDateTime now(QDate(2025, 3, 20), QTime(14, 0));

ReminderNote appointment(const QDateTime& when)
{
    ReminderNote note = ReminderNote::create(now.addDays(-10));
    note.hasAlarm = true;
    note.alarmDate = when;
    note.text = QStringLiteral("Zahnarzt\nmit Karte");
    return note;
}

Badge badge(const char* icon, const QString& text, const char* color)
{
    return { QString::fromLatin1(icon), text, QString::fromLatin1(color) };
}

} // namespace

void tst_CardControllers::stateColour_data()
{
    QTest::addColumn<int>("minutesFromNow");
    QTest::addColumn<RepeatInterval>("repeat");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("past");
    QTest::addColumn<QString>("accent");
    QTest::addColumn<bool>("countsDown");

    QTest::newRow("one minute ago") << -1 << RepeatInterval::None << false << true << "green" << false;
    QTest::newRow("ago with sound: past wins")
        << -1 << RepeatInterval::None << true << true << "green" << false;
    QTest::newRow("ago, repeating daily")
        << -1 << RepeatInterval::Daily << false << false << "purple" << true;
    QTest::newRow("repeating with sound")
        << 30 << RepeatInterval::Weekly << true << false << "purple" << true;
    QTest::newRow("with sound") << 30 << RepeatInterval::None << true << false << "cyan" << true;
    QTest::newRow("plain") << 30 << RepeatInterval::None << false << false << "orange" << true;
    QTest::newRow("this very moment") << 0 << RepeatInterval::None << false << false << "orange" << true;
}

void tst_CardControllers::stateColour()
{
    QFETCH(int, minutesFromNow);
    QFETCH(RepeatInterval, repeat);
    QFETCH(bool, sound);
    ReminderNote note = appointment(now.addSecs(minutesFromNow * 60));
    note.repeatInterval = repeat;
    note.useSound = sound;
    // Done or not does not decide what is past.
    note.isTriggered = true;

    AppointmentCardController card;
    card.setNow(now);
    card.setNote(note);
    QTEST(card.isPast(), "past");
    QTEST(card.accentColor(), "accent");
    // A past card greys out its title and badges.
    QFETCH(bool, past);
    QCOMPARE(card.titleColor(), QString::fromLatin1(past ? "secondary" : "primary"));
    for (const Badge& b : card.badges())
        QCOMPARE(b.color == QLatin1String("secondary"), past);
    QFETCH(bool, countsDown);
    QCOMPARE(!card.relativeText().isEmpty(), countsDown);
}

void tst_CardControllers::badgesInOrder_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<RepeatInterval>("repeat");
    QTest::addColumn<bool>("popup");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QList<Badge>>("expected");

    QTest::newRow("none") << QString() << RepeatInterval::None << false << false << QList<Badge> {};
    QTest::newRow("all, file import")
        << QStringLiteral("ICS: ferien.ics") << RepeatInterval::Weekly << true << true
        << QList<Badge> { badge("doc.text", QStringLiteral("ICS: ferien.ics"), "indigo"),
               badge("repeat", QStringLiteral("Wöchentlich"), "purple"),
               badge("bell.fill", QStringLiteral("Popup"), "orange"),
               badge("speaker.wave.2", QStringLiteral("Submarine"), "cyan") };
    QTest::newRow("system calendar") << QStringLiteral("Apple Kalender") << RepeatInterval::None << false
                                     << false
                                     << QList<Badge> { badge(
                                            "calendar", QStringLiteral("Apple Kalender"), "teal") };
    QTest::newRow("ics only at the start")
        << QStringLiteral("Import ICS") << RepeatInterval::None << false << false
        << QList<Badge> { badge("calendar", QStringLiteral("Import ICS"), "teal") };
    QTest::newRow("yearly and popup") << QString() << RepeatInterval::Yearly << true << false
                                      << QList<Badge> { badge("repeat", QStringLiteral("Jährlich"), "purple"),
                                             badge("bell.fill", QStringLiteral("Popup"), "orange") };
}

void tst_CardControllers::badgesInOrder()
{
    QFETCH(QString, source);
    QFETCH(RepeatInterval, repeat);
    QFETCH(bool, popup);
    QFETCH(bool, sound);
    ReminderNote note = appointment(now.addDays(1));
    note.importSource = source;
    note.repeatInterval = repeat;
    note.usePopup = popup;
    note.useSound = sound;
    note.soundName = QStringLiteral("Submarine");

    AppointmentCardController card;
    card.setNow(now);
    card.setNote(note);
    QTEST(card.badges(), "expected");
}

void tst_CardControllers::labels()
{
    AppointmentCardController card;
    card.setNow(now);
    card.setNote(appointment(QDateTime(now.date(), QTime(14, 5))));
    QCOMPARE(card.title(), QStringLiteral("Zahnarzt"));
    QCOMPARE(card.dateText(), QStringLiteral("Heute, 14:05"));
    QCOMPARE(card.relativeText(), QStringLiteral("in 5 Min."));

    ReminderNote allDay = appointment(QDateTime(now.date().addDays(1), QTime(0, 0)));
    card.setNote(allDay);
    QCOMPARE(card.dateText(), QStringLiteral("Morgen, Ganztägig"));

    ReminderNote range = appointment(QDateTime(QDate(2025, 3, 24), QTime(9, 0)));
    range.alarmEndDate = QDateTime(QDate(2025, 3, 26), QTime(18, 0));
    card.setNote(range);
    QCOMPARE(card.dateText(), QStringLiteral("Mo., 24. März 2025, 09:00 – 18:00"));
}

void tst_CardControllers::movingClockUpdates()
{
    AppointmentCardController card;
    card.setNow(now);
    card.setNote(appointment(now.addSecs(60)));
    QVERIFY(!card.isPast());
    QSignalSpy changed(&card, &AppointmentCardController::changed);
    card.setNow(now.addSecs(120));
    QCOMPARE(changed.size(), 1);
    QVERIFY(card.isPast());
    QCOMPARE(card.accentColor(), QStringLiteral("green"));
    card.setNow(now.addSecs(120));
    QCOMPARE(changed.size(), 1);
}

void tst_CardControllers::noteCard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasBadge");
    QTest::addColumn<Badge>("expectedBadge");

    QTest::newRow("own") << QStringLiteral("  Einkauf  \nMilch") << QString() << QStringLiteral("Einkauf")
                         << false << Badge {};
    QTest::newRow("empty") << QString() << QString() << QStringLiteral("Neue Notiz") << false << Badge {};
    QTest::newRow("imported") << QStringLiteral("Ideen") << QStringLiteral("ICS: notizen.ics")
                              << QStringLiteral("Ideen") << true
                              << badge("doc.text", QStringLiteral("ICS: notizen.ics"), "indigo");
}

void tst_CardControllers::noteCard()
{
    QFETCH(QString, text);
    QFETCH(QString, source);
    ReminderNote note = ReminderNote::create(QDateTime(QDate(2025, 3, 5), QTime(23, 30)));
    note.text = text;
    note.importSource = source;

    NoteCardController card;
    QSignalSpy changed(&card, &NoteCardController::noteChanged);
    card.setNote(note);
    QCOMPARE(changed.size(), 1);
    QTEST(card.title(), "title");
    QCOMPARE(card.createdText(), QStringLiteral("5. März 2025"));
    QTEST(card.hasImportBadge(), "hasBadge");
    QTEST(card.importBadge(), "expectedBadge");
}

QTEST_GUILESS_MAIN(tst_CardControllers)
#include "tst_cardcontrollers.moc"
