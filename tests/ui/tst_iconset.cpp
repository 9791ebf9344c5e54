#include "iconset.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

// The one symbol table: complete for the screens, and every ligature drawn by the installed font.
class tst_IconSet : public QObject {
    Q_OBJECT

private slots:
    void everySymbolOfTheScreensIsMapped();
    void everyLigatureIsOneGlyphOfTheFont();
    void unknownSymbolIsEmptyAndSaidSo();
};

void tst_IconSet::everySymbolOfTheScreensIsMapped()
{
    const QStringList used { QStringLiteral("note.text"), QStringLiteral("gearshape"),
        QStringLiteral("questionmark.circle"), QStringLiteral("info.circle"), QStringLiteral("plus"),
        QStringLiteral("calendar"), QStringLiteral("clock"), QStringLiteral("sun.max"),
        QStringLiteral("calendar.badge.minus"), QStringLiteral("calendar.badge.plus"),
        QStringLiteral("note.text.badge.plus"), QStringLiteral("arrow.up.circle"),
        QStringLiteral("checkmark.circle"), QStringLiteral("checkmark.circle.fill"),
        QStringLiteral("doc.text"), QStringLiteral("repeat"), QStringLiteral("bell.fill"),
        QStringLiteral("speaker.wave.2"), QStringLiteral("chevron.right"), QStringLiteral("chevron.left"),
        QStringLiteral("trash"), QStringLiteral("trash.circle.fill"), QStringLiteral("power"),
        QStringLiteral("textformat.size"), QStringLiteral("arrow.up.and.down"),
        QStringLiteral("rectangle.compress.vertical"), QStringLiteral("rectangle.expand.vertical"),
        QStringLiteral("externaldrive"), QStringLiteral("exclamationmark.triangle"),
        QStringLiteral("arrow.counterclockwise"), QStringLiteral("circle"),
        QStringLiteral("questionmark.circle.fill"), QStringLiteral("doc.on.doc"), QStringLiteral("checkmark"),
        QStringLiteral("bell.badge.fill"), QStringLiteral("hand.tap"), QStringLiteral("gearshape.fill"),
        QStringLiteral("menubar.rectangle"), QStringLiteral("heart.fill"), QStringLiteral("globe"),
        QStringLiteral("shield.lefthalf.filled"), QStringLiteral("chevron.down"), QStringLiteral("xmark"),
        QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("pencil"), QStringLiteral("bell"),
        QStringLiteral("clock.fill"), QStringLiteral("calendar.badge.clock"), QStringLiteral("arrow.right"),
        QStringLiteral("speaker.wave.2.fill"), QStringLiteral("play.circle.fill"),
        QStringLiteral("bell.and.waves.left.and.right"), QStringLiteral("app.badge"),
        QStringLiteral("xmark.circle.fill"), QStringLiteral("terminal"),
        QStringLiteral("square.and.arrow.down"), QStringLiteral("square.and.arrow.up"),
        QStringLiteral("folder.badge.plus"), QStringLiteral("arrow.uturn.backward"),
        QStringLiteral("calendar.badge.exclamationmark"), QStringLiteral("tray"),
        QStringLiteral("clock.arrow.circlepath"), QStringLiteral("largecircle.fill.circle") };
    for (const QString& symbol : used)
        QVERIFY2(!IconSet::glyph(symbol).isEmpty(), qPrintable(symbol));
    QCOMPARE(IconSet::symbols().size(), used.size());
}

void tst_IconSet::everyLigatureIsOneGlyphOfTheFont()
{
    if (!QFontDatabase::families().contains(IconSet::fontFamily()))
        QSKIP("the icon font (fonts-material-design-icons-iconfont) is not installed");
    QFont font(IconSet::fontFamily());
    font.setPixelSize(24);
    for (const QString& symbol : IconSet::symbols()) {
        // A name the font does not know would be shaped letter by letter.
        QTextLayout layout(IconSet::glyph(symbol), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        QCOMPARE(runs.size(), 1);
        QVERIFY2(runs.constFirst().glyphIndexes().size() == 1, qPrintable(symbol));
        QCOMPARE(runs.constFirst().rawFont().familyName(), IconSet::fontFamily());
    }
}

void tst_IconSet::unknownSymbolIsEmptyAndSaidSo()
{
    QTest::ignoreMessage(QtWarningMsg, "Kein Symbol für \"star.fill\"");
    QCOMPARE(IconSet::glyph(QStringLiteral("star.fill")), QString());
    QCOMPARE(IconSet::glyph(QString()), QString());
}

QTEST_MAIN(tst_IconSet)
#include "tst_iconset.moc"
