#include "iconset.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>

// The one symbol table: complete for the screens, and every ligature drawn by the installed font.
class tst_IconSet : public QObject {
    Q_OBJECT

private slots:
    void everySymbolOfTheScreensIsMapped()
    {
        // Every symbol a screen names: `symbol: "name"` or `symbol: condition ? "one" : "other"`.
        static const QRegularExpression assignment(QStringLiteral("symbol:[^\\n;}]*"));
        static const QRegularExpression name(QStringLiteral("[:?]\\s*\"([a-z0-9.]+)\""));
        QDirIterator files(QStringLiteral(ZETTELWERK_QML_DIR), { QStringLiteral("*.qml") });
        int named = 0;
        while (files.hasNext()) {
            for (const auto& line : assignment.globalMatch(QString::fromUtf8(readAll(files.next())))) {
                for (const auto& symbol : name.globalMatch(line.captured())) {
                    QVERIFY2(!IconSet::glyph(symbol.captured(1)).isEmpty(), qPrintable(symbol.captured(1)));
                    ++named;
                }
            }
        }
        QVERIFY(named > 50);
    }

    void everyLigatureIsOneGlyphOfTheFont()
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

    void unknownSymbolIsEmptyAndSaidSo()
    {
        QTest::ignoreMessage(QtWarningMsg, "Kein Symbol für \"star.fill\"");
        QCOMPARE(IconSet::glyph(QStringLiteral("star.fill")), QString());
        QCOMPARE(IconSet::glyph(QString()), QString());
    }
};

QTEST_MAIN(tst_IconSet)
#include "tst_iconset.moc"
