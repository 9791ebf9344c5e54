#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString fakeConnection = QStringLiteral("fake");

struct Received {
    QString app;
    uint replaces = 0;
    QString summary;
    QString body;
    QVariantMap hints;
};

} // namespace

// Stands in for the desktop's notification server. It has a connection of its own, so the
// notifier's calls really travel through the bus daemon.
class FakeNotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    FakeNotificationServer(QStringList capabilities, bool answersCapabilities)
        : m_capabilities(std::move(capabilities))
        , m_answersCapabilities(answersCapabilities)
    {
    }

    ~FakeNotificationServer() override
    {
        QDBusConnection bus(fakeConnection);
        bus.unregisterService(serviceName);
        bus.unregisterObject(objectPath);
        QDBusConnection::disconnectFromBus(fakeConnection);
    }

    bool start()
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, fakeConnection);
        return bus.isConnected() && bus.registerObject(objectPath, this, QDBusConnection::ExportAllSlots)
            && bus.registerService(serviceName);
    }

    QList<Received> received;
    int capabilityRequests = 0;

public slots:
    QStringList GetCapabilities()
    {
        ++capabilityRequests;
        if (!m_answersCapabilities)
            sendErrorReply(QDBusError::Failed, QStringLiteral("capabilities unknown"));
        return m_capabilities;
    }

    uint Notify(const QString& app, uint replaces, const QString& /*icon*/, const QString& summary,
        const QString& body, const QStringList& /*actions*/, const QVariantMap& hints, int /*timeout*/)
    {
        received.append({ app, replaces, summary, body, hints });
        return 40 + uint(received.size());
    }

private:
    QStringList m_capabilities;
    bool m_answersCapabilities;
};

class tst_DesktopNotifier : public QObject {
    Q_OBJECT

private slots:
    void serverComesAndGoes();
    void notificationArrives_data();
    void notificationArrives();
};

void tst_DesktopNotifier::serverComesAndGoes()
{
    DesktopNotifier notifier;
    QSignalSpy delivered(&notifier, &DesktopNotifier::delivered);
    notifier.notify(QStringLiteral("Termin"), QStringLiteral("Zahnarzt"));
    QTest::qWait(300);
    QCOMPARE(delivered.count(), 0);

    // A server that starts later is asked what it renders once, not once per alarm.
    FakeNotificationServer server({ QStringLiteral("body-markup") }, true);
    QVERIFY(server.start());
    QTRY_COMPARE(server.capabilityRequests, 1);
    for (int i = 0; i < 3; ++i)
        notifier.notify(QStringLiteral("Termin"), QStringLiteral("<b>"));
    QTRY_COMPARE(delivered.count(), 3);
    QCOMPARE(server.capabilityRequests, 1);
    QCOMPARE(server.received.last().body, QStringLiteral("&lt;b&gt;"));
}

void tst_DesktopNotifier::notificationArrives_data()
{
    QTest::addColumn<QStringList>("capabilities");
    QTest::addColumn<bool>("answersCapabilities");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("expected");

    const QStringList markup { QStringLiteral("body"), QStringLiteral("body-markup") };
    const QStringList plain { QStringLiteral("body") };
    const QString tags = QStringLiteral("<b>&");
    QTest::newRow("markup server: escaped") << markup << true << tags << QStringLiteral("&lt;b&gt;&amp;");
    QTest::newRow("markup server: typed entity stays text")
        << markup << true << QStringLiteral("Tom &amp; Jerry") << QStringLiteral("Tom &amp;amp; Jerry");
    QTest::newRow("markup server: plain text untouched")
        << markup << true << QStringLiteral("Größe 10:30 – ok") << QStringLiteral("Größe 10:30 – ok");
    QTest::newRow("markup server: empty body") << markup << true << QString() << QString();
    QTest::newRow("plain server: raw") << plain << true << tags << tags;
    QTest::newRow("no capabilities: raw") << QStringList() << true << tags << tags;
    // Without an answer nobody knows whether markup is rendered; raw text at worst shows tags.
    QTest::newRow("capabilities fail: raw") << markup << false << tags << tags;
}

void tst_DesktopNotifier::notificationArrives()
{
    QFETCH(QStringList, capabilities);
    QFETCH(bool, answersCapabilities);
    QFETCH(QString, body);
    QFETCH(QString, expected);

    FakeNotificationServer server(capabilities, answersCapabilities);
    QVERIFY(server.start());
    DesktopNotifier notifier;
    QSignalSpy delivered(&notifier, &DesktopNotifier::delivered);
    // The summary is plain text for every server, so it is never escaped.
    const QString summary = QStringLiteral("Termin <heute> & morgen");
    notifier.notify(summary, body);

    QTRY_COMPARE_WITH_TIMEOUT(delivered.count(), 1, 10000);
    QCOMPARE(delivered.first().first().toUInt(), 41u);
    QCOMPARE(server.received.size(), 1);
    const Received& got = server.received.first();
    QCOMPARE(got.app, QStringLiteral("Zettelwerk"));
    QCOMPARE(got.replaces, 0u); // replacing would hide an earlier alarm the user has not seen
    QCOMPARE(got.summary, summary);
    QCOMPARE(got.body, expected);
    // Servers ignore an urgency that is not a byte, and "critical" keeps the alarm on screen.
    const QVariant urgency = got.hints.value(QStringLiteral("urgency"));
    QCOMPARE(urgency.metaType(), QMetaType::fromType<uchar>());
    QCOMPARE(urgency.value<uchar>(), uchar(2));
    QVERIFY(!got.hints.value(QStringLiteral("sound-name")).toString().isEmpty());
    QCOMPARE(got.hints.value(QStringLiteral("resident")), QVariant(true));
}

QTEST_MAIN(tst_DesktopNotifier)
#include "tst_desktopnotifier.moc"
