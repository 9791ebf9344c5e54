#include "appearance.h"
#include "cli.h"
#include "notestore.h"
#include "screenshot.h"
#include "testsupport.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Zettelwerk_UiPlugin)

namespace {

const QByteArray demoJson = readAll(QStringLiteral(ZETTELWERK_TEST_DATA "/demo.json"));
const QSize panelPixels(760, 1160); // 380 × 580 points at twice the pixels

const auto demoNow = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); };

// With `above`, the share of pixels lighter than that.
double meanLightness(const QImage& image, const QRect& area, std::optional<double> above = {})
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const double lightness = image.pixelColor(x, y).lightnessF();
            sum += above ? double(lightness > *above) : lightness;
        }
    }
    return sum / (area.width() * area.height());
}

} // namespace

// The panel drawn offscreen from the demo records on their Monday, 7 December 2026, 10:00.
class tst_Screenshot : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(writeAll(m_dir.filePath(u"notes.json"_s), demoJson));
        m_store = std::make_unique<NoteStore>(m_dir.path(), demoNow);
        QCOMPARE(m_store->notes().size(), 16);
        // The tests' calendars, never the user's: the settings list them and "-kalender" shows them.
        qputenv("ZETTELWERK_VDIR", ZETTELWERK_TEST_DATA "/vdir");
    }

    void screensShowWhatTheyName()
    {
        const QImage heute = render(u"heute"_s);
        QCOMPARE(heute.size(), panelPixels);
        // "heute-kalender": the calendars shown beside the records add their appointments to the day.
        for (const char* screen : { "termine", "notizen", "heute-unreadable", "heute-kalender" }) {
            const QImage image = render(QString::fromLatin1(screen));
            QVERIFY2(image.size() == panelPixels && image != heute, screen);
        }
        QVERIFY(render(u"heute"_s, QDate(2026, 12, 9)) != heute);
        const QRect corner(0, 0, 760, 60);
        QVERIFY(meanLightness(render(u"delete-confirm"_s), corner) < meanLightness(heute, corner) - 0.1);
        const QImage quitting = render(u"quit-confirm"_s);
        const QRect above(0, 0, 760, 1160 - 80);
        QCOMPARE(quitting.copy(above), heute.copy(above));
        QVERIFY(quitting != heute);
        QString error;
        QVERIFY(!renderScreenshot(
            *m_store, u"einstellungen"_s, m_dir.filePath(u"x.png"_s), std::nullopt, &error));
        QVERIFY2(error.contains(u"einstellungen"_s), qPrintable(error));
        QVERIFY(!QFile::exists(m_dir.filePath(u"x.png"_s)));
    }

    void secondaryScreens()
    {
        const QImage settings = render(u"settings"_s);
        const QImage confirming = render(u"settings-confirm"_s);
        const QImage about = render(u"about"_s);
        const QImage english = render(u"about-en"_s);
        // Help is as high as the panel; settings and about as high as their content.
        QCOMPARE(render(u"help"_s).size(), panelPixels);
        for (const QImage& image : { settings, confirming, about, english }) {
            QCOMPARE(image.width(), 760);
            QVERIFY2(
                image.height() > 600 && image.height() < 1600, qPrintable(QString::number(image.height())));
        }
        // The question replaces a row with a taller block. (What the language changes: tst_settings.qml.)
        QVERIFY(confirming.height() > settings.height());
        QVERIFY(english != about);
    }

    void editorScreensLeaveTheRecordsAlone()
    {
        const QImage editor = render(u"editor"_s);
        QVERIFY(!editor.isNull() && editor != render(u"editor-alarm"_s));
        QVERIFY(!render(u"export-restored"_s).isNull());
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

    void emptyStore()
    {
        QTemporaryDir empty;
        NoteStore store(empty.path(), demoNow);
        // Below the tab bar the two lists' blocks differ in symbol, words and hint.
        const QRect content(0, 160, 760, 300);
        QVERIFY(
            render(u"termine"_s, {}, &store).copy(content) != render(u"notizen"_s, {}, &store).copy(content));
        // Another day than today swaps the sun for the crossed-out calendar.
        QVERIFY(render(u"heute"_s, QDate(2026, 12, 9), &store) != render(u"heute"_s, std::nullopt, &store));
        QString error;
        QVERIFY(
            !renderScreenshot(store, u"delete-confirm"_s, empty.filePath(u"d.png"_s), std::nullopt, &error));
        QVERIFY(!error.isEmpty());
    }

    // read: the screen and whether dark, or the refusal
    void darkOption_data()
    {
        columns<QStringList, QString>("args", "read");
        QTest::newRow("light") << strings("screenshot|--screen|heute|--out|a.png") << u"heute"_s;
        QTest::newRow("dark first") << strings("screenshot|--dark|--screen|heute|--out|a.png")
                                    << u"heute dark"_s;
        QTest::newRow("dark takes no value")
            << strings("screenshot|--screen|heute|--out|a.png|--dark|ja") << u"Unerwartetes Argument: ja"_s;
    }

    void darkOption()
    {
        QFETCH(QStringList, args);
        const auto read = Cli::readScreenshotRequest(args);
        const auto* request = std::get_if<Cli::ScreenshotRequest>(&read);
        QTEST(request ? request->screen + (request->dark ? u" dark"_s : QString()) : std::get<QString>(read),
            "read");
    }

    void everyScreen_data()
    {
        QTest::addColumn<QString>("screen");
        for (const QString& screen : Screenshot::screens())
            QTest::newRow(qPrintable(screen)) << screen;
    }

    // Every control tells a screen reader what it is, and every screen draws dark.
    void everyScreen()
    {
        QFETCH(QString, screen);
        QAccessible::setActive(true);
        QStringList misnamed;
        int controls = 0;
        const std::function<void(QQuickItem*)> walk = [&](QQuickItem* item) {
            if (!item->isVisible())
                return;
            // What Tab reaches is what a keyboard or screen-reader user can work.
            if (item->activeFocusOnTab()) {
                ++controls;
                QAccessibleInterface* face = QAccessible::queryAccessibleInterface(item);
                const QAccessible::Role role = face ? face->role() : QAccessible::NoRole;
                const QString type = QString::fromLatin1(item->metaObject()->className()).section(u'_', 0, 0);
                if (role == QAccessible::NoRole || role == QAccessible::Client || role == QAccessible::Pane
                    || face->text(QAccessible::Name).trimmed().isEmpty())
                    misnamed.append(u"silent "_s + type + u' ' + item->objectName());
                // A tab says it is one; a switch says it is one and whether it is on.
                const QVariant on = item->property(type == u"ToggleRow"_s ? "checked" : "isSelected");
                if ((type == u"TabButton"_s && role != QAccessible::PageTab)
                    || (face->state().checkable && role != QAccessible::CheckBox)
                    || ((type == u"ToggleRow"_s || type == u"AlarmTypeButton"_s)
                        && (!face->state().checkable || bool(face->state().checked) != on.toBool())))
                    misnamed.append(type + u' ' + face->text(QAccessible::Name));
                // A screen reader's press is a click; pressing tabs and switches changes no data.
                if (type == u"TabButton"_s || type == u"ToggleRow"_s) {
                    QSignalSpy clicks(item, SIGNAL(clicked()));
                    if (QAccessibleActionInterface* actions = face->actionInterface())
                        actions->doAction(QAccessibleActionInterface::pressAction());
                    if (clicks.count() != 1)
                        misnamed.append(type + u" pressed "_s + QString::number(clicks.count()) + u'×');
                }
            }
            const QList<QQuickItem*> children = item->childItems();
            for (QQuickItem* child : children)
                walk(child);
        };
        QString error;
        QVERIFY2(renderScreenshot(*m_store, screen, m_dir.filePath(u"a11y.png"_s), std::nullopt, &error,
                     [&walk](QQuickWindow& window) { walk(window.contentItem()); }),
            qPrintable(error));
        QVERIFY2(misnamed.isEmpty(), qPrintable(misnamed.join(u", "_s)));
        QVERIFY(controls > 0);

        Appearance::instance().setDark(true);
        const QImage image = render(screen);
        Appearance::instance().setDark(false);
        // Mostly dark, with light text on it: no light background kept, no dark text on dark.
        const double mean = meanLightness(image, image.rect());
        const double lightShare = meanLightness(image, image.rect(), 0.6);
        QVERIFY2(mean < 0.3 && lightShare > 0.005,
            qPrintable(u"mean lightness %1, light pixels %2 %"_s.arg(mean).arg(lightShare * 100)));
    }

private:
    // The demo records unless `store` is given.
    QImage render(const QString& screen, const std::optional<QDate>& day = {}, NoteStore* store = nullptr)
    {
        const QString path = m_dir.filePath(screen + u".png"_s);
        QFile::remove(path); // a render that writes nothing must not pass with an earlier picture
        QString error;
        if (!renderScreenshot(store ? *store : *m_store, screen, path, day, &error)) {
            qWarning("%s", qPrintable(error));
            return {};
        }
        return QImage(path);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<NoteStore> m_store;
};

int main(int argc, char** argv)
{
    // Pixel density and settings before the application exists; never the user's settings.
    Screenshot::prepareEnvironment();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    tst_Screenshot test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenshot.moc"
