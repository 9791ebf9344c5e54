#include "singleinstance.h"
#include "testsupport.h"

#include <QTemporaryDir>

#include <future>

class tst_SingleInstance : public QObject {
    Q_OBJECT

private slots:
    void secondInstanceIsRefusedAndAnswered()
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
        QCOMPARE(ask(dir.path(), "ping"), QByteArray("echo:ping"));
    }

    void foldersHaveTheirOwnSockets()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        QVERIFY(SingleInstance::socketPath(a.path()) != SingleInstance::socketPath(b.path()));
        QCOMPARE(SingleInstance::socketPath(a.path()), SingleInstance::socketPath(a.path() + u"/."_qs));
    }

private:
    // The client blocks, so it runs on another thread while this one serves.
    static QByteArray ask(const QString& folder, const QByteArray& request)
    {
        auto answer = std::async(std::launch::async, [&] { return SingleInstance::send(folder, request); });
        if (!QTest::qWaitFor(
                [&answer] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }))
            return "no answer in time";
        return answer.get().value_or("no answer");
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
