#include "singleinstance.h"
#include "testsupport.h"

#include <future>

class tst_SingleInstance : public QObject {
    Q_OBJECT

private slots:
    void oneInstancePerFolder()
    {
        QTemporaryDir dir;
        // A socket file left behind by a crashed instance: nobody answers, and the next one replaces it.
        QFile leftover(SingleInstance::socketPath(dir.path()));
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.close();
        QVERIFY(!SingleInstance::send(dir.path(), "hello").has_value());
        SingleInstance first(dir.path());
        QVERIFY(first.listen([](const QByteArray& request) { return "echo:" + request; }));

        SingleInstance second(dir.path());
        QVERIFY(!second.listen([](const QByteArray&) { return QByteArray("wrong instance"); }));
        // The client blocks, so it runs on another thread while this one serves.
        auto answer
            = std::async(std::launch::async, [&dir] { return SingleInstance::send(dir.path(), "ping"); });
        QVERIFY(QTest::qWaitFor(
            [&answer] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        QCOMPARE(answer.get(), std::optional<QByteArray>("echo:ping"));

        QTemporaryDir other;
        QVERIFY(SingleInstance::socketPath(dir.path()) != SingleInstance::socketPath(other.path()));
        QCOMPARE(SingleInstance::socketPath(dir.path()), SingleInstance::socketPath(dir.path() + u"/."_qs));
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
