#include "colorschemewatcher.h"
#include "columns.h"
#include "fakebusservice.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

// The portal's settings over a real bus: a current portal (ReadOne) or an older one (only Read, nested).
class FakePortal : public FakeBusService, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    FakePortal(QVariant colorScheme, bool hasReadOne, int delayMs)
        : FakeBusService(u"org.freedesktop.portal.Desktop"_s, u"/org/freedesktop/portal/desktop"_s)
        , m_colorScheme(std::move(colorScheme))
        , m_hasReadOne(hasReadOne)
        , m_delayMs(delayMs)
    {
    }

    void change(const QString& group, const QString& key, const QVariant& value)
    {
        QDBusMessage signal
            = QDBusMessage::createSignal(m_path, u"org.freedesktop.portal.Settings"_s, u"SettingChanged"_s);
        signal << group << key << QVariant::fromValue(QDBusVariant(value));
        QDBusConnection(connectionName).send(signal);
    }

    QStringList calls;

public slots:
    QDBusVariant ReadOne(const QString& group, const QString& key)
    {
        calls << u"ReadOne "_s + group + u' ' + key;
        if (!m_hasReadOne) {
            sendErrorReply(QDBusError::UnknownMethod, u"No such method"_s);
            return {};
        }
        return answer(m_colorScheme);
    }

    QDBusVariant Read(const QString& group, const QString& key)
    {
        calls << u"Read "_s + group + u' ' + key;
        return answer(QVariant::fromValue(QDBusVariant(m_colorScheme)));
    }

private:
    QDBusVariant answer(const QVariant& value)
    {
        if (m_delayMs > 0) {
            setDelayedReply(true);
            QTimer::singleShot(
                m_delayMs, this, [reply = message().createReply(QVariant::fromValue(QDBusVariant(value)))] {
                    QDBusConnection(connectionName).send(reply);
                });
            return {};
        }
        return QDBusVariant(value);
    }

    QVariant m_colorScheme;
    bool m_hasReadOne;
    int m_delayMs;
};

// The desktop's light or dark preference: from the portal without waiting, else from the palette.
class tst_ColorSchemeWatcher : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::setPalette(QPalette(Qt::white)); }

    void unwrapping_data()
    {
        columns<QVariant, std::optional<bool>>("value", "dark");
        QTest::newRow("unwrapped") << QVariant(1u) << std::optional(true);
        QTest::newRow("negative") << QVariant::fromValue(QDBusVariant(-1)) << std::optional<bool>();
        QTest::newRow("boolean") << QVariant::fromValue(QDBusVariant(true)) << std::optional<bool>();
        QVariant nested(1u);
        for (int i = 0; i < 100; ++i)
            nested = QVariant::fromValue(QDBusVariant(nested));
        QTest::newRow("endless nesting") << nested << std::optional<bool>();
    }

    void unwrapping()
    {
        QFETCH(QVariant, value);
        QTEST(ColorSchemeWatcher::darkFromColorScheme(value), "dark");
    }

    void atStart_data()
    {
        // colorScheme: invalid: no portal
        columns<bool, QVariant, bool, bool, bool>(
            "hasReadOne", "colorScheme", "darkPalette", "dark", "fromPortal");
        QTest::newRow("prefer dark") << true << QVariant(1u) << false << true << true;
        QTest::newRow("no preference") << true << QVariant(0u) << false << false << true;
        QTest::newRow("light over a dark palette") << true << QVariant(2u) << true << false << true;
        QTest::newRow("older portal: Read, dark") << false << QVariant(1u) << false << true << true;
        QTest::newRow("unknown value: the palette") << true << QVariant(5u) << true << true << false;
        QTest::newRow("no portal, dark palette") << true << QVariant() << true << true << false;
    }

    void atStart()
    {
        QFETCH(bool, hasReadOne);
        QFETCH(QVariant, colorScheme);
        QFETCH(bool, darkPalette);
        QFETCH(bool, dark);

        QGuiApplication::setPalette(
            QPalette(darkPalette ? QColor(0x2a, 0x2a, 0x2a) : QColor(0xef, 0xef, 0xef)));
        // Slow to answer, as a portal started on demand is: the watcher must not wait for it.
        constexpr int delayMs = 300;
        std::unique_ptr<FakePortal> fake;
        if (colorScheme.isValid()) {
            fake = std::make_unique<FakePortal>(colorScheme, hasReadOne, delayMs);
            QVERIFY(fake->start());
        }

        ColorSchemeWatcher watcher;
        QSignalSpy changes(&watcher, &ColorSchemeWatcher::darkChanged);
        QElapsedTimer clock;
        clock.start();
        watcher.start();
        QVERIFY2(clock.elapsed() < delayMs / 2, "start() waited for the portal");
        QCOMPARE(watcher.dark(), darkPalette);
        QVERIFY(!watcher.fromPortal());

        // Long enough for both reads of an older portal and their delays.
        QTest::qWait(delayMs * 3);
        QCOMPARE(watcher.dark(), dark);
        QTEST(watcher.fromPortal(), "fromPortal");
        QCOMPARE(changes.size(), dark == darkPalette ? 0 : 1);
        const QString key = u" org.freedesktop.appearance color-scheme"_s;
        if (fake) {
            QCOMPARE(
                fake->calls.join(u','), u"ReadOne"_s + key + (hasReadOne ? QString() : u",Read"_s + key));
            return;
        }
        QGuiApplication::setPalette(QPalette(QColor(0xf0, 0xf0, 0xf0)));
        QVERIFY(!watcher.dark());
        QGuiApplication::setPalette(QPalette(QColor(0x20, 0x20, 0x20)));
        QVERIFY(watcher.dark());
        QCOMPARE(changes.size(), 2);
    }

    void followedWhileRunning()
    {
        FakePortal fake(QVariant(2u), true, 0);
        QVERIFY(fake.start());
        ColorSchemeWatcher watcher;
        watcher.start();
        QTRY_VERIFY(watcher.fromPortal());
        QSignalSpy changes(&watcher, &ColorSchemeWatcher::darkChanged);
        // Another key, another group and an unknown value leave "prefer light" as it was.
        const QString appearance = u"org.freedesktop.appearance"_s;
        fake.change(appearance, u"accent-color"_s, QVariant(1u));
        fake.change(u"org.gnome.desktop.interface"_s, u"color-scheme"_s, QVariant(1u));
        fake.change(appearance, u"color-scheme"_s, QVariant(9u));
        QTest::qWait(300);
        QCOMPARE(changes.size(), 0);
        fake.change(appearance, u"color-scheme"_s, QVariant(1u));
        QVERIFY(changes.wait(2000));
        QVERIFY(watcher.dark());
        fake.change(appearance, u"color-scheme"_s, QVariant(2u));
        QVERIFY(changes.wait(2000));
        QVERIFY(!watcher.dark());
    }
};

QTEST_MAIN(tst_ColorSchemeWatcher)
#include "tst_colorschemewatcher.moc"
