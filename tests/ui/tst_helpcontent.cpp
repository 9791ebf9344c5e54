#include "helpcontroller.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

// The help's copied text and the copy button's label.
class tst_HelpContent : public QObject {
    Q_OBJECT

private slots:
    void copiedTextIsBuiltLineByLine();
    void labelReturnsAfterTheFirstCopy();
};

void tst_HelpContent::copiedTextIsBuiltLineByLine()
{
    HelpController help;
    help.copyToClipboard();
    const QString text = QGuiApplication::clipboard()->text();
    QCOMPARE(text, HelpContent::plainText());
    QVERIFY(!text.endsWith(u'\n'));

    const QStringList lines = text.split(u'\n');
    QCOMPARE(lines.at(0), u"Zettelwerk - macOS Menüleisten-App für Notizen & Erinnerungen"_qs);
    QCOMPARE(lines.at(1), QString(60, u'='));
    QCOMPARE(lines.at(2), QString());

    // Each section: its heading, its items, one empty line.
    QList<int> itemCounts;
    qsizetype at = 3;
    while (lines.at(at) != u"▸ Wünsche & Verbesserungen"_qs) {
        QVERIFY2(lines.at(at).startsWith(u"▸ "_qs), qPrintable(lines.at(at)));
        int items = 0;
        while (lines.at(++at).startsWith(u"  · "_qs))
            ++items;
        QCOMPARE(lines.at(at++), QString());
        itemCounts.append(items);
    }
    QCOMPARE(itemCounts, (QList<int> { 6, 4, 3, 10, 2, 7, 10, 5, 7, 3 }));
    QVERIFY(text.contains(u"  · \"Alarm testen\" prüft die Benachrichtigung vorab\n"_qs));

    // Two contributors with 3 and 1 wishes, all done, then an empty line and the footer.
    QStringList names;
    int wishes = 0;
    while (!lines.at(++at).isEmpty()) {
        if (lines.at(at).startsWith(u"    "_qs)) {
            QVERIFY2(lines.at(at).startsWith(u"    ✓ "_qs) && lines.at(at).endsWith(u" — erledigt"_qs),
                qPrintable(lines.at(at)));
            ++wishes;
        } else {
            QVERIFY(lines.at(at).startsWith(u"  "_qs) && lines.at(at).endsWith(u':'));
            names.append(lines.at(at));
        }
    }
    QCOMPARE(names.size(), 2);
    QCOMPARE(wishes, 4);
    QCOMPARE(at, lines.size() - 2);
    QVERIFY(lines.constLast().contains(HelpContent::website()));
}

void tst_HelpContent::labelReturnsAfterTheFirstCopy()
{
    constexpr int duration = 600;
    HelpController help;
    help.setCopiedDuration(duration);
    QElapsedTimer clock;
    help.copyToClipboard();
    clock.start();
    QVERIFY(help.copied());
    QTest::qWait(duration / 2);
    help.copyToClipboard();
    QVERIFY(help.copied());

    QSignalSpy changes(&help, &HelpController::copiedChanged);
    QVERIFY(changes.wait(duration * 2));
    QVERIFY(!help.copied());
    // Coarse timers may run 5 % early; a timer restarted by the second copy would end near 1.5 × duration.
    QVERIFY2(clock.elapsed() >= duration * 9 / 10 && clock.elapsed() < duration * 5 / 4,
        "back with the first copy's timer");
    // The second copy's timer finds it already back.
    QTest::qWait(duration);
    QVERIFY(!help.copied());
    QCOMPARE(changes.size(), 1);
}

QTEST_MAIN(tst_HelpContent)
#include "tst_helpcontent.moc"
