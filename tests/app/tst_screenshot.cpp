#include "notestore.h"
#include "screenshot.h"
#include "testsupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

using namespace Qt::StringLiterals;

// The panel drawn offscreen from the demo records on their Monday, 7 December 2026, 10:00.
// Set ZETTELWERK_KEEP_SCREENSHOTS to a folder to keep the pictures for a look.
class tst_Screenshot : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void screensShowWhatTheyName();
    void secondaryScreens();
    void refusedScreens();
    void editorScreensLeaveTheRecordsAlone();
    void emptyStoreShowsEmptyTabs();

private:
    // The demo records unless `store` is given.
    QImage render(const QString& screen, const std::optional<QDate>& day = {}, NoteStore* store = nullptr);

    QTemporaryDir m_dir;
    std::unique_ptr<NoteStore> m_store;
};

namespace {

const QByteArray demoJson = readAll(QStringLiteral(ZETTELWERK_TEST_DATA "/demo.json"));
const QSize panelPixels(760, 1160); // 380 × 580 points at twice the pixels

QDateTime demoNow()
{
    return QDateTime(QDate(2026, 12, 7), QTime(10, 0));
}

double meanLightness(const QImage& image, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            sum += image.pixelColor(x, y).lightnessF();
    }
    return sum / (area.width() * area.height());
}

} // namespace

void tst_Screenshot::initTestCase()
{
    QVERIFY(writeAll(m_dir.filePath(u"notes.json"_s), demoJson));
    m_store = std::make_unique<NoteStore>(m_dir.path(), [] { return demoNow(); });
    QCOMPARE(m_store->notes().size(), 16);
}

QImage tst_Screenshot::render(const QString& screen, const std::optional<QDate>& day, NoteStore* store)
{
    const QString keep = qEnvironmentVariable("ZETTELWERK_KEEP_SCREENSHOTS");
    const QString name = (store ? u"empty-"_s : QString()) + screen
        + (day ? u"-"_s + day->toString(Qt::ISODate) : QString());
    const QString path = (keep.isEmpty() ? m_dir.path() : keep) + u'/' + name + u".png"_s;
    QString error;
    if (!renderScreenshot(store ? *store : *m_store, screen, path, day, &error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    return QImage(path);
}

void tst_Screenshot::screensShowWhatTheyName()
{
    const QImage heute = render(u"heute"_s);
    QCOMPARE(heute.size(), panelPixels);
    QVERIFY(render(u"termine"_s) != heute);
    QVERIFY(render(u"notizen"_s) != heute);
    QVERIFY(render(u"heute"_s, QDate(2026, 12, 9)) != heute);
    const QImage unreadable = render(u"heute-unreadable"_s);
    QCOMPARE(unreadable.size(), panelPixels);
    QVERIFY(unreadable != heute);
    // The delete question dims the whole panel behind it.
    const QRect corner(0, 0, 760, 60);
    QVERIFY(meanLightness(render(u"delete-confirm"_s), corner) < meanLightness(heute, corner) - 0.1);
    // The quit question changes the bottom bar and nothing above it.
    const QImage quitting = render(u"quit-confirm"_s);
    const QRect above(0, 0, 760, 1160 - 80);
    QCOMPARE(quitting.copy(above), heute.copy(above));
    QVERIFY(quitting != heute);
}

void tst_Screenshot::secondaryScreens()
{
    const QImage settings = render(u"settings"_s);
    const QImage confirming = render(u"settings-confirm"_s);
    const QImage about = render(u"about"_s);
    const QImage english = render(u"about-en"_s);
    // Help is as high as the panel; settings and about as high as their content.
    QCOMPARE(render(u"help"_s).size(), panelPixels);
    for (const QImage& image : { settings, confirming, about, english }) {
        QCOMPARE(image.width(), 760);
        QVERIFY2(image.height() > 600 && image.height() < 1160, qPrintable(QString::number(image.height())));
    }
    // The question replaces a row with a taller block; the language changes only the disclaimer.
    QVERIFY(confirming.height() > settings.height());
    QCOMPARE(english.size(), about.size());
    const QRect top(0, 0, 760, 500);
    QCOMPARE(english.copy(top), about.copy(top));
    QVERIFY(english != about);
}

void tst_Screenshot::refusedScreens()
{
    QTemporaryDir empty;
    NoteStore store(empty.path(), [] { return demoNow(); });
    QString error;
    QVERIFY(
        !renderScreenshot(*m_store, u"einstellungen"_s, m_dir.filePath(u"x.png"_s), std::nullopt, &error));
    QVERIFY2(error.contains(u"einstellungen"_s), qPrintable(error));
    QVERIFY(!QFile::exists(m_dir.filePath(u"x.png"_s)));
    // Nothing to ask about deleting.
    error.clear();
    QVERIFY(!renderScreenshot(store, u"delete-confirm"_s, empty.filePath(u"d.png"_s), std::nullopt, &error));
    QVERIFY(!error.isEmpty());
}

void tst_Screenshot::editorScreensLeaveTheRecordsAlone()
{
    const QImage editor = render(u"editor"_s);
    QVERIFY(!editor.isNull() && editor != render(u"editor-alarm"_s));
    QVERIFY(!render(u"export-restored"_s).isNull());
    // Every import screen shows something of its own, imports included, on the tests' calendars.
    qputenv("ZETTELWERK_VDIR", ZETTELWERK_TEST_DATA "/vdir");
    QList<QImage> imports;
    for (const char* screen : { "import-apple", "import-access", "import-ics", "import-duplicates",
             "import-success", "import-history" }) {
        imports.append(render(QString::fromLatin1(screen)));
        QVERIFY(!imports.last().isNull() && !imports.mid(0, imports.size() - 1).contains(imports.last()));
    }
    // A new appointment, a restore or an import lives in a scratch copy, never in the records drawn from.
    QCOMPARE(m_store->notes().size(), 16);
    QCOMPARE(readAll(m_store->filePath()), demoJson);
}

void tst_Screenshot::emptyStoreShowsEmptyTabs()
{
    QTemporaryDir empty;
    NoteStore store(empty.path(), [] { return demoNow(); });
    const QImage heute = render(u"heute"_s, std::nullopt, &store);
    // Below the tab bar the two lists' blocks differ in symbol, words and hint.
    const QRect content(0, 160, 760, 300);
    QVERIFY(render(u"termine"_s, {}, &store).copy(content) != render(u"notizen"_s, {}, &store).copy(content));
    // Another day than today swaps the sun for the crossed-out calendar.
    QVERIFY(render(u"heute"_s, QDate(2026, 12, 9), &store) != heute);
}

int main(int argc, char** argv)
{
    // Pixel density and settings are fixed before the application exists; the user's settings
    // stay out of it.
    Screenshot::prepareEnvironment();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    tst_Screenshot test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenshot.moc"
