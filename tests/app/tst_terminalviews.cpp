#include "terminalviews.h"
#include "testsupport.h"

// The four text views against one fixed set of records, at fixed moments (Berlin time).
namespace {

QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), u"yyyy-MM-dd HH:mm"_qs);
}

} // namespace

class tst_TerminalViews : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_notes = { appointment(u"Zahnarzt"_qs, at("2026-12-07 10:00")),
            appointment(u"Urlaub"_qs, at("2026-12-08 09:00"), at("2026-12-10 18:00")),
            appointment(u"Ferien"_qs, at("2026-12-10 00:00"), at("2026-12-12 00:00"), u"ICS: ferien.ics"_qs),
            appointment(u"Gestern"_qs, at("2026-12-06 08:00")),
            appointment(u"Ganztags"_qs, at("2026-12-07 00:00")),
            plain(u"Einkaufen\nMilch"_qs, at("2026-12-01 12:00")),
            plain(u"Neuer"_qs, at("2026-12-05 12:00")) };
    }

    void views_data()
    {
        columns<QString, QDate, QString>("view", "day", "expected");
        const QDate monday(2026, 12, 7);

        QTest::newRow("agenda today, earliest first")
            << u"agenda"_qs << monday
            << u"Termine heute\nHeute, Ganztägig\tGanztags\nHeute, 10:00\tZahnarzt"_qs;
        QTest::newRow("agenda empty")
            << u"agenda"_qs << QDate(2026, 12, 20) << u"Sonntag, 20. Dezember\nKeine Termine"_qs;
        QTest::newRow("termine sections")
            << u"termine"_qs << monday
            << u"Kommende\nDo., 10. Dez. 2026, Ganztägig\tFerien\nMorgen, 09:00 – 18:00\tUrlaub\nHeute\nHeute, 10:00\tZahnarzt\nHeute, Ganztägig\tGanztags\nVergangen\nGestern, 08:00\tGestern"_qs;
        QTest::newRow("notizen newest first")
            << u"notizen"_qs << monday << u"5. Dezember 2026\tNeuer\n1. Dezember 2026\tEinkaufen"_qs;
        QTest::newRow("kalender: own range, imported range, starts on a Tuesday")
            << u"kalender"_qs << QDate(2026, 12, 1)
            << u"Dezember 2026\nMo  Di  Mi  Do  Fr  Sa  So\n     1   2   3   4   5   6\n 7   8*  9* 10# 11+ 12  13\n14  15  16  17  18  19  20\n21  22  23  24  25  26  27\n28  29  30  31"_qs;
        QTest::newRow("kalender: starts on a Sunday")
            << u"kalender"_qs << QDate(2025, 6, 1)
            << u"Juni 2025\nMo  Di  Mi  Do  Fr  Sa  So\n                         1\n 2   3   4   5   6   7   8\n 9  10  11  12  13  14  15\n16  17  18  19  20  21  22\n23  24  25  26  27  28  29\n30"_qs;
    }

    void views()
    {
        QFETCH(QString, view);
        QFETCH(QDate, day);
        const QDateTime now = at("2026-12-07 09:00");
        QTEST(view == u"agenda"_qs       ? TerminalViews::agenda(m_notes, day, now)
                : view == u"termine"_qs  ? TerminalViews::appointments(m_notes, now)
                : view == u"kalender"_qs ? TerminalViews::calendar(m_notes, day, false)
                                         : TerminalViews::plainNotes(m_notes),
            "expected");
    }

    void colouredMarkers()
    {
        const QString text = TerminalViews::calendar(m_notes, QDate(2026, 12, 1), true);
        for (const char* marked :
            { " 8\x1b[38;5;208m*\x1b[0m", "11\x1b[38;5;44m+\x1b[0m", "10\x1b[38;5;135m#\x1b[0m" })
            QVERIFY2(text.contains(QLatin1StringView(marked)), marked);
    }

private:
    ReminderNotes m_notes;
};

QTEST_GUILESS_MAIN(tst_TerminalViews)
#include "tst_terminalviews.moc"
