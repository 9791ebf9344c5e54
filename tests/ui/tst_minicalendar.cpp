#include "minicalendar.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstMiniCalendar : public QObject {
    Q_OBJECT

private slots:
    void dayTypes_data();
    void dayTypes();
    void leadingBlanks_data();
    void leadingBlanks();
    void monthYearString();
    void toggledSelection_data();
    void toggledSelection();
};

namespace {

ReminderNote own(const QDateTime& start, const std::optional<QDateTime>& end = std::nullopt)
{
    return appointment(QString(), start, end);
}

ReminderNote imported(const QDateTime& start, const std::optional<QDateTime>& end = std::nullopt)
{
    ReminderNote note = own(start, end);
    note.importSource = u"kalender.ics"_s;
    return note;
}

// "1E 2E 3M": day of the month and N(ote), E(vent) or M(ixed).
QString describe(const QMap<int, DayEntryType>& types)
{
    QStringList days;
    for (auto it = types.cbegin(); it != types.cend(); ++it) {
        const char* letter = it.value() == DayEntryType::Note ? "N"
            : it.value() == DayEntryType::Event               ? "E"
            : it.value() == DayEntryType::Mixed               ? "M"
                                                              : "-";
        days.append(QString::number(it.key()) + QLatin1String(letter));
    }
    return days.join(u' ');
}

} // namespace

void TstMiniCalendar::dayTypes_data()
{
    QTest::addColumn<ReminderNotes>("notes");
    QTest::addColumn<QDate>("month");
    QTest::addColumn<QString>("days");

    const QDate march(2025, 3, 1);
    const ReminderNote ownOnFifth = own(berlin(2025, 3, 5, 9, 0), berlin(2025, 3, 5, 17, 0));
    const ReminderNote importedOnFifth = imported(berlin(2025, 3, 5, 12, 0), berlin(2025, 3, 5, 13, 0));
    ReminderNote plainNote = ownOnFifth;
    plainNote.hasAlarm = false;

    QTest::newRow("imported from the month before")
        << ReminderNotes { imported(berlin(2025, 2, 28, 10, 0), berlin(2025, 3, 3, 10, 0)) } << march
        << u"1E 2E 3E"_s;
    QTest::newRow("own within a day") << ReminderNotes { ownOnFifth } << march << u"5N"_s;
    QTest::newRow("own without end") << ReminderNotes { own(berlin(2025, 3, 5, 9, 0)) } << march << QString();
    QTest::newRow("plain note") << ReminderNotes { plainNote } << march << QString();
    QTest::newRow("own, then imported") << ReminderNotes { ownOnFifth, importedOnFifth } << march << u"5M"_s;
    QTest::newRow("imported, then own") << ReminderNotes { importedOnFifth, ownOnFifth } << march << u"5M"_s;
    QTest::newRow("mixed, then own") << ReminderNotes { ownOnFifth, importedOnFifth, ownOnFifth } << march
                                     << u"5M"_s;
    QTest::newRow("mixed, then imported")
        << ReminderNotes { importedOnFifth, ownOnFifth, importedOnFifth } << march << u"5M"_s;
    QTest::newRow("separate days stay apart")
        << ReminderNotes { ownOnFifth, imported(berlin(2025, 3, 6, 9, 0), berlin(2025, 3, 6, 10, 0)) }
        << march << u"5N 6E"_s;
    QTest::newRow("imported ending at midnight")
        << ReminderNotes { imported(berlin(2025, 3, 10), berlin(2025, 3, 11)) } << march << u"10E"_s;
    QTest::newRow("into the next month")
        << ReminderNotes { own(berlin(2025, 3, 30, 10, 0), berlin(2025, 4, 2, 10, 0)) } << march
        << u"30N 31N"_s;
    QTest::newRow("from the month before, seen in April")
        << ReminderNotes { own(berlin(2025, 3, 30, 10, 0), berlin(2025, 4, 2, 10, 0)) } << QDate(2025, 4, 1)
        << u"1N 2N"_s;
    QTest::newRow("ends as the month starts")
        << ReminderNotes { own(berlin(2025, 2, 28, 10, 0), berlin(2025, 3, 1)) } << march << QString();
    QTest::newRow("given in UTC") << ReminderNotes {
        imported(QDateTime(QDate(2025, 3, 9), QTime(23, 0), Qt::UTC),
            QDateTime(QDate(2025, 3, 10), QTime(23, 0), Qt::UTC))
    } << march << u"10E"_s;
    QTest::newRow("over spring-forward")
        << ReminderNotes { own(berlin(2025, 3, 29, 12, 0), berlin(2025, 3, 31, 12, 0)) } << march
        << u"29N 30N 31N"_s;
    QTest::newRow("over fall-back") << ReminderNotes {
        own(berlin(2025, 10, 25, 22, 0), berlin(2025, 10, 27, 1, 0))
    } << QDate(2025, 10, 1) << u"25N 26N 27N"_s;
    QTest::newRow("the fall-back day only")
        << ReminderNotes { imported(berlin(2025, 10, 26), berlin(2025, 10, 27)) } << QDate(2025, 10, 1)
        << u"26E"_s;
}

void TstMiniCalendar::dayTypes()
{
    QFETCH(ReminderNotes, notes);
    QFETCH(QDate, month);
    QFETCH(QString, days);

    QCOMPARE(describe(MiniCalendar::dayTypes(notes, month)), days);
}

void TstMiniCalendar::leadingBlanks_data()
{
    QTest::addColumn<QDate>("month");
    QTest::addColumn<int>("blanks");

    QTest::newRow("starts on Monday") << QDate(2025, 9, 1) << 0;
    QTest::newRow("starts on Saturday") << QDate(2025, 3, 1) << 5;
    QTest::newRow("starts on Sunday") << QDate(2025, 6, 1) << 6;
}

void TstMiniCalendar::leadingBlanks()
{
    QFETCH(QDate, month);
    QFETCH(int, blanks);

    QCOMPARE(MiniCalendar::leadingBlanks(month), blanks);
}

void TstMiniCalendar::monthYearString()
{
    QCOMPARE(MiniCalendar::monthYearString(QDate(2025, 3, 1)), u"März 2025"_s);
    QCOMPARE(MiniCalendar::monthYearString(QDate(2024, 12, 31)), u"Dezember 2024"_s);
}

void TstMiniCalendar::toggledSelection_data()
{
    QTest::addColumn<QDate>("selected"); // invalid: nothing selected
    QTest::addColumn<QDate>("tapped");
    QTest::addColumn<QDate>("result"); // invalid: nothing selected

    QTest::newRow("nothing selected") << QDate() << QDate(2025, 3, 5) << QDate(2025, 3, 5);
    QTest::newRow("same day again") << QDate(2025, 3, 5) << QDate(2025, 3, 5) << QDate();
    QTest::newRow("another day") << QDate(2025, 3, 5) << QDate(2025, 3, 6) << QDate(2025, 3, 6);
    QTest::newRow("same day, another month") << QDate(2025, 3, 5) << QDate(2025, 4, 5) << QDate(2025, 4, 5);
}

void TstMiniCalendar::toggledSelection()
{
    QFETCH(QDate, selected);
    QFETCH(QDate, tapped);
    QFETCH(QDate, result);

    const auto selection = MiniCalendar::toggledSelection(
        selected.isValid() ? std::optional<QDate>(selected) : std::nullopt, tapped);
    QCOMPARE(selection.has_value(), result.isValid());
    if (selection)
        QCOMPARE(*selection, result);
}

QTEST_APPLESS_MAIN(TstMiniCalendar)
#include "tst_minicalendar.moc"
