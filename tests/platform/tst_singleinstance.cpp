#include "singleinstance.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <future>

class tst_SingleInstance : public QObject {
    Q_OBJECT

private slots:
    void nobodyListening()
    {
        QTemporaryDir dir;
        QVERIFY(!SingleInstance::send(dir.path(), "hello").has_value());
    }

    void secondInstanceIsRefusedAndAnswered()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.listen([](const QByteArray& request) { return "echo:" + request; }));

        SingleInstance second(dir.path());
        QVERIFY(!second.listen([](const QByteArray&) { return QByteArray("wrong instance"); }));

        // The client blocks, so it runs on another thread while this one serves.
        auto answer
            = std::async(std::launch::async, [&dir] { return SingleInstance::send(dir.path(), "ping"); });
        QTRY_VERIFY(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        const auto reply = answer.get();
        QVERIFY(reply.has_value());
        QCOMPARE(*reply, QByteArray("echo:ping"));
    }

    void staleSocketFileIsReplaced()
    {
        QTemporaryDir dir;
        const QString path = SingleInstance::socketPath(dir.path());
        {
            QFile leftover(path);
            QVERIFY(leftover.open(QIODevice::WriteOnly));
        }
        SingleInstance instance(dir.path());
        QVERIFY(instance.listen([](const QByteArray&) { return QByteArray("alive"); }));
        auto answer
            = std::async(std::launch::async, [&dir] { return SingleInstance::send(dir.path(), "x"); });
        QTRY_VERIFY(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(answer.get().value_or("none"), QByteArray("alive"));
    }

    void foldersHaveTheirOwnSockets()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        QVERIFY(SingleInstance::socketPath(a.path()) != SingleInstance::socketPath(b.path()));
        QCOMPARE(SingleInstance::socketPath(a.path()),
            SingleInstance::socketPath(a.path() + QStringLiteral("/.")));
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
