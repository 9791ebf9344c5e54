#include "quickadd.h"
#include "testsupport.h"

// German phrases against a fixed moment: what is understood, and what is left of the text.
class tst_QuickAdd : public QObject {
    Q_OBJECT

private slots:
    void phrases_data()
    {
        // expected: "yyyy-MM-dd HH:mm[–HH:mm][ repeat] | title"; empty: nothing understood
        columns<QString, QDateTime, QString>("text", "now", "expected");
        const auto row = [](std::initializer_list<const char*> texts, const char* expected,
                             const QDateTime& now = berlin(2026, 12, 8, 10, 0)) {
            for (const char* text : texts)
                QTest::newRow(text) << QString::fromUtf8(text) << now << QString::fromUtf8(expected);
        };
        row({ "Zahnarzt morgen 14:30" }, "2026-12-09 14:30 | Zahnarzt");
        row({ "Zahnarzt heute 14:30" }, "2026-12-08 14:30 | Zahnarzt");
        row({ "Zahnarzt übermorgen 14:30" }, "2026-12-10 14:30 | Zahnarzt");
        row({ "Zahnarzt morgen", "morgen Zahnarzt" }, "2026-12-09 09:00 | Zahnarzt");
        row({ "Zahnarzt heute", "Zahnarzt 5.12.2026", "Zahnarzt 31.2.", "Zahnarzt 30.11.2026 10:00" }, "");
        row({ "Zahnarzt am 24.12.", "Zahnarzt 24.12." }, "2026-12-24 09:00 | Zahnarzt");
        row({ "Zahnarzt am 1.3.2027 10:15" }, "2027-03-01 10:15 | Zahnarzt");
        row({ "Zahnarzt am 8.12. um 11" }, "2026-12-08 11:00 | Zahnarzt");
        row({ "Zahnarzt am 8.12. um 9" }, "2027-12-08 09:00 | Zahnarzt");
        row({ "Zahnarzt in 2 Wochen" }, "2026-12-22 09:00 | Zahnarzt");
        row({ "Zahnarzt in zwei Tagen 8:30" }, "2026-12-10 08:30 | Zahnarzt");
        // Weekdays: the next such day, today while its time is ahead.
        row({ "Zahnarzt Montag", "Zahnarzt am Montag", "Zahnarzt Mo", "Zahnarzt Mo.", "Zahnarzt montag" },
            "2026-12-14 09:00 | Zahnarzt");
        row({ "Zahnarzt Dienstag 11:00" }, "2026-12-08 11:00 | Zahnarzt");
        row({ "Zahnarzt Dienstag 9:00", "Zahnarzt Dienstag", "Zahnarzt nächsten Dienstag", "Zahnarzt Di" },
            "2026-12-15 09:00 | Zahnarzt");
        row({ "Zahnarzt nächsten Dienstag 18 Uhr" }, "2026-12-15 18:00 | Zahnarzt");
        row({ "Zahnarzt Donnerstag", "Zahnarzt kommenden Donnerstag" }, "2026-12-10 09:00 | Zahnarzt");
        row({ "Zahnarzt Sonntag", "Zahnarzt So" }, "2026-12-13 09:00 | Zahnarzt");
        // A short form is a weekday only as written so.
        row({ "so ein Tag", "mo bis fr", "Zahnarzt do" }, "");
        row({ "Zahnarzt 14:30", "Zahnarzt 14.30", "Zahnarzt halb 3", "Zahnarzt um halb 3",
                "Zahnarzt 14:30 abends", "Zahnarzt 14:30 Uhr" },
            "2026-12-08 14:30 | Zahnarzt");
        row({ "Zahnarzt 14 Uhr", "Zahnarzt 14Uhr", "Zahnarzt um 14 Uhr" }, "2026-12-08 14:00 | Zahnarzt");
        row({ "Zahnarzt um 11", "Zahnarzt in einer Stunde" }, "2026-12-08 11:00 | Zahnarzt");
        row({ "Zahnarzt um 3", "Zahnarzt nachmittags" }, "2026-12-08 15:00 | Zahnarzt");
        row({ "Zahnarzt um 6" }, "2026-12-08 18:00 | Zahnarzt");
        row({ "Zahnarzt um 7" }, "2026-12-09 07:00 | Zahnarzt");
        row({ "Zahnarzt um 12", "Zahnarzt mittags", "Zahnarzt um 12 mittags", "Zahnarzt in 2 Stunden",
                "Zahnarzt in 2 Std." },
            "2026-12-08 12:00 | Zahnarzt");
        row({ "Zahnarzt um 0 Uhr" }, "2026-12-09 00:00 | Zahnarzt");
        row({ "Zahnarzt 10:00", "Zahnarzt vormittags" }, "2026-12-09 10:00 | Zahnarzt");
        row({ "Zahnarzt 10:01", "Zahnarzt in 1 Minute" }, "2026-12-08 10:01 | Zahnarzt");
        row({ "Zahnarzt 24:00", "Zahnarzt 12:60", "Zahnarzt um 25", "Zahnarzt 25 Uhr" }, "");
        row({ "Zahnarzt halb 8" }, "2026-12-09 07:30 | Zahnarzt");
        row({ "Zahnarzt halb 12", "Zahnarzt in 90 min" }, "2026-12-08 11:30 | Zahnarzt");
        row({ "Zahnarzt halb 7" }, "2026-12-08 18:30 | Zahnarzt");
        row({ "Zahnarzt halb 3 nachts" }, "2026-12-09 02:30 | Zahnarzt");
        row({ "Zahnarzt halb 1" }, "2026-12-08 12:30 | Zahnarzt");
        row({ "Zahnarzt halb 9 abends" }, "2026-12-08 20:30 | Zahnarzt");
        row({ "Zahnarzt viertel nach 4" }, "2026-12-08 16:15 | Zahnarzt");
        row({ "Zahnarzt um viertel vor 12" }, "2026-12-08 11:45 | Zahnarzt");
        row({ "Zahnarzt abends", "Zahnarzt 7 Uhr abends" }, "2026-12-08 19:00 | Zahnarzt");
        row({ "Zahnarzt morgens", "Zahnarzt morgen früh" }, "2026-12-09 08:00 | Zahnarzt");
        row({ "Zahnarzt nachts" }, "2026-12-08 22:00 | Zahnarzt");
        row({ "Zahnarzt um 11 nachts" }, "2026-12-08 23:00 | Zahnarzt");
        row({ "Zahnarzt in 10 Min.", "Zahnarzt in 10 Minuten" }, "2026-12-08 10:10 | Zahnarzt");
        row({ "Tee in 5 min" }, "2026-12-08 10:05 | Tee", berlin(2026, 12, 8, 10, 0, 42));
        row({ "Tabletten täglich 8 Uhr", "Tabletten jeden Tag 8 Uhr" },
            "2026-12-09 08:00 Täglich | Tabletten");
        row({ "Zahnarzt morgen 14:30 wöchentlich", "Zahnarzt morgen 14:30 jede Woche" },
            "2026-12-09 14:30 Wöchentlich | Zahnarzt");
        row({ "Sport jeden Montag 18 Uhr" }, "2026-12-14 18:00 Wöchentlich | Sport");
        row({ "Miete monatlich am 1.1.", "Miete jeden Monat am 1.1." }, "2027-01-01 09:00 Monatlich | Miete");
        row({ "Geburtstag Oma jährlich am 24.3.", "Geburtstag Oma jedes Jahr am 24.3." },
            "2027-03-24 09:00 Jährlich | Geburtstag Oma");
        row({ "Tabletten täglich", "Sport wöchentlich" }, "");
        row({ "Meeting von 10 bis 12", "Meeting morgen von 10 bis 12", "Meeting 10–12 Uhr",
                "Meeting 10-12 Uhr" },
            "2026-12-09 10:00–12:00 | Meeting");
        row({ "Meeting von 14:30 bis 16:00" }, "2026-12-08 14:30–16:00 | Meeting");
        row({ "Meeting morgen 9:30–11 Uhr" }, "2026-12-09 09:30–11:00 | Meeting");
        row({ "Meeting von 12 bis 10", "Meeting von 10 bis 25" }, "");
        // Titles keep what is not understood, and their own numbers.
        row({ "3 Äpfel kaufen morgen" }, "2026-12-09 09:00 | 3 Äpfel kaufen");
        row({ "Kapitel 12 lesen um 5" }, "2026-12-08 17:00 | Kapitel 12 lesen");
        row({ "Zahnarzt, morgen 14:30", "Zahnarzt – morgen 14:30", "Zahnarzt morgen um halb 3" },
            "2026-12-09 14:30 | Zahnarzt");
        row({ "Anruf bei Morgenstern morgen" }, "2026-12-09 09:00 | Anruf bei Morgenstern");
        row({ "Heutebuch lesen", "Morgenroutine planen", "Einkaufen", "", "Besprechung 2.0 vorbereiten",
                "Version 1.5 veröffentlichen", "Zahnarzt heute 8:00", "Zahnarzt heute um 9" },
            "");
        row({ "morgen 14:30" }, "2026-12-09 14:30 | ");
        const QDateTime springEve = berlin(2026, 3, 28, 10, 0);
        row({ "Bäcker morgen 3:30" }, "2026-03-29 03:30 | Bäcker", springEve);
        // The hour the clocks skip does not exist.
        row({ "Bäcker morgen 2:30" }, "", springEve);
        row({ "Bäcker in 24 Stunden" }, "2026-03-29 11:00 | Bäcker", springEve);
        const QDateTime autumnEve = berlin(2026, 10, 24, 10, 0);
        row({ "Uhr umstellen morgen 2:30" }, "2026-10-25 02:30 | Uhr umstellen", autumnEve);
        const QDateTime newYearsEve = berlin(2026, 12, 31, 20, 0);
        row({ "Feuerwerk heute 19 Uhr", "Schaltjahr 29.2." }, "", newYearsEve);
        row({ "Kater am 2.1.", "Kater in 2 Tagen" }, "2027-01-02 09:00 | Kater", newYearsEve);
        row({ "Kater um 8" }, "2027-01-01 08:00 | Kater", newYearsEve);
        row({ "Schaltjahr 29.2.2028" }, "2028-02-29 09:00 | Schaltjahr", newYearsEve);
    }

    void phrases()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, now);

        const auto reading = QuickAdd::read(text, now);
        QString actual;
        if (reading) {
            actual = reading->at.toString(u"yyyy-MM-dd HH:mm"_s);
            if (reading->until)
                actual += u'–' + reading->until->toString(u"HH:mm"_s);
            if (reading->repeat != RepeatInterval::None)
                actual += u' ' + repeatIntervalText(reading->repeat);
            actual += u" | "_s + reading->title;
            // Always ahead: an alarm set in the past would ring at once.
            QVERIFY(reading->at > now);
        }
        QTEST(actual, "expected");
    }
};

QTEST_GUILESS_MAIN(tst_QuickAdd)
#include "tst_quickadd.moc"
