#include "notejson.h"
#include "notestore.h"
#include "screenshot.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

// The panel drawn offscreen from the demo records on their Monday, 7 December 2026, 10:00.
// Set ZETTELWERK_KEEP_SCREENSHOTS to a folder to keep the pictures for a look.
class tst_Screenshot : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void demoDataIsInTheDataFileLayout();
    void screensShowWhatTheyName();
    void secondaryScreens();
    void unknownScreenIsRefused();
    void editorScreensLeaveTheRecordsAlone();
    void emptyStoreShowsEmptyTabs();

private:
    QImage render(const QString& screen, const std::optional<QDate>& day = std::nullopt);
    QImage render(
        NoteStore& store, const QString& name, const QString& screen, const std::optional<QDate>& day);
    static double meanLightness(const QImage& image, const QRect& area);

    QTemporaryDir m_dir;
    std::unique_ptr<NoteStore> m_store;
};

namespace {

QByteArray demoJson()
{
    QFile file(QStringLiteral(ZETTELWERK_TEST_DATA "/demo.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QDateTime demoNow()
{
    return QDateTime(QDate(2026, 12, 7), QTime(10, 0));
}

} // namespace

void tst_Screenshot::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile data(m_dir.filePath(QStringLiteral("notes.json")));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.write(demoJson());
    data.close();
    m_store = std::make_unique<NoteStore>(m_dir.path(), [] { return demoNow(); });
    QCOMPARE(m_store->notes().size(), 16);
}

QImage tst_Screenshot::render(const QString& screen, const std::optional<QDate>& day)
{
    const QString suffix = day ? QStringLiteral("-") + day->toString(Qt::ISODate) : QString();
    return render(*m_store, screen + suffix, screen, day);
}

QImage tst_Screenshot::render(
    NoteStore& store, const QString& name, const QString& screen, const std::optional<QDate>& day)
{
    const QString keep = qEnvironmentVariable("ZETTELWERK_KEEP_SCREENSHOTS");
    const QString path
        = (keep.isEmpty() ? m_dir.path() : keep) + QStringLiteral("/") + name + QStringLiteral(".png");
    QString error;
    if (!renderScreenshot(store, screen, path, day, &error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    return QImage(path);
}

double tst_Screenshot::meanLightness(const QImage& image, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            sum += image.pixelColor(x, y).lightnessF();
    }
    return sum / (area.width() * area.height());
}

void tst_Screenshot::demoDataIsInTheDataFileLayout()
{
    const QByteArray json = demoJson();
    QString error;
    const auto notes = NoteJson::decode(json, &error);
    QVERIFY2(notes, qPrintable(error));
    QCOMPARE(NoteJson::encodeCompact(*notes), json);
}

void tst_Screenshot::screensShowWhatTheyName()
{
    const QImage heute = render(QStringLiteral("heute"));
    const QImage termine = render(QStringLiteral("termine"));
    const QImage notizen = render(QStringLiteral("notizen"));
    const QImage otherDay = render(QStringLiteral("heute"), QDate(2026, 12, 9));
    const QImage deleting = render(QStringLiteral("delete-confirm"));
    const QImage quitting = render(QStringLiteral("quit-confirm"));
    // Twice the points: 380 × 580 points become 760 × 1160 pixels.
    for (const QImage& image : { heute, termine, notizen, otherDay, deleting, quitting })
        QCOMPARE(image.size(), QSize(760, 1160));

    QVERIFY(termine != heute);
    QVERIFY(notizen != heute);
    QVERIFY(otherDay != heute);
    // The delete question dims the whole panel behind it.
    const QRect corner(0, 0, 760, 60);
    QVERIFY(meanLightness(deleting, corner) < meanLightness(heute, corner) - 0.1);
    // The quit question changes the bottom bar and nothing above it.
    const QRect above(0, 0, 760, 1160 - 80);
    QCOMPARE(quitting.copy(above), heute.copy(above));
    QVERIFY(quitting != heute);
}

void tst_Screenshot::secondaryScreens()
{
    const QImage settings = render(QStringLiteral("settings"));
    const QImage confirming = render(QStringLiteral("settings-confirm"));
    const QImage help = render(QStringLiteral("help"));
    const QImage about = render(QStringLiteral("about"));
    const QImage english = render(QStringLiteral("about-en"));
    // Help is as high as the panel; settings and about as high as their content.
    QCOMPARE(help.size(), QSize(760, 1160));
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

void tst_Screenshot::editorScreensLeaveTheRecordsAlone()
{
    const QByteArray before = demoJson();
    const QImage editor = render(QStringLiteral("editor"));
    const QImage alarm = render(QStringLiteral("editor-alarm"));
    const QImage restored = render(QStringLiteral("export-restored"));
    QCOMPARE(editor.size(), QSize(760, 1160));
    QCOMPARE(alarm.size(), QSize(760, 1160));
    QCOMPARE(restored.size(), QSize(760, 1160));
    QVERIFY(editor != alarm);
    // Every import screen shows something of its own, imports included, on the tests' calendars.
    qputenv("ZETTELWERK_VDIR", ZETTELWERK_TEST_DATA "/vdir");
    QList<QImage> imports;
    for (const char* screen : { "import-apple", "import-access", "import-ics", "import-duplicates",
             "import-success", "import-history" }) {
        imports.append(render(QString::fromLatin1(screen)));
        QCOMPARE(imports.last().size(), QSize(760, 1160));
        for (qsizetype i = 0; i + 1 < imports.size(); ++i)
            QVERIFY2(imports.at(i) != imports.last(), screen);
    }
    // A new appointment, a restore or an import lives in a scratch copy, never in the records drawn from.
    QCOMPARE(m_store->notes().size(), 16);
    QFile data(m_store->filePath());
    QVERIFY(data.open(QIODevice::ReadOnly));
    QCOMPARE(data.readAll(), before);
}

void tst_Screenshot::unknownScreenIsRefused()
{
    QString error;
    QVERIFY(!renderScreenshot(*m_store, QStringLiteral("einstellungen"),
        m_dir.filePath(QStringLiteral("x.png")), std::nullopt, &error));
    QVERIFY2(error.contains(QStringLiteral("einstellungen")), qPrintable(error));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.png"))));
}

void tst_Screenshot::emptyStoreShowsEmptyTabs()
{
    QTemporaryDir empty;
    NoteStore store(empty.path(), [] { return demoNow(); });
    QString error;
    QVERIFY(!renderScreenshot(store, QStringLiteral("delete-confirm"),
        empty.filePath(QStringLiteral("d.png")), std::nullopt, &error));
    QVERIFY(!error.isEmpty());

    const QImage heute = render(store, QStringLiteral("empty-heute"), QStringLiteral("heute"), std::nullopt);
    const QImage otherDay
        = render(store, QStringLiteral("empty-heute-other-day"), QStringLiteral("heute"), QDate(2026, 12, 9));
    const QImage termine
        = render(store, QStringLiteral("empty-termine"), QStringLiteral("termine"), std::nullopt);
    const QImage notizen
        = render(store, QStringLiteral("empty-notizen"), QStringLiteral("notizen"), std::nullopt);
    QCOMPARE(heute.size(), QSize(760, 1160));
    // Below the tab bar the two lists' blocks differ in symbol, words and hint.
    const QRect content(0, 160, 760, 300);
    QVERIFY(termine.copy(content) != notizen.copy(content));
    // Another day than today swaps the sun for the crossed-out calendar.
    QVERIFY(otherDay != heute);
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
