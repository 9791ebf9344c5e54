#include "remindernote.h"
#include "testsupport.h"

class TstReminderNote : public QObject {
    Q_OBJECT

private slots:
    void repeatIntervalTexts_data()
    {
        // interval: -1: not a repeat rule
        columns<QString, int>("text", "interval");

        const QStringList texts = strings("Keine|Täglich|Wöchentlich|Monatlich|Jährlich");
        for (const RepeatInterval interval : allRepeatIntervals)
            QTest::addRow("%s", qPrintable(texts.at(int(interval))))
                << texts.at(int(interval)) << int(interval);
        // An English case name, lower case, a trailing space, a decomposed umlaut, nothing.
        for (const QString& text : { u"Weekly"_s, u"täglich"_s, u"Keine "_s, u"Ja\u0308hrlich"_s, QString() })
            QTest::addRow("not \"%s\"", qPrintable(text)) << text << -1;
    }

    void repeatIntervalTexts()
    {
        QFETCH(QString, text);

        const auto parsed = repeatIntervalFromText(text);
        QTEST(parsed ? int(*parsed) : -1, "interval");
        if (parsed)
            QCOMPARE(repeatIntervalText(*parsed), text);
    }

    void title_data()
    {
        columns<QString, QString>("text", "title");

        const QString fifty = QString(50, u'x');
        const QString family
            = u"\U0001F468\u200D\U0001F469\u200D\U0001F467"_s; // one emoji made of five code points
        const QString untitled = u"Neue Notiz"_s;

        QTest::newRow("empty") << QString() << untitled;
        QTest::newRow("only spaces and tabs") << u" \t\u00A0\u3000"_s << untitled;
        QTest::newRow("CR LF") << u"Einkaufen\r\nMilch"_s << u"Einkaufen"_s;
        QTest::newRow("next line U+0085") << u"Einkaufen\u0085Milch"_s << u"Einkaufen"_s;
        QTest::newRow("line separator") << u"Einkaufen\u2028Milch"_s << u"Einkaufen"_s;
        QTest::newRow("paragraph separator") << u"Einkaufen\u2029Milch"_s << u"Einkaufen"_s;
        QTest::newRow("Unicode spaces trimmed")
            << u"\u00A0\u2003\u3000Zahnarzt\u202F\u00A0"_s << u"Zahnarzt"_s;
        QTest::newRow("inner spaces kept") << u"Zahnarzt  \t Dr. Süß"_s << u"Zahnarzt  \t Dr. Süß"_s;
        QTest::newRow("zero-width space is no space") << u"\u200BZahnarzt"_s << u"\u200BZahnarzt"_s;
        QTest::newRow("exactly 50") << fifty << fifty;
        QTest::newRow("51 cut to 50") << fifty + u'y' << fifty;
        QTest::newRow("cut counts after trimming") << u"   "_s + fifty + u"y"_s << fifty;
        QTest::newRow("ZWJ emoji is one character")
            << QString(49, u'a') + family + u"b"_s << QString(49, u'a') + family;
    }

    void title()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);

        ReminderNote note;
        note.text = text;
        QCOMPARE(note.title(), title);
    }
};

QTEST_GUILESS_MAIN(TstReminderNote)
#include "tst_remindernote.moc"
